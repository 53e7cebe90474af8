#pragma once
// The debrief viewer: the raw event journal of a loaded debrief as a table,
// one row per event in file order (each row's item data its event number),
// with filters by object. It never changes the debrief.
//
// The table's rows are kept here as event numbers, their texts made when the
// list asks for them, so a debrief of a million events opens and refilters
// at once.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/event_column_widths.h"
#include "platform/dialog.h"

class CDebrief;

class CDebriefViewDlg : public CDialog, private CListRowSource {
public:
    CDebriefViewDlg();

    const CDebrief* m_pDebrief = nullptr; // set before DoModal; may be null
    int m_nFilter = 0;                    // 0 all events, 1 those of one object, 2 its child events

    // The text of the "Object ID" field as an object id: leading blanks,
    // a sign and the digits up to any other character (none: 0), taken as a
    // 16-bit value, so "-1" is 65535.
    static std::uint16_t ParseObjectId(const std::string& strText);

protected:
    bool OnInitDialog() override;
    const CHandlerTable* GetHandlers() const override;

private:
    void OnShowAll();
    void OnShowObject();
    void OnShowChildren();
    void OnClickEvents();
    void FillList();

    std::string GetCellText(int nId, int nRow, int nColumn) const override;
    std::intptr_t GetRowData(int nId, int nRow) const override;
    std::uint32_t EventOfRow(int nRow) const;

    bool m_bAllEvents = true;          // every event is shown, each on its own row
    std::vector<std::uint32_t> m_rows; // else the event number of each row
    CEventColumnWidths m_widths;
};
