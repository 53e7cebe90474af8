#pragma once
// A dialog of the common controls for the GUI tests: it records what its
// handlers hear, asks a question and opens the About box on request.
#include <string>
#include <vector>

#include "platform/dialog.h"

enum : int {
    IDD_GUI_SAMPLE = 950,
    IDC_G_TITLE = 1101,
    IDC_G_SIDE,
    IDC_G_PRIMARY,
    IDC_G_ROWS,
    IDC_G_NOTES,
    IDC_G_SPIN,
    IDC_G_ASK,
    IDC_G_FILL,
    IDC_G_ABOUT,
};

const CDialogTemplate& GetGuiSampleTemplate();

class CGuiSampleDlg : public CDialog {
public:
    CGuiSampleDlg() : CDialog(GetGuiSampleTemplate()) {}

    struct Event {
        int nId;
        ENotify eNotify;
        int nParam;
        bool bHadFocus; // the control had the focus when its handler ran
        friend bool operator==(const Event&, const Event&) = default;
    };
    std::vector<Event> m_events;
    std::string m_strStoredTitle = "stored"; // what the title edit writes back
    int m_nAnswer = 0;
    int m_nAboutResult = 0;

    bool Saw(int nId, ENotify eNotify, int nParam = 0) const
    {
        for (const Event& e : m_events)
            if (e.nId == nId && e.eNotify == eNotify && e.nParam == nParam)
                return true;
        return false;
    }

protected:
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetDlgItemText(IDC_G_TITLE, "From the record");
        return true;
    }

    const CHandlerTable* GetHandlers() const override
    {
        static const CHandlerMap<CGuiSampleDlg> map{
            {IDC_G_TITLE, ENotify::Changed, &CGuiSampleDlg::OnChangeTitle},
            {IDC_G_NOTES, ENotify::Changed, &CGuiSampleDlg::OnChangeNotes},
            {IDC_G_SIDE, ENotify::SelChange, &CGuiSampleDlg::OnSelSide},
            {IDC_G_PRIMARY, ENotify::Clicked, &CGuiSampleDlg::OnPrimary},
            {IDC_G_ROWS, ENotify::SelChange, &CGuiSampleDlg::OnSelRows},
            {IDC_G_ROWS, ENotify::DoubleClicked, &CGuiSampleDlg::OnDoubleRows},
            {IDC_G_SPIN, ENotify::DeltaPos, &CGuiSampleDlg::OnSpin},
            {IDC_G_ASK, ENotify::Clicked, &CGuiSampleDlg::OnAsk},
            {IDC_G_FILL, ENotify::Clicked, &CGuiSampleDlg::OnFill},
            {IDC_G_ABOUT, ENotify::Clicked, &CGuiSampleDlg::OnAbout},
        };
        return &map;
    }

private:
    void Record(int nId, ENotify eNotify, int nParam = 0) { m_events.push_back({nId, eNotify, nParam, HasFocus(nId)}); }
    void OnChangeTitle()
    {
        Record(IDC_G_TITLE, ENotify::Changed);
        if (HasFocus(IDC_G_TITLE))
            m_strStoredTitle = GetDlgItemText(IDC_G_TITLE);
    }
    void OnChangeNotes() { Record(IDC_G_NOTES, ENotify::Changed); }
    void OnSelSide() { Record(IDC_G_SIDE, ENotify::SelChange, GetCurSel(IDC_G_SIDE)); }
    void OnPrimary() { Record(IDC_G_PRIMARY, ENotify::Clicked, IsDlgButtonChecked(IDC_G_PRIMARY)); }
    void OnSelRows() { Record(IDC_G_ROWS, ENotify::SelChange, GetCurSel(IDC_G_ROWS)); }
    void OnDoubleRows() { Record(IDC_G_ROWS, ENotify::DoubleClicked, GetCurSel(IDC_G_ROWS)); }
    void OnSpin(int nStep) { Record(IDC_G_SPIN, ENotify::DeltaPos, nStep); }
    void OnAsk();
    void OnFill() { SetDlgItemText(IDC_G_TITLE, "Refilled"); }
    void OnAbout();
};
