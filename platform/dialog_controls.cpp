// The program's side of CDialog: setters and getters of the controls.
#include <algorithm>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/dialog.h"
#include "platform/host.h"

void CDialog::SetDlgItemText(int nId, const std::string& strText)
{
    CControlState* pCtl = Control(nId, "SetDlgItemText");
    if (!pCtl)
        return;
    pCtl->m_strText = strText;
    Changed(*pCtl, EChange::Text);
    if (pCtl->GetKind() == EControlKind::Edit) {
        const bool bWasUserEdit = std::exchange(m_bUserEdit, false);
        Notify(nId, ENotify::Changed);
        m_bUserEdit = bWasUserEdit;
    }
}

std::string CDialog::GetDlgItemText(int nId) const
{
    const CControlState* pCtl = Control(nId, "GetDlgItemText");
    if (!pCtl)
        return {};
    if (pCtl->GetKind() == EControlKind::DropDownList)
        return GetItemText(nId, pCtl->m_nSelection);
    return pCtl->m_strText;
}

void CDialog::EnableDlgItem(int nId, bool bEnable)
{
    if (CControlState* pCtl = Control(nId, "EnableDlgItem"); pCtl && pCtl->m_bEnabled != bEnable) {
        pCtl->m_bEnabled = bEnable;
        Changed(*pCtl, EChange::Enable);
    }
}

bool CDialog::IsDlgItemEnabled(int nId) const
{
    const CControlState* pCtl = Control(nId, "IsDlgItemEnabled");
    return pCtl && pCtl->m_bEnabled;
}

void CDialog::ShowDlgItem(int nId, bool bShow)
{
    if (CControlState* pCtl = Control(nId, "ShowDlgItem"); pCtl && pCtl->m_bVisible != bShow) {
        pCtl->m_bVisible = bShow;
        Changed(*pCtl, EChange::Show);
    }
}

bool CDialog::IsDlgItemVisible(int nId) const
{
    const CControlState* pCtl = Control(nId, "IsDlgItemVisible");
    return pCtl && pCtl->m_bVisible;
}

void CDialog::CheckDlgButton(int nId, int nCheck)
{
    CControlState* pCtl = Control(nId, "CheckDlgButton");
    if (!pCtl)
        return;
    pCtl->m_nCheck = nCheck ? 1 : 0;
    Changed(*pCtl, EChange::Check);
}

int CDialog::IsDlgButtonChecked(int nId) const
{
    const CControlState* pCtl = Control(nId, "IsDlgButtonChecked");
    return pCtl ? pCtl->m_nCheck : 0;
}

void CDialog::CheckRadioButton(int nFirstId, int nLastId, int nCheckId)
{
    Control(nCheckId, "CheckRadioButton");
    for (auto& pCtl : m_controls) {
        int nId = pCtl->GetId();
        if (nId < nFirstId || nId > nLastId || pCtl->GetKind() != EControlKind::RadioButton)
            continue;
        pCtl->m_nCheck = nId == nCheckId ? 1 : 0;
        Changed(*pCtl, EChange::Check);
    }
}

int CDialog::GetCheckedRadioButton(int nFirstId, int nLastId) const
{
    for (const auto& pCtl : m_controls) {
        int nId = pCtl->GetId();
        if (nId >= nFirstId && nId <= nLastId && pCtl->GetKind() == EControlKind::RadioButton && pCtl->m_nCheck)
            return nId;
    }
    return 0;
}

// --- Lists -------------------------------------------------------------------

void CDialog::ResetContent(int nId)
{
    CControlState* pCtl = ListControl(nId, "ResetContent");
    if (!pCtl)
        return;
    pCtl->m_rows.clear();
    pCtl->m_pRowSource = nullptr;
    pCtl->m_nSourceRows = 0;
    pCtl->m_nSelection = -1;
    pCtl->m_nTopIndex = 0;
    Changed(*pCtl, EChange::RowsReset);
}

