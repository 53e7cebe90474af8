#include "dialogs/mission_dlg.h"

#include "dialogs/clock_fields.h"
#include "dialogs/kill_dlg.h"
#include "log/app_settings.h"
#include "log/mission.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

using namespace MissionIds;

CMissionDlg::CMissionDlg() : CDialog(GetDialogTemplate(IDD_MISSION)) {}

const CHandlerTable* CMissionDlg::GetHandlers() const
{
    static const CHandlerMap<CMissionDlg> map{
        {IDC_MISSION_TITLE, ENotify::Changed, &CMissionDlg::OnChangeTitle},
        {IDC_MISSION_SIDE, ENotify::SelChange, &CMissionDlg::OnSelSide},
        {IDC_PILOT_STATUS, ENotify::SelChange, &CMissionDlg::OnSelPilotStatus},
        {IDC_RESULT, ENotify::SelChange, &CMissionDlg::OnSelResult},
        {IDC_NOTES, ENotify::Changed, &CMissionDlg::OnChangeNotes},
        {IDC_DURATION, ENotify::Changed, &CMissionDlg::OnChangeDuration},
        {IDC_TAKEOFF_DAYS, ENotify::Changed, &CMissionDlg::OnChangeTakeoffDays},
        {IDC_TAKEOFF_TIME, ENotify::Changed, &CMissionDlg::OnChangeTakeoffTime},
        {IDC_FLOWN_FIRST_FIELD, ENotify::Changed, &CMissionDlg::OnChangeFlownFirst},
        {IDC_FLOWN_SECOND_FIELD, ENotify::Changed, &CMissionDlg::OnChangeFlownSecond},
        {IDC_FLOWN_YEAR, ENotify::Changed, &CMissionDlg::OnChangeFlownYear},
        {IDC_FLOWN_TIME, ENotify::Changed, &CMissionDlg::OnChangeFlownTime},
        {IDC_ADD_KILL, ENotify::Clicked, &CMissionDlg::OnAddKill},
        {IDC_EDIT_KILL, ENotify::Clicked, &CMissionDlg::OnEditKill},
        {IDC_KILL_LIST, ENotify::DoubleClicked, &CMissionDlg::OnEditKill},
        {IDC_DEL_KILL, ENotify::Clicked, &CMissionDlg::OnDelKill},
    };
    return &map;
}

bool CMissionDlg::OnInitDialog()
{
    const bool bDefaultFocus = CDialog::OnInitDialog();
    ShowMission();
    return bDefaultFocus;
}

// Every change is already in the mission; there is nothing to cancel.
void CMissionDlg::OnCancel() {}

bool CMissionDlg::IsDayFirst() const { return AfxGetAppSettings().m_nDateFormat != 0; }
int CMissionDlg::DayFieldId() const { return IsDayFirst() ? IDC_FLOWN_FIRST_FIELD : IDC_FLOWN_SECOND_FIELD; }
int CMissionDlg::MonthFieldId() const { return IsDayFirst() ? IDC_FLOWN_SECOND_FIELD : IDC_FLOWN_FIRST_FIELD; }

void CMissionDlg::ShowMission()
{
    static constexpr int kTextFields[] = {IDC_FLOWN_FIRST_FIELD, IDC_FLOWN_SECOND_FIELD, IDC_FLOWN_YEAR,
                                          IDC_FLOWN_TIME,        IDC_TAKEOFF_DAYS,       IDC_TAKEOFF_TIME,
                                          IDC_DURATION,          IDC_MISSION_TITLE,      IDC_NOTES};
    if (!m_pMission) {
        for (int nId : {IDC_PILOT_STATUS, IDC_RESULT, IDC_MISSION_SIDE})
            SetCurSel(nId, -1);
        for (int nId : kTextFields)
            SetDlgItemText(nId, "");
        ResetContent(IDC_KILL_LIST);
        return;
    }
    const CMission& mission = *m_pMission;
    SetCurSel(IDC_PILOT_STATUS, mission.GetPilotStatus());
    SetCurSel(IDC_RESULT, mission.GetResult());
    SetDlgItemText(IDC_TAKEOFF_TIME, mission.GetTakeoff().Format("%H:%M:%S"));
    SetDlgItemText(IDC_TAKEOFF_DAYS, mission.GetTakeoff().Format("%D"));
    const CTime timeFlown = mission.GetFlown();
    SetDlgItemText(IDC_FLOWN_YEAR, timeFlown.Format("%Y"));
    SetDlgItemText(MonthFieldId(), timeFlown.Format("%m"));
    SetDlgItemText(DayFieldId(), timeFlown.Format("%d"));
    SetDlgItemText(IDC_FLOWN_TIME, timeFlown.Format("%H:%M:%S"));
    SetDlgItemText(IDC_DURATION, mission.GetDuration().Format("%H:%M:%S"));
    SetCurSel(IDC_MISSION_SIDE, mission.GetSide());
    SetDlgItemText(IDC_MISSION_TITLE, mission.GetTitle());
    SetDlgItemText(IDC_NOTES, mission.GetComments());

    // Rows are rebuilt in list order, so a row's number is its record's index.
    const int nSelected = GetCurSel(IDC_KILL_LIST);
    const int nTop = GetTopIndex(IDC_KILL_LIST);
    ResetContent(IDC_KILL_LIST);
    for (int i = 0; i < mission.GetKillCount(); ++i)
        AddString(IDC_KILL_LIST, mission.GetKill(i)->Describe());
    SetTopIndex(IDC_KILL_LIST, nTop);
    SetCurSel(IDC_KILL_LIST, nSelected);
}

