#include "dialogs/kill_dlg.h"

#include <string>

#include "debrief/shape_names.h"
#include "debrief/shape_sets.h"
#include "dialogs/clock_fields.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

using namespace KillIds;

namespace {
// The target list offers the shapes 0 to 361, so that a row is a shape number.
constexpr int kTargetRows = 362;
} // namespace

CKillDlg::CKillDlg() : CDialog(GetDialogTemplate(IDD_KILL)) {}

const CHandlerTable* CKillDlg::GetHandlers() const
{
    static const CHandlerMap<CKillDlg> map{
        {IDC_FIRED_DAYS, ENotify::Changed, &CKillDlg::OnChangeFiredDays},
        {IDC_FIRED_TIME, ENotify::Changed, &CKillDlg::OnChangeFiredTime},
        {IDC_HIT_DAYS, ENotify::Changed, &CKillDlg::OnChangeHitDays},
        {IDC_HIT_TIME, ENotify::Changed, &CKillDlg::OnChangeHitTime},
        {IDC_WEAPON, ENotify::SelChange, &CKillDlg::OnSelWeapon},
        {IDC_TARGET, ENotify::SelChange, &CKillDlg::OnSelTarget},
        {IDC_KILL_SIDE, ENotify::SelChange, &CKillDlg::OnSelSide},
        {IDC_PRIMARY_TARGET, ENotify::Clicked, &CKillDlg::OnPrimaryTarget},
        {IDC_AIRBORNE_TARGET, ENotify::Clicked, &CKillDlg::OnAirborneTarget},
    };
    return &map;
}

bool CKillDlg::OnInitDialog()
{
    const bool bDefaultFocus = CDialog::OnInitDialog();
    if (m_pKill)
        m_killSaved = *m_pKill;
    FillNameLists();
    ShowKill();
    return bDefaultFocus;
}

void CKillDlg::FillNameLists()
{
    ResetContent(IDC_WEAPON);
    for (std::size_t i = 0; i < kWeaponCount; ++i)
        AddString(IDC_WEAPON, ShapeName(WeaponShapes[i]));
    ResetContent(IDC_TARGET);
    for (int nShape = 0; nShape < kTargetRows; ++nShape)
        AddString(IDC_TARGET, ShapeName(static_cast<unsigned>(nShape)));
}

void CKillDlg::ShowKill()
{
    if (!m_pKill) {
        for (int nId : {IDC_WEAPON, IDC_TARGET, IDC_KILL_SIDE})
            SetCurSel(nId, -1);
        CheckDlgButton(IDC_PRIMARY_TARGET, 0);
        CheckDlgButton(IDC_AIRBORNE_TARGET, 0);
        for (int nId : {IDC_HIT_DAYS, IDC_HIT_TIME, IDC_FIRED_DAYS, IDC_FIRED_TIME})
            SetDlgItemText(nId, "");
        return;
    }
    const CKill& kill = *m_pKill;
    // Selected by name: the first entry that begins with the record's name,
    // which may be another shape of that name; the record keeps its number.
    SetCurSel(IDC_WEAPON, FindString(IDC_WEAPON, -1, ShapeName(kill.GetWeapon())));
    SetCurSel(IDC_TARGET, FindString(IDC_TARGET, -1, ShapeName(kill.GetTarget())));
    SetCurSel(IDC_KILL_SIDE, kill.GetSide());
    CheckDlgButton(IDC_PRIMARY_TARGET, kill.GetTargetKill() != 0);
    CheckDlgButton(IDC_AIRBORNE_TARGET, kill.GetAirKill() != 0);
    SetDlgItemText(IDC_HIT_DAYS, kill.GetHit().Format("%D"));
    SetDlgItemText(IDC_HIT_TIME, kill.GetHit().Format("%H:%M:%S"));
    SetDlgItemText(IDC_FIRED_DAYS, kill.GetFired().Format("%D"));
    SetDlgItemText(IDC_FIRED_TIME, kill.GetFired().Format("%H:%M:%S"));
    const CTimeSpan tsFlight = kill.GetHit() - kill.GetFired();
    SetDlgItemText(IDC_KILL_FLIGHT_TIME, std::to_string(tsFlight.GetTotalSeconds()) + "s");
}

