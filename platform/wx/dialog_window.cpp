#include "platform/wx/dialog_window.h"

#include <algorithm>
#include <filesystem>

#include <wx/arrstr.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "platform/control_name.h"
#include "platform/wx/gtk_widgets.h"
#include "platform/wx/label_wrap.h"
#include "platform/wx/native_list_box.h"
#include "platform/wx/report_list.h"
#include "platform/wx/up_down_ctrl.h"
#include "platform/wx/wx_bitmap.h"
#include "platform/wx/wx_text.h"

namespace {

// Height of a closed drop-down list; the template's height includes the list.
constexpr int kDropDownHeightDU = 13;
// Pixels left free after the label of a check box or radio button.
constexpr int kTickLabelGap = 4;

// While alive, widget events are the program's own changes, not input.
class CUpdating {
public:
    explicit CUpdating(int& nDepth) : m_nDepth(nDepth) { ++m_nDepth; }
    ~CUpdating() { --m_nDepth; }
    CUpdating(const CUpdating&) = delete;
    CUpdating& operator=(const CUpdating&) = delete;

private:
    int& m_nDepth;
};

std::string RowText(const CControlState& state, int nRow, int nColumn = 0)
{
    if (nRow < 0 || nRow >= static_cast<int>(state.m_rows.size()))
        return {};
    const CListRow& row = state.m_rows[static_cast<std::size_t>(nRow)];
    return nColumn < static_cast<int>(row.m_texts.size()) ? row.m_texts[static_cast<std::size_t>(nColumn)] : std::string();
}

wxString EditText(const std::string& strText) { return ToWx(CrLfToLf(strText)); }

// Width of the widest line of a label in the control's font.
int LabelWidth(const wxWindow* pWindow, const wxString& strLabel)
{
    int nWidest = 0;
    for (const wxString& strLine : wxSplit(strLabel, '\n', '\0'))
        nWidest = std::max(nWidest, pWindow->GetTextExtent(strLine).x);
    return nWidest;
}

// The desktop's dialog font, scaled as the template's size is to the
// 8 points the classic dialog font has.
wxFont DialogFont(const CDialogTemplate& tmpl)
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (!font.IsOk())
        font = wxFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS));
    if (tmpl.m_nFontSize > 0 && tmpl.m_nFontSize != 8)
        font.SetFractionalPointSize(font.GetFractionalPointSize() * std::clamp(tmpl.m_nFontSize, 6, 24) / 8.0);
    return font;
}

bool IsTickControl(EControlKind eKind) { return eKind == EControlKind::CheckBox || eKind == EControlKind::RadioButton; }

} // namespace

CDialogWindow::CDialogWindow(CDialog& dlg, wxWindow* pParent, const CWxArtwork& artwork)
    : m_dlg(dlg), m_artwork(artwork)
{
    CreateWindow(pParent);
}

CDialogWindow::~CDialogWindow()
{
    if (m_pLoop)
        m_pLoop->ScheduleExit(0);
    if (m_pWindow) {
        // The toolkit deletes the window later; the tables must not ask the
        // dialog for rows meanwhile, as it may be gone by then.
        for (CControl& ctl : m_controls)
            if (ctl.m_eKind == EControlKind::ReportList)
                ReportList(ctl)->Detach();
        m_pWindow->Hide();
        m_pWindow->Destroy();
    }
}

void CDialogWindow::CreateWindow(wxWindow* pParent)
{
    const CDialogTemplate& tmpl = m_dlg.GetTemplate();
    long nStyle = wxCAPTION;
    if (tmpl.m_nStyle & DS_SYSMENU)
        nStyle |= wxSYSTEM_MENU | wxCLOSE_BOX;
    if (tmpl.m_nStyle & DS_MINIMIZEBOX)
        nStyle |= wxMINIMIZE_BOX;
    const wxString strCaption = ToWx(m_dlg.GetWindowText());
    if (tmpl.m_pMenu) {
        m_pWindow = new wxFrame(pParent, wxID_ANY, strCaption, wxDefaultPosition, wxDefaultSize, nStyle);
    } else {
        m_pWindow = new wxDialog(pParent, wxID_ANY, strCaption, wxDefaultPosition, wxDefaultSize, nStyle);
        AnnounceAsDialog(m_pWindow);
    }
    const wxIconBundle icons = m_artwork.GetWindowIcons();
    if (!icons.IsEmpty())
        m_pWindow->SetIcons(icons);

    // The template's font is the classic platform's dialog font; the
    // desktop's takes its place, and the dialog units follow from it.
    m_pWindow->SetFont(DialogFont(tmpl));
    UseTemplateWindowStyle(m_pWindow);
    m_pPanel = new wxPanel(m_pWindow, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    MeasureUnits();
    if (tmpl.m_pMenu)
        CreateMenuBar();

    const auto& states = m_dlg.GetControls();
    m_controls.reserve(states.size());
    const CControlState* pPrevious = nullptr;
    for (const auto& pState : states) {
        CreateControl(*pState, pPrevious);
        pPrevious = pState.get();
    }
    for (std::size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i].m_nId != -1)
            m_index.emplace(m_controls[i].m_nId, i);
    for (CControl& ctl : m_controls)
        BindUserInput(ctl);
    for (std::size_t i = 0; i < m_controls.size(); ++i)
        SyncControl(m_controls[i], *states[i]);
    WidenToFitTexts();
    LayOut();

    const CPixelRect client = m_units.ToPixels(0, 0, tmpl.cx, tmpl.cy);
    m_pWindow->SetClientSize(client.cx, client.cy);
    m_pPanel->SetSize(m_pWindow->GetClientSize());
    if ((tmpl.m_nStyle & DS_CENTER) || !pParent)
        m_pWindow->CentreOnScreen();
    else
        m_pWindow->CentreOnParent();

    m_pWindow->Bind(wxEVT_CHAR_HOOK, &CDialogWindow::OnCharHook, this);
    m_pWindow->Bind(wxEVT_CLOSE_WINDOW, &CDialogWindow::OnClose, this);
    m_pWindow->Bind(wxEVT_IDLE, &CDialogWindow::OnIdle, this);
}

