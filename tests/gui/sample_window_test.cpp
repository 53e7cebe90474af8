// A dialog of the common controls in a real window: real keys and clicks
// reach the model with the focus where the program expects it, and the
// program's own changes show without coming back as input.
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "platform/message_box.h"
#include "dialogs/about_dlg.h"
#include "res/resource_ids.h"
#include "tests/gui/gui_test.h"

namespace {

enum : int {
    IDD_GUI_SAMPLE = 950,
    IDC_G_TITLE = 1101,
    IDC_G_SIDE,
    IDC_G_PRIMARY,
    IDC_G_ROWS,
    IDC_G_NOTES,
    IDC_G_SPIN,
    IDC_G_ASK,
    IDC_G_FILL,
    IDC_G_ABOUT,
};

const CDialogTemplate& GetGuiSampleTemplate()
{
    using K = EControlKind;
    static const CDialogTemplate tmpl{
        IDD_GUI_SAMPLE,
        "Sample",
        200,
        140,
        "MS Sans Serif",
        8,
        DS_CAPTION | DS_SYSMENU | DS_CENTER,
        nullptr,
        {
            {K::Static, IDC_STATIC, "Title", 7, 7, 40, 8, 0, 0},
            {K::Edit, IDC_G_TITLE, "", 7, 17, 100, 12, WS_TABSTOP | ES_AUTOHSCROLL, 0},
            {K::DropDownList, IDC_G_SIDE, "Unknown\nRussian\nUkrainian\nNATO\nTurkey", 7, 35, 100, 60, WS_TABSTOP, 0},
            {K::CheckBox, IDC_G_PRIMARY, "Primary target", 7, 53, 100, 10, WS_TABSTOP, 0},
            {K::ListBox, IDC_G_ROWS, "One\nTwo\nThree", 7, 67, 100, 40, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, 0},
            {K::Edit, IDC_G_NOTES, "", 115, 17, 78, 40, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP, 0},
            {K::UpDown, IDC_G_SPIN, "", 115, 62, 11, 14, UDS_ARROWKEYS, 0},
            {K::PushButton, IDC_G_ASK, "Ask", 135, 62, 58, 14, WS_TABSTOP, 0},
            {K::PushButton, IDC_G_FILL, "Fill", 135, 80, 58, 14, WS_TABSTOP, 0},
            {K::PushButton, IDC_G_ABOUT, "About...", 135, 98, 58, 14, WS_TABSTOP, 0},
            {K::PushButton, IDOK, "OK", 85, 119, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
            {K::PushButton, IDCANCEL, "Cancel", 143, 119, 50, 14, WS_TABSTOP, 0},
        },
    };
    return tmpl;
}

class CGuiSampleDlg : public CDialog {
public:
    CGuiSampleDlg() : CDialog(GetGuiSampleTemplate()) {}

    struct Event {
        int nId;
        ENotify eNotify;
        int nParam;
        bool bHadFocus; // the control had the focus when its handler ran
        friend bool operator==(const Event&, const Event&) = default;
    };
    std::vector<Event> m_events;
    std::string m_strStoredTitle = "stored"; // what the title edit writes back
    int m_nAnswer = 0;
    int m_nAboutResult = 0;

    bool Saw(int nId, ENotify eNotify, int nParam = 0) const
    {
        for (const Event& e : m_events)
            if (e.nId == nId && e.eNotify == eNotify && e.nParam == nParam)
                return true;
        return false;
    }

protected:
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetDlgItemText(IDC_G_TITLE, "From the record");
        return true;
    }

    const CHandlerTable* GetHandlers() const override
    {
        static const CHandlerMap<CGuiSampleDlg> map{
            {IDC_G_TITLE, ENotify::Changed, &CGuiSampleDlg::OnChangeTitle},
            {IDC_G_NOTES, ENotify::Changed, &CGuiSampleDlg::OnChangeNotes},
            {IDC_G_SIDE, ENotify::SelChange, &CGuiSampleDlg::OnSelSide},
            {IDC_G_PRIMARY, ENotify::Clicked, &CGuiSampleDlg::OnPrimary},
            {IDC_G_ROWS, ENotify::SelChange, &CGuiSampleDlg::OnSelRows},
            {IDC_G_ROWS, ENotify::DoubleClicked, &CGuiSampleDlg::OnDoubleRows},
            {IDC_G_SPIN, ENotify::DeltaPos, &CGuiSampleDlg::OnSpin},
            {IDC_G_ASK, ENotify::Clicked, &CGuiSampleDlg::OnAsk},
            {IDC_G_FILL, ENotify::Clicked, &CGuiSampleDlg::OnFill},
            {IDC_G_ABOUT, ENotify::Clicked, &CGuiSampleDlg::OnAbout},
        };
        return &map;
    }

private:
    void Record(int nId, ENotify eNotify, int nParam = 0) { m_events.push_back({nId, eNotify, nParam, HasFocus(nId)}); }
    void OnChangeTitle()
    {
        Record(IDC_G_TITLE, ENotify::Changed);
        if (HasFocus(IDC_G_TITLE))
            m_strStoredTitle = GetDlgItemText(IDC_G_TITLE);
    }
    void OnChangeNotes() { Record(IDC_G_NOTES, ENotify::Changed); }
    void OnSelSide() { Record(IDC_G_SIDE, ENotify::SelChange, GetCurSel(IDC_G_SIDE)); }
    void OnPrimary() { Record(IDC_G_PRIMARY, ENotify::Clicked, IsDlgButtonChecked(IDC_G_PRIMARY)); }
    void OnSelRows() { Record(IDC_G_ROWS, ENotify::SelChange, GetCurSel(IDC_G_ROWS)); }
    void OnDoubleRows() { Record(IDC_G_ROWS, ENotify::DoubleClicked, GetCurSel(IDC_G_ROWS)); }
    void OnSpin(int nStep) { Record(IDC_G_SPIN, ENotify::DeltaPos, nStep); }
    void OnAsk() { m_nAnswer = AfxMessageBox("Delete the kill?", MB_YESNO | MB_ICONQUESTION); }
    void OnFill() { SetDlgItemText(IDC_G_TITLE, "Refilled"); }
    void OnAbout() { m_nAboutResult = CAboutDlg().DoModal(); }
};

wxWindow* Control(int nId) { return FindControl(IDD_GUI_SAMPLE, nId); }

using SampleWindow = CGuiTest;

TEST_F(SampleWindow, KeysAndClicksReachTheHandlersWithTheFocusOnTheirControl)
{
    CGuiSampleDlg dlg;
    CGuiScript script;
    WaitForWindow(script, IDD_GUI_SAMPLE)
        .Do([&] {
            // Filling the edit notified without the focus: nothing written back.
            EXPECT_EQ(static_cast<wxTextCtrl*>(Control(IDC_G_TITLE))->GetValue(), "From the record");
            EXPECT_EQ(dlg.m_strStoredTitle, "stored");
            ASSERT_FALSE(dlg.m_events.empty());
            EXPECT_EQ(dlg.m_events[0], (CGuiSampleDlg::Event{IDC_G_TITLE, ENotify::Changed, 0, false}));
            dlg.m_events.clear();
            ClickOn(Control(IDC_G_TITLE));
        })
        .WaitFor("the title focused", [&] { return dlg.HasFocus(IDC_G_TITLE); })
        .Do([] {
            PressKey('A', wxMOD_CONTROL);
            TypeText("Ab");
        })
        .WaitFor("the title typed", [&] { return dlg.m_strStoredTitle == "Ab"; })
        .Do([&] { ClickOn(Control(IDC_G_SIDE)); })
        .WaitFor("the list dropped down", [] { return !FindDialogWindow(IDD_GUI_SAMPLE)->GetWindow()->IsActive(); })
        .Do([] {
            PressKey(WXK_DOWN);
            PressKey(WXK_RETURN);
        })
        .WaitFor("a side chosen from the list", [&] { return dlg.GetCurSel(IDC_G_SIDE) >= 0; })
        .WaitFor("the window active again", [] { return FindDialogWindow(IDD_GUI_SAMPLE)->GetWindow()->IsActive(); })
        .Do([&] { ClickAt(Control(IDC_G_PRIMARY), 8, Control(IDC_G_PRIMARY)->GetSize().y / 2); })
        .WaitFor("the box ticked", [&] { return dlg.IsDlgButtonChecked(IDC_G_PRIMARY) == 1; })
        .Do([&] { ClickAt(Control(IDC_G_ROWS), 20, 6); })
        .WaitFor("the first row clicked", [&] { return dlg.GetCurSel(IDC_G_ROWS) == 0; })
        .Do([] { PressKey(WXK_DOWN); })
        .WaitFor("the second row chosen with the arrow key", [&] { return dlg.GetCurSel(IDC_G_ROWS) == 1; })
        .Do([&] { DoubleClickAt(Control(IDC_G_ROWS), 20, 6); })
        .WaitFor("a row double-clicked", [&] { return dlg.Saw(IDC_G_ROWS, ENotify::DoubleClicked, 0); })
        .Do([&] { ClickOn(Control(IDC_G_NOTES)); })
        .WaitFor("the notes focused", [&] { return dlg.HasFocus(IDC_G_NOTES); })
        .Do([] {
            TypeText("a");
            PressKey(WXK_RETURN);
            TypeText("b");
        })
        .WaitFor("two lines of notes", [&] { return dlg.GetDlgItemText(IDC_G_NOTES) == "a\r\nb"; })
        .Do([&] { ClickAt(Control(IDC_G_SPIN), Control(IDC_G_SPIN)->GetSize().x / 2, 3); })
        .WaitFor("a step up", [&] { return dlg.Saw(IDC_G_SPIN, ENotify::DeltaPos, 1); })
        .Do([&] { ClickAt(Control(IDC_G_SPIN), Control(IDC_G_SPIN)->GetSize().x / 2, Control(IDC_G_SPIN)->GetSize().y - 3); })
        .WaitFor("a step down", [&] { return dlg.Saw(IDC_G_SPIN, ENotify::DeltaPos, -1); })
        .Do([&] { ClickOn(Control(IDC_G_FILL)); })
        .WaitFor("the title refilled", [&] {
            return static_cast<wxTextCtrl*>(Control(IDC_G_TITLE))->GetValue() == "Refilled";
        })
        .Do([&] { EXPECT_TRUE(SaveScreenshot(FindDialogWindow(IDD_GUI_SAMPLE)->GetWindow(), "sample_dialog")); })
        .Do([&] { ClickOn(Control(IDC_G_TITLE)); })
        .WaitFor("the title focused again", [&] { return dlg.HasFocus(IDC_G_TITLE); })
        .Do([] { PressKey(WXK_RETURN); }); // a one-line edit: Enter presses OK
    script.Start();

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(dlg.m_strStoredTitle, "Ab"); // the refill came while the button had the focus
    EXPECT_TRUE(dlg.Saw(IDC_G_SIDE, ENotify::SelChange, dlg.GetCurSel(IDC_G_SIDE)));
    EXPECT_TRUE(dlg.Saw(IDC_G_PRIMARY, ENotify::Clicked, 1));
    EXPECT_TRUE(dlg.Saw(IDC_G_ROWS, ENotify::SelChange, 1));
    EXPECT_TRUE(dlg.Saw(IDC_G_NOTES, ENotify::Changed));
    // Only the user's own changes of the list arrived, each with the focus.
    for (const auto& e : dlg.m_events) {
        if (e.eNotify == ENotify::SelChange || e.eNotify == ENotify::Clicked) {
            EXPECT_TRUE(e.bHadFocus) << e.nId;
        }
    }
}

TEST_F(SampleWindow, QuestionsAndDialogsOpenOverItAndEscapeCancelsIt)
{
    CGuiSampleDlg dlg;
    CGuiScript script;
    wxTopLevelWindow* pBox = nullptr;
    WaitForWindow(script, IDD_GUI_SAMPLE)
        .Do([&] { ClickOn(Control(IDC_G_ASK)); })
        .WaitFor("the question", [&] { return (pBox = FindToolkitWindow()) && pBox->IsActive(); })
        .Do([&] {
            EXPECT_EQ(pBox->GetTitle(), "Sortavel Manager");
            EXPECT_NE(FindChildWithLabel(pBox, "Delete the kill?"), nullptr);
            EXPECT_TRUE(SaveScreenshot(pBox, "message_box"));
            ClickOn(pBox->FindWindow(wxID_NO));
        })
        .WaitFor("the answer No", [&] { return dlg.m_nAnswer == IDNO; })
        .Do([&] { ClickOn(Control(IDC_G_ABOUT)); })
        .WaitFor("the About box over the sample", [] {
            CDialogWindow* pAbout = FindDialogWindow(IDD_ABOUTBOX);
            return pAbout && pAbout->GetWindow()->IsActive();
        })
        .Do([] {
            // The window below waits for the one above.
            EXPECT_FALSE(FindDialogWindow(IDD_GUI_SAMPLE)->GetWindow()->IsEnabled());
            PressKey(WXK_RETURN);
        })
        .WaitFor("the About box closed with OK", [&] { return dlg.m_nAboutResult == IDOK; })
        .WaitFor("the sample active again", [] { return FindDialogWindow(IDD_GUI_SAMPLE)->GetWindow()->IsActive(); })
        .Do([] { PressKey(WXK_ESCAPE); }); // the focus came back with the window
    script.Start();

    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.IsFinished());
}

} // namespace