void CDialog::SetItems(int nId, const std::vector<std::string>& texts)
{
    CControlState* pCtl = ListControl(nId, "SetItems");
    if (!pCtl)
        return;
    pCtl->m_pRowSource = nullptr;
    pCtl->m_nSourceRows = 0;
    pCtl->m_rows.clear();
    pCtl->m_rows.reserve(texts.size());
    for (const std::string& strText : texts)
        pCtl->m_rows.push_back(CListRow{{strText}, 0});
    pCtl->m_nSelection = -1;
    pCtl->m_nTopIndex = 0;
    Changed(*pCtl, EChange::RowsReset);
}

void CDialog::SetVirtualRows(int nId, int nRows, const CListRowSource* pSource)
{
    CControlState* pCtl = Control(nId, "SetVirtualRows");
    if (!pCtl)
        return;
    if (pCtl->GetKind() != EControlKind::ReportList || !pSource || nRows < 0) {
        ReportError("SetVirtualRows of control " + std::to_string(nId) +
                    " needs a report list, a source and a row count of 0 or more");
        return;
    }
    pCtl->m_rows.clear();
    pCtl->m_rows.shrink_to_fit();
    pCtl->m_pRowSource = pSource;
    pCtl->m_nSourceRows = nRows;
    pCtl->m_nSelection = -1;
    pCtl->m_nTopIndex = 0;
    Changed(*pCtl, EChange::RowsReset);
}

const CControlState* CDialog::StoredRowsControl(int nId, const char* pszUse) const
{
    const CControlState* pCtl = ListControl(nId, pszUse);
    if (pCtl && pCtl->m_pRowSource) {
        ReportError(std::string(pszUse) + " of control " + std::to_string(nId) + ", whose rows the dialog keeps");
        return nullptr;
    }
    return pCtl;
}

CControlState* CDialog::StoredRowsControl(int nId, const char* pszUse)
{
    return const_cast<CControlState*>(std::as_const(*this).StoredRowsControl(nId, pszUse));
}

int CDialog::AddString(int nId, const std::string& strText) { return InsertString(nId, -1, strText); }

int CDialog::InsertString(int nId, int nIndex, const std::string& strText)
{
    CControlState* pCtl = StoredRowsControl(nId, "InsertString");
    if (!pCtl)
        return LB_ERR;
    int nCount = static_cast<int>(pCtl->m_rows.size());
    if (nIndex == -1)
        nIndex = nCount;
    if (nIndex < 0 || nIndex > nCount)
        return LB_ERR;
    pCtl->m_rows.insert(pCtl->m_rows.begin() + nIndex, CListRow{{strText}, 0});
    if (pCtl->m_nSelection >= nIndex)
        ++pCtl->m_nSelection;
    Changed(*pCtl, EChange::RowInserted, nIndex);
    return nIndex;
}

int CDialog::DeleteString(int nId, int nIndex)
{
    CControlState* pCtl = StoredRowsControl(nId, "DeleteString");
    if (!pCtl || nIndex < 0 || nIndex >= static_cast<int>(pCtl->m_rows.size()))
        return LB_ERR;
    pCtl->m_rows.erase(pCtl->m_rows.begin() + nIndex);
    if (pCtl->m_nSelection == nIndex)
        pCtl->m_nSelection = -1;
    else if (pCtl->m_nSelection > nIndex)
        --pCtl->m_nSelection;
    int nCount = static_cast<int>(pCtl->m_rows.size());
    pCtl->m_nTopIndex = std::clamp(pCtl->m_nTopIndex, 0, std::max(nCount - 1, 0));
    Changed(*pCtl, EChange::RowDeleted, nIndex);
    return nCount;
}

int CDialog::GetCount(int nId) const
{
    const CControlState* pCtl = ListControl(nId, "GetCount");
    return pCtl ? pCtl->GetRowCount() : 0;
}

std::string CDialog::GetItemText(int nId, int nIndex, int nColumn) const
{
    const CControlState* pCtl = ListControl(nId, "GetItemText");
    return pCtl ? pCtl->GetCellText(nIndex, nColumn) : std::string();
}

