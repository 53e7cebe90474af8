#include "platform/wx/up_down_ctrl.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

CUpDownCtrl::CUpDownCtrl(wxWindow* pParent, const wxPoint& pos, const wxSize& size, bool bArrowKeys)
    : wxControl(pParent, wxID_ANY, pos, size, wxBORDER_NONE | wxWANTS_CHARS), m_bArrowKeys(bArrowKeys)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CUpDownCtrl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CUpDownCtrl::OnMouseDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CUpDownCtrl::OnMouseDown, this);
    Bind(wxEVT_LEFT_UP, &CUpDownCtrl::OnMouseUp, this);
    Bind(wxEVT_KEY_DOWN, &CUpDownCtrl::OnKeyDown, this);
    Bind(wxEVT_LEAVE_WINDOW, &CUpDownCtrl::OnMouseUp, this);
}

wxSize CUpDownCtrl::DoGetBestSize() const { return FromDIP(wxSize(16, 24)); }

void CUpDownCtrl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    const wxSize size = GetClientSize();
    const int nHalf = size.y / 2;
    const wxRect rcUp(0, 0, size.x, nHalf);
    const wxRect rcDown(0, nHalf, size.x, size.y - nHalf);
    wxRendererNative& renderer = wxRendererNative::Get();
    const int nDisabled = IsEnabled() ? 0 : int{wxCONTROL_DISABLED};
    renderer.DrawPushButton(this, dc, rcUp, nDisabled | (m_nPressed > 0 ? int{wxCONTROL_PRESSED} : 0));
    renderer.DrawPushButton(this, dc, rcDown, nDisabled | (m_nPressed < 0 ? int{wxCONTROL_PRESSED} : 0));

    const wxColour colour = wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
    dc.SetBrush(wxBrush(colour));
    dc.SetPen(wxPen(colour));
    auto arrow = [&](const wxRect& rc, bool bUp) {
        const int nW = std::max(2, std::min(rc.width - 4, rc.height * 2 - 4) / 2);
        const int nH = std::max(1, nW / 2);
        const int cx = rc.x + rc.width / 2;
        const int cy = rc.y + rc.height / 2;
        wxPoint pts[3];
        if (bUp) {
            pts[0] = wxPoint(cx - nW / 2, cy + nH / 2);
            pts[1] = wxPoint(cx + nW / 2, cy + nH / 2);
            pts[2] = wxPoint(cx, cy - (nH + 1) / 2);
        } else {
            pts[0] = wxPoint(cx - nW / 2, cy - nH / 2);
            pts[1] = wxPoint(cx + nW / 2, cy - nH / 2);
            pts[2] = wxPoint(cx, cy + (nH + 1) / 2);
        }
        dc.DrawPolygon(3, pts);
    };
    arrow(rcUp, true);
    arrow(rcDown, false);
}

void CUpDownCtrl::OnMouseDown(wxMouseEvent& event)
{
    if (!IsEnabled())
        return;
    SetFocus();
    m_nPressed = event.GetY() < GetClientSize().y / 2 ? 1 : -1;
    Refresh();
    Update();
    Step(m_nPressed); // may run a modal window: no mouse capture is held

}

void CUpDownCtrl::OnMouseUp(wxMouseEvent& event)
{
    event.Skip();
    if (m_nPressed == 0)
        return;
    m_nPressed = 0;
    Refresh();
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