// Each handler acts only while the user works in its own control, so the
// filling above never writes back.

void CMissionDlg::OnChangeTitle()
{
    if (m_pMission && HasFocus(IDC_MISSION_TITLE))
        m_pMission->SetTitle(GetDlgItemText(IDC_MISSION_TITLE));
}

void CMissionDlg::OnSelSide()
{
    const int nRow = GetCurSel(IDC_MISSION_SIDE);
    if (m_pMission && HasFocus(IDC_MISSION_SIDE) && nRow >= 0)
        m_pMission->SetSide(static_cast<std::uint8_t>(nRow));
}

void CMissionDlg::OnSelPilotStatus()
{
    const int nRow = GetCurSel(IDC_PILOT_STATUS);
    if (m_pMission && HasFocus(IDC_PILOT_STATUS) && nRow >= 0)
        m_pMission->SetPilotStatus(nRow);
}

void CMissionDlg::OnSelResult()
{
    const int nRow = GetCurSel(IDC_RESULT);
    if (m_pMission && HasFocus(IDC_RESULT) && nRow >= 0)
        m_pMission->SetResult(nRow);
}

void CMissionDlg::OnChangeNotes()
{
    if (m_pMission && HasFocus(IDC_NOTES))
        m_pMission->SetComments(GetDlgItemText(IDC_NOTES));
}

void CMissionDlg::OnChangeDuration()
{
    if (!m_pMission || !HasFocus(IDC_DURATION))
        return;
    CTimeSpan tsDuration;
    if (ParseDayAndClock(0, GetDlgItemText(IDC_DURATION), tsDuration))
        m_pMission->SetDuration(tsDuration);
    else
        AfxMessageBox("Invalid Duration; use hh:mm:ss, hh:mm or hhmm", MB_OK | MB_ICONSTOP);
}

void CMissionDlg::OnChangeTakeoffDays()
{
    if (HasFocus(IDC_TAKEOFF_DAYS))
        StoreTakeoff();
}

void CMissionDlg::OnChangeTakeoffTime()
{
    if (HasFocus(IDC_TAKEOFF_TIME))
        StoreTakeoff();
}

void CMissionDlg::StoreTakeoff()
{
    if (!m_pMission)
        return;
    CTimeSpan tsTakeoff;
    if (ParseDayAndClock(LeadingNumber(GetDlgItemText(IDC_TAKEOFF_DAYS)), GetDlgItemText(IDC_TAKEOFF_TIME), tsTakeoff))
        m_pMission->SetTakeoff(tsTakeoff);
    else
        AfxMessageBox("Invalid Takeoff Time; use hh:mm:ss, hh:mm or hhmm", MB_OK | MB_ICONSTOP);
}

void CMissionDlg::OnChangeFlownFirst()
{
    if (HasFocus(IDC_FLOWN_FIRST_FIELD))
        StoreFlown();
}

void CMissionDlg::OnChangeFlownSecond()
{
    if (HasFocus(IDC_FLOWN_SECOND_FIELD))
        StoreFlown();
}

void CMissionDlg::OnChangeFlownYear()
{
    if (HasFocus(IDC_FLOWN_YEAR))
        StoreFlown();
}

void CMissionDlg::OnChangeFlownTime()
{
    if (HasFocus(IDC_FLOWN_TIME))
        StoreFlown();
}

void CMissionDlg::StoreFlown()
{
    if (!m_pMission)
        return;
    // The date fields are never rejected: a day that does not exist rolls
    // over, a year before 1970 gives the invalid date.
    const int nDay = LeadingNumber(GetDlgItemText(DayFieldId()));
    const int nMonth = LeadingNumber(GetDlgItemText(MonthFieldId()));
    const int nYear = LeadingNumber(GetDlgItemText(IDC_FLOWN_YEAR));
    int nHours = 0, nMinutes = 0, nSeconds = 0;
    if (ParseClockText(GetDlgItemText(IDC_FLOWN_TIME), nHours, nMinutes, nSeconds))
        m_pMission->SetFlown(CTime(nYear, nMonth, nDay, nHours, nMinutes, nSeconds));
    else
        AfxMessageBox("Invalid Time Flown; use hh:mm:ss, hh:mm or hhmm", MB_OK | MB_ICONSTOP);
}

// --- The kills list ---------------------------------------------------------

void CMissionDlg::OnAddKill()
{
    if (!m_pMission)
        return;
    CKill* pKill = m_pMission->AddKill();
    if (!pKill)
        return;
    CKillDlg dlg;
    dlg.m_pKill = pKill;
    if (dlg.DoModal() == IDOK) {
        ShowMission();
        SetCurSel(IDC_KILL_LIST, GetCount(IDC_KILL_LIST) - 1);
    } else {
        m_pMission->RemoveKill(m_pMission->GetKillCount() - 1);
    }
}

void CMissionDlg::OnEditKill()
{
    const int nRow = GetCurSel(IDC_KILL_LIST);
    if (!m_pMission || nRow < 0)
        return;
    CKill* pKill = m_pMission->GetKill(nRow);
    if (!pKill)
        return;
    CKillDlg dlg;
    dlg.m_pKill = pKill;
    dlg.DoModal();
    ShowMission();
}

void CMissionDlg::OnDelKill()
{
    const int nRow = GetCurSel(IDC_KILL_LIST);
    if (!m_pMission || nRow < 0)
        return;
    m_pMission->RemoveKill(nRow);
    ShowMission();
}