void CDialogWindow::CreateMenuBar()
{
    // The toolkit takes menu ids below 32768 only, and the program's commands
    // go up to 57665: each item gets an id of the toolkit's, mapped back when
    // it is chosen.
    auto* pFrame = static_cast<wxFrame*>(m_pWindow);
    auto* pBar = new wxMenuBar;
    int nNextId = wxID_HIGHEST + 1;
    for (const CMenuItem& popup : m_dlg.GetTemplate().m_pMenu->m_items) {
        auto* pMenu = new wxMenu;
        for (const CMenuItem& item : popup.m_items) {
            if (item.m_nFlags & MF_SEPARATOR) {
                pMenu->AppendSeparator();
                continue;
            }
            const int nMenuId = nNextId++;
            m_menuCommands.emplace(nMenuId, item.m_nId);
            wxMenuItem* pItem = pMenu->Append(nMenuId, ToWx(item.m_strText));
            if (item.m_nFlags & MF_GRAYED)
                pItem->Enable(false);
        }
        pBar->Append(pMenu, ToWx(popup.m_strText));
    }
    pFrame->SetMenuBar(pBar);
    pFrame->Bind(wxEVT_MENU_OPEN, &CDialogWindow::OnMenuOpen, this);
    pFrame->Bind(wxEVT_MENU_CLOSE, [this](wxMenuEvent& event) {
        event.Skip();
        m_nMenusOpen = std::max(m_nMenusOpen - 1, 0);
    });
    pFrame->Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
        const auto it = m_menuCommands.find(event.GetId());
        if (it != m_menuCommands.end())
            m_dlg.UserCommand(it->second);
    });
}

int CDialogWindow::GetMenuItemId(int nCommand) const
{
    for (const auto& [nMenuId, nId] : m_menuCommands)
        if (nId == nCommand)
            return nMenuId;
    return wxID_NONE;
}

