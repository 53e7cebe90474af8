#include "platform/wx/report_list.h"

#include <algorithm>
#include <cmath>

#include <gtk/gtk.h>
#include <wx/dataview.h>
#include <wx/scrolbar.h>

#include "platform/wx/text_codec.h"
#include "platform/wx/wx_text.h"

// The rows the table holds: the model's rows from the first one shown on.
class CReportRowsModel : public wxDataViewVirtualListModel {
public:
    CReportRowsModel(const CControlState& state, const int& nTop) : m_pState(&state), m_nTop(nTop) {}

    void GetValueByRow(wxVariant& value, unsigned nRow, unsigned nColumn) const override
    {
        value = m_pState ? ToWx(m_pState->GetCellText(m_nTop + static_cast<int>(nRow), static_cast<int>(nColumn)))
                         : wxString();
    }
    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return false; }
    void Detach() { m_pState = nullptr; }

private:
    const CControlState* m_pState;
    const int& m_nTop;
};

namespace {

// Rows a notch of the mouse wheel scrolls, as the classic lists do.
constexpr int kWheelRows = 3;

GtkTreeView* TreeView(wxDataViewCtrl* pView) { return GTK_TREE_VIEW(pView->GtkGetTreeView()); }

wxAlignment ColumnAlignment(int nFormat)
{
    switch (nFormat) {
    case LVCFMT_RIGHT:
        return wxALIGN_RIGHT;
    case LVCFMT_CENTER:
        return wxALIGN_CENTER;
    default:
        return wxALIGN_LEFT;
    }
}

// The toolkit's signals, passed on to the control. Selection changes are the
// control's alone: the toolkit's own (on a click, on the first focus) are
// refused, and the control shows the selection the model holds.
gboolean AllowSelection(GtkTreeSelection*, GtkTreeModel*, GtkTreePath*, gboolean, gpointer pData)
{
    return static_cast<CReportListCtrl*>(pData)->IsApplying();
}

// The row at y of the table's rows; -1 above or below them. While the table
// lays out rows it was just given, they are found by the first row's height
// (the rows are of one height), so that a click then is not lost.
int RowAtY(GtkTreeView* pTree, int y)
{
    GtkTreePath* pPath = nullptr;
    if (gtk_tree_view_get_path_at_pos(pTree, 1, y, &pPath, nullptr, nullptr, nullptr)) {
        const int nRow = gtk_tree_path_get_indices(pPath)[0];
        gtk_tree_path_free(pPath);
        return nRow;
    }
    GtkTreeModel* pModel = gtk_tree_view_get_model(pTree);
    const int nRows = pModel ? gtk_tree_model_iter_n_children(pModel, nullptr) : 0;
    if (nRows == 0)
        return -1;
    GtkTreePath* pFirst = gtk_tree_path_new_first();
    GdkRectangle area{};
    gtk_tree_view_get_background_area(pTree, pFirst, nullptr, &area);
    gtk_tree_path_free(pFirst);
    if (area.height <= 0 || y < area.y)
        return -1;
    const int nRow = (y - area.y) / area.height;
    return nRow < nRows ? nRow : -1;
}

gboolean OnButtonPress(GtkWidget* pWidget, GdkEventButton* pEvent, gpointer pData)
{
    GtkTreeView* pTree = GTK_TREE_VIEW(pWidget);
    if (pEvent->button != GDK_BUTTON_PRIMARY || pEvent->window != gtk_tree_view_get_bin_window(pTree) ||
        (pEvent->type != GDK_BUTTON_PRESS && pEvent->type != GDK_2BUTTON_PRESS))
        return FALSE;
    const int nRow = RowAtY(pTree, static_cast<int>(pEvent->y));
    if (nRow < 0)
        return FALSE;
    static_cast<CReportListCtrl*>(pData)->OnTableButton(nRow, pEvent->type == GDK_2BUTTON_PRESS);
    return FALSE; // the toolkit still gives the table the focus and its cursor
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* pEvent, gpointer pData)
{
    if (pEvent->state & GDK_MOD1_MASK)
        return FALSE; // Alt: the window's keys
    return static_cast<CReportListCtrl*>(pData)->OnTableKey(pEvent->keyval) ? TRUE : FALSE;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* pEvent, gpointer pData)
{
    auto* pList = static_cast<CReportListCtrl*>(pData);
    switch (pEvent->direction) {
    case GDK_SCROLL_UP:
        return pList->OnTableScroll(-kWheelRows) ? TRUE : FALSE;
    case GDK_SCROLL_DOWN:
        return pList->OnTableScroll(kWheelRows) ? TRUE : FALSE;
    case GDK_SCROLL_SMOOTH: {
        if (pEvent->delta_y == 0)
            return FALSE; // sideways: the table scrolls its columns itself
        const double dRows = pEvent->delta_y * kWheelRows;
        const int nRows = static_cast<int>(dRows < 0 ? std::floor(dRows) : std::ceil(dRows));
        return pList->OnTableScroll(nRows) ? TRUE : FALSE;
    }
    default:
        return FALSE;
    }
}

void OnSizeAllocate(GtkWidget*, GdkRectangle*, gpointer pData)
{
    static_cast<CReportListCtrl*>(pData)->OnTableResized();
}

} // namespace

