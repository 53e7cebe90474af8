#pragma once
// A small dialog of every control kind, with its own template, that records
// the notifications it receives.
#include <string>
#include <vector>

#include "platform/dialog.h"

enum : int {
    IDD_SAMPLE = 900,
    IDC_S_TITLE = 1001, // edit written back only while it has the focus
    IDC_S_NOTES,        // multi-line edit, Enter starts a new line
    IDC_S_CHECK,
    IDC_S_RADIO_A1,
    IDC_S_RADIO_A2,
    IDC_S_RADIO_A3,
    IDC_S_RADIO_B1,
    IDC_S_RADIO_B2,
    IDC_S_SIDE,         // drop-down list
    IDC_S_ROWS,         // list box
    IDC_S_TABLE,        // report list
    IDC_S_SPIN,
    IDC_S_PICTURE,
    IDC_S_LABEL,
    IDC_S_FILL,         // button: the program refills the controls
    IDC_S_DISABLED,     // disabled button
};

const CDialogTemplate& GetSampleTemplate();

class CSampleDlg : public CDialog {
public:
    explicit CSampleDlg(const CDialogTemplate& tmpl = GetSampleTemplate()) : CDialog(tmpl) {}

    struct Event {
        int nId;
        ENotify eNotify;
        int nParam;
        friend bool operator==(const Event&, const Event&) = default;
    };
    std::vector<Event> m_events;
    std::string m_strStoredTitle = "stored"; // the record the title edit writes to
    std::vector<std::string> m_storedTitles; // every value written back
    std::string m_strInitialTitle = "From the record";

protected:
    bool OnInitDialog() override;
    const CHandlerTable* GetHandlers() const override;

private:
    void OnChangeTitle();
    void OnChangeNotes() { m_events.push_back({IDC_S_NOTES, ENotify::Changed, 0}); }
    void OnCheck() { m_events.push_back({IDC_S_CHECK, ENotify::Clicked, 0}); }
    void OnRadio() { m_events.push_back({GetFocusId(), ENotify::Clicked, 0}); }
    void OnSelSide() { m_events.push_back({IDC_S_SIDE, ENotify::SelChange, GetCurSel(IDC_S_SIDE)}); }
    void OnSelRows() { m_events.push_back({IDC_S_ROWS, ENotify::SelChange, GetCurSel(IDC_S_ROWS)}); }
    void OnDblRows() { m_events.push_back({IDC_S_ROWS, ENotify::DoubleClicked, GetCurSel(IDC_S_ROWS)}); }
    void OnClickTable() { m_events.push_back({IDC_S_TABLE, ENotify::Clicked, GetCurSel(IDC_S_TABLE)}); }
    void OnSpin(int nStep) { m_events.push_back({IDC_S_SPIN, ENotify::DeltaPos, nStep}); }
    void OnFill() { SetDlgItemText(IDC_S_TITLE, "Refilled"); }
};
