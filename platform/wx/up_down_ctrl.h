#pragma once
// The up-down control: two arrow buttons, one above the other, that report a
// signed step (+1 up, -1 down) for each click, and for each arrow key while
// it has the focus. It keeps no position of its own.
#include <functional>

#include <wx/control.h>

class CUpDownCtrl : public wxControl {
public:
    CUpDownCtrl(wxWindow* pParent, const wxPoint& pos, const wxSize& size, bool bArrowKeys);

    void SetStepHandler(std::function<void(int)> fnStep) { m_fnStep = std::move(fnStep); }

    bool AcceptsFocusFromKeyboard() const override { return false; }

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void Step(int nStep);

    std::function<void(int)> m_fnStep;
    bool m_bArrowKeys;
    int m_nPressed = 0; // +1 upper arrow held, -1 lower, 0 none
};