CReportListCtrl::CReportListCtrl(wxWindow* pParent, const wxPoint& pos, const wxSize& size, const CControlState& state)
    : wxControl(pParent, wxID_ANY, pos, size, wxBORDER_NONE), m_state(state)
{
    m_pView = new wxDataViewCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxDV_SINGLE | wxBORDER_SUNKEN);
    m_pScroll = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    m_pModel = new CReportRowsModel(m_state, m_nTop);
    m_pView->AssociateModel(m_pModel);
    m_pModel->DecRef(); // the view holds it

    GtkTreeView* pTree = TreeView(m_pView);
    // The table never scrolls up and down itself: it holds only what fits.
    if (GtkWidget* pScrolled = gtk_widget_get_parent(GTK_WIDGET(pTree)); GTK_IS_SCROLLED_WINDOW(pScrolled))
        gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(pScrolled), GTK_POLICY_AUTOMATIC, GTK_POLICY_EXTERNAL);
    gtk_tree_view_set_enable_search(pTree, FALSE);
    gtk_tree_selection_set_select_function(gtk_tree_view_get_selection(pTree), AllowSelection, this, nullptr);
    g_signal_connect(pTree, "button-press-event", G_CALLBACK(OnButtonPress), this);
    g_signal_connect(pTree, "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(pTree, "scroll-event", G_CALLBACK(OnScroll), this);
    g_signal_connect(pTree, "size-allocate", G_CALLBACK(OnSizeAllocate), this);

    m_pScroll->Bind(wxEVT_SCROLL_THUMBTRACK, &CReportListCtrl::OnScrollBar, this);
    m_pScroll->Bind(wxEVT_SCROLL_CHANGED, &CReportListCtrl::OnScrollBar, this);
    m_pScroll->Bind(wxEVT_SCROLL_LINEUP, &CReportListCtrl::OnScrollBar, this);
    m_pScroll->Bind(wxEVT_SCROLL_LINEDOWN, &CReportListCtrl::OnScrollBar, this);
    m_pScroll->Bind(wxEVT_SCROLL_PAGEUP, &CReportListCtrl::OnScrollBar, this);
    m_pScroll->Bind(wxEVT_SCROLL_PAGEDOWN, &CReportListCtrl::OnScrollBar, this);
    m_pScroll->Bind(wxEVT_SCROLL_TOP, &CReportListCtrl::OnScrollBar, this);
    m_pScroll->Bind(wxEVT_SCROLL_BOTTOM, &CReportListCtrl::OnScrollBar, this);
    Bind(wxEVT_SIZE, &CReportListCtrl::OnSize, this);
    Place();
    SyncColumns();
    SyncRows();
}

CReportListCtrl::~CReportListCtrl()
{
    // The toolkit's table may outlive this object by a moment.
    GtkTreeView* pTree = TreeView(m_pView);
    g_signal_handlers_disconnect_by_data(pTree, this);
    gtk_tree_selection_set_select_function(gtk_tree_view_get_selection(pTree), nullptr, nullptr, nullptr);
}