void CDialogWindow::CreateControl(const CControlState& state, const CControlState* pPrevious)
{
    const CControlTemplate& tmpl = *state.m_pTemplate;
    CControl ctl;
    ctl.m_nId = tmpl.m_nId;
    ctl.m_eKind = tmpl.m_eKind;
    ctl.m_box = TemplateBox(state);
    // Placed again once every label is known (LayOut).
    const wxPoint pos(ctl.m_box.x, ctl.m_box.y);
    const wxSize size(ctl.m_box.cx, ctl.m_box.cy);
    switch (tmpl.m_eKind) {
    case EControlKind::Static: {
        long nAlign = state.HasStyle(SS_CENTER) ? wxALIGN_CENTRE_HORIZONTAL
                      : state.HasStyle(SS_RIGHT) ? wxALIGN_RIGHT
                                                 : wxALIGN_LEFT;
        ctl.m_pWindow = new wxStaticText(m_pPanel, wxID_ANY, wxString(), pos, size, nAlign | wxST_NO_AUTORESIZE);
        break;
    }
    case EControlKind::GroupBox:
        ctl.m_pWindow = CreateFrame(m_pPanel, std::string());
        break;
    case EControlKind::EtchedFrame:
        if (tmpl.cy <= 2 || tmpl.cx <= 2)
            ctl.m_pWindow = new wxStaticLine(m_pPanel, wxID_ANY, pos, size, tmpl.cy <= 2 ? wxLI_HORIZONTAL : wxLI_VERTICAL);
        else
            ctl.m_pWindow = CreateFrame(m_pPanel, std::string());
        break;
    case EControlKind::Picture:
        ctl.m_pWindow = new wxStaticBitmap(m_pPanel, wxID_ANY, wxNullBitmap, pos, size,
                                           state.HasStyle(WS_BORDER) ? wxBORDER_SIMPLE : wxBORDER_NONE);
        break;
    case EControlKind::Edit: {
        long nStyle = 0;
        if (state.HasStyle(ES_MULTILINE))
            nStyle |= wxTE_MULTILINE | (state.HasStyle(ES_AUTOHSCROLL) || state.HasStyle(WS_HSCROLL) ? wxTE_DONTWRAP : wxTE_WORDWRAP);
        if (state.HasStyle(ES_READONLY))
            nStyle |= wxTE_READONLY;
        ctl.m_pWindow = new wxTextCtrl(m_pPanel, wxID_ANY, wxString(), pos, size, nStyle);
        AllowNarrow(ctl.m_pWindow);
        break;
    }
    case EControlKind::PushButton: {
        auto* pButton = new wxButton(m_pPanel, wxID_ANY, wxString(), pos, size);
        if (state.HasStyle(BS_DEFPUSHBUTTON))
            pButton->SetDefault();
        ctl.m_pWindow = pButton;
        break;
    }
    case EControlKind::CheckBox:
        ctl.m_pWindow = new wxCheckBox(m_pPanel, wxID_ANY, wxString(), pos, size);
        break;
    case EControlKind::RadioButton: {
        // A new group starts at WS_GROUP or after any control that is not a
        // radio button. Its first, hidden member is checked when no visible
        // one is, which the toolkit's groups cannot show otherwise.
        bool bNewGroup = state.HasStyle(WS_GROUP) || !pPrevious || pPrevious->GetKind() != EControlKind::RadioButton;
        wxRadioButton* pNone = nullptr;
        if (bNewGroup) {
            pNone = new wxRadioButton(m_pPanel, wxID_ANY, wxString(), pos, wxSize(1, 1), wxRB_GROUP);
            pNone->Hide();
        } else if (!m_controls.empty()) {
            pNone = m_controls.back().m_pNoneButton;
        }
        ctl.m_pNoneButton = pNone;
        ctl.m_pWindow = new wxRadioButton(m_pPanel, wxID_ANY, wxString(), pos, size);
        break;
    }
    case EControlKind::DropDownList:
        ctl.m_pWindow = new wxChoice(m_pPanel, wxID_ANY, pos, size);
        AllowNarrow(ctl.m_pWindow);
        break;
    case EControlKind::ListBox: {
        auto* pList = new wxListBox(m_pPanel, wxID_ANY, pos, size, 0, nullptr,
                                    wxLB_SINGLE | (state.HasStyle(WS_HSCROLL) ? wxLB_HSCROLL : 0));
        if (!state.HasStyle(WS_HSCROLL))
            UseRowsOfOneHeight(*pList);
        ctl.m_pWindow = pList;
        break;
    }
    case EControlKind::ReportList:
        ctl.m_pWindow = new CReportListCtrl(m_pPanel, pos, size, state);
        break;
    case EControlKind::UpDown: {
        const auto [strUp, strDown] = GetUpDownNames(tmpl);
        ctl.m_pWindow = new CUpDownCtrl(m_pPanel, pos, size, state.HasStyle(UDS_ARROWKEYS), state.HasStyle(WS_TABSTOP),
                                        strUp, strDown);
        break;
    }
    }
    m_controls.push_back(ctl);
}

// --- Layout ----------------------------------------------------------------

void CDialogWindow::MeasureUnits()
{
    int nWidth = 0;
    int nHeight = 0;
    m_pPanel->GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &nWidth, &nHeight);
    m_units = CDialogUnits::FromFont(nWidth, nHeight);
}

CPixelRect CDialogWindow::TemplateBox(const CControlState& state) const
{
    const CControlTemplate& tmpl = *state.m_pTemplate;
    // A drop-down list's box includes the list; the control is its closed part.
    const int cy = tmpl.m_eKind == EControlKind::DropDownList ? std::min(tmpl.cy, kDropDownHeightDU) : tmpl.cy;
    return m_units.ToPixels(tmpl.x, tmpl.y, tmpl.cx, cy);
}

int CDialogWindow::NeededWidth(const CControl& ctl, const CControlState& state) const
{
    const wxString strText = ToWx(StripMnemonics(state.m_strText));
    switch (ctl.m_eKind) {
    case EControlKind::Static:
        return LabelWidth(ctl.m_pWindow, strText);
    case EControlKind::CheckBox:
    case EControlKind::RadioButton: {
        // The tick box and its gaps, the label on one line, and a gap before
        // whatever stands to its right (the next radio button, often).
        const int nShown = LabelWidth(ctl.m_pWindow, static_cast<wxControl*>(ctl.m_pWindow)->GetLabelText());
        return GetMinimumSize(ctl.m_pWindow, 0).x - nShown + LabelWidth(ctl.m_pWindow, strText) + kTickLabelGap;
    }
    case EControlKind::PushButton:
    case EControlKind::GroupBox:
        return GetMinimumSize(ctl.m_pWindow, 0).x;
    default:
        return 0;
    }
}

