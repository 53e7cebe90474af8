#pragma once
// The texts the debrief viewer shows for the fields of an event, one column
// per field. Each text depends on one number taken from the event (its key),
// so texts and their widths can be made once per distinct key.
#include <cstdint>
#include <string>

#include "debrief/debrief_event.h"

inline constexpr int kEventColumns = 9;

// Column headings, in column order: "Time", "Status", "Country", "Byte1",
// "Byte2", "Byte3", "Shape", "Object", "Parent".
extern const char* const kEventColumnHeadings[kEventColumns];

// What a column's key stands for; columns of one kind share their texts.
enum class EEventTextKind {
    Time,   // seconds of the mission clock, "%D-%H:%M:%S"
    Status, // the known status flags, as their keywords in bit order
    Side,   // a country number, as its side name
    Number, // a field shown in decimal
    Shape,  // a shape number, as its shape name
};
inline constexpr int kEventTextKinds = 5;

EEventTextKind GetEventTextKind(int nColumn);
// Keys of a kind stay below this bound (0: no bound).
std::uint32_t GetEventKeyBound(EEventTextKind eKind);

// The key of the event's field shown in nColumn (0 for a column out of range).
std::uint32_t GetEventKey(const DebriefEvent& event, int nColumn);
// The text of a key.
std::string FormatEventKey(EEventTextKind eKind, std::uint32_t nKey);
// The text of the event's field shown in nColumn ("" out of range).
std::string FormatEventField(const DebriefEvent& event, int nColumn);
