#include "platform/wx/window_host.h"

#include <cstdlib>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "platform/dialog.h"
#include "platform/wx/dialog_window.h"
#include "platform/wx/gtk_widgets.h"
#include "platform/wx/wx_bitmap.h"

namespace {

// The toolkit's application object. The program runs its own modal loops, so
// this only starts the toolkit and its image decoders.
class CHostApp : public wxApp {
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        SetExitOnFrameDelete(false);
        return true;
    }
};

bool g_bStarted = false; // the toolkit starts once per process

bool HasDisplay()
{
    auto set = [](const char* pszName) {
        const char* pszValue = std::getenv(pszName);
        return pszValue && *pszValue;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

std::unique_ptr<CWindowHost> CWindowHost::Create(int& argc, char** argv, CBuiltInImages images)
{
    if (g_bStarted || !HasDisplay())
        return nullptr;
    // Nothing here draws with OpenGL; without it the toolkit starts faster,
    // since it need not load the GL driver to choose its visuals.
    ::setenv("GDK_GL", "disable", 0);
    wxApp::SetInstance(new CHostApp);
    if (!wxEntryStart(argc, argv)) // deletes the application object on failure
        return nullptr;
    g_bStarted = true;
    // Problems are reported by return values; the toolkit's own complaints
    // go to stderr instead of popping up windows.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    if (!wxTheApp || !wxTheApp->CallOnInit()) {
        wxEntryCleanup();
        return nullptr;
    }
    InstallTemplateWindowStyle();
    return std::unique_ptr<CWindowHost>(new CWindowHost(std::move(images)));
}

std::unique_ptr<CHost> CreateWindowHost(int& argc, char** argv, CBuiltInImages images)
{
    return CWindowHost::Create(argc, argv, std::move(images));
}

CWindowHost::CWindowHost(CBuiltInImages images) : m_pArtwork(std::make_unique<CWxArtwork>(std::move(images))) {}

CWindowHost::~CWindowHost()
{
    while (m_nWaitDepth > 0)
        EndWaitCursor();
    m_windows.clear();
    m_pArtwork.reset(); // its bitmaps go before the toolkit
    if (wxTheApp) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle(); // deletes the windows destroyed last
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
}

CDialogWindow* CWindowHost::FindWindow(const CDialog& dlg) const
{
    for (const auto& pWindow : m_windows)
        if (&pWindow->GetDialog() == &dlg)
            return pWindow.get();
    return nullptr;
}

wxWindow* CWindowHost::GetParentWindow() const
{
    return m_windows.empty() ? nullptr : m_windows.back()->GetWindow();
}

bool CWindowHost::BeginModal(CDialog& dlg)
{
    if (FindWindow(dlg))
        return false; // already running
    m_windows.push_back(std::make_unique<CDialogWindow>(dlg, GetParentWindow(), *m_pArtwork));
    return true;
}

void CWindowHost::RunModalLoop(CDialog& dlg)
{
    if (CDialogWindow* pWindow = FindWindow(dlg))
        pWindow->Run();
}

void CWindowHost::EndModal(CDialog& dlg)
{
    for (auto it = m_windows.begin(); it != m_windows.end(); ++it) {
        if (&(*it)->GetDialog() == &dlg) {
            m_windows.erase(it);
            break;
        }
    }
    ReactivateTopWindow();
}

void CWindowHost::ReactivateTopWindow()
{
    if (!m_windows.empty())
        m_windows.back()->Reactivate();
}

void CWindowHost::OnControlChanged(CDialog& dlg, int nId, EChange eWhat, int nIndex)
{
    if (CDialogWindow* pWindow = FindWindow(dlg))
        pWindow->OnControlChanged(nId, eWhat, nIndex);
}

void CWindowHost::OnDialogChanged(CDialog& dlg, EDialogChange eWhat)
{
    if (CDialogWindow* pWindow = FindWindow(dlg))
        pWindow->OnDialogChanged(eWhat);
}

void CWindowHost::BeginWaitCursor()
{
    ++m_nWaitDepth;
    wxBeginBusyCursor();
}

void CWindowHost::EndWaitCursor()
{
    if (m_nWaitDepth == 0)
        return;
    --m_nWaitDepth;
    wxEndBusyCursor();
}

std::unique_ptr<CBitmap> CWindowHost::LoadBitmapFile(const std::string& strPath, CSize size)
{
    return LoadWxBitmap(strPath, size);
}

CSize CWindowHost::GetControlClientSize(const CDialog& dlg, int nId)
{
    if (CDialogWindow* pWindow = FindWindow(dlg))
        return pWindow->GetControlClientSize(nId);
    return CHost::GetControlClientSize(dlg, nId);
}

int CWindowHost::GetTextWidth(const CDialog& dlg, int nId, const std::string& strText)
{
    if (CDialogWindow* pWindow = FindWindow(dlg))
        return pWindow->GetTextWidth(nId, strText);
    return CHost::GetTextWidth(dlg, nId, strText);
}

std::vector<int> CWindowHost::GetTextWidths(const CDialog& dlg, int nId, const std::vector<std::string>& texts)
{
    if (CDialogWindow* pWindow = FindWindow(dlg))
        return pWindow->GetTextWidths(nId, texts);
    return CHost::GetTextWidths(dlg, nId, texts);
}