void CDialogWindow::WidenToFitTexts()
{
    // Only texts that must fit on one line: a box tall enough for two lines
    // wraps its text instead.
    const auto& states = m_dlg.GetControls();
    const int nLine = m_pPanel->GetCharHeight();
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const CControlState& state = *states[i];
        if (state.m_strText.empty() || m_controls[i].m_box.cy >= 2 * nLine)
            continue;
        m_units.WidenToFit(state.m_pTemplate->cx, NeededWidth(m_controls[i], state));
    }
}

void CDialogWindow::LayOut()
{
    const auto& states = m_dlg.GetControls();
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        CControl& ctl = m_controls[i];
        ctl.m_box = TemplateBox(*states[i]);
        if (ctl.m_eKind == EControlKind::Static || IsTickControl(ctl.m_eKind)) {
            ctl.m_strLabel.clear(); // wrapped again for the final width
            SyncText(ctl, *states[i]);
        }
        Place(ctl);
        ApplyName(i);
    }
}

void CDialogWindow::Place(CControl& ctl)
{
    CPixelRect rect = ctl.m_box;
    switch (ctl.m_eKind) {
    case EControlKind::Static:
        break; // labels wrap or clip; the toolkit has no minimum for them
    case EControlKind::Picture: {
        // A picture that does not centre its image takes the image's size.
        const wxBitmap bitmap = static_cast<wxStaticBitmap*>(ctl.m_pWindow)->GetBitmap();
        if (bitmap.IsOk() && !m_dlg.GetControls()[IndexOf(ctl)]->HasStyle(SS_CENTER)) {
            rect.cx = bitmap.GetWidth();
            rect.cy = bitmap.GetHeight();
        }
        break;
    }
    case EControlKind::UpDown: {
        const wxSize min = static_cast<CUpDownCtrl*>(ctl.m_pWindow)->GetMinimumSize();
        rect = PlaceInBox(ctl.m_box, min.x, min.y);
        break;
    }
    default: {
        // Never smaller than the toolkit draws it without complaint.
        const wxSize min = GetMinimumSize(ctl.m_pWindow, ctl.m_box.cx);
        rect = PlaceInBox(ctl.m_box, min.x, min.y);
        break;
    }
    }
    ctl.m_pWindow->SetSize(rect.x, rect.y, rect.cx, rect.cy);
}

void CDialogWindow::ApplyName(std::size_t nIndex)
{
    if (nIndex >= m_controls.size())
        return;
    CControl& ctl = m_controls[nIndex];
    const CControlState& state = *m_dlg.GetControls()[nIndex];
    std::string strName;
    if (ctl.m_eKind == EControlKind::Picture)
        strName = state.m_pBitmap ? std::filesystem::path(state.m_pBitmap->GetPath()).stem().string()
                                  : m_artwork.GetBitmapName(state.m_nBitmapId);
    else
        strName = GetControlName(m_dlg.GetControls(), nIndex);
    wxWindow* pNamed = ctl.m_eKind == EControlKind::ReportList ? ReportList(ctl)->GetTable() : ctl.m_pWindow;
    if (!strName.empty() || ctl.m_eKind == EControlKind::Picture)
        SetAccessibleName(pNamed, strName);
}

// --- Input -----------------------------------------------------------------

void CDialogWindow::BindFocus(wxWindow* pWindow, int nId)
{
    // Composite widgets (the report list, say) take the focus in a child.
    pWindow->Bind(wxEVT_SET_FOCUS, [this, nId](wxFocusEvent& event) {
        event.Skip();
        if (!m_nUpdating && m_dlg.GetFocusId() != nId)
            m_dlg.UserFocus(nId);
    });
    for (wxWindow* pChild : pWindow->GetChildren())
        BindFocus(pChild, nId);
}

