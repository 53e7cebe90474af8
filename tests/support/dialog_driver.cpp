#include "tests/support/dialog_driver.h"

#include <gtest/gtest.h>

namespace {
// Bytes of the last character: a UTF-8 sequence, or CR LF, counts as one.
std::size_t LastCharacterSize(const std::string& str)
{
    if (str.size() >= 2 && str.compare(str.size() - 2, 2, "\r\n") == 0)
        return 2;
    std::size_t n = str.size();
    while (n > 0 && (static_cast<unsigned char>(str[n - 1]) & 0xC0) == 0x80)
        --n;
    return n > 0 ? str.size() - n + 1 : str.size();
}
} // namespace

const CControlState* CDialogDriver::Find(int nId, const char* pszAction) const
{
    const CControlState* pCtl = m_dlg.FindControl(nId);
    if (!pCtl)
        ADD_FAILURE() << pszAction << ": dialog " << m_dlg.GetTemplateId() << " has no control " << nId;
    return pCtl;
}

void CDialogDriver::Check(bool bDone, int nId, const char* pszAction) const
{
    if (bDone)
        return;
    const CControlState* pCtl = m_dlg.FindControl(nId);
    const char* pszWhy = m_dlg.IsEnded()    ? "the dialog has ended"
                         : !pCtl             ? "there is no such control"
                         : !pCtl->m_bEnabled ? "it is disabled"
                         : !pCtl->m_bVisible ? "it is hidden"
                                             : "the control cannot do that";
    ADD_FAILURE() << pszAction << " on control " << nId << " of dialog " << m_dlg.GetTemplateId() << " failed: "
                  << pszWhy;
}

void CDialogDriver::Focus(int nId) { Check(m_dlg.UserFocus(nId), nId, "Focus"); }

void CDialogDriver::Type(int nId, const std::string& strKeys)
{
    const CControlState* pCtl = Find(nId, "Type");
    if (!pCtl)
        return;
    Focus(nId);
    for (std::size_t i = 0; i < strKeys.size();) {
        std::size_t nLen = 1;
        while (i + nLen < strKeys.size() && (static_cast<unsigned char>(strKeys[i + nLen]) & 0xC0) == 0x80)
            ++nLen;
        std::string strKey = strKeys.substr(i, nLen);
        i += nLen;
        if (strKey == "\n") {
            Enter();
            continue;
        }
        bool bDone = m_dlg.UserEditText(nId, pCtl->m_strText + strKey);
        Check(bDone, nId, "Type");
        if (!bDone)
            return;
    }
}

void CDialogDriver::Backspace(int nId, int nKeys)
{
    const CControlState* pCtl = Find(nId, "Backspace");
    if (!pCtl)
        return;
    Focus(nId);
    for (int i = 0; i < nKeys && !pCtl->m_strText.empty(); ++i) {
        std::string strText = pCtl->m_strText;
        strText.resize(strText.size() - LastCharacterSize(strText));
        Check(m_dlg.UserEditText(nId, strText), nId, "Backspace");
    }
}

void CDialogDriver::Replace(int nId, const std::string& strText)
{
    Check(m_dlg.UserEditText(nId, strText), nId, "Replace");
}

void CDialogDriver::Select(int nId, int nIndex) { Check(m_dlg.UserSelect(nId, nIndex), nId, "Select"); }

void CDialogDriver::Select(int nId, const std::string& strRowText)
{
    std::vector<std::string> items = Items(nId);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == strRowText) {
            Select(nId, static_cast<int>(i));
            return;
        }
    ADD_FAILURE() << "Select: control " << nId << " has no row \"" << strRowText << "\"";
}

void CDialogDriver::Click(int nId) { Check(m_dlg.UserClick(nId), nId, "Click"); }

void CDialogDriver::Tick(int nId, bool bTicked)
{
    if (IsChecked(nId) != bTicked)
        Click(nId);
}

void CDialogDriver::DoubleClick(int nId, int nIndex) { Check(m_dlg.UserDoubleClick(nId, nIndex), nId, "DoubleClick"); }

