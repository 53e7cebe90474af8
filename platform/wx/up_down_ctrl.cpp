#include "platform/wx/up_down_ctrl.h"

#include <algorithm>

#include <wx/button.h>

#include "platform/wx/gtk_widgets.h"

namespace {

// A button of the pair: in the Tab order only when the template says so.
class CArrowButton : public wxButton {
public:
    CArrowButton(wxWindow* pParent, bool bTabStop)
        : wxButton(pParent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT | wxBU_NOTEXT),
          m_bTabStop(bTabStop)
    {
    }
    bool AcceptsFocusFromKeyboard() const override { return m_bTabStop && wxButton::AcceptsFocusFromKeyboard(); }

private:
    bool m_bTabStop;
};

} // namespace

CUpDownCtrl::CUpDownCtrl(wxWindow* pParent, const wxPoint& pos, const wxSize& size, bool bArrowKeys, bool bTabStop,
                         const std::string& strUpName, const std::string& strDownName)
    : wxControl(pParent, wxID_ANY, pos, size, wxBORDER_NONE), m_bArrowKeys(bArrowKeys)
{
    m_pUp = new CArrowButton(this, bTabStop);
    m_pDown = new CArrowButton(this, bTabStop);
    SetArrowImage(m_pUp, true);
    SetArrowImage(m_pDown, false);
    SetAccessibleName(m_pUp, strUpName);
    SetAccessibleName(m_pDown, strDownName);
    m_pUp->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Step(1); });
    m_pDown->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Step(-1); });
    for (wxButton* pButton : {m_pUp, m_pDown})
        pButton->Bind(wxEVT_KEY_DOWN, &CUpDownCtrl::OnKeyDown, this);
    Bind(wxEVT_SIZE, &CUpDownCtrl::OnSize, this);
    const wxSize client = GetClientSize();
    m_pUp->SetSize(0, 0, client.x, client.y / 2);
    m_pDown->SetSize(0, client.y / 2, client.x, client.y - client.y / 2);
}

wxSize CUpDownCtrl::GetMinimumSize() const
{
    const wxSize up = ::GetMinimumSize(m_pUp, 0);
    const wxSize down = ::GetMinimumSize(m_pDown, 0);
    return wxSize(std::max(up.x, down.x), 2 * std::max(up.y, down.y));
}

void CUpDownCtrl::OnSize(wxSizeEvent& event)
{
    event.Skip();
    const wxSize client = GetClientSize();
    m_pUp->SetSize(0, 0, client.x, client.y / 2);
    m_pDown->SetSize(0, client.y / 2, client.x, client.y - client.y / 2);
}

void CUpDownCtrl::OnKeyDown(wxKeyEvent& event)
{
    if (m_bArrowKeys && (event.GetKeyCode() == WXK_UP || event.GetKeyCode() == WXK_NUMPAD_UP))
        Step(1);
    else if (m_bArrowKeys && (event.GetKeyCode() == WXK_DOWN || event.GetKeyCode() == WXK_NUMPAD_DOWN))
        Step(-1);
    else
        event.Skip();
}

void CUpDownCtrl::Step(int nStep)
{
    if (m_fnStep)
        m_fnStep(nStep);
}
