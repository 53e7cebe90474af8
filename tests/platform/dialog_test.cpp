#include <gtest/gtest.h>

#include "tests/platform/sample_dialog.h"
#include "tests/support/test_host.h"

using Event = CSampleDlg::Event;

TEST(DialogTest, ChangesMadeByTheProgramNotifyButAreNotWrittenBack)
{
    CTestHost host;
    CSampleDlg dlg;
    host.ExpectDialog(IDD_SAMPLE, [&](CDialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_S_TITLE), "From the record");
        EXPECT_EQ(d.FocusId(), IDC_S_TITLE); // the first tab stop
        d.Click(IDC_S_FILL);                  // the program sets the title while the button has the focus
        EXPECT_EQ(d.Text(IDC_S_TITLE), "Refilled");
        d.Clear(IDC_S_TITLE);
        d.Type(IDC_S_TITLE, "14é0");
        d.Backspace(IDC_S_TITLE);
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // Init and Fill notified too, but only the typing reached the record.
    EXPECT_EQ(std::count(dlg.m_events.begin(), dlg.m_events.end(), Event{IDC_S_TITLE, ENotify::Changed, 0}), 8);
    EXPECT_EQ(dlg.m_storedTitles, (std::vector<std::string>{"", "1", "14", "14é", "14é0", "14é"}));
}

TEST(DialogTest, EveryNotificationReachesItsHandler)
{
    CTestHost host;
    CSampleDlg dlg;
    host.ExpectDialog(IDD_SAMPLE, [&](CDialogDriver& d) {
        d.Dialog().AddString(IDC_S_ROWS, "r0");
        d.Dialog().AddString(IDC_S_ROWS, "r1");
        d.Dialog().InsertColumn(IDC_S_TABLE, 0, "Time");
        d.Dialog().AddString(IDC_S_TABLE, "t0");
        dlg.m_events.clear();
        d.Click(IDC_S_CHECK);
        d.Type(IDC_S_NOTES, "a\nb");
        d.Select(IDC_S_SIDE, "NATO");
        d.Select(IDC_S_ROWS, 0);
        d.DoubleClick(IDC_S_ROWS, 1); // selects first, then double-clicks
        d.Select(IDC_S_TABLE, 0);
        d.Step(IDC_S_SPIN, 1);
        d.Step(IDC_S_SPIN, -1);
        d.Click(IDC_S_RADIO_A2);
        EXPECT_EQ(d.Text(IDC_S_NOTES), "a\r\nb");
        d.Focus(IDC_S_NOTES);
        d.Enter(); // a new line, not the default button
        EXPECT_FALSE(d.IsEnded());
        d.Focus(IDC_S_SIDE);
        d.Enter();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const ENotify C = ENotify::Changed;
    EXPECT_EQ(dlg.m_events, (std::vector<Event>{{IDC_S_CHECK, ENotify::Clicked, 0},
                                                {IDC_S_NOTES, C, 0},
                                                {IDC_S_NOTES, C, 0},
                                                {IDC_S_NOTES, C, 0},
                                                {IDC_S_SIDE, ENotify::SelChange, 2},
                                                {IDC_S_ROWS, ENotify::SelChange, 0},
                                                {IDC_S_ROWS, ENotify::SelChange, 1},
                                                {IDC_S_ROWS, ENotify::DoubleClicked, 1},
                                                {IDC_S_TABLE, ENotify::Clicked, 0},
                                                {IDC_S_SPIN, ENotify::DeltaPos, 1},
                                                {IDC_S_SPIN, ENotify::DeltaPos, -1},
                                                {IDC_S_RADIO_A2, ENotify::Clicked, 0},
                                                {IDC_S_NOTES, C, 0}}));
}

TEST(DialogTest, EnterEscapeAndTheDefaultButton)
{
    CTestHost host;
    struct Case {
        const char* pszName;
        std::function<void(CDialogDriver&)> script;
        int nResult;
    } cases[] = {
        {"Enter presses the default button", [](CDialogDriver& d) { d.Enter(); }, IDOK},
        {"Escape cancels", [](CDialogDriver& d) { d.Escape(); }, IDCANCEL},
        {"Enter on a focused button presses it",
         [](CDialogDriver& d) {
             d.Focus(IDCANCEL);
             d.Enter();
         },
         IDCANCEL},
        {"a disabled default button ignores Enter",
         [](CDialogDriver& d) {
             d.Dialog().EnableDlgItem(IDOK, false);
             d.Focus(IDC_S_TITLE);
             EXPECT_FALSE(d.Dialog().UserEnter());
             d.CloseBox();
         },
         IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        CSampleDlg dlg;
        host.ExpectDialog(IDD_SAMPLE, c.script);
        EXPECT_EQ(dlg.DoModal(), c.nResult);
    }
}

TEST(DialogTest, RadioButtonsClearOnlyTheirOwnGroup)
{
    CSampleDlg dlg;
    dlg.OpenModel(); // no host at all
    dlg.CheckRadioButton(IDC_S_RADIO_A1, IDC_S_RADIO_A3, IDC_S_RADIO_A3);
    dlg.CheckRadioButton(IDC_S_RADIO_B1, IDC_S_RADIO_B2, IDC_S_RADIO_B1);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_S_RADIO_A1, IDC_S_RADIO_A3), IDC_S_RADIO_A3);

    EXPECT_TRUE(dlg.UserClick(IDC_S_RADIO_A1));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_S_RADIO_A1, IDC_S_RADIO_A3), IDC_S_RADIO_A1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_S_RADIO_A3), 0);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_S_RADIO_B1), 1);

    EXPECT_TRUE(dlg.UserClick(IDC_S_RADIO_B2));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_S_RADIO_B1, IDC_S_RADIO_B2), IDC_S_RADIO_B2);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_S_RADIO_A1), 1);

    EXPECT_TRUE(dlg.UserClick(IDC_S_CHECK));
    EXPECT_TRUE(dlg.UserClick(IDC_S_CHECK));
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_S_CHECK), 0);
    EXPECT_FALSE(dlg.UserClick(IDC_S_DISABLED));
}

