// The debrief viewer in a real window: a strike mission's journal shown, a
// row clicked and chosen with the keys, an identifier typed and each filter
// clicked.
#include "tests/gui/debrief_viewer_journal.h"

#include <memory>

#include <wx/dataview.h>
#include <wx/radiobut.h>

#include "debrief/debrief.h"
#include "dialogs/debrief_view_dlg.h"
#include "platform/wx/report_list.h"
#include "res/resource_ids.h"
#include "tests/gui/gui_test.h"
#include "tests/support/debrief_builder.h"

namespace {

using namespace ViewerIds;

// The strike mission's journal, written and loaded.
class DebriefViewerGui : public CGuiTest {
protected:
    void SetUp() override
    {
        CGuiTest::SetUp();
        WriteStrikeJournal(m_file.GetPath());
        ASSERT_TRUE(m_debrief.Open(m_file.GetPath()));
    }

    CTempDebrief m_file;
    CDebrief m_debrief;
};

wxWindow* Control(int nId) { return FindControl(IDD_DEBRIEF_VIEW, nId); }
CReportListCtrl* Table() { return dynamic_cast<CReportListCtrl*>(Control(IDC_EVENT_LIST)); }

// Clicks the middle of a row if it is shown now (the table may still be
// laying out fresh rows, so at once: the click lands on the row as it is).
bool ClickRowIfShown(int nRow)
{
    const wxRect rect = Table()->GetRowRect(nRow);
    if (rect.IsEmpty())
        return false;
    ClickNowAt(Table(), rect.x + rect.width / 2, rect.y + rect.height / 2);
    return true;
}

void ClickRadio(int nId) { ClickAt(Control(nId), 6, Control(nId)->GetSize().y / 2); }

TEST_F(DebriefViewerGui, RowsChosenByMouseAndKeysAndEachFilterClicked)
{
    CHostScope scope(*GetGuiHost());
    ASSERT_GT(m_debrief.m_nEvents, 200u);

    CDebriefViewDlg dlg;
    dlg.m_pDebrief = &m_debrief;
    const int nAll = static_cast<int>(m_debrief.m_nEvents);
    auto rows = [&] { return dlg.GetCount(IDC_EVENT_LIST); };
    auto selected = [&] { return dlg.GetCurSel(IDC_EVENT_LIST); };
    std::string strClicked;

    CGuiScript script;
    WaitForWindow(script, IDD_DEBRIEF_VIEW)
        .WaitFor("a page of rows laid out",
                 [] { return Table() && Table()->GetPageRows() > 10 && !Table()->GetRowRect(3).IsEmpty(); })
        .Do([&] {
            EXPECT_EQ(rows(), nAll);
            EXPECT_EQ(Table()->GetTopRow(), 0);
            EXPECT_GT(Table()->GetPageRows(), 10);
            for (int nId : {IDC_SHOW_ALL, IDC_SHOW_OBJECT, IDC_SHOW_CHILDREN})
                EXPECT_FALSE(static_cast<wxRadioButton*>(Control(nId))->GetValue()) << nId;
        })
        .WaitFor("row 3 clicked", [] { return ClickRowIfShown(3); })
        .Do([&] {
            strClicked = dlg.GetItemText(IDC_EVENT_LIST, 3, 7);
            EXPECT_EQ(dlg.GetDlgItemText(IDC_OBJECT_ID), strClicked);
            EXPECT_EQ(rows(), nAll); // only copied, not applied
            EXPECT_TRUE(SaveScreenshot(FindDialogWindow(IDD_DEBRIEF_VIEW)->GetWindow(), "debrief_viewer"));
            PressKey(WXK_DOWN);
        })
        .WaitFor("the next row chosen with Down", [&] { return selected() == 4; })
        .Do([] { PressKey(WXK_END); })
        .WaitFor("End reaches the last row", [&] { return selected() == nAll - 1; })
        .Do([&] { EXPECT_GT(Table()->GetTopRow(), 0); })
        .Do([] { ClickRadio(IDC_SHOW_OBJECT); })
        .WaitFor("the last row's object shown", [&] { return dlg.m_nFilter == 1 && rows() < nAll; })
        .Do([] { ClickOn(Control(IDC_OBJECT_ID)); })
        .WaitFor("the field focused", [&] { return dlg.HasFocus(IDC_OBJECT_ID); })
        .Do([] {
            PressKey('A', wxMOD_CONTROL);
            TypeText(kStrikePlayerText);
        })
        .WaitFor("the player's id typed", [&] { return dlg.GetDlgItemText(IDC_OBJECT_ID) == kStrikePlayerText; })
        .Do([] { ClickRadio(IDC_SHOW_CHILDREN); })
        .WaitFor("what the player released", [&] { return dlg.m_nFilter == 2; })
        .Do([&] {
            ASSERT_GT(rows(), 0);
            for (int i = 0; i < rows(); ++i)
                EXPECT_EQ(dlg.GetItemText(IDC_EVENT_LIST, i, 8), kStrikePlayerText) << i;
            ClickRadio(IDC_SHOW_OBJECT);
        })
        .WaitFor("the player's own records", [&] { return dlg.m_nFilter == 1; })
        .Do([&] {
            ASSERT_GT(rows(), 0);
            EXPECT_EQ(dlg.GetItemText(IDC_EVENT_LIST, 0, 7), kStrikePlayerText);
            ClickRadio(IDC_SHOW_ALL);
        })
        .WaitFor("every event again", [&] { return dlg.m_nFilter == 0 && rows() == nAll; })
        .Do([] { PressKey(WXK_ESCAPE); });
    script.Start();

    dlg.DoModal();
    EXPECT_TRUE(script.IsFinished());
    EXPECT_FALSE(strClicked.empty());
}

// The toolkit deletes a closed window later: its table must not ask the
// dialog that is gone for rows while the next viewer opens.
TEST_F(DebriefViewerGui, OpenedAgainRightAfterClosing)
{
    CHostScope scope(*GetGuiHost());
    for (int i = 0; i < 2; ++i) {
        auto pDlg = std::make_unique<CDebriefViewDlg>();
        pDlg->m_pDebrief = &m_debrief;
        wxDataViewCtrl* pView = nullptr;
        CGuiScript script;
        WaitForWindow(script, IDD_DEBRIEF_VIEW)
            .WaitFor("the first rows laid out", [] { return !Table()->GetRowRect(0).IsEmpty(); })
            .Do([&] {
                pView = static_cast<wxDataViewCtrl*>(Table()->GetTable());
                PressKey(WXK_ESCAPE);
            });
        script.Start();
        pDlg->DoModal();
        ASSERT_TRUE(script.IsFinished());
        pDlg.reset();
        // Not deleted yet, and holding no rows.
        EXPECT_EQ(static_cast<wxDataViewVirtualListModel*>(pView->GetModel())->GetCount(), 0u);
    }
}

} // namespace
