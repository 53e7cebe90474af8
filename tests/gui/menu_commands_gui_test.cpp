// The main window's menu in a real window: every command reached with the
// keyboard (F10, the arrows and Enter), each opening what it should, the
// grayed print items, and the File menu used with the mouse.
#include <filesystem>
#include <functional>
#include <memory>

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/time.h>

#include "app/log_app.h"
#include "log/log_doc.h"
#include "res/resource_ids.h"
#include "tests/app/app_test_env.h"
#include "tests/gui/gui_test.h"

namespace {

using namespace LogDlgIds;

CDialogWindow* MainWindow() { return FindDialogWindow(IDD_LOG_DIALOG); }

// Opens the menu bar, moves right to the menu and down to the item, and
// chooses it. Grayed items and separators are passed over by the arrows.
void ChooseByKeys(int nMenu, int nItem)
{
    MovePointerInto(MainWindow()->GetWindow());
    PressKey(WXK_F10);
    for (int i = 0; i < nMenu; ++i)
        PressKey(WXK_RIGHT);
    for (int i = 0; i < nItem; ++i)
        PressKey(WXK_DOWN);
    PressKey(WXK_RETURN);
}

bool IsActive(wxTopLevelWindow* pWindow) { return pWindow && pWindow->IsActive(); }

// Waits a moment: the desktop's file chooser tells nobody when it is ready.
std::function<bool()> Pause(int nMs)
{
    return [nMs, nStart = std::make_shared<long long>(-1)] {
        const long long nNow = wxGetLocalTimeMillis().GetValue();
        if (*nStart < 0)
            *nStart = nNow;
        return nNow - *nStart >= nMs;
    };
}

// The file chooser the command opened, closed with Escape.
CGuiScript& EscapeChooser(CGuiScript& script, const std::string& strWhat)
{
    return script.WaitFor(strWhat, [] { return FindToolkitWindow() && FindToolkitWindow()->IsShown(); })
        .WaitFor(strWhat + " ready", Pause(500))
        .Do([] { PressKey(WXK_ESCAPE); })
        .WaitFor(strWhat + " gone", [] { return FindToolkitWindow() == nullptr; })
        .WaitFor("the main window active", [] { return IsActive(MainWindow()->GetWindow()); });
}
bool DialogShown(int nTemplateId)
{
    return FindDialogWindow(nTemplateId) && IsActive(FindDialogWindow(nTemplateId)->GetWindow());
}

class MenuCommandsGui : public CGuiTest {
protected:
    std::string WriteLog(const std::string& strName)
    {
        CPilot pilot;
        pilot.SetName(strName);
        pilot.SetCallsign("Kestrel");
        pilot.SetUnit("3rd Tactical Wing");
        pilot.SetRank("Captain");
        CCareer& career = *pilot.AddCareer();
        for (const char* pszTitle : {"Fighter Sweep", "Convoy Interdiction", "Escort"}) {
            CMission& mission = *career.AddMission();
            mission.SetTitle(pszTitle);
            mission.SetFlown(CTime(1998, 12, 20 + career.GetMissionCount(), 18, 45, 0));
            mission.SetDuration(48 * 60);
        }
        return m_env.WriteLog(pilot);
    }