TEST(DialogTest, ListBoxKeepsSelectionAndTopRowInRange)
{
    CSampleDlg dlg;
    dlg.OpenModel();
    for (const char* psz : {"alpha", "Beta", "beta 2", "gamma"})
        dlg.AddString(IDC_S_ROWS, psz);
    EXPECT_EQ(dlg.SetCurSel(IDC_S_ROWS, 2), 2);
    EXPECT_EQ(dlg.InsertString(IDC_S_ROWS, 0, "first"), 0);
    EXPECT_EQ(dlg.GetCurSel(IDC_S_ROWS), 3); // follows its row
    EXPECT_EQ(dlg.DeleteString(IDC_S_ROWS, 3), 4);
    EXPECT_EQ(dlg.GetCurSel(IDC_S_ROWS), LB_ERR);
    EXPECT_EQ(dlg.SetCurSel(IDC_S_ROWS, 4), LB_ERR); // past the end: no row selected
    EXPECT_EQ(dlg.GetCurSel(IDC_S_ROWS), LB_ERR);
    EXPECT_EQ(dlg.InsertString(IDC_S_ROWS, 9, "x"), LB_ERR);
    EXPECT_EQ(dlg.DeleteString(IDC_S_ROWS, -1), LB_ERR);

    struct {
        int nStartAfter;
        const char* pszPrefix;
        int nFound;
    } finds[] = {{-1, "BETA", 2}, {2, "beta", 2}, {-1, "g", 3}, {3, "al", 1}, {-1, "delta", LB_ERR}, {-1, "", 0}};
    for (const auto& f : finds)
        EXPECT_EQ(dlg.FindString(IDC_S_ROWS, f.nStartAfter, f.pszPrefix), f.nFound) << f.pszPrefix;
    dlg.SetCurSel(IDC_S_ROWS, 1);
    EXPECT_EQ(dlg.SelectString(IDC_S_ROWS, -1, "none"), LB_ERR);
    EXPECT_EQ(dlg.GetCurSel(IDC_S_ROWS), 1); // kept when nothing matches

    dlg.SetTopIndex(IDC_S_ROWS, 99);
    EXPECT_EQ(dlg.GetTopIndex(IDC_S_ROWS), 3);
    dlg.ResetContent(IDC_S_ROWS);
    EXPECT_EQ(dlg.GetTopIndex(IDC_S_ROWS), 0);
    EXPECT_EQ(dlg.GetItemText(IDC_S_ROWS, 0), "");

    dlg.AddString(IDC_S_ROWS, "old");
    dlg.SetCurSel(IDC_S_ROWS, 0);
    dlg.SetItems(IDC_S_ROWS, {"one", "two"}); // every row at once
    EXPECT_EQ(dlg.GetCount(IDC_S_ROWS), 2);
    EXPECT_EQ(dlg.GetItemText(IDC_S_ROWS, 1), "two");
    EXPECT_EQ(dlg.GetCurSel(IDC_S_ROWS), LB_ERR);
}

