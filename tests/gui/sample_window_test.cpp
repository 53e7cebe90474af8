// A dialog of the common controls in a real window: real keys and clicks
// reach the model with the focus where the program expects it, and the
// program's own changes show without coming back as input.
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "res/resource_ids.h"
#include "tests/gui/gui_sample_dialog.h"
#include "tests/gui/gui_test.h"

namespace {

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
