#include "tests/gui/gui_driver.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcclient.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/stopwatch.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "res/artwork.h"

// Last: the X headers define short macros (None, Bool, Status).
#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

namespace {

std::unique_ptr<CWindowHost> g_pHost;     // the test program's one window host
std::unique_ptr<CHostScope> g_pHostScope; // installed while it lives
bool g_bTried = false;

bool IsHostWindow(const wxWindow* pWindow)
{
    if (!g_pHost)
        return false;
    for (const auto& pDialog : g_pHost->GetWindows())
        if (pDialog->GetWindow() == pWindow)
            return true;
    return false;
}

wxPoint ScreenPoint(wxWindow* pWindow, int x, int y) { return pWindow->ClientToScreen(wxPoint(x, y)); }

// Where a widget the toolkit shows is on the screen; empty when not shown.
wxRect ScreenRectOf(GtkWidget* pWidget)
{
    if (!pWidget || !gtk_widget_get_mapped(pWidget))
        return {};
    GtkWidget* pTop = gtk_widget_get_toplevel(pWidget);
    int x = 0;
    int y = 0;
    if (!gtk_widget_translate_coordinates(pWidget, pTop, 0, 0, &x, &y) || !gtk_widget_get_window(pTop))
        return {};
    int nLeft = 0;
    int nTop = 0;
    gdk_window_get_origin(gtk_widget_get_window(pTop), &nLeft, &nTop);
    return wxRect(nLeft + x, nTop + y, gtk_widget_get_allocated_width(pWidget),
                  gtk_widget_get_allocated_height(pWidget));
}

GtkWidget* FindMenuBar(GtkWidget* pWidget)
{
    if (!pWidget || GTK_IS_MENU_BAR(pWidget))
        return pWidget;
    GtkWidget* pFound = nullptr;
    if (GTK_IS_CONTAINER(pWidget)) {
        GList* pChildren = gtk_container_get_children(GTK_CONTAINER(pWidget));
        for (GList* p = pChildren; p && !pFound; p = p->next)
            pFound = FindMenuBar(static_cast<GtkWidget*>(p->data));
        g_list_free(pChildren);
    }
    return pFound;
}

bool ClickScreenRect(const wxRect& rect)
{
    if (rect.IsEmpty())
        return false;
    wxUIActionSimulator sim;
    sim.MouseMove(rect.GetLeft() + rect.GetWidth() / 2, rect.GetTop() + rect.GetHeight() / 2);
    sim.MouseClick();
    return true;
}

} // namespace

CWindowHost* GetGuiHost()
{
    if (!g_bTried) {
        g_bTried = true;
        static int argc = 1;
        static char szName[] = "test_gui";
        static char* argv[] = {szName, nullptr};
        g_pHost = CWindowHost::Create(argc, argv, GetBuiltInImages());
        if (g_pHost)
            g_pHostScope = std::make_unique<CHostScope>(*g_pHost);
    }
    return g_pHost.get();
}

void StopGuiHost()
{
    g_pHostScope.reset();
    g_pHost.reset();
}

// --- The script ----------------------------------------------------------------

CGuiScript::~CGuiScript()
{
    for (auto& pTicker : m_tickers)
        pTicker->m_pTimer->Stop();
}

CGuiScript& CGuiScript::Do(std::function<void()> fnAction)
{
    m_steps.push_back({"", std::move(fnAction), nullptr});
    return *this;
}

CGuiScript& CGuiScript::WaitFor(std::string strWhat, std::function<bool()> fnDone)
{
    m_steps.push_back({std::move(strWhat), nullptr, std::move(fnDone)});
    return *this;
}

void CGuiScript::Start()
{
    m_nGiven = m_steps.size();
    // A window the steps did not close (keys that went astray) must not hang
    // the test.
    WaitFor("every window closed", [] {
        return !g_pHost || (g_pHost->GetWindows().empty() && !g_pHost->GetQuestionWindow());
    });
    Arm();
}

void CGuiScript::Arm()
{
    if (m_nNext >= m_steps.size())
        return;
    CTicker* pFree = nullptr;
    for (auto& pTicker : m_tickers)
        if (!pTicker->m_pTimer->IsRunning() && !pTicker->m_bInTick)
            pFree = pTicker.get();
    if (!pFree) {
        m_tickers.push_back(std::make_unique<CTicker>());
        pFree = m_tickers.back().get();
        pFree->m_pTimer = std::make_unique<wxTimer>();
        pFree->m_pTimer->Bind(wxEVT_TIMER, [this, pFree](wxTimerEvent&) {
            pFree->m_bInTick = true;
            Tick();
            pFree->m_bInTick = false;
        });
    }
    pFree->m_pTimer->StartOnce(20);
}

