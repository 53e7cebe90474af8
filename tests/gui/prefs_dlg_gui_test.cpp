// The Preferences dialog in a real window, driven by simulated mouse clicks
// and key presses.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "dialogs/prefs_dlg.h"
#include "platform/wx/dialog_window.h"
#include "platform/wx/window_host.h"
#include "res/resource_ids.h"

namespace {

CWindowHost* GetWindowHost()
{
    // The toolkit starts once per process; the host lives until exit.
    static std::unique_ptr<CWindowHost> pHost = [] {
        static int argc = 1;
        static char szName[] = "prefs_dlg_gui_test";
        static char* argv[] = {szName, nullptr};
        return CWindowHost::Create(argc, argv);
    }();
    return pHost.get();
}

// Lets the toolkit deliver what is pending, for about nMilliseconds.
void Settle(int nMilliseconds = 200)
{
    for (int n = 0; n < nMilliseconds; n += 10) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

wxWindow* ControlWindow(CWindowHost& host, CDialog& dlg, int nId)
{
    CDialogWindow* pWindow = host.FindWindow(dlg);
    return pWindow ? pWindow->FindControlWindow(nId) : nullptr;
}

// Clicks the control at a point given as fractions of its size.
void ClickAt(wxWindow* pControl, double fx, double fy)
{
    ASSERT_NE(pControl, nullptr);
    const wxSize size = pControl->GetSize();
    const wxPoint point =
        pControl->ClientToScreen(wxPoint(static_cast<int>(size.x * fx), static_cast<int>(size.y * fy)));
    wxUIActionSimulator sim;
    sim.MouseMove(point);
    Settle(50);
    sim.MouseClick();
    Settle();
}

void SaveScreenshot(wxTopLevelWindow* pWindow, const std::string& strName)
{
    ASSERT_NE(pWindow, nullptr);
    const std::filesystem::path dir = std::filesystem::path(SORTAVEL_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    wxClientDC dcWindow(pWindow);
    const wxSize size = pWindow->GetClientSize();
    wxBitmap bitmap(size.x, size.y);
    wxMemoryDC dcMemory(bitmap);
    dcMemory.Blit(0, 0, size.x, size.y, &dcWindow, 0, 0);
    dcMemory.SelectObject(wxNullBitmap);
    EXPECT_TRUE(bitmap.SaveFile((dir / strName).string(), wxBITMAP_TYPE_PNG));
}

// Runs fn once the dialog's modal loop is going; a dialog still open after
// a generous time is cancelled so that a broken test cannot hang.
void RunWhileModal(CDialog& dlg, std::function<void()> fn)
{
    wxTheApp->CallAfter([fn] {
        Settle(300);
        fn();
    });
    auto pGuard = std::make_unique<wxTimer>();
    pGuard->Bind(wxEVT_TIMER, [&dlg](wxTimerEvent&) {
        if (!dlg.IsEnded()) {
            ADD_FAILURE() << "the dialog did not end";
            dlg.EndDialog(IDCANCEL);
        }
    });
    pGuard->StartOnce(20000);
}

TEST(PrefsDlgGui, RadioClickTypedDirectoryAndOk)
{
    CWindowHost* pHost = GetWindowHost();
    if (pHost == nullptr)
        GTEST_SKIP() << "no display";
    CHostScope scope(*pHost);

    CPrefsDlg dlg;
    dlg.m_nDateFormat = 1;
    dlg.m_bAccumulatePilotTime = 1;
    dlg.m_bIgnoreGndKills = 1;
    dlg.m_bLogEvents = 1;
    dlg.m_bRejectUnkKills = 0;

    RunWhileModal(dlg, [&] {
        ClickAt(ControlWindow(*pHost, dlg, IDC_DATE_MDY), 0.15, 0.5);
        ClickAt(ControlWindow(*pHost, dlg, IDC_REJECT_UNK_KILLS), 0.05, 0.5);
        ClickAt(ControlWindow(*pHost, dlg, IDC_VORTANE_DIR), 0.5, 0.5);
        wxUIActionSimulator sim;
        sim.Text("/games/sim");
        Settle(400);
        SaveScreenshot(pHost->FindWindow(dlg)->GetWindow(), "prefs_dlg.png");
        ClickAt(ControlWindow(*pHost, dlg, IDOK), 0.5, 0.5);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nDateFormat, 0);
    EXPECT_EQ(dlg.m_bAccumulatePilotTime, 1);
    EXPECT_EQ(dlg.m_strVortaneDir, "/games/sim");
    EXPECT_EQ(dlg.m_bRejectUnkKills, 1);
    EXPECT_EQ(dlg.m_bLogEvents, 1);
    EXPECT_EQ(dlg.m_bIgnoreGndKills, 1);
}

} // namespace
