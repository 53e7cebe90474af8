#pragma once
// The up-down control: two small buttons of the toolkit, one above the other,
// that report a signed step (+1 up, -1 down) for each click, and for each
// arrow key while one of them has the focus. Being real buttons, each is
// announced to assistive tools by its name and can be pressed by them. It
// keeps no position of its own.
#include <functional>
#include <string>

#include <wx/control.h>

class wxButton;

class CUpDownCtrl : public wxControl {
public:
    // bTabStop: the buttons are reached with the Tab key (Space presses one).
    CUpDownCtrl(wxWindow* pParent, const wxPoint& pos, const wxSize& size, bool bArrowKeys, bool bTabStop,
                const std::string& strUpName, const std::string& strDownName);

    void SetStepHandler(std::function<void(int)> fnStep) { m_fnStep = std::move(fnStep); }
    wxButton* GetUpButton() const { return m_pUp; }
    wxButton* GetDownButton() const { return m_pDown; }

    bool AcceptsFocus() const override { return false; } // its buttons take it
    // The smallest size at which both buttons show whole.
    wxSize GetMinimumSize() const;

private:
    void OnSize(wxSizeEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void Step(int nStep);

    std::function<void(int)> m_fnStep;
    wxButton* m_pUp = nullptr;
    wxButton* m_pDown = nullptr;
    bool m_bArrowKeys;
};