bool CDialog::SetItemText(int nId, int nIndex, int nColumn, const std::string& strText)
{
    CControlState* pCtl = StoredRowsControl(nId, "SetItemText");
    if (!pCtl || nIndex < 0 || nIndex >= static_cast<int>(pCtl->m_rows.size()) || nColumn < 0)
        return false;
    int nColumns = pCtl->GetKind() == EControlKind::ReportList ? static_cast<int>(pCtl->m_columns.size()) : 1;
    if (nColumn >= std::max(nColumns, 1))
        return false;
    CListRow& row = pCtl->m_rows[static_cast<std::size_t>(nIndex)];
    if (row.m_texts.size() <= static_cast<std::size_t>(nColumn))
        row.m_texts.resize(static_cast<std::size_t>(nColumn) + 1);
    row.m_texts[static_cast<std::size_t>(nColumn)] = strText;
    Changed(*pCtl, EChange::RowChanged, nIndex);
    return true;
}

std::intptr_t CDialog::GetItemData(int nId, int nIndex) const
{
    const CControlState* pCtl = ListControl(nId, "GetItemData");
    return pCtl ? pCtl->GetRowData(nIndex) : 0;
}

bool CDialog::SetItemData(int nId, int nIndex, std::intptr_t nData)
{
    CControlState* pCtl = StoredRowsControl(nId, "SetItemData");
    if (!pCtl || nIndex < 0 || nIndex >= static_cast<int>(pCtl->m_rows.size()))
        return false;
    pCtl->m_rows[static_cast<std::size_t>(nIndex)].m_nData = nData;
    Changed(*pCtl, EChange::RowChanged, nIndex);
    return true;
}

int CDialog::SetCurSel(int nId, int nIndex)
{
    CControlState* pCtl = ListControl(nId, "SetCurSel");
    if (!pCtl)
        return LB_ERR;
    bool bValid = nIndex >= 0 && nIndex < pCtl->GetRowCount();
    int nNew = bValid ? nIndex : -1;
    if (pCtl->m_nSelection != nNew) {
        pCtl->m_nSelection = nNew;
        Changed(*pCtl, EChange::Selection);
    }
    return bValid ? nIndex : LB_ERR;
}

int CDialog::GetCurSel(int nId) const
{
    const CControlState* pCtl = ListControl(nId, "GetCurSel");
    return pCtl ? pCtl->m_nSelection : LB_ERR;
}

int CDialog::FindString(int nId, int nStartAfter, const std::string& strPrefix) const
{
    const CControlState* pCtl = ListControl(nId, "FindString");
    if (!pCtl || pCtl->GetRowCount() == 0)
        return LB_ERR;
    int nCount = pCtl->GetRowCount();
    int nFirst = (nStartAfter < 0 || nStartAfter >= nCount) ? 0 : nStartAfter + 1;
    for (int i = 0; i < nCount; ++i) {
        int nRow = (nFirst + i) % nCount;
        if (StartsWithNoCase(pCtl->GetCellText(nRow, 0), strPrefix))
            return nRow;
    }
    return LB_ERR;
}

int CDialog::SelectString(int nId, int nStartAfter, const std::string& strPrefix)
{
    int nRow = FindString(nId, nStartAfter, strPrefix);
    if (nRow != LB_ERR)
        SetCurSel(nId, nRow);
    return nRow;
}

void CDialog::SetTopIndex(int nId, int nIndex)
{
    CControlState* pCtl = ListControl(nId, "SetTopIndex");
    if (!pCtl)
        return;
    int nCount = pCtl->GetRowCount();
    pCtl->m_nTopIndex = std::clamp(nIndex, 0, std::max(nCount - 1, 0));
    Changed(*pCtl, EChange::TopIndex);
}

int CDialog::GetTopIndex(int nId) const
{
    const CControlState* pCtl = ListControl(nId, "GetTopIndex");
    return pCtl ? pCtl->m_nTopIndex : 0;
}

// --- Report lists -----------------------------------------------------------

namespace {
bool IsReport(const CControlState* pCtl) { return pCtl && pCtl->GetKind() == EControlKind::ReportList; }
} // namespace

int CDialog::InsertColumn(int nId, int nColumn, const std::string& strHeading, int nFormat, int nWidth)
{
    CControlState* pCtl = Control(nId, "InsertColumn");
    if (!IsReport(pCtl) || nColumn < 0)
        return -1;
    nColumn = std::min(nColumn, static_cast<int>(pCtl->m_columns.size()));
    pCtl->m_columns.insert(pCtl->m_columns.begin() + nColumn, CListColumn{strHeading, nFormat, nWidth});
    for (CListRow& row : pCtl->m_rows)
        if (row.m_texts.size() > static_cast<std::size_t>(nColumn))
            row.m_texts.insert(row.m_texts.begin() + nColumn, std::string());
    Changed(*pCtl, EChange::Columns);
    return nColumn;
}

