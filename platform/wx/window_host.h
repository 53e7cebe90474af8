#pragma once
// The window host: every dialog, message box and file dialog of the program
// as a real window of the toolkit. Only platform/wx includes toolkit headers;
// this header does not, so main() and the tests can use it as it is.
#include <memory>
#include <string>
#include <vector>

#include "platform/built_in_images.h"
#include "platform/host.h"

class CDialogWindow;
class CWxArtwork;
class wxWindow;

class CWindowHost : public CHost {
public:
    // Opens the display and starts the toolkit; nullptr when no display can
    // be opened (neither DISPLAY nor WAYLAND_DISPLAY set, or the toolkit fails
    // to start). One per process: the toolkit cannot be started twice.
    // The windows show the program's own pictures and icon from images.
    static std::unique_ptr<CWindowHost> Create(int& argc, char** argv, CBuiltInImages images);
    ~CWindowHost() override;
    CWindowHost(const CWindowHost&) = delete;
    CWindowHost& operator=(const CWindowHost&) = delete;

    int MessageBox(const std::string& strText, unsigned nType) override;
    int RunFileDialog(CFileDialog& dlg) override;

    bool BeginModal(CDialog& dlg) override;
    void RunModalLoop(CDialog& dlg) override;
    void EndModal(CDialog& dlg) override;
    void OnControlChanged(CDialog& dlg, int nId, EChange eWhat, int nIndex) override;
    void OnDialogChanged(CDialog& dlg, EDialogChange eWhat) override;

    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    std::unique_ptr<CBitmap> LoadBitmapFile(const std::string& strPath, CSize size) override;
    CSize GetControlClientSize(const CDialog& dlg, int nId) override;
    int GetTextWidth(const CDialog& dlg, int nId, const std::string& strText) override;
    std::vector<int> GetTextWidths(const CDialog& dlg, int nId, const std::vector<std::string>& texts) override;

    // The open dialog windows, innermost last (for tests and for parenting).
    const std::vector<std::unique_ptr<CDialogWindow>>& GetWindows() const { return m_windows; }
    CDialogWindow* FindWindow(const CDialog& dlg) const;
    // The window new top-level windows belong to: the innermost open one.
    wxWindow* GetParentWindow() const;
    // The message box or file chooser open now, or nullptr.
    wxWindow* GetQuestionWindow() const { return m_pQuestion; }

private:
    explicit CWindowHost(CBuiltInImages images);
    // After a window above the innermost dialog closed.
    void ReactivateTopWindow();

    std::unique_ptr<CWxArtwork> m_pArtwork; // decoded while the toolkit runs
    std::vector<std::unique_ptr<CDialogWindow>> m_windows;
    int m_nWaitDepth = 0;
    wxWindow* m_pQuestion = nullptr;
};

// For main(): the window host, or nullptr when there is no display.
std::unique_ptr<CHost> CreateWindowHost(int& argc, char** argv, CBuiltInImages images);