void CDialogWindow::BindUserInput(CControl& ctl)
{
    const int nId = ctl.m_nId;
    if (nId == -1)
        return;
    BindFocus(ctl.m_pWindow, nId);
    auto input = [this, nId](auto fnInput) {
        return [this, nId, fnInput](auto& event) {
            event.Skip(false);
            if (m_nUpdating)
                return;
            TrackFocus();
            fnInput(event);
            AfterUserInput(nId);
        };
    };
    switch (ctl.m_eKind) {
    case EControlKind::Edit:
        ctl.m_pWindow->Bind(wxEVT_TEXT, input([this, nId](wxCommandEvent& event) {
            m_dlg.UserEditText(nId, LfToCrLf(FromWx(event.GetString())));
        }));
        break;
    case EControlKind::PushButton:
        ctl.m_pWindow->Bind(wxEVT_BUTTON, input([this, nId](wxCommandEvent&) { m_dlg.UserClick(nId); }));
        break;
    case EControlKind::CheckBox:
        ctl.m_pWindow->Bind(wxEVT_CHECKBOX, input([this, nId](wxCommandEvent&) { m_dlg.UserClick(nId); }));
        break;
    case EControlKind::RadioButton:
        ctl.m_pWindow->Bind(wxEVT_RADIOBUTTON, input([this, nId](wxCommandEvent&) { m_dlg.UserClick(nId); }));
        break;
    case EControlKind::DropDownList:
        ctl.m_pWindow->Bind(wxEVT_CHOICE, input([this, nId](wxCommandEvent& event) {
            m_dlg.UserSelect(nId, event.GetSelection());
        }));
        break;
    case EControlKind::ListBox: {
        ctl.m_pWindow->Bind(wxEVT_LISTBOX, input([this, nId](wxCommandEvent& event) {
            if (event.GetSelection() != wxNOT_FOUND)
                m_dlg.UserSelect(nId, event.GetSelection());
        }));
        const auto onActivated = [this, nId](wxCommandEvent& e) { OnListBoxActivated(nId, e.GetSelection()); };
        ctl.m_pWindow->Bind(wxEVT_LISTBOX_DCLICK, input(onActivated));
        break;
    }
    case EControlKind::ReportList: {
        // Called from the toolkit's own handlers of the table's input.
        auto report = [this, nId](auto fnInput) {
            return [this, nId, fnInput](int nRow) {
                if (m_nUpdating)
                    return;
                TrackFocus();
                fnInput(nRow);
                AfterUserInput(nId);
            };
        };
        ReportList(ctl)->SetInputHandlers(report([this, nId](int nRow) { m_dlg.UserSelect(nId, nRow); }),
                                          report([this, nId](int nRow) { m_dlg.UserDoubleClick(nId, nRow); }));
        break;
    }
    case EControlKind::UpDown:
        static_cast<CUpDownCtrl*>(ctl.m_pWindow)->SetStepHandler([this, nId](int nStep) {
            if (m_nUpdating)
                return;
            TrackFocus();
            m_dlg.UserStep(nId, nStep);
            AfterUserInput(nId);
        });
        break;
    default:
        break;
    }
}

// --- Running ---------------------------------------------------------------

void CDialogWindow::Run()
{
    if (m_dlg.IsEnded())
        return;
    m_pWindow->Show();
    m_pWindow->Raise();
    m_bShown = true;
    ApplyFocus();
    wxWindowDisabler disabler(m_pWindow); // the windows below wait for this one
    wxGUIEventLoop loop;
    m_pLoop = &loop;
    if (!m_dlg.IsEnded())
        loop.Run();
    m_pLoop = nullptr;
}

void CDialogWindow::Reactivate()
{
    if (!m_bShown || m_dlg.IsEnded())
        return;
    m_pWindow->Raise();
    ApplyFocus();
}

void CDialogWindow::OnCharHook(wxKeyEvent& event)
{
    const int nKey = event.GetKeyCode();
    if (nKey == WXK_ESCAPE) {
        // Escape on an open menu closes the menu, not the window.
        if (m_nMenusOpen > 0) {
            event.Skip();
            return;
        }
        m_dlg.UserCancel();
        return;
    }
    if (nKey == WXK_RETURN || nKey == WXK_NUMPAD_ENTER) {
        // A multi-line edit that wants Enter takes it as a new line; the edit
        // then reports its whole new text.
        const CControlState* pFocus = State(m_dlg.GetFocusId());
        if (pFocus && pFocus->GetKind() == EControlKind::Edit && pFocus->HasStyle(ES_MULTILINE) &&
            pFocus->HasStyle(ES_WANTRETURN)) {
            event.Skip();
            return;
        }
        const int nFocus = m_dlg.GetFocusId();
        m_dlg.UserEnter();
        AfterUserInput(nFocus);
        return;
    }
    event.Skip();
}

void CDialogWindow::OnListBoxActivated(int nId, int nRow)
{
    // The toolkit reports Enter on a row as a double-click; here Enter
    // presses the default button.
    if (IsHandlingKeyPress())
        m_dlg.UserEnter();
    else if (nRow != wxNOT_FOUND)
        m_dlg.UserDoubleClick(nId, nRow);
}

void CDialogWindow::OnClose(wxCloseEvent& event)
{
    if (event.CanVeto())
        event.Veto();
    m_dlg.UserCancel();
    if (!event.CanVeto() && m_pLoop)
        m_pLoop->ScheduleExit(0);
}