void CReportListCtrl::SetInputHandlers(std::function<void(int)> fnSelect, std::function<void(int)> fnActivate)
{
    m_fnSelect = std::move(fnSelect);
    m_fnActivate = std::move(fnActivate);
}

void CReportListCtrl::Detach()
{
    if (m_bDetached)
        return;
    m_bDetached = true;
    m_fnSelect = nullptr;
    m_fnActivate = nullptr;
    m_pModel->Detach();
    ++m_nApplying;
    m_nTop = 0;
    m_nShown = 0;
    m_pModel->Reset(0);
    --m_nApplying;
}

wxWindow* CReportListCtrl::GetTable() const { return m_pView; }

void CReportListCtrl::OnSize(wxSizeEvent& event)
{
    event.Skip();
    Place();
}

void CReportListCtrl::Place()
{
    const wxSize client = GetClientSize();
    const int nBar = std::min(m_pScroll->GetBestSize().x, std::max(client.x / 2, 0));
    m_pView->SetSize(0, 0, std::max(client.x - nBar, 1), std::max(client.y, 1));
    m_pScroll->SetSize(client.x - nBar, 0, std::max(nBar, 1), std::max(client.y, 1));
}

// --- Columns and rows ------------------------------------------------------------

void CReportListCtrl::SyncColumns()
{
    const int nColumns = static_cast<int>(m_state.m_columns.size());
    ++m_nApplying;
    if (static_cast<int>(m_pView->GetColumnCount()) != nColumns) {
        m_pView->ClearColumns();
        for (int c = 0; c < nColumns; ++c) {
            const CListColumn& col = m_state.m_columns[static_cast<std::size_t>(c)];
            m_pView->AppendTextColumn(ToWx(col.m_strHeading), static_cast<unsigned>(c), wxDATAVIEW_CELL_INERT,
                                      col.m_nWidth >= 0 ? col.m_nWidth : wxCOL_WIDTH_AUTOSIZE,
                                      ColumnAlignment(col.m_nFormat), wxDATAVIEW_COL_RESIZABLE);
        }
    } else {
        for (int c = 0; c < nColumns; ++c) {
            const CListColumn& col = m_state.m_columns[static_cast<std::size_t>(c)];
            wxDataViewColumn* pColumn = m_pView->GetColumn(static_cast<unsigned>(c));
            if (pColumn->GetTitle() != ToWx(col.m_strHeading))
                pColumn->SetTitle(ToWx(col.m_strHeading));
            if (pColumn->GetAlignment() != ColumnAlignment(col.m_nFormat))
                pColumn->SetAlignment(ColumnAlignment(col.m_nFormat));
            if (col.m_nWidth >= 0 && pColumn->GetWidth() != col.m_nWidth)
                pColumn->SetWidth(col.m_nWidth);
        }
    }
    --m_nApplying;
}

int CReportListCtrl::ShownCount() const { return std::clamp(RowCount() - m_nTop, 0, m_nPage); }

void CReportListCtrl::SyncRows(bool bFilledAnew)
{
    if (bFilledAnew)
        m_nTop = 0;
    m_nTop = std::clamp(m_nTop, 0, std::max(RowCount() - m_nPage, 0));
    RefreshShownRows(true);
    ShowSelection();
    UpdateScrollBar();
}

void CReportListCtrl::RefreshShownRows(bool bCountMayChange)
{
    const int nShown = ShownCount();
    ++m_nApplying;
    {
        const wxDataViewCtrl::SelectionEventsSuppressor quiet(m_pView);
        if (bCountMayChange && nShown != m_nShown) {
            m_nShown = nShown;
            m_pModel->Reset(static_cast<unsigned>(nShown));
        } else {
            // Same rows of the table, other rows of the list: each tells the
            // table (and assistive tools) that its texts changed.
            for (int i = 0; i < m_nShown; ++i)
                m_pModel->RowChanged(static_cast<unsigned>(i));
        }
        // Whatever the table scrolled to make a row whole is undone.
        if (GtkAdjustment* pAdjust = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(TreeView(m_pView))))
            gtk_adjustment_set_value(pAdjust, 0);
    }
    --m_nApplying;
}

