#pragma once
// The state of one control of an open dialog. The dialog owns one per
// control of its template; the program changes it through CDialog, the
// host reads it to draw and reports the user's input back through the
// dialog's User... entry points.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/dialog_template.h"

// Column alignment of a report list.
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;

struct CListColumn {
    std::string m_strHeading;
    int m_nFormat = LVCFMT_LEFT;
    int m_nWidth = -1; // pixels; -1: not set
};

// A row of a list box, drop-down list or report list: the texts of its
// columns (lists use the first only) and the program's item data.
struct CListRow {
    std::vector<std::string> m_texts;
    std::intptr_t m_nData = 0;
};

// The rows of a report list that the dialog keeps itself (owner data): the
// list holds only their number and asks for what it shows, one cell at a
// time, so that a long table costs what its visible rows cost. nId is the
// list's control id.
class CListRowSource {
public:
    virtual std::string GetCellText(int nId, int nRow, int nColumn) const = 0;
    virtual std::intptr_t GetRowData(int nId, int nRow) const = 0;

protected:
    ~CListRowSource() = default;
};

struct CControlState {
    const CControlTemplate* m_pTemplate = nullptr; // kind, id, place, style
    std::string m_strText;  // edit text (line breaks CR LF), label
    int m_nCheck = 0;       // check box and radio button: 1 ticked
    bool m_bEnabled = true;
    bool m_bVisible = true;
    std::vector<CListRow> m_rows;       // lists
    std::vector<CListColumn> m_columns; // report list
    int m_nSelection = -1;              // selected row, -1: none
    int m_nTopIndex = 0;                // list box: first visible row
    int m_nBitmapId = 0;                // picture: built-in bitmap shown, 0: none
    std::unique_ptr<CBitmap> m_pBitmap; // picture: loaded bitmap shown instead
    const CListRowSource* m_pRowSource = nullptr; // report list: rows kept by the dialog, not owned
    int m_nSourceRows = 0;                        // their number

    EControlKind GetKind() const { return m_pTemplate->m_eKind; }
    int GetId() const { return m_pTemplate->m_nId; }
    unsigned GetStyle() const { return m_pTemplate->m_nStyle; }
    bool HasStyle(unsigned nStyle) const { return (m_pTemplate->m_nStyle & nStyle) != 0; }
    bool IsList() const;    // drop-down list, list box or report list
    bool IsButton() const;  // push button, check box or radio button
    bool CanTakeFocus() const; // not a label, frame or picture

    // Rows of a list, stored or kept by the dialog alike.
    int GetRowCount() const;
    std::string GetCellText(int nRow, int nColumn) const; // "" out of range
    std::intptr_t GetRowData(int nRow) const;             // 0 out of range
};

// What the program changed, as told to the host.
enum class EChange {
    Text,       // m_strText
    Check,      // m_nCheck
    Enable,     // m_bEnabled
    Show,       // m_bVisible
    Selection,  // m_nSelection
    TopIndex,   // m_nTopIndex
    Picture,    // m_nBitmapId / m_pBitmap
    Columns,    // m_columns (headings, widths)
    RowsReset,  // every row replaced (nIndex -1)
    RowInserted,// row nIndex inserted
    RowChanged, // row nIndex changed (a text or its data)
    RowDeleted, // row nIndex removed
};

enum class EDialogChange {
    Caption, // GetWindowText
    Icon,    // GetIconId
    Focus,   // GetFocusId
    Ended,   // EndDialog was called: the host leaves its modal loop
};