int CDialog::GetColumnCount(int nId) const
{
    const CControlState* pCtl = Control(nId, "GetColumnCount");
    return IsReport(pCtl) ? static_cast<int>(pCtl->m_columns.size()) : 0;
}

bool CDialog::SetColumnWidth(int nId, int nColumn, int nWidth)
{
    CControlState* pCtl = Control(nId, "SetColumnWidth");
    if (!IsReport(pCtl) || nColumn < 0 || nColumn >= static_cast<int>(pCtl->m_columns.size()))
        return false;
    pCtl->m_columns[static_cast<std::size_t>(nColumn)].m_nWidth = nWidth;
    Changed(*pCtl, EChange::Columns);
    return true;
}

int CDialog::GetColumnWidth(int nId, int nColumn) const
{
    const CControlState* pCtl = Control(nId, "GetColumnWidth");
    if (!IsReport(pCtl) || nColumn < 0 || nColumn >= static_cast<int>(pCtl->m_columns.size()))
        return -1;
    return pCtl->m_columns[static_cast<std::size_t>(nColumn)].m_nWidth;
}

int CDialog::GetStringWidth(int nId, const std::string& strText) const
{
    if (!Control(nId, "GetStringWidth"))
        return 0;
    if (CHost* pHost = m_pHost ? m_pHost : GetHost())
        return pHost->GetTextWidth(*this, nId, strText);
    return PlainTextWidth(strText);
}

std::vector<int> CDialog::GetStringWidths(int nId, const std::vector<std::string>& texts) const
{
    if (!Control(nId, "GetStringWidths"))
        return std::vector<int>(texts.size(), 0);
    if (CHost* pHost = m_pHost ? m_pHost : GetHost())
        return pHost->GetTextWidths(*this, nId, texts);
    std::vector<int> widths;
    widths.reserve(texts.size());
    for (const std::string& strText : texts)
        widths.push_back(PlainTextWidth(strText));
    return widths;
}

// --- Pictures, focus, caption ------------------------------------------------

void CDialog::SetPictureResource(int nId, int nBitmapId)
{
    CControlState* pCtl = Control(nId, "SetPictureResource");
    if (!pCtl || pCtl->GetKind() != EControlKind::Picture)
        return;
    pCtl->m_pBitmap.reset();
    pCtl->m_nBitmapId = nBitmapId;
    Changed(*pCtl, EChange::Picture);
}

void CDialog::SetPictureBitmap(int nId, std::unique_ptr<CBitmap> pBitmap)
{
    CControlState* pCtl = Control(nId, "SetPictureBitmap");
    if (!pCtl || pCtl->GetKind() != EControlKind::Picture)
        return;
    pCtl->m_pBitmap = std::move(pBitmap);
    pCtl->m_nBitmapId = 0;
    Changed(*pCtl, EChange::Picture);
}

const CBitmap* CDialog::GetPictureBitmap(int nId) const
{
    const CControlState* pCtl = Control(nId, "GetPictureBitmap");
    return pCtl ? pCtl->m_pBitmap.get() : nullptr;
}

CSize CDialog::GetClientSize(int nId) const
{
    const CControlState* pCtl = Control(nId, "GetClientSize");
    if (!pCtl)
        return {};
    if (CHost* pHost = m_pHost ? m_pHost : GetHost())
        return pHost->GetControlClientSize(*this, nId);
    return DialogUnitsToPixels({pCtl->m_pTemplate->cx, pCtl->m_pTemplate->cy});
}

void CDialog::GotoDlgCtrl(int nId)
{
    if (!Control(nId, "GotoDlgCtrl"))
        return;
    m_nFocusId = nId;
    DialogChanged(EDialogChange::Focus);
}

void CDialog::SetWindowText(const std::string& strCaption)
{
    m_strCaption = strCaption;
    DialogChanged(EDialogChange::Caption);
}

void CDialog::SetIcon(int nIconId)
{
    m_nIconId = nIconId;
    DialogChanged(EDialogChange::Icon);
}
