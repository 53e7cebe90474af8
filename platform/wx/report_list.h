#pragma once
// The report list: the toolkit's own table (a tree view that assistive tools
// read row by row and cell by cell) holding only the rows that fit in it,
// from the scroll position on, with a scroll bar beside it that covers every
// row. The table asks for the texts of the rows it shows and nothing else,
// so a list of a million rows opens, scrolls and refills as fast as one of
// twenty. The rows come from the control's model (stored rows, or the
// dialog's own through its row source).
//
// What the table shows is the model's: a click on a row, a double-click and
// the arrow, page, Home and End keys are reported as the user's choice of a
// row, and the selection shown is the one the model then holds.
#include <functional>
#include <string>
#include <vector>

#include <wx/control.h>

#include "platform/control_state.h"

class wxDataViewCtrl;
class wxScrollBar;
class CReportRowsModel;

class CReportListCtrl : public wxControl {
public:
    CReportListCtrl(wxWindow* pParent, const wxPoint& pos, const wxSize& size, const CControlState& state);
    ~CReportListCtrl() override;

    // nRow: the row the user clicked or chose with a key; a double-click
    // (also) reports the row as activated.
    void SetInputHandlers(std::function<void(int nRow)> fnSelect, std::function<void(int nRow)> fnActivate);

    // Program changes: headings, alignment and widths; the rows (their
    // number or their texts; a list filled anew shows its first rows); the
    // selection, scrolled into view.
    void SyncColumns();
    void SyncRows(bool bFilledAnew = false);
    void SyncSelection();

    // Widths in pixels of texts as the table draws them.
    std::vector<int> MeasureTexts(const std::vector<std::string>& texts) const;

    // The control's model is going away: from now on the table shows no
    // rows and ignores the user's input, until the toolkit deletes it.
    void Detach();

    wxWindow* GetTable() const; // the window assistive tools name
    int GetTopRow() const { return m_nTop; }
    int GetPageRows() const { return m_nPage; }
    // The rectangle of row nRow in this window's pixels while it is shown
    // (empty otherwise, and while the table is yet to be measured after a
    // resize, which may refill it).
    wxRect GetRowRect(int nRow) const;

    bool AcceptsFocus() const override { return false; } // the table takes it

    // For the toolkit's callbacks.
    bool OnTableButton(int nShownRow, bool bDouble);
    bool OnTableKey(unsigned nKeyval);
    bool OnTableScroll(int nRows);
    void OnTableResized();
    bool IsApplying() const { return m_nApplying > 0; }

private:
    void OnSize(wxSizeEvent& event);
    void OnScrollBar(wxScrollEvent& event);
    void Place();
    int RowCount() const { return m_bDetached ? 0 : m_state.GetRowCount(); }
    int ShownCount() const;
    // Shows the rows from nTop on (limited to the rows there are).
    void ScrollTo(int nTop);
    // Scrolls the least needed for nRow to be shown whole.
    void ScrollIntoView(int nRow);
    void RefreshShownRows(bool bCountMayChange);
    void ShowSelection();
    void UpdateScrollBar();
    void MeasurePage();
    void Choose(int nRow);

    const CControlState& m_state;
    wxDataViewCtrl* m_pView = nullptr;
    wxScrollBar* m_pScroll = nullptr;
    CReportRowsModel* m_pModel = nullptr; // the view holds a reference
    std::function<void(int)> m_fnSelect;
    std::function<void(int)> m_fnActivate;
    int m_nTop = 0;      // first row shown
    int m_nPage = 1;     // rows that fit whole
    int m_nShown = 0;    // rows the table holds now
    int m_nApplying = 0; // >0 while this control changes the table itself
    bool m_bDetached = false;
    bool m_bMeasurePending = false; // a resize is still to be measured
};
