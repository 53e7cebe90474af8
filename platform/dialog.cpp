#include "platform/dialog.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "platform/host.h"
#include "platform/template_check.h"

namespace {
constexpr int kMaxNotifyDepth = 64; // a handler that re-triggers itself stops here

std::vector<CListRow> SplitLines(const std::string& strText)
{
    std::vector<CListRow> rows;
    std::size_t nStart = 0;
    while (nStart < strText.size()) {
        std::size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strText.size();
        rows.push_back({{strText.substr(nStart, nEnd - nStart)}, 0});
        nStart = nEnd + 1;
    }
    return rows;
}

} // namespace

void DDX_Text(CDataExchange& dx, int nId, std::string& strValue)
{
    if (dx.m_bSaveAndValidate)
        strValue = dx.m_dlg.GetDlgItemText(nId);
    else
        dx.m_dlg.SetDlgItemText(nId, strValue);
}

void DDX_Check(CDataExchange& dx, int nId, int& nValue)
{
    if (dx.m_bSaveAndValidate)
        nValue = dx.m_dlg.IsDlgButtonChecked(nId);
    else
        dx.m_dlg.CheckDlgButton(nId, nValue);
}

CDialog::CDialog(const CDialogTemplate& dlgTemplate) : m_template(dlgTemplate), m_strCaption(dlgTemplate.m_strCaption)
{
}

CDialog::~CDialog() = default;

// --- Running -------------------------------------------------------------

void CDialog::BuildControls()
{
    m_controls.clear();
    for (const CControlTemplate& tmpl : m_template.m_controls) {
        auto pCtl = std::make_unique<CControlState>();
        pCtl->m_pTemplate = &tmpl;
        pCtl->m_bEnabled = (tmpl.m_nStyle & WS_DISABLED) == 0;
        pCtl->m_bVisible = (tmpl.m_nStyle & WS_INVISIBLE) == 0;
        pCtl->m_nBitmapId = tmpl.m_nBitmapId;
        if (pCtl->IsList() && tmpl.m_eKind != EControlKind::ReportList)
            pCtl->m_rows = SplitLines(tmpl.m_strText);
        else
            pCtl->m_strText = tmpl.m_strText;
        m_controls.push_back(std::move(pCtl));
    }
    m_strCaption = m_template.m_strCaption;
    m_nIconId = 0;
    m_nFocusId = 0;
    m_bOpen = false;
    m_bEnded = false;
    m_nResult = IDCANCEL;
    CheckTemplate();
}

void CDialog::CheckTemplate()
{
    for (const std::string& strProblem : FindTemplateProblems(m_template, GetHandlers()))
        ReportError(strProblem);
}

void CDialog::InitModel()
{
    m_bOpen = true;
    bool bDefaultFocus = OnInitDialog();
    if (bDefaultFocus && !m_bEnded) {
        m_nFocusId = FirstTabStop();
        DialogChanged(EDialogChange::Focus);
    }
}

void CDialog::OpenModel()
{
    BuildControls();
    InitModel();
}

int CDialog::DoModal()
{
    CHost* pHost = GetHost();
    if (!pHost) {
        std::cerr << "The dialog \"" << m_template.m_strCaption << "\" cannot be shown here; it is cancelled.\n";
        return IDCANCEL;
    }
    BuildControls();
    m_pHost = pHost;
    if (!pHost->BeginModal(*this)) {
        m_pHost = nullptr;
        return IDCANCEL;
    }
    InitModel();
    if (!m_bEnded)
        pHost->RunModalLoop(*this);
    if (!m_bEnded) { // the host gave up without an answer
        m_bEnded = true;
        m_nResult = IDCANCEL;
    }
    pHost->EndModal(*this);
    m_pHost = nullptr;
    m_bOpen = false;
    return m_nResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nResult = nResult;
    if (m_bEnded)
        return;
    m_bEnded = true;
    DialogChanged(EDialogChange::Ended);
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx{*this, bSaveAndValidate};
    DoDataExchange(dx);
    return true;
}

// --- Lookup and reporting --------------------------------------------------