void CGuiScript::Tick()
{
    if (m_nNext >= m_steps.size())
        return;
    CStep& step = m_steps[m_nNext];
    if (step.m_fnAction) {
        // Counted as done before it runs: the action may open a modal window,
        // and the steps after it then run inside that window's loop.
        ++m_nNext;
        m_nWaitStart = -1;
        auto fnAction = step.m_fnAction;
        Arm();
        fnAction();
        return;
    }
    if (step.m_fnDone()) {
        ++m_nNext;
        m_nWaitStart = -1;
        Arm();
        return;
    }
    const long long nNow = wxGetLocalTimeMillis().GetValue();
    if (m_nWaitStart < 0)
        m_nWaitStart = nNow;
    if (nNow - m_nWaitStart > m_nWaitLimitMs) {
        GiveUp("timed out waiting for " + step.m_strWhat);
        return;
    }
    Arm();
}

void CGuiScript::GiveUp(const std::string& strWhy)
{
    m_failures.push_back(strWhy);
    ADD_FAILURE() << strWhy;
    m_nNext = m_steps.size();
    // Close whatever is still open, innermost first.
    if (g_pHost && g_pHost->GetQuestionWindow())
        if (auto* pQuestion = dynamic_cast<wxDialog*>(g_pHost->GetQuestionWindow()))
            pQuestion->EndModal(wxID_CANCEL);
    for (wxWindow* pWindow : wxTopLevelWindows) {
        auto* pDialog = dynamic_cast<wxDialog*>(pWindow);
        if (pDialog && pDialog->IsModal() && !IsHostWindow(pDialog))
            pDialog->EndModal(wxID_CANCEL);
    }
    if (g_pHost) {
        const auto& windows = g_pHost->GetWindows();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            (*it)->GetDialog().EndDialog(IDCANCEL);
    }
}

// --- Windows ---------------------------------------------------------------------

CDialogWindow* FindDialogWindow(int nTemplateId)
{
    if (!g_pHost)
        return nullptr;
    for (const auto& pWindow : g_pHost->GetWindows())
        if (pWindow->GetDialog().GetTemplateId() == nTemplateId && pWindow->GetWindow()->IsShown())
            return pWindow.get();
    return nullptr;
}

wxWindow* FindControl(int nTemplateId, int nControlId)
{
    CDialogWindow* pWindow = FindDialogWindow(nTemplateId);
    return pWindow ? pWindow->FindControlWindow(nControlId) : nullptr;
}

wxTopLevelWindow* FindToolkitWindow()
{
    if (g_pHost && g_pHost->GetQuestionWindow())
        return static_cast<wxTopLevelWindow*>(g_pHost->GetQuestionWindow());
    wxTopLevelWindow* pFound = nullptr;
    for (wxWindow* pWindow : wxTopLevelWindows)
        if (pWindow->IsShown() && !IsHostWindow(pWindow))
            pFound = static_cast<wxTopLevelWindow*>(pWindow);
    return pFound;
}

wxWindow* FindChildWithLabel(wxWindow* pParent, const wxString& strLabel)
{
    for (wxWindow* pChild : pParent->GetChildren()) {
        if (pChild->GetLabel() == strLabel)
            return pChild;
        if (wxWindow* pFound = FindChildWithLabel(pChild, strLabel))
            return pFound;
    }
    return nullptr;
}

// --- Input -----------------------------------------------------------------------

void MovePointerInto(wxWindow* pWindow)
{
    // Through the toolkit: wx knows neither the place nor the scale of its
    // native dialogs (the file chooser).
    auto* pWidget = static_cast<GtkWidget*>(pWindow->GetHandle());
    GdkWindow* pGdkWindow = pWidget ? gtk_widget_get_window(pWidget) : nullptr;
    if (!pGdkWindow)
        return;
    int x = 0;
    int y = 0;
    gdk_window_get_origin(pGdkWindow, &x, &y);
    GdkDisplay* pDisplay = gdk_window_get_display(pGdkWindow);
    GdkDevice* pPointer = gdk_seat_get_pointer(gdk_display_get_default_seat(pDisplay));
    gdk_device_warp(pPointer, gdk_window_get_screen(pGdkWindow), x + gdk_window_get_width(pGdkWindow) / 2,
                    y + gdk_window_get_height(pGdkWindow) / 2);
    gdk_display_flush(pDisplay);
}

bool ClickMenuTitle(wxWindow* pFrame, int nMenu)
{
    auto* pBar = dynamic_cast<wxFrame*>(pFrame) ? static_cast<wxFrame*>(pFrame)->GetMenuBar() : nullptr;
    GtkWidget* pMenuBar = pBar ? FindMenuBar(static_cast<GtkWidget*>(pBar->GetHandle())) : nullptr;
    if (!pMenuBar)
        return false;
    GList* pTitles = gtk_container_get_children(GTK_CONTAINER(pMenuBar));
    auto* pTitle = static_cast<GtkWidget*>(g_list_nth_data(pTitles, static_cast<guint>(nMenu)));
    g_list_free(pTitles);
    return ClickScreenRect(ScreenRectOf(pTitle));
}

bool ClickMenuItem(wxWindow* pFrame, int nItemId)
{
    auto* pBar = dynamic_cast<wxFrame*>(pFrame) ? static_cast<wxFrame*>(pFrame)->GetMenuBar() : nullptr;
    wxMenuItem* pItem = pBar ? pBar->FindItem(nItemId) : nullptr;
    return pItem && ClickScreenRect(ScreenRectOf(pItem->GetMenuItem()));
}

