#pragma once
// One open dialog as a real top-level window: the template's controls at
// their places in dialog units, kept in step with the dialog's model. What
// the program changes arrives through On...Changed and updates the widgets
// without being reported back; what the user does goes to the dialog's
// User... entry points. A template with a menu becomes a frame (only a frame
// has a menu bar); every other one a dialog.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <wx/toplevel.h>

#include "platform/dialog.h"
#include "platform/wx/dialog_units.h"

class CReportListCtrl;
class CWxArtwork;
class wxEventLoopBase;
class wxPanel;
class wxRadioButton;
class wxWindowDisabler;

class CDialogWindow {
public:
    CDialogWindow(CDialog& dlg, wxWindow* pParent, const CWxArtwork& artwork);
    ~CDialogWindow(); // destroys the window
    CDialogWindow(const CDialogWindow&) = delete;
    CDialogWindow& operator=(const CDialogWindow&) = delete;

    CDialog& GetDialog() const { return m_dlg; }
    wxTopLevelWindow* GetWindow() const { return m_pWindow; }
    // The widget of control nId, or nullptr.
    wxWindow* FindControlWindow(int nId) const;
    bool IsRunning() const { return m_pLoop != nullptr; }
    // The toolkit's id of the menu item of a command (wxID_NONE: none), and
    // whether a menu of the window is open.
    int GetMenuItemId(int nCommand) const;
    bool IsMenuOpen() const { return m_nMenusOpen > 0; }

    // Shows the window and runs its modal loop until the dialog ends.
    void Run();
    // Back on top after a window above it closed: raised, with the focus on
    // the control that had it (the toolkit forgets it while a window is disabled).
    void Reactivate();

    void OnControlChanged(int nId, EChange eWhat, int nIndex);
    void OnDialogChanged(EDialogChange eWhat);

    CSize GetControlClientSize(int nId) const;
    int GetTextWidth(int nId, const std::string& strText) const;
    std::vector<int> GetTextWidths(int nId, const std::vector<std::string>& texts) const;

private:
    struct CControl {
        int m_nId = -1;
        EControlKind m_eKind = EControlKind::Static;
        wxWindow* m_pWindow = nullptr;
        wxRadioButton* m_pNoneButton = nullptr; // radio: the group's hidden button, checked when none is
        wxString m_strLabel;                    // static texts, buttons: the label as last set
        CPixelRect m_box;                       // the template's box in pixels
    };

    void CreateWindow(wxWindow* pParent);
    // The window's dialog units from its font, widened until the template's
    // texts fit their boxes.
    void MeasureUnits();
    void WidenToFitTexts();
    int NeededWidth(const CControl& ctl, const CControlState& state) const;
    // Every control at its place (from m_units) and its labels wrapped anew.
    void LayOut();
    CPixelRect TemplateBox(const CControlState& state) const;
    void Place(CControl& ctl);
    void ApplyName(std::size_t nIndex); // what assistive tools announce
    void CreateMenuBar();
    void CreateControl(const CControlState& state, const CControlState* pPrevious);
    void BindFocus(wxWindow* pWindow, int nId);
    void BindUserInput(CControl& ctl);

    void SyncControl(int nId); // the whole control from the model
    void SyncControl(CControl& ctl, const CControlState& state);
    void SyncText(CControl& ctl, const CControlState& state);
    void SyncCheck(CControl& ctl, const CControlState& state);
    void SyncRows(CControl& ctl, const CControlState& state);
    void SyncRow(CControl& ctl, const CControlState& state, EChange eWhat, int nIndex);
    void SyncSelection(CControl& ctl, const CControlState& state);
    void SyncPicture(CControl& ctl, const CControlState& state);
    void ApplyFocus();

    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnListBoxActivated(int nId, int nRow); // double-click, or Enter on a row
    void OnIdle(wxIdleEvent& event);
    void TrackFocus(); // the model's focus follows the toolkit's
    void OnMenuOpen(wxMenuEvent& event);
    // After the user's input reached the model: shows what the model made of it.
    void AfterUserInput(int nId);

    static CReportListCtrl* ReportList(const CControl& ctl); // a report list's widget
    CControl* Find(int nId);
    const CControl* Find(int nId) const;
    const CControlState* State(int nId) const { return m_dlg.FindControl(nId); }
    std::size_t IndexOf(const CControl& ctl) const { return static_cast<std::size_t>(&ctl - m_controls.data()); }

    CDialog& m_dlg;
    const CWxArtwork& m_artwork;
    wxTopLevelWindow* m_pWindow = nullptr;
    wxPanel* m_pPanel = nullptr;
    CDialogUnits m_units = CDialogUnits::FromFont(0, 0);
    std::vector<CControl> m_controls;
    std::map<int, std::size_t> m_index; // control id -> m_controls
    wxEventLoopBase* m_pLoop = nullptr;
    int m_nUpdating = 0; // >0 while the program's changes are applied: widget events are not input
    std::map<int, int> m_menuCommands; // toolkit menu id -> command id
    int m_nMenusOpen = 0;
    bool m_bShown = false;
};