void CReportListCtrl::SyncSelection()
{
    const int nSel = m_state.m_nSelection;
    if (nSel >= 0 && nSel < RowCount())
        ScrollIntoView(nSel);
    ShowSelection();
}

void CReportListCtrl::ShowSelection()
{
    GtkTreeView* pTree = TreeView(m_pView);
    const int nSel = m_state.m_nSelection;
    ++m_nApplying;
    {
        const wxDataViewCtrl::SelectionEventsSuppressor quiet(m_pView);
        GtkTreeSelection* pSelection = gtk_tree_view_get_selection(pTree);
        if (nSel >= m_nTop && nSel < m_nTop + m_nShown) {
            GtkTreePath* pPath = gtk_tree_path_new_from_indices(nSel - m_nTop, -1);
            // The cursor goes with the selection, so that assistive tools
            // announce the row chosen.
            gtk_tree_view_set_cursor(pTree, pPath, nullptr, FALSE);
            gtk_tree_selection_select_path(pSelection, pPath);
            gtk_tree_path_free(pPath);
        } else {
            gtk_tree_selection_unselect_all(pSelection);
        }
    }
    --m_nApplying;
}

void CReportListCtrl::UpdateScrollBar()
{
    const int nRows = RowCount();
    m_pScroll->SetScrollbar(m_nTop, m_nPage, std::max(nRows, 1), std::max(m_nPage - 1, 1));
    m_pScroll->Enable(nRows > m_nPage);
}

void CReportListCtrl::ScrollTo(int nTop)
{
    nTop = std::clamp(nTop, 0, std::max(RowCount() - m_nPage, 0));
    if (nTop == m_nTop)
        return;
    m_nTop = nTop;
    RefreshShownRows(true);
    ShowSelection();
    UpdateScrollBar();
}

void CReportListCtrl::ScrollIntoView(int nRow)
{
    if (nRow < m_nTop)
        ScrollTo(nRow);
    else if (nRow >= m_nTop + m_nPage)
        ScrollTo(nRow - m_nPage + 1);
}

void CReportListCtrl::MeasurePage()
{
    GtkTreeView* pTree = TreeView(m_pView);
    if (!gtk_widget_get_realized(GTK_WIDGET(pTree)))
        return;
    GdkRectangle visible{};
    gtk_tree_view_get_visible_rect(pTree, &visible);
    int nRowHeight = 0;
    if (m_nShown > 0) {
        GtkTreePath* pPath = gtk_tree_path_new_first();
        GdkRectangle row{};
        gtk_tree_view_get_background_area(pTree, pPath, nullptr, &row);
        gtk_tree_path_free(pPath);
        nRowHeight = row.height;
    }
    if (nRowHeight <= 0 || visible.height <= 0)
        return; // known once a row is laid out
    const int nPage = std::max(visible.height / nRowHeight, 1);
    if (nPage == m_nPage)
        return;
    m_nPage = nPage;
    SyncRows();
}

// --- The user's input ----------------------------------------------------------

void CReportListCtrl::Choose(int nRow)
{
    if (m_fnSelect)
        m_fnSelect(nRow);
}

bool CReportListCtrl::OnTableButton(int nShownRow, bool bDouble)
{
    if (m_bDetached)
        return false;
    const int nRow = m_nTop + nShownRow;
    if (nRow < 0 || nRow >= RowCount())
        return false;
    if (bDouble) {
        if (m_fnActivate)
            m_fnActivate(nRow);
    } else {
        Choose(nRow);
    }
    return true;
}

