#include "dialogs/event_texts.h"

#include "debrief/shape_names.h"
#include "debrief/side_names.h"
#include "log/time_value.h"

const char* const kEventColumnHeadings[kEventColumns] = {"Time",  "Status", "Country", "Byte1", "Byte2",
                                                         "Byte3", "Shape",  "Object",  "Parent"};

namespace {
// Bits 0 to 10 carry the flags the viewer names; others show nothing.
constexpr std::uint32_t kKnownFlags = 0x7FF;
} // namespace

EEventTextKind GetEventTextKind(int nColumn)
{
    switch (nColumn) {
    case 0:
        return EEventTextKind::Time;
    case 1:
        return EEventTextKind::Status;
    case 2:
        return EEventTextKind::Side;
    case 6:
        return EEventTextKind::Shape;
    default:
        return EEventTextKind::Number;
    }
}

std::uint32_t GetEventKeyBound(EEventTextKind eKind)
{
    switch (eKind) {
    case EEventTextKind::Time:
        return 0;
    case EEventTextKind::Status:
        return kKnownFlags + 1;
    case EEventTextKind::Side:
        return 256;
    case EEventTextKind::Number:
    case EEventTextKind::Shape:
        return 65536;
    }
    return 0;
}

std::uint32_t GetEventKey(const DebriefEvent& event, int nColumn)
{
    switch (nColumn) {
    case 0:
        return event.time / 16; // whole seconds, truncated; 0 stays 0
    case 1:
        return event.status & kKnownFlags;
    case 2:
        return event.country;
    case 3:
        return event.byte1;
    case 4:
        return event.byte2;
    case 5:
        return event.byte3;
    case 6:
        return event.shape;
    case 7:
        return event.object;
    case 8:
        return event.parent;
    default:
        return 0;
    }
}

std::string FormatEventKey(EEventTextKind eKind, std::uint32_t nKey)
{
    switch (eKind) {
    case EEventTextKind::Time:
        // At most 2^28 seconds: the span never overflows.
        return FormatSpanText(CTimeSpan(static_cast<std::int32_t>(nKey)));
    case EEventTextKind::Status: {
        std::string strText;
        for (const EventFlagName& flag : kEventFlagNames)
            if (nKey & flag.nFlag)
                strText += flag.pszKeyword;
        return strText;
    }
    case EEventTextKind::Side:
        return SideName(nKey);
    case EEventTextKind::Number:
        return std::to_string(nKey);
    case EEventTextKind::Shape:
        return ShapeName(nKey);
    }
    return {};
}

std::string FormatEventField(const DebriefEvent& event, int nColumn)
{
    if (nColumn < 0 || nColumn >= kEventColumns)
        return {};
    return FormatEventKey(GetEventTextKind(nColumn), GetEventKey(event, nColumn));
}