void CDialogWindow::TrackFocus()
{
    // Some widgets (the drop-down list) take the focus in an inner part that
    // reports nothing; the focused widget's control is found by its parents.
    if (m_nUpdating || !m_pWindow->IsActive())
        return;
    for (wxWindow* pFocus = wxWindow::FindFocus(); pFocus && pFocus != m_pPanel; pFocus = pFocus->GetParent()) {
        for (const CControl& ctl : m_controls) {
            if (ctl.m_pWindow != pFocus || ctl.m_nId == -1)
                continue;
            if (m_dlg.GetFocusId() != ctl.m_nId)
                m_dlg.UserFocus(ctl.m_nId);
            return;
        }
    }
}

void CDialogWindow::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    TrackFocus();
    // The list box tells nobody it was scrolled; the model learns it here.
    for (CControl& ctl : m_controls) {
        if (ctl.m_eKind != EControlKind::ListBox || ctl.m_nId == -1)
            continue;
        const CControlState* pState = State(ctl.m_nId);
        const int nTop = static_cast<wxListBox*>(ctl.m_pWindow)->GetTopItem();
        if (pState && nTop != wxNOT_FOUND && nTop != pState->m_nTopIndex && !pState->m_rows.empty())
            m_dlg.UserScroll(ctl.m_nId, nTop);
    }
}

void CDialogWindow::OnMenuOpen(wxMenuEvent& event)
{
    event.Skip();
    ++m_nMenusOpen;
    auto* pBar = static_cast<wxFrame*>(m_pWindow)->GetMenuBar();
    if (!pBar)
        return;
    for (const auto& [nMenuId, nCommand] : m_menuCommands)
        if (wxMenuItem* pItem = pBar->FindItem(nMenuId))
            pItem->Enable(m_dlg.IsCommandEnabled(nCommand));
}

void CDialogWindow::AfterUserInput(int nId)
{
    // The model may have refused the input (a disabled control) or a handler
    // may have changed it again; either way the widget shows the model.
    if (m_dlg.IsOpen() && Find(nId))
        SyncControl(nId);
}

// --- Program changes ---------------------------------------------------------

CDialogWindow::CControl* CDialogWindow::Find(int nId)
{
    auto it = m_index.find(nId);
    return it == m_index.end() ? nullptr : &m_controls[it->second];
}

const CDialogWindow::CControl* CDialogWindow::Find(int nId) const
{
    auto it = m_index.find(nId);
    return it == m_index.end() ? nullptr : &m_controls[it->second];
}

wxWindow* CDialogWindow::FindControlWindow(int nId) const
{
    const CControl* pCtl = Find(nId);
    return pCtl ? pCtl->m_pWindow : nullptr;
}

void CDialogWindow::OnControlChanged(int nId, EChange eWhat, int nIndex)
{
    CControl* pCtl = Find(nId);
    const CControlState* pState = State(nId);
    if (!pCtl || !pState)
        return;
    CUpdating updating(m_nUpdating);
    switch (eWhat) {
    case EChange::Text:
        SyncText(*pCtl, *pState);
        // A label names itself and the edit or list after it.
        ApplyName(IndexOf(*pCtl));
        ApplyName(IndexOf(*pCtl) + 1);
        break;
    case EChange::Check:
        SyncCheck(*pCtl, *pState);
        break;
    case EChange::Enable:
        pCtl->m_pWindow->Enable(pState->m_bEnabled);
        break;
    case EChange::Show:
        pCtl->m_pWindow->Show(pState->m_bVisible);
        break;
    case EChange::Selection:
        if (pCtl->m_eKind == EControlKind::ReportList)
            ReportList(*pCtl)->SyncSelection();
        else
            SyncSelection(*pCtl, *pState);
        break;
    case EChange::TopIndex:
        if (pCtl->m_eKind == EControlKind::ListBox && !pState->m_rows.empty())
            static_cast<wxListBox*>(pCtl->m_pWindow)->SetFirstItem(pState->m_nTopIndex);
        break;
    case EChange::Picture:
        SyncPicture(*pCtl, *pState);
        break;
    case EChange::Columns:
        if (pCtl->m_eKind == EControlKind::ReportList)
            ReportList(*pCtl)->SyncColumns();
        break;
    case EChange::RowsReset:
        if (pCtl->m_eKind == EControlKind::ReportList)
            ReportList(*pCtl)->SyncRows(true);
        else
            SyncRows(*pCtl, *pState);
        break;
    case EChange::RowInserted:
    case EChange::RowChanged:
    case EChange::RowDeleted:
        if (pCtl->m_eKind == EControlKind::ReportList)
            ReportList(*pCtl)->SyncRows();
        else
            SyncRow(*pCtl, *pState, eWhat, nIndex);
        break;
    }
}

void CDialogWindow::OnDialogChanged(EDialogChange eWhat)
{
    switch (eWhat) {
    case EDialogChange::Caption:
        m_pWindow->SetTitle(ToWx(m_dlg.GetWindowText()));
        break;
    case EDialogChange::Icon:
        if (m_dlg.GetIconId()) {
            wxIconBundle icons = m_artwork.GetIcons(m_dlg.GetIconId());
            if (!icons.IsEmpty())
                m_pWindow->SetIcons(icons);
        }
        break;
    case EDialogChange::Focus:
        ApplyFocus();
        break;
    case EDialogChange::Ended:
        if (m_pLoop)
            m_pLoop->ScheduleExit(0); // leaves after any window opened above this one
        break;
    }
}