    CAppTestEnv m_env;
};

TEST_F(MenuCommandsGui, EveryCommandByKeys)
{
    m_env.WriteSettings(kSetUpSettings);
    const std::string strLog = WriteLog("Anna Koval");
    CLogApp app({"/LOG", strLog});
    wxTopLevelWindow* pBox = nullptr;
    auto toolkitWindow = [&] { return IsActive(pBox = FindToolkitWindow()); };
    auto noToolkitWindow = [] { return FindToolkitWindow() == nullptr && IsActive(MainWindow()->GetWindow()); };
    auto name = [] { return MainWindow()->GetDialog().GetDlgItemText(IDC_NAME); };

    CGuiScript script(15000);
    WaitForWindow(script, IDD_LOG_DIALOG)
        .Do([] {
            auto* pBar = static_cast<wxFrame*>(MainWindow()->GetWindow())->GetMenuBar();
            for (int nId : {ID_FILE_PRINT_SETUP, ID_FILE_PRINT})
                EXPECT_FALSE(pBar->IsEnabled(MainWindow()->GetMenuItemId(nId))) << nId;
            MovePointerInto(MainWindow()->GetWindow());
            PressKey(WXK_F10);
        })
        .WaitFor("the File menu open", [] { return MainWindow()->IsMenuOpen(); })
        .Do([] { PressKey(WXK_ESCAPE); })
        .WaitFor("the menu closed", [] { return !MainWindow()->IsMenuOpen(); })
        // Help, About...
        .Do([] { ChooseByKeys(4, 1); })
        .WaitFor("the About box", [] { return DialogShown(IDD_ABOUTBOX); })
        .Do([] { PressKey(WXK_ESCAPE); })
        .WaitFor("the main window again", [] { return DialogShown(IDD_LOG_DIALOG); })
        // Debrief, Examine Raw Debrief File...
        .Do([] { ChooseByKeys(3, 1); });
    EscapeChooser(script, "the debrief chooser")
        // Settings, Photograph... and Preferences...
        .Do([] { ChooseByKeys(2, 1); });
    EscapeChooser(script, "the photograph chooser")
        .Do([] { ChooseByKeys(2, 2); })
        .WaitFor("the Preferences", [] { return DialogShown(IDD_PREFERENCES); })
        .Do([] { PressKey(WXK_ESCAPE); })
        .WaitFor("the main window again", [] { return DialogShown(IDD_LOG_DIALOG); })
        // Careers, Delete Current Career...: No
        .Do([] { ChooseByKeys(1, 1); })
        .WaitFor("the question", toolkitWindow)
        .Do([&] { ClickOn(pBox->FindWindow(wxID_NO)); })
        .WaitFor("the question gone", noToolkitWindow)
        // File, Open Log...
        .Do([] { ChooseByKeys(0, 2); });
    EscapeChooser(script, "the log chooser")
        // File, Revert To Saved...: the log changed on disk is read again.
        .Do([&] {
            WriteLog("Changed on disk");
            ChooseByKeys(0, 3);
        })
        .WaitFor("the log read again", [&] { return name() == "Changed on disk"; })
        // File, Save: written although unchanged.
        .Do([&] {
            std::filesystem::remove(strLog);
            ChooseByKeys(0, 4);
        })
        .WaitFor("the log written", [&] { return CAppTestEnv::Exists(strLog); })
        // File, New Log: unchanged, so at once.
        .Do([] { ChooseByKeys(0, 1); })
        .WaitFor("an untitled log",
                 [&] { return MainWindow()->GetWindow()->GetTitle() == "Untitled" && name().empty(); })
        // File, Save As...
        .Do([] { ChooseByKeys(0, 5); });
    EscapeChooser(script, "the save chooser")
        // File, Exit: the cancelled Save As left nothing to save, so no question.
        .Do([] { ChooseByKeys(0, 6); });
    script.Start();

    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(CAppTestEnv::Exists(strLog), true);
}

TEST_F(MenuCommandsGui, RevertClickedInTheFileMenu)
{
    m_env.WriteSettings(kSetUpSettings);
    CLogApp app({"/LOG", WriteLog("Anna Koval")});
    wxWindow* pFrame = nullptr;
    CGuiScript script;
    WaitForWindow(script, IDD_LOG_DIALOG)
        .Do([&] {
            pFrame = MainWindow()->GetWindow();
            MovePointerInto(pFrame);
            EXPECT_TRUE(ClickMenuTitle(pFrame, 0));
        })
        .WaitFor("the File menu open", [] { return MainWindow()->IsMenuOpen(); })
        .Do([&] {
            EXPECT_TRUE(SaveScreenshotWithMenus(pFrame, "menu_file"));
            WriteLog("Changed on disk");
            EXPECT_TRUE(ClickMenuItem(pFrame, MainWindow()->GetMenuItemId(ID_FILE_REVERT)));
        })
        .WaitFor("the log read again",
                 [] { return MainWindow()->GetDialog().GetDlgItemText(IDC_NAME) == "Changed on disk"; })
        .Do([] { ClickOn(FindControl(IDD_LOG_DIALOG, ID_APP_EXIT)); });
    script.Start();

    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(script.IsFinished());
}

} // namespace