void CKillDlg::OnCancel()
{
    if (m_pKill)
        *m_pKill = m_killSaved;
    CDialog::OnCancel();
}

// Each handler acts only while the user works in its own control, so the
// filling above never writes back.

void CKillDlg::OnChangeFiredDays()
{
    if (HasFocus(IDC_FIRED_DAYS))
        StoreFired();
}

void CKillDlg::OnChangeFiredTime()
{
    if (HasFocus(IDC_FIRED_TIME))
        StoreFired();
}

void CKillDlg::OnChangeHitDays()
{
    if (HasFocus(IDC_HIT_DAYS))
        StoreHit();
}

void CKillDlg::OnChangeHitTime()
{
    if (HasFocus(IDC_HIT_TIME))
        StoreHit();
}

void CKillDlg::StoreFired()
{
    if (!m_pKill)
        return;
    CTimeSpan tsFired;
    if (ParseDayAndClock(LeadingNumber(GetDlgItemText(IDC_FIRED_DAYS)), GetDlgItemText(IDC_FIRED_TIME), tsFired))
        m_pKill->SetFired(tsFired);
    else
        AfxMessageBox("Invalid Time Fired; use hh:mm:ss, hh:mm or hhmm", MB_OK | MB_ICONSTOP);
}

void CKillDlg::StoreHit()
{
    if (!m_pKill)
        return;
    CTimeSpan tsHit;
    if (ParseDayAndClock(LeadingNumber(GetDlgItemText(IDC_HIT_DAYS)), GetDlgItemText(IDC_HIT_TIME), tsHit))
        m_pKill->SetHit(tsHit);
    else
        AfxMessageBox("Invalid Time Hit; use hh:mm:ss, hh:mm or hhmm", MB_OK | MB_ICONSTOP);
}

void CKillDlg::OnSelWeapon()
{
    if (!m_pKill || !HasFocus(IDC_WEAPON))
        return;
    const int nRow = GetCurSel(IDC_WEAPON);
    const bool bValid = nRow >= 0 && static_cast<std::size_t>(nRow) < kWeaponCount;
    m_pKill->SetWeapon(bValid ? WeaponShapes[nRow] : 0);
}

void CKillDlg::OnSelTarget()
{
    if (!m_pKill || !HasFocus(IDC_TARGET))
        return;
    const int nRow = GetCurSel(IDC_TARGET);
    m_pKill->SetTarget(nRow >= 0 && nRow < kTargetRows ? static_cast<std::uint16_t>(nRow) : 0);
}

void CKillDlg::OnSelSide()
{
    const int nRow = GetCurSel(IDC_KILL_SIDE);
    if (m_pKill && HasFocus(IDC_KILL_SIDE) && nRow >= 0)
        m_pKill->SetSide(static_cast<std::uint8_t>(nRow));
}

// The two boxes exclude each other: ticking one clears the other.

void CKillDlg::OnPrimaryTarget()
{
    if (!m_pKill || !HasFocus(IDC_PRIMARY_TARGET))
        return;
    m_pKill->SetTargetKill(IsDlgButtonChecked(IDC_PRIMARY_TARGET));
    if (m_pKill->GetTargetKill()) {
        CheckDlgButton(IDC_AIRBORNE_TARGET, 0);
        m_pKill->SetAirKill(0);
    }
}

void CKillDlg::OnAirborneTarget()
{
    if (!m_pKill || !HasFocus(IDC_AIRBORNE_TARGET))
        return;
    m_pKill->SetAirKill(IsDlgButtonChecked(IDC_AIRBORNE_TARGET));
    if (m_pKill->GetAirKill()) {
        CheckDlgButton(IDC_PRIMARY_TARGET, 0);
        m_pKill->SetTargetKill(0);
    }
}