void CDialogWindow::ApplyFocus()
{
    if (!m_bShown)
        return; // given when the window is shown
    CControl* pCtl = Find(m_dlg.GetFocusId());
    if (!pCtl)
        return;
    CUpdating updating(m_nUpdating);
    pCtl->m_pWindow->SetFocus();
}

void CDialogWindow::SyncControl(int nId)
{
    CControl* pCtl = Find(nId);
    const CControlState* pState = State(nId);
    if (pCtl && pState)
        SyncControl(*pCtl, *pState);
}

void CDialogWindow::SyncControl(CControl& ctl, const CControlState& state)
{
    CControl* pCtl = &ctl;
    const CControlState* pState = &state;
    CUpdating updating(m_nUpdating);
    switch (pCtl->m_eKind) {
    case EControlKind::Picture:
        SyncPicture(*pCtl, *pState);
        break;
    case EControlKind::CheckBox:
    case EControlKind::RadioButton:
        SyncText(*pCtl, *pState);
        SyncCheck(*pCtl, *pState);
        break;
    case EControlKind::DropDownList:
    case EControlKind::ListBox:
        if (static_cast<wxControlWithItems*>(pCtl->m_pWindow)->GetCount() != pState->m_rows.size())
            SyncRows(*pCtl, *pState);
        else
            SyncSelection(*pCtl, *pState);
        break;
    case EControlKind::ReportList:
        // Only the rows shown are asked for again: cheap at any length.
        ReportList(*pCtl)->SyncColumns();
        ReportList(*pCtl)->SyncRows();
        break;
    case EControlKind::UpDown:
        break;
    default:
        SyncText(*pCtl, *pState);
        break;
    }
    if (pCtl->m_pWindow->IsEnabled() != pState->m_bEnabled)
        pCtl->m_pWindow->Enable(pState->m_bEnabled);
    if (pCtl->m_pWindow->IsShown() != pState->m_bVisible)
        pCtl->m_pWindow->Show(pState->m_bVisible);
}

void CDialogWindow::SyncText(CControl& ctl, const CControlState& state)
{
    switch (ctl.m_eKind) {
    case EControlKind::Edit: {
        auto* pEdit = static_cast<wxTextCtrl*>(ctl.m_pWindow);
        const wxString strText = EditText(state.m_strText);
        if (pEdit->GetValue() != strText)
            pEdit->ChangeValue(strText); // no text event: the model has already notified
        break;
    }
    case EControlKind::Static:
    case EControlKind::GroupBox:
    case EControlKind::EtchedFrame:
    case EControlKind::PushButton:
    case EControlKind::CheckBox:
    case EControlKind::RadioButton: {
        wxString strLabel = ToWx(state.m_strText);
        if (ctl.m_strLabel == strLabel && ctl.m_pWindow->GetLabel() != wxString())
            break;
        ctl.m_strLabel = strLabel;
        const int nWidth = ctl.m_box.cx;
        if (ctl.m_eKind == EControlKind::GroupBox || ctl.m_eKind == EControlKind::EtchedFrame) {
            SetFrameLabel(ctl.m_pWindow, FromWx(strLabel));
            Place(ctl);
            break;
        }
        if (ctl.m_eKind == EControlKind::Static) {
            static_cast<wxStaticText*>(ctl.m_pWindow)->SetLabel(strLabel);
            static_cast<wxStaticText*>(ctl.m_pWindow)->Wrap(nWidth); // statics wrap words
            break;
        }
        ctl.m_pWindow->SetLabel(strLabel);
        if (state.HasStyle(BS_MULTILINE) && IsTickControl(ctl.m_eKind)) {
            // The label wraps beside the tick box and its gaps.
            const int nTick = GetMinimumSize(ctl.m_pWindow, 0).x -
                              LabelWidth(ctl.m_pWindow, static_cast<wxControl*>(ctl.m_pWindow)->GetLabelText());
            auto measure = [&](const std::string& str) { return LabelWidth(ctl.m_pWindow, wxString::FromUTF8(str)); };
            ctl.m_pWindow->SetLabel(
                wxString::FromUTF8(WrapLabel(FromWx(strLabel), std::max(nWidth - nTick, 1), measure)));
        }
        Place(ctl); // a longer label may need more room
        break;
    }
    default:
        break;
    }
}