const CControlState* CDialog::FindControl(int nId) const
{
    if (nId == -1)
        return nullptr;
    for (const auto& pCtl : m_controls)
        if (pCtl->GetId() == nId)
            return pCtl.get();
    return nullptr;
}

const CControlState* CDialog::Control(int nId, const char* pszUse) const
{
    if (m_controls.empty()) {
        ReportError(std::string(pszUse) + " of control " + std::to_string(nId) + " before the dialog is open");
        return nullptr;
    }
    const CControlState* pCtl = FindControl(nId);
    if (!pCtl)
        ReportError(std::string(pszUse) + " of control " + std::to_string(nId) + ", which the template lacks");
    return pCtl;
}

CControlState* CDialog::Control(int nId, const char* pszUse)
{
    return const_cast<CControlState*>(std::as_const(*this).Control(nId, pszUse));
}

const CControlState* CDialog::ListControl(int nId, const char* pszUse) const
{
    const CControlState* pCtl = Control(nId, pszUse);
    if (pCtl && !pCtl->IsList()) {
        ReportError(std::string(pszUse) + " of control " + std::to_string(nId) + ", which is not a list");
        return nullptr;
    }
    return pCtl;
}

CControlState* CDialog::ListControl(int nId, const char* pszUse)
{
    return const_cast<CControlState*>(std::as_const(*this).ListControl(nId, pszUse));
}

void CDialog::ReportError(const std::string& strProblem) const
{
    std::string strText = "dialog " + std::to_string(m_template.m_nId) + " \"" + m_template.m_strCaption +
                          "\": " + strProblem;
    if (CHost* pHost = m_pHost ? m_pHost : GetHost())
        pHost->ReportProgramError(strText);
    else
        ReportProgramErrorOnStderr(strText);
}

void CDialog::Changed(const CControlState& ctl, EChange eWhat, int nIndex)
{
    if (m_pHost && m_bOpen)
        m_pHost->OnControlChanged(*this, ctl.GetId(), eWhat, nIndex);
}

void CDialog::DialogChanged(EDialogChange eWhat)
{
    if (m_pHost && m_bOpen)
        m_pHost->OnDialogChanged(*this, eWhat);
}

void CDialog::Notify(int nId, ENotify eNotify, int nParam)
{
    if (m_nNotifyDepth >= kMaxNotifyDepth) {
        ReportError("notifications of control " + std::to_string(nId) + " nest without end");
        return;
    }
    ++m_nNotifyDepth;
    if (eNotify == ENotify::Clicked)
        Command(nId);
    else
        OnNotify(nId, eNotify, nParam);
    --m_nNotifyDepth;
}

void CDialog::Command(int nId)
{
    if (OnCommand(nId))
        return;
    if (nId == IDOK)
        OnOK();
    else if (nId == IDCANCEL)
        OnCancel();
    else if (m_pNextTarget)
        m_pNextTarget->OnCommand(nId);
}

bool CDialog::IsCommandEnabled(int nId)
{
    if (m_template.m_pMenu) {
        const CMenuItem* pItem = FindMenuItem(*m_template.m_pMenu, nId);
        if (pItem && (pItem->m_nFlags & MF_GRAYED))
            return false;
    }
    bool bEnabled = false;
    if (IsCommandHandled(nId, bEnabled))
        return bEnabled;
    if (nId == IDOK || nId == IDCANCEL)
        return true;
    return m_pNextTarget && m_pNextTarget->IsCommandHandled(nId, bEnabled) && bEnabled;
}

int CDialog::FindDefaultButton() const
{
    for (const auto& pCtl : m_controls)
        if (pCtl->GetKind() == EControlKind::PushButton && pCtl->HasStyle(BS_DEFPUSHBUTTON))
            return pCtl->GetId();
    return 0;
}

int CDialog::FirstTabStop() const
{
    for (const auto& pCtl : m_controls)
        if (pCtl->HasStyle(WS_TABSTOP) && pCtl->m_bEnabled && pCtl->m_bVisible && pCtl->CanTakeFocus())
            return pCtl->GetId();
    return 0;
}
