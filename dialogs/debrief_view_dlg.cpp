#include "dialogs/debrief_view_dlg.h"

#include "debrief/debrief.h"
#include "platform/ascii_text.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

using namespace ViewerIds;

namespace {
constexpr int kColumnMargin = 16;        // pixels beside the widest text of a column
constexpr std::size_t kObjectIdMax = 31; // characters copied into the field
} // namespace

CDebriefViewDlg::CDebriefViewDlg() : CDialog(GetDialogTemplate(IDD_DEBRIEF_VIEW)) {}

const CHandlerTable* CDebriefViewDlg::GetHandlers() const
{
    static const CHandlerMap<CDebriefViewDlg> map{
        {IDC_SHOW_ALL, ENotify::Clicked, &CDebriefViewDlg::OnShowAll},
        {IDC_SHOW_OBJECT, ENotify::Clicked, &CDebriefViewDlg::OnShowObject},
        {IDC_SHOW_CHILDREN, ENotify::Clicked, &CDebriefViewDlg::OnShowChildren},
        {IDC_EVENT_LIST, ENotify::Clicked, &CDebriefViewDlg::OnClickEvents},
    };
    return &map;
}

std::uint16_t CDebriefViewDlg::ParseObjectId(const std::string& strText)
{
    // Only the low 16 bits of the number matter.
    return static_cast<std::uint16_t>(ParseWrappingDecimal(strText));
}

bool CDebriefViewDlg::OnInitDialog()
{
    const bool bDefaultFocus = CDialog::OnInitDialog();
    for (int c = 0; c < kEventColumns; ++c)
        InsertColumn(IDC_EVENT_LIST, c, kEventColumnHeadings[c], LVCFMT_LEFT);
    m_nFilter = 0; // no radio button shows it: none is ticked at first
    FillList();
    return bDefaultFocus;
}

void CDebriefViewDlg::OnShowAll()
{
    m_nFilter = 0;
    FillList();
}

void CDebriefViewDlg::OnShowObject()
{
    m_nFilter = 1;
    FillList();
}

void CDebriefViewDlg::OnShowChildren()
{
    m_nFilter = 2;
    FillList();
}

void CDebriefViewDlg::OnClickEvents()
{
    // The identifier is only copied; a radio button applies it.
    const int nRow = GetCurSel(IDC_EVENT_LIST);
    if (nRow < 0)
        return;
    std::string strObject = GetItemText(IDC_EVENT_LIST, nRow, 7);
    if (strObject.size() > kObjectIdMax)
        strObject.resize(kObjectIdMax);
    SetDlgItemText(IDC_OBJECT_ID, strObject);
}

void CDebriefViewDlg::FillList()
{
    const std::uint16_t nKey = ParseObjectId(GetDlgItemText(IDC_OBJECT_ID));
    ResetContent(IDC_EVENT_LIST);
    m_bAllEvents = false;
    m_rows.clear();
    m_rows.shrink_to_fit();
    if (!m_pDebrief)
        return; // the columns keep their widths

    const std::vector<DebriefEvent>& events = m_pDebrief->m_pEvents;
    auto passes = [&](const DebriefEvent& event) {
        switch (m_nFilter) {
        case 1:
            return event.object == nKey;
        case 2:
            return event.parent == nKey && event.object != nKey;
        default:
            return false;
        }
    };
    if (m_nFilter == 0) {
        m_bAllEvents = true;
    } else {
        std::size_t nCount = 0;
        for (const DebriefEvent& event : events)
            nCount += passes(event) ? 1 : 0;
        m_rows.reserve(nCount);
        for (std::size_t i = 0; i < events.size(); ++i)
            if (passes(events[i]))
                m_rows.push_back(static_cast<std::uint32_t>(i));
    }
    const int nRows = static_cast<int>(m_bAllEvents ? events.size() : m_rows.size());
    // The headings are not measured: a column may end up narrower than its heading.
    const std::array<int, kEventColumns> widest = m_widths.Measure(*this, IDC_EVENT_LIST, events,
                                                                   m_bAllEvents ? nullptr : &m_rows);
    for (int c = 0; c < kEventColumns; ++c)
        SetColumnWidth(IDC_EVENT_LIST, c, widest[static_cast<std::size_t>(c)] + kColumnMargin);
    SetVirtualRows(IDC_EVENT_LIST, nRows, this);
}

std::uint32_t CDebriefViewDlg::EventOfRow(int nRow) const
{
    return m_bAllEvents ? static_cast<std::uint32_t>(nRow) : m_rows[static_cast<std::size_t>(nRow)];
}

std::string CDebriefViewDlg::GetCellText(int, int nRow, int nColumn) const
{
    return FormatEventField(m_pDebrief->m_pEvents[EventOfRow(nRow)], nColumn);
}

std::intptr_t CDebriefViewDlg::GetRowData(int, int nRow) const { return EventOfRow(nRow); }