void ClickOn(wxWindow* pWindow)
{
    const wxSize size = pWindow->GetClientSize();
    ClickAt(pWindow, size.x / 2, size.y / 2);
}

void ClickAt(wxWindow* pWindow, int x, int y)
{
    wxUIActionSimulator sim;
    sim.MouseMove(ScreenPoint(pWindow, x, y));
    sim.MouseClick();
}

void DoubleClickAt(wxWindow* pWindow, int x, int y)
{
    wxUIActionSimulator sim;
    sim.MouseMove(ScreenPoint(pWindow, x, y));
    sim.MouseDblClick();
}

void ClickNowAt(wxWindow* pWindow, int x, int y)
{
    GdkDisplay* pDisplay = gdk_display_get_default();
    if (!GDK_IS_X11_DISPLAY(pDisplay)) {
        ClickAt(pWindow, x, y);
        return;
    }
    // The toolkit reads the events only when the program next waits for
    // input, and then all of them before it lays anything out again.
    Display* pX = GDK_DISPLAY_XDISPLAY(pDisplay);
    const wxPoint point = ScreenPoint(pWindow, x, y);
    XTestFakeMotionEvent(pX, -1, point.x, point.y, CurrentTime);
    XTestFakeButtonEvent(pX, 1, True, CurrentTime);
    XTestFakeButtonEvent(pX, 1, False, CurrentTime);
    XSync(pX, False);
}

void PressKey(int nKeyCode, int nModifiers) { wxUIActionSimulator().Char(nKeyCode, nModifiers); }

void TypeText(const char* pszText) { wxUIActionSimulator().Text(pszText); }

// --- Screenshots -----------------------------------------------------------------

namespace {

// <binary dir>/screenshots/<strName>.png, the folder made.
std::string ScreenshotPath(const std::string& strName)
{
    const std::filesystem::path dir = std::filesystem::path(SORTAVEL_BINARY_DIR) / "screenshots";
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    return (dir / (strName + ".png")).string();
}

// Lets the windows finish painting: the screen may still show what was
// there before (another window at the same place, say).
void LetPaint()
{
    wxStopWatch watch;
    while (watch.Time() < 300) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

} // namespace

bool SaveScreenshot(wxWindow* pWindow, const std::string& strName)
{
    if (!pWindow)
        return false;
    const std::string strPath = ScreenshotPath(strName);
    pWindow->Refresh();
    pWindow->Update();
    LetPaint();
    // The screen holds what the window shows, its menu bar included; there is
    // no window manager to draw a frame around it.
    // A frame's own drawing starts below its menu bar, so a frame is taken
    // from the screen.
    const wxRect rect = pWindow->GetScreenRect();
    wxBitmap bitmap(rect.GetSize());
    {
        wxMemoryDC memory(bitmap);
        auto* pFrame = dynamic_cast<wxFrame*>(pWindow);
        if (pFrame && pFrame->GetMenuBar()) {
            wxScreenDC screen;
            // Cairo keeps a copy of the screen from the last shot; read it anew.
            if (auto* pCairo = static_cast<cairo_t*>(screen.GetImpl()->GetCairoContext()))
                cairo_surface_mark_dirty(cairo_get_target(pCairo));
            memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
        } else {
            wxWindowDC window(pWindow);
            memory.Blit(0, 0, rect.width, rect.height, &window, 0, 0);
        }
    }
    return bitmap.SaveFile(wxString::FromUTF8(strPath), wxBITMAP_TYPE_PNG);
}

bool SaveScreenshotWithMenus(wxWindow* pWindow, const std::string& strName)
{
    if (!pWindow)
        return false;
    const std::string strPath = ScreenshotPath(strName);
    LetPaint();
    // A dropped-down menu is a window of its own, outside the frame's
    // drawing: the screen shows both (there is no compositor under test).
    wxRect rect = pWindow->GetScreenRect();
    GList* pWindows = gtk_window_list_toplevels();
    for (GList* p = pWindows; p; p = p->next) {
        auto* pTop = static_cast<GtkWindow*>(p->data);
        if (gtk_window_get_window_type(pTop) == GTK_WINDOW_POPUP && GTK_IS_MENU(gtk_bin_get_child(GTK_BIN(pTop))))
            if (const wxRect menu = ScreenRectOf(GTK_WIDGET(pTop)); !menu.IsEmpty())
                rect.Union(menu);
    }
    g_list_free(pWindows);
    GdkWindow* pRoot = gdk_get_default_root_window();
    rect.Intersect(wxRect(0, 0, gdk_window_get_width(pRoot), gdk_window_get_height(pRoot)));
    GdkPixbuf* pShot = rect.IsEmpty() ? nullptr
                                      : gdk_pixbuf_get_from_window(pRoot, rect.x, rect.y, rect.width, rect.height);
    if (!pShot)
        return false;
    const bool bSaved = gdk_pixbuf_save(pShot, strPath.c_str(), "png", nullptr, nullptr);
    g_object_unref(pShot);
    return bSaved;
}
