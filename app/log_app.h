#pragma once
// The application object: the user's settings for the whole run, the one log
// document, and start-up, which is the program's whole life.
#include <memory>
#include <string>
#include <vector>

#include "log/app_settings.h"
#include "platform/cmd_target.h"

class CLogDlg;
class CLogDoc;

// Exit statuses of the process.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNotLogged = 1; // HIDE: nothing logged, or the log not saved
inline constexpr int kExitNoDisplay = 2; // the main window cannot be shown

class CLogApp : public CAppSettings, public CCmdTarget {
public:
    // args: the command line after the program name. bCanShowWindows is false
    // when the host cannot show windows (the terminal).
    explicit CLogApp(std::vector<std::string> args = {}, bool bCanShowWindows = true);
    ~CLogApp() override;

    // Start-up: parse the command line, open the log, read the settings, run
    // the first-run dialogs, log a debrief when asked, save with HIDE, and
    // tear everything down. Always false: the program then ends.
    bool InitInstance();
    int GetExitCode() const { return m_nExitCode; }

    // The menu commands this object handles (the main window handles Exit
    // and Print itself).
    void OnFileNew();
    void OnFileOpen();
    void OnFileRevert();
    bool OnUpdateFileRevert(); // enabled while there is a log document
    void OnFileSave();
    void OnFileSaveAs();
    void OnDeleteCareer();
    void OnPhotograph();
    void OnPreferences();
    void OnExamineDebrief();
    void OnAppAbout();

    const CHandlerTable* GetHandlers() const override;

    CLogDlg* m_pLogDlg = nullptr; // the main window while it exists

private:
    void ReadPreferences();
    void RunFirstTimeSetUp();
    // Asks whether to save a changed log first. False when the user said Yes
    // and the save did not happen: the command then stops.
    bool SaveChangesFirst();
    // "Save" and "Save As...": written even when nothing changed.
    void SaveOnRequest(bool bNewName);
    void RedrawMainWindow();

    std::vector<std::string> m_args;
    bool m_bCanShowWindows;
    std::unique_ptr<CLogDoc> m_pDoc;
    int m_nExitCode = kExitOk;
};
