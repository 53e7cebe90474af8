#include "platform/control_state.h"

bool CControlState::IsList() const
{
    EControlKind e = GetKind();
    return e == EControlKind::DropDownList || e == EControlKind::ListBox || e == EControlKind::ReportList;
}

bool CControlState::IsButton() const
{
    EControlKind e = GetKind();
    return e == EControlKind::PushButton || e == EControlKind::CheckBox || e == EControlKind::RadioButton;
}

bool CControlState::CanTakeFocus() const
{
    EControlKind e = GetKind();
    return e != EControlKind::Static && e != EControlKind::GroupBox && e != EControlKind::EtchedFrame &&
           e != EControlKind::Picture;
}

int CControlState::GetRowCount() const { return m_pRowSource ? m_nSourceRows : static_cast<int>(m_rows.size()); }

std::string CControlState::GetCellText(int nRow, int nColumn) const
{
    if (nRow < 0 || nRow >= GetRowCount() || nColumn < 0)
        return {};
    if (m_pRowSource)
        return m_pRowSource->GetCellText(GetId(), nRow, nColumn);
    const std::vector<std::string>& texts = m_rows[static_cast<std::size_t>(nRow)].m_texts;
    return static_cast<std::size_t>(nColumn) < texts.size() ? texts[static_cast<std::size_t>(nColumn)] : std::string();
}

std::intptr_t CControlState::GetRowData(int nRow) const
{
    if (nRow < 0 || nRow >= GetRowCount())
        return 0;
    return m_pRowSource ? m_pRowSource->GetRowData(GetId(), nRow) : m_rows[static_cast<std::size_t>(nRow)].m_nData;
}