void CDialogWindow::SyncCheck(CControl& ctl, const CControlState& state)
{
    if (ctl.m_eKind == EControlKind::CheckBox) {
        static_cast<wxCheckBox*>(ctl.m_pWindow)->SetValue(state.m_nCheck != 0);
    } else if (ctl.m_eKind == EControlKind::RadioButton) {
        auto* pRadio = static_cast<wxRadioButton*>(ctl.m_pWindow);
        if (state.m_nCheck)
            pRadio->SetValue(true);
        else if (pRadio->GetValue() && ctl.m_pNoneButton)
            ctl.m_pNoneButton->SetValue(true);
    }
}

void CDialogWindow::SyncRows(CControl& ctl, const CControlState& state)
{
    const int nRows = static_cast<int>(state.m_rows.size());
    auto* pItems = dynamic_cast<wxControlWithItems*>(ctl.m_pWindow);
    if (!pItems)
        return;
    wxArrayString rows;
    rows.reserve(static_cast<std::size_t>(nRows));
    for (int i = 0; i < nRows; ++i)
        rows.push_back(ToWx(RowText(state, i)));
    pItems->Set(rows);
    SyncSelection(ctl, state);
}

void CDialogWindow::SyncRow(CControl& ctl, const CControlState& state, EChange eWhat, int nIndex)
{
    if (auto* pItems = dynamic_cast<wxControlWithItems*>(ctl.m_pWindow)) {
        const int nCount = static_cast<int>(pItems->GetCount());
        if (eWhat == EChange::RowDeleted && nIndex >= 0 && nIndex < nCount)
            pItems->Delete(static_cast<unsigned>(nIndex));
        else if (eWhat == EChange::RowInserted && nIndex >= 0 && nIndex <= nCount)
            pItems->Insert(ToWx(RowText(state, nIndex)), static_cast<unsigned>(nIndex));
        else if (eWhat == EChange::RowChanged && nIndex >= 0 && nIndex < nCount)
            pItems->SetString(static_cast<unsigned>(nIndex), ToWx(RowText(state, nIndex)));
    }
    // Any mismatch left (a change this host missed) is mended by a rebuild.
    const int nShown = static_cast<int>(dynamic_cast<wxControlWithItems*>(ctl.m_pWindow)->GetCount());
    if (nShown != static_cast<int>(state.m_rows.size()))
        SyncRows(ctl, state);
    else
        SyncSelection(ctl, state);
}

void CDialogWindow::SyncSelection(CControl& ctl, const CControlState& state)
{
    const int nSel = state.m_nSelection;
    auto* pItems = dynamic_cast<wxControlWithItems*>(ctl.m_pWindow);
    if (!pItems)
        return;
    const int nCount = static_cast<int>(pItems->GetCount());
    const int nWanted = nSel >= 0 && nSel < nCount ? nSel : wxNOT_FOUND;
    if (pItems->GetSelection() != nWanted)
        pItems->SetSelection(nWanted);
    if (ctl.m_eKind == EControlKind::ListBox && nCount > 0) {
        auto* pList = static_cast<wxListBox*>(ctl.m_pWindow);
        if (pList->GetTopItem() != state.m_nTopIndex)
            pList->SetFirstItem(std::clamp(state.m_nTopIndex, 0, nCount - 1));
    }
}

void CDialogWindow::SyncPicture(CControl& ctl, const CControlState& state)
{
    if (ctl.m_eKind != EControlKind::Picture)
        return;
    auto* pPicture = static_cast<wxStaticBitmap*>(ctl.m_pWindow);
    const wxBitmap bitmap = m_artwork.GetPictureBitmap(state.m_pBitmap.get(), state.m_nBitmapId);
    pPicture->SetBitmap(bitmap.IsOk() ? bitmap : wxNullBitmap);
    Place(ctl);
    ApplyName(IndexOf(ctl));
    pPicture->Refresh();
}

// --- Queries -----------------------------------------------------------------

CSize CDialogWindow::GetControlClientSize(int nId) const
{
    const CControl* pCtl = Find(nId);
    if (!pCtl)
        return {};
    const wxSize size = pCtl->m_pWindow->GetClientSize();
    return {size.x, size.y};
}

int CDialogWindow::GetTextWidth(int nId, const std::string& strText) const
{
    const std::vector<int> widths = GetTextWidths(nId, {strText});
    return widths.empty() ? 0 : widths.front();
}

std::vector<int> CDialogWindow::GetTextWidths(int nId, const std::vector<std::string>& texts) const
{
    const CControl* pCtl = Find(nId);
    if (!pCtl)
        return std::vector<int>(texts.size(), 0);
    // A table measures as its cells draw.
    if (pCtl->m_eKind == EControlKind::ReportList)
        return ReportList(*pCtl)->MeasureTexts(texts);
    std::vector<int> widths;
    widths.reserve(texts.size());
    for (const std::string& strText : texts)
        widths.push_back(pCtl->m_pWindow->GetTextExtent(ToWx(strText)).x);
    return widths;
}

CReportListCtrl* CDialogWindow::ReportList(const CControl& ctl) { return static_cast<CReportListCtrl*>(ctl.m_pWindow); }