void CDialogDriver::Step(int nId, int nStep) { Check(m_dlg.UserStep(nId, nStep), nId, "Step"); }

void CDialogDriver::Scroll(int nId, int nTopIndex) { Check(m_dlg.UserScroll(nId, nTopIndex), nId, "Scroll"); }

void CDialogDriver::Enter() { Check(m_dlg.UserEnter(), m_dlg.GetFocusId(), "Enter"); }

void CDialogDriver::Escape() { Check(m_dlg.UserCancel(), IDCANCEL, "Escape"); }

void CDialogDriver::Command(int nId) { Check(m_dlg.UserCommand(nId), nId, "Command"); }

std::string CDialogDriver::Text(int nId) const
{
    const CControlState* pCtl = Find(nId, "Text");
    if (!pCtl)
        return {};
    if (pCtl->GetKind() == EControlKind::DropDownList)
        return SelectedText(nId);
    return pCtl->m_strText;
}

bool CDialogDriver::IsChecked(int nId) const
{
    const CControlState* pCtl = Find(nId, "IsChecked");
    return pCtl && pCtl->m_nCheck != 0;
}

bool CDialogDriver::IsEnabled(int nId) const
{
    const CControlState* pCtl = Find(nId, "IsEnabled");
    return pCtl && pCtl->m_bEnabled;
}

bool CDialogDriver::IsVisible(int nId) const
{
    const CControlState* pCtl = Find(nId, "IsVisible");
    return pCtl && pCtl->m_bVisible;
}

std::vector<std::string> CDialogDriver::Items(int nId) const
{
    std::vector<std::string> items;
    if (const CControlState* pCtl = Find(nId, "Items"))
        for (int i = 0; i < pCtl->GetRowCount(); ++i)
            items.push_back(pCtl->GetCellText(i, 0));
    return items;
}

int CDialogDriver::Selection(int nId) const
{
    const CControlState* pCtl = Find(nId, "Selection");
    return pCtl ? pCtl->m_nSelection : -1;
}

std::string CDialogDriver::SelectedText(int nId) const { return Cell(nId, Selection(nId), 0); }

int CDialogDriver::TopIndex(int nId) const
{
    const CControlState* pCtl = Find(nId, "TopIndex");
    return pCtl ? pCtl->m_nTopIndex : 0;
}

int CDialogDriver::RowCount(int nId) const
{
    const CControlState* pCtl = Find(nId, "RowCount");
    return pCtl ? pCtl->GetRowCount() : 0;
}

std::string CDialogDriver::Cell(int nId, int nRow, int nColumn) const
{
    const CControlState* pCtl = Find(nId, "Cell");
    return pCtl ? pCtl->GetCellText(nRow, nColumn) : std::string();
}

std::intptr_t CDialogDriver::ItemData(int nId, int nRow) const
{
    const CControlState* pCtl = Find(nId, "ItemData");
    return pCtl ? pCtl->GetRowData(nRow) : 0;
}

std::vector<std::string> CDialogDriver::Headings(int nId) const
{
    std::vector<std::string> headings;
    if (const CControlState* pCtl = Find(nId, "Headings"))
        for (const CListColumn& column : pCtl->m_columns)
            headings.push_back(column.m_strHeading);
    return headings;
}

int CDialogDriver::ColumnWidth(int nId, int nColumn) const
{
    const CControlState* pCtl = Find(nId, "ColumnWidth");
    if (!pCtl || nColumn < 0 || nColumn >= static_cast<int>(pCtl->m_columns.size()))
        return -1;
    return pCtl->m_columns[static_cast<std::size_t>(nColumn)].m_nWidth;
}

int CDialogDriver::PictureResource(int nId) const
{
    const CControlState* pCtl = Find(nId, "PictureResource");
    return pCtl ? pCtl->m_nBitmapId : 0;
}

const CBitmap* CDialogDriver::PictureBitmap(int nId) const
{
    const CControlState* pCtl = Find(nId, "PictureBitmap");
    return pCtl ? pCtl->m_pBitmap.get() : nullptr;
}
