#pragma once
// The widest text of each column of the debrief viewer's table. Each distinct
// text is measured once for the life of the object, through the dialog as
// the table draws it, and a column is measured by the distinct texts it
// shows: refilling a table of a million rows measures only texts not seen
// before, and most columns have few.
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "debrief/debrief_event.h"
#include "dialogs/event_texts.h"

class CDialog;

class CEventColumnWidths {
public:
    // The widest text in pixels of each column over the rows shown: the
    // events numbered in pRows, or every event when pRows is null. 0 for the
    // columns of an empty table.
    std::array<int, kEventColumns> Measure(const CDialog& dlg, int nListId, const std::vector<DebriefEvent>& events,
                                           const std::vector<std::uint32_t>* pRows);

private:
    // Widths of the texts of one kind, by key: a table for the kinds whose
    // keys are few, a map for the times.
    struct CKnownWidths {
        std::vector<int> m_byKey; // -1: not measured yet
        std::unordered_map<std::uint32_t, int> m_byTime;
    };
    std::vector<std::uint32_t> DistinctKeys(const std::vector<DebriefEvent>& events,
                                            const std::vector<std::uint32_t>* pRows, int nColumn);
    int Widest(const CDialog& dlg, int nListId, EEventTextKind eKind, const std::vector<std::uint32_t>& keys);

    std::array<CKnownWidths, kEventTextKinds> m_known;
    std::vector<bool> m_seen; // scratch of DistinctKeys
};
