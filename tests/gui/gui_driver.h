#pragma once
// Drives the window host's real windows in the GUI tests. The program sits in
// its modal loops while a test runs, so a script of steps runs from timers
// inside whatever loop is innermost: actions (simulated keys and clicks, which
// may open further modal windows) and waits that poll for their effect with a
// time limit. A wait that times out fails the test and closes every window
// still open, so a broken test ends instead of hanging.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/timer.h>
#include <wx/toplevel.h>

#include "platform/wx/dialog_window.h"
#include "platform/wx/window_host.h"

// The window host of the test program, started on first use (the test list
// is made without a display); nullptr when there is no display.
CWindowHost* GetGuiHost();
void StopGuiHost();

class CGuiScript {
public:
    explicit CGuiScript(int nWaitLimitMs = 8000) : m_nWaitLimitMs(nWaitLimitMs) {}
    ~CGuiScript();
    CGuiScript(const CGuiScript&) = delete;
    CGuiScript& operator=(const CGuiScript&) = delete;

    CGuiScript& Do(std::function<void()> fnAction);
    CGuiScript& WaitFor(std::string strWhat, std::function<bool()> fnDone);
    // Starts the steps; they run once the program enters a modal loop.
    void Start();
    // The steps given are done (the watchdog that Start adds does not count).
    bool IsFinished() const { return m_nNext >= m_nGiven; }
    const std::vector<std::string>& GetFailures() const { return m_failures; }

private:
    struct CStep {
        std::string m_strWhat; // waits only
        std::function<void()> m_fnAction;
        std::function<bool()> m_fnDone;
    };
    void Arm();
    void Tick();
    void GiveUp(const std::string& strWhy);

    // A timer whose handler is blocked in a nested modal loop must not be
    // restarted, so every tick takes a timer that is free.
    struct CTicker {
        std::unique_ptr<wxTimer> m_pTimer;
        bool m_bInTick = false;
    };
    std::vector<std::unique_ptr<CTicker>> m_tickers;
    std::vector<CStep> m_steps;
    std::size_t m_nNext = 0;
    std::size_t m_nGiven = 0;
    long long m_nWaitStart = -1;
    int m_nWaitLimitMs;
    std::vector<std::string> m_failures;
};

// Windows and widgets.
CDialogWindow* FindDialogWindow(int nTemplateId);
wxWindow* FindControl(int nTemplateId, int nControlId);
// The newest shown top-level window that is not one of the host's dialog
// windows (a message box, the file chooser); nullptr if none.
wxTopLevelWindow* FindToolkitWindow();
wxWindow* FindChildWithLabel(wxWindow* pParent, const wxString& strLabel);

// Simulated input. Clicks go to the middle of the widget, or to the point
// given in its own pixels; keys go to the window that has the focus.
void ClickOn(wxWindow* pWindow);
void ClickAt(wxWindow* pWindow, int x, int y);
void DoubleClickAt(wxWindow* pWindow, int x, int y);
// The same as ClickAt, with the pointer moved and the button pressed and
// released before the program runs anything else: the click lands on what
// the window shows now, though it is still laying itself out.
void ClickNowAt(wxWindow* pWindow, int x, int y);
void PressKey(int nKeyCode, int nModifiers = 0);
void TypeText(const char* pszText);
void MovePointerInto(wxWindow* pWindow);
// Clicks the title of the frame's menu nMenu (0: the first) in its menu bar,
// and an item of a menu that is open, by its toolkit id; false when it is
// not shown.
bool ClickMenuTitle(wxWindow* pFrame, int nMenu);
bool ClickMenuItem(wxWindow* pFrame, int nItemId);

// Saves the window as <binary dir>/screenshots/<strName>.png; false on failure.
bool SaveScreenshot(wxWindow* pWindow, const std::string& strName);
// The same, taken from the screen with the menus dropped down over or
// beside the window.
bool SaveScreenshotWithMenus(wxWindow* pWindow, const std::string& strName);