bool CReportListCtrl::OnTableKey(unsigned nKeyval)
{
    if (m_bDetached)
        return false;
    const int nRows = RowCount();
    const int nSel = m_state.m_nSelection;
    const bool bSelShown = nSel >= m_nTop && nSel < m_nTop + m_nShown;
    const int nLastShown = m_nTop + std::max(m_nShown, 1) - 1;
    int nTarget = 0;
    switch (nKeyval) {
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up:
        nTarget = nSel < 0 ? m_nTop : nSel - 1;
        break;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down:
        nTarget = nSel < 0 ? m_nTop : nSel + 1;
        break;
    case GDK_KEY_Page_Up:
    case GDK_KEY_KP_Page_Up:
        // First to the top of the rows shown, then a page further.
        nTarget = bSelShown && nSel != m_nTop ? m_nTop : (nSel < 0 ? m_nTop : nSel - std::max(m_nPage - 1, 1));
        break;
    case GDK_KEY_Page_Down:
    case GDK_KEY_KP_Page_Down:
        nTarget = bSelShown && nSel != nLastShown ? nLastShown
                                                  : (nSel < 0 ? nLastShown : nSel + std::max(m_nPage - 1, 1));
        break;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home:
        nTarget = 0;
        break;
    case GDK_KEY_End:
    case GDK_KEY_KP_End:
        nTarget = nRows - 1;
        break;
    default:
        return false;
    }
    if (nRows == 0)
        return true;
    nTarget = std::clamp(nTarget, 0, nRows - 1);
    ScrollIntoView(nTarget);
    if (nTarget != nSel)
        Choose(nTarget);
    return true;
}

bool CReportListCtrl::OnTableScroll(int nRows)
{
    if (m_bDetached)
        return false;
    ScrollTo(m_nTop + nRows);
    return true;
}

void CReportListCtrl::OnTableResized()
{
    // Measured once the toolkit has finished laying the table out.
    if (m_bDetached || m_bMeasurePending)
        return;
    m_bMeasurePending = true;
    CallAfter([this] {
        m_bMeasurePending = false;
        if (!m_bDetached)
            MeasurePage();
    });
}

void CReportListCtrl::OnScrollBar(wxScrollEvent& event)
{
    if (!m_bDetached)
        ScrollTo(event.GetPosition());
}

// --- Queries -------------------------------------------------------------------

std::vector<int> CReportListCtrl::MeasureTexts(const std::vector<std::string>& texts) const
{
    std::vector<int> widths;
    widths.reserve(texts.size());
    PangoLayout* pLayout = gtk_widget_create_pango_layout(GTK_WIDGET(TreeView(m_pView)), nullptr);
    for (const std::string& strText : texts) {
        const std::string strShown = ToDisplayUtf8(strText);
        pango_layout_set_text(pLayout, strShown.data(), static_cast<int>(strShown.size()));
        int nWidth = 0;
        pango_layout_get_pixel_size(pLayout, &nWidth, nullptr);
        widths.push_back(nWidth);
    }
    g_object_unref(pLayout);
    return widths;
}

wxRect CReportListCtrl::GetRowRect(int nRow) const
{
    if (m_bMeasurePending || nRow < m_nTop || nRow >= m_nTop + m_nShown)
        return {};
    GtkTreeView* pTree = TreeView(m_pView);
    if (!gtk_widget_get_mapped(GTK_WIDGET(pTree)))
        return {};
    GtkTreePath* pPath = gtk_tree_path_new_from_indices(nRow - m_nTop, -1);
    GdkRectangle area{};
    gtk_tree_view_get_background_area(pTree, pPath, nullptr, &area);
    gtk_tree_path_free(pPath);
    // A row the table has yet to lay out (just after it was refilled) is
    // not found at its place: not shown yet.
    GtkTreePath* pFound = nullptr;
    const bool bFound = area.height > 0 && gtk_tree_view_get_path_at_pos(pTree, 1, area.y + area.height / 2, &pFound,
                                                                         nullptr, nullptr, nullptr);
    const bool bThere = bFound && gtk_tree_path_get_indices(pFound)[0] == nRow - m_nTop;
    if (pFound)
        gtk_tree_path_free(pFound);
    if (!bThere)
        return {};
    int x = 0;
    int y = 0;
    gtk_tree_view_convert_bin_window_to_widget_coords(pTree, area.x, area.y, &x, &y);
    int nLeft = 0;
    int nTop = 0;
    gtk_widget_translate_coordinates(GTK_WIDGET(pTree), static_cast<GtkWidget*>(GetHandle()), x, y, &nLeft, &nTop);
    // A row spans the width shown (the area of no one column has none).
    GdkRectangle visible{};
    gtk_tree_view_get_visible_rect(pTree, &visible);
    return wxRect(nLeft, nTop, visible.width, area.height);
}