TEST(DialogTest, ReportListHoldsColumnsRowsDataAndWidths)
{
    CTestHost host;
    CSampleDlg dlg;
    host.ExpectDialog(IDD_SAMPLE, [&](CDialogDriver& d) {
        CDialog& w = d.Dialog();
        EXPECT_EQ(w.InsertColumn(IDC_S_TABLE, 0, "Time"), 0);
        EXPECT_EQ(w.InsertColumn(IDC_S_TABLE, 5, "Object"), 1); // past the end: appended
        for (int i = 0; i < 3; ++i) {
            int nRow = w.AddString(IDC_S_TABLE, "0-00:00:0" + std::to_string(i));
            EXPECT_TRUE(w.SetItemText(IDC_S_TABLE, nRow, 1, std::to_string(10 + i)));
            EXPECT_TRUE(w.SetItemData(IDC_S_TABLE, nRow, 100 + i));
        }
        EXPECT_FALSE(w.SetItemText(IDC_S_TABLE, 0, 2, "no such column"));
        EXPECT_TRUE(w.SetColumnWidth(IDC_S_TABLE, 1, w.GetStringWidth(IDC_S_TABLE, "12") + 16));
        EXPECT_EQ(d.Headings(IDC_S_TABLE), (std::vector<std::string>{"Time", "Object"}));
        EXPECT_EQ(d.ColumnWidth(IDC_S_TABLE, 0), -1);
        EXPECT_EQ(d.ColumnWidth(IDC_S_TABLE, 1), 28);
        d.Select(IDC_S_TABLE, 2);
        EXPECT_EQ(w.GetCurSel(IDC_S_TABLE), 2);
        EXPECT_EQ(d.Cell(IDC_S_TABLE, 2, 1), "12");
        EXPECT_EQ(d.ItemData(IDC_S_TABLE, 1), 101);
        w.ResetContent(IDC_S_TABLE);
        EXPECT_EQ(w.GetColumnCount(IDC_S_TABLE), 2); // columns stay
        EXPECT_EQ(d.RowCount(IDC_S_TABLE), 0);
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

// Rows kept by the dialog: counted, read, chosen and found through the source
// alone; stored rows cannot be mixed in until the list is emptied.
TEST(DialogTest, ReportListReadsRowsTheDialogKeeps)
{
    struct CSquares : CListRowSource {
        std::string GetCellText(int, int nRow, int nColumn) const override
        {
            return std::to_string(nColumn == 0 ? nRow * nRow : nRow);
        }
        std::intptr_t GetRowData(int, int nRow) const override { return 1000 + nRow; }
    } squares;
    CTestHost host;
    CSampleDlg dlg;
    host.ExpectDialog(IDD_SAMPLE, [&](CDialogDriver& d) {
        CDialog& w = d.Dialog();
        w.InsertColumn(IDC_S_TABLE, 0, "Square");
        w.InsertColumn(IDC_S_TABLE, 1, "Root");
        w.SetVirtualRows(IDC_S_TABLE, 1000000, &squares);
        EXPECT_EQ(d.RowCount(IDC_S_TABLE), 1000000);
        EXPECT_EQ(d.Cell(IDC_S_TABLE, 999, 0), "998001");
        EXPECT_EQ(d.Cell(IDC_S_TABLE, 1000000, 0), ""); // past the end
        EXPECT_EQ(d.ItemData(IDC_S_TABLE, 7), 1007);
        EXPECT_EQ(w.FindString(IDC_S_TABLE, 2, "16"), 4);
        d.Select(IDC_S_TABLE, 12);
        EXPECT_EQ(w.GetCurSel(IDC_S_TABLE), 12);
        host.ExpectProgramError("InsertString");
        EXPECT_EQ(w.AddString(IDC_S_TABLE, "mixed"), LB_ERR);
        w.ResetContent(IDC_S_TABLE);
        EXPECT_EQ(w.AddString(IDC_S_TABLE, "stored"), 0);
        EXPECT_EQ(d.Cell(IDC_S_TABLE, 0, 0), "stored");
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(DialogTest, DropDownListTextIsItsSelectedEntry)
{
    CSampleDlg dlg;
    dlg.OpenModel();
    EXPECT_EQ(dlg.GetCount(IDC_S_SIDE), 3); // entries from the template
    EXPECT_EQ(dlg.GetDlgItemText(IDC_S_SIDE), "");
    dlg.m_events.clear();
    dlg.SetCurSel(IDC_S_SIDE, 1);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_S_SIDE), "Russian");
    EXPECT_TRUE(dlg.m_events.empty()); // program selections do not notify
}

TEST(DialogTest, PicturesShowBuiltInOrLoadedBitmaps)
{
    CSampleDlg dlg;
    dlg.OpenModel();
    const CControlState* pPicture = dlg.FindControl(IDC_S_PICTURE);
    EXPECT_EQ(pPicture->m_nBitmapId, 7);
    EXPECT_EQ(dlg.GetClientSize(IDC_S_PICTURE), (CSize{30, 32}));
    std::string strPath = ::testing::TempDir() + "sample_photo.bmp";
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    std::fputs("BM fake bitmap", pFile);
    std::fclose(pFile);
    dlg.SetPictureBitmap(IDC_S_PICTURE, LoadBitmapFile(strPath, dlg.GetClientSize(IDC_S_PICTURE)));
    ASSERT_NE(dlg.GetPictureBitmap(IDC_S_PICTURE), nullptr);
    EXPECT_EQ(dlg.GetPictureBitmap(IDC_S_PICTURE)->GetPath(), strPath);
    EXPECT_EQ(pPicture->m_nBitmapId, 0);
    EXPECT_EQ(LoadBitmapFile(strPath + ".missing", {10, 10}), nullptr);
    std::remove(strPath.c_str());
}

namespace {
// Binds handlers to controls the template lacks or that cannot send them.
class CFaultyDlg : public CSampleDlg {
protected:
    const CHandlerTable* GetHandlers() const override
    {
        static const CHandlerMap<CFaultyDlg> map{
            {4242, ENotify::Clicked, &CFaultyDlg::OnNothing},
            {IDC_S_LABEL, ENotify::Changed, &CFaultyDlg::OnNothing},
            {IDC_S_TITLE, ENotify::DeltaPos, &CFaultyDlg::OnNothing},
        };
        return &map;
    }

private:
    void OnNothing() {}
};
} // namespace

TEST(DialogTest, HandlersAndCallsOutsideTheTemplateAreCaught)
{
    CTestHost host;
    host.ExpectProgramError("'clicked' handler of 4242 is bound to a control the template lacks");
    host.ExpectProgramError("'changed' handler of 1014 does not fit");
    host.ExpectProgramError("'up-down step' handler of 1001 has the wrong kind");
    host.ExpectProgramError("SetDlgItemText of control 555, which the template lacks");
    host.ExpectProgramError("GetCurSel of control 1001, which is not a list");
    CFaultyDlg dlg;
    dlg.OpenModel();
    dlg.SetDlgItemText(555, "x");
    EXPECT_EQ(dlg.GetCurSel(IDC_S_TITLE), LB_ERR);
}

namespace {
class CSelfFeedingDlg : public CSampleDlg {
protected:
    const CHandlerTable* GetHandlers() const override
    {
        static const CHandlerMap<CSelfFeedingDlg> map{{IDC_S_TITLE, ENotify::Changed, &CSelfFeedingDlg::OnChange}};
        return &map;
    }

private:
    void OnChange() { SetDlgItemText(IDC_S_TITLE, GetDlgItemText(IDC_S_TITLE) + "!"); }
};
} // namespace

TEST(DialogTest, AHandlerFeedingItselfStops)
{
    CTestHost host;
    host.ExpectProgramError("nest without end");
    CSelfFeedingDlg dlg;
    dlg.OpenModel();
    EXPECT_EQ(dlg.GetDlgItemText(IDC_S_TITLE).size(), std::string("From the record").size() + 64);
}

namespace {
// Data exchange and menu commands with a next command target.
struct CMenuTarget : CCmdTarget {
    int m_nRan = 0;
    bool m_bCanSave = false;
    void OnSave() { ++m_nRan; }
    bool CanSave() { return m_bCanSave; }
    const CHandlerTable* GetHandlers() const override
    {
        static const CHandlerMap<CMenuTarget> map{{20, ENotify::Clicked, &CMenuTarget::OnSave},
                                                  {20, ENotify::UpdateCommand, &CMenuTarget::CanSave}};
        return &map;
    }
};

const CMenuTemplate g_menu{1, {{"File", 0, 0, {{"Save", 20, 0, {}}, {"Print", 21, MF_GRAYED, {}}, {"Other", 22, 0, {}}}}}};

class CExchangeDlg : public CSampleDlg {
public:
    CExchangeDlg() : CSampleDlg(MakeTemplate()) {}
    std::string m_strTitle = "exchanged";
    int m_bCheck = 1;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        DDX_Text(dx, IDC_S_TITLE, m_strTitle);
        DDX_Check(dx, IDC_S_CHECK, m_bCheck);
    }
    bool OnInitDialog() override { return CDialog::OnInitDialog(); }

private:
    static const CDialogTemplate& MakeTemplate()
    {
        static CDialogTemplate tmpl = [] {
            CDialogTemplate t = GetSampleTemplate();
            t.m_pMenu = &g_menu;
            return t;
        }();
        return tmpl;
    }
};
} // namespace

TEST(DialogTest, DataExchangeOnOpenAndOnOK)
{
    CTestHost host;
    CExchangeDlg dlg;
    host.ExpectDialog(IDD_SAMPLE, [](CDialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_S_TITLE), "exchanged");
        EXPECT_TRUE(d.IsChecked(IDC_S_CHECK));
        d.Replace(IDC_S_TITLE, "typed");
        d.Tick(IDC_S_CHECK, false);
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strTitle, "typed");
    EXPECT_EQ(dlg.m_bCheck, 0);
}

TEST(DialogTest, MenuCommandsRouteToTheNextTarget)
{
    CExchangeDlg dlg;
    CMenuTarget target;
    dlg.SetNextCommandTarget(&target);
    dlg.OpenModel();
    EXPECT_FALSE(dlg.IsCommandEnabled(20)); // its update handler says no
    EXPECT_FALSE(dlg.UserCommand(20));
    target.m_bCanSave = true;
    EXPECT_TRUE(dlg.UserCommand(20));
    EXPECT_EQ(target.m_nRan, 1);
    EXPECT_FALSE(dlg.IsCommandEnabled(21)); // grayed
    EXPECT_FALSE(dlg.IsCommandEnabled(22)); // nobody handles it
    EXPECT_FALSE(dlg.UserCommand(IDC_S_FILL)); // not a menu item
}

TEST(DialogTest, WithoutAHostDialogsAreCancelled)
{
    CSampleDlg dlg;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("\"Sample\" cannot be shown"), std::string::npos);
    EXPECT_TRUE(dlg.m_events.empty()); // OnInitDialog never ran
}
