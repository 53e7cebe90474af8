// The host's side of CDialog: what the user did. Each entry point updates the
// model first, then sends the notification, as the real controls do.
#include <algorithm>
#include <utility>

#include "platform/dialog.h"

CControlState* CDialog::UserControl(int nId)
{
    if (!m_bOpen || m_bEnded)
        return nullptr;
    CControlState* pCtl = const_cast<CControlState*>(FindControl(nId));
    if (!pCtl || !pCtl->m_bEnabled || !pCtl->m_bVisible)
        return nullptr;
    return pCtl;
}

bool CDialog::UserFocus(int nId)
{
    CControlState* pCtl = UserControl(nId);
    if (!pCtl || !pCtl->CanTakeFocus())
        return false;
    m_nFocusId = nId;
    return true;
}

void CDialog::ToggleButton(CControlState& ctl)
{
    if (ctl.GetKind() == EControlKind::CheckBox) {
        ctl.m_nCheck = ctl.m_nCheck ? 0 : 1;
        return;
    }
    if (ctl.GetKind() != EControlKind::RadioButton)
        return;
    // The group runs from the last control starting a group up to the next one.
    auto it = std::find_if(m_controls.begin(), m_controls.end(), [&](const auto& p) { return p.get() == &ctl; });
    auto first = it;
    while (first != m_controls.begin() && !(*first)->HasStyle(WS_GROUP))
        --first;
    auto last = it + 1;
    while (last != m_controls.end() && !(*last)->HasStyle(WS_GROUP))
        ++last;
    for (auto p = first; p != last; ++p) {
        CControlState& other = **p;
        if (&other == &ctl || other.GetKind() != EControlKind::RadioButton || !other.m_nCheck)
            continue;
        other.m_nCheck = 0;
        Changed(other, EChange::Check);
    }
    ctl.m_nCheck = 1;
}

bool CDialog::UserClick(int nId)
{
    CControlState* pCtl = UserControl(nId);
    if (!pCtl || !(pCtl->IsButton() || pCtl->GetKind() == EControlKind::ReportList))
        return false;
    m_nFocusId = nId;
    ToggleButton(*pCtl);
    Notify(nId, ENotify::Clicked);
    return true;
}

bool CDialog::UserEditText(int nId, const std::string& strText)
{
    CControlState* pCtl = UserControl(nId);
    if (!pCtl || pCtl->GetKind() != EControlKind::Edit || pCtl->HasStyle(ES_READONLY))
        return false;
    m_nFocusId = nId;
    if (pCtl->m_strText == strText)
        return true;
    pCtl->m_strText = strText;
    const bool bWasUserEdit = std::exchange(m_bUserEdit, true);
    Notify(nId, ENotify::Changed);
    m_bUserEdit = bWasUserEdit;
    return true;
}

bool CDialog::UserSelect(int nId, int nIndex)
{
    CControlState* pCtl = UserControl(nId);
    if (!pCtl || !pCtl->IsList() || nIndex < 0 || nIndex >= pCtl->GetRowCount())
        return false;
    m_nFocusId = nId;
    pCtl->m_nSelection = nIndex;
    Notify(nId, ENotify::SelChange);
    if (pCtl->GetKind() == EControlKind::ReportList)
        Notify(nId, ENotify::Clicked);
    return true;
}

bool CDialog::UserDoubleClick(int nId, int nIndex)
{
    CControlState* pCtl = UserControl(nId);
    if (!pCtl || (pCtl->GetKind() != EControlKind::ListBox && pCtl->GetKind() != EControlKind::ReportList) ||
        nIndex < 0 || nIndex >= pCtl->GetRowCount())
        return false;
    if (pCtl->m_nSelection != nIndex && !UserSelect(nId, nIndex))
        return false;
    // The first click's handler may have ended the dialog or changed the list.
    if (!UserControl(nId))
        return true;
    Notify(nId, ENotify::DoubleClicked);
    return true;
}

bool CDialog::UserScroll(int nId, int nTopIndex)
{
    CControlState* pCtl = UserControl(nId);
    if (!pCtl || pCtl->GetKind() != EControlKind::ListBox)
        return false;
    int nCount = static_cast<int>(pCtl->m_rows.size());
    pCtl->m_nTopIndex = std::clamp(nTopIndex, 0, std::max(nCount - 1, 0));
    return true;
}

bool CDialog::UserStep(int nId, int nStep)
{
    CControlState* pCtl = UserControl(nId);
    if (!pCtl || pCtl->GetKind() != EControlKind::UpDown)
        return false;
    Notify(nId, ENotify::DeltaPos, nStep);
    return true;
}

bool CDialog::UserEnter()
{
    if (!m_bOpen || m_bEnded)
        return false;
    if (CControlState* pFocus = UserControl(m_nFocusId)) {
        if (pFocus->GetKind() == EControlKind::Edit && pFocus->HasStyle(ES_MULTILINE) &&
            pFocus->HasStyle(ES_WANTRETURN))
            return UserEditText(m_nFocusId, pFocus->m_strText + "\r\n");
        if (pFocus->GetKind() == EControlKind::PushButton)
            return UserClick(m_nFocusId);
    }
    int nDefault = FindDefaultButton();
    if (nDefault == 0) { // no default button: Enter still means OK
        Notify(IDOK, ENotify::Clicked);
        return true;
    }
    if (!UserControl(nDefault))
        return false;
    Notify(nDefault, ENotify::Clicked);
    return true;
}

bool CDialog::UserCancel()
{
    if (!m_bOpen || m_bEnded)
        return false;
    Notify(IDCANCEL, ENotify::Clicked);
    return true;
}

bool CDialog::UserCommand(int nId)
{
    if (!m_bOpen || m_bEnded || !m_template.m_pMenu || !FindMenuItem(*m_template.m_pMenu, nId) ||
        !IsCommandEnabled(nId))
        return false;
    Notify(nId, ENotify::Clicked);
    return true;
}
