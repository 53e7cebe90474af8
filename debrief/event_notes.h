#pragma once
// The event notes: a timed account of the flight written into a mission's
// comments, one line per release, hit on the player's aircraft or loss.
#include "debrief/notes_text.h"
#include "log/time_value.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CDebrief;

// One note line with two places, for the count and for the plural ending.
// The places are kept apart from the text, so nothing in a name is ever
// taken for a place.
class CNotePattern {
public:
    CNotePattern() = default;
    // A line without places: the count changes nothing.
    static CNotePattern Plain(std::string strText);
    // strHead, the count, strMiddle, the plural ending, strTail.
    static CNotePattern Counted(std::string strHead, std::string strMiddle, std::string strTail = {});

    // Makes this Counted(strHead, strMiddle) in place, keeping the room of
    // its texts.
    void SetCounted(std::string_view strHead, std::string_view strMiddle);

    // Appends text after the places.
    CNotePattern& operator+=(std::string_view text)
    {
        m_strTail += text;
        return *this;
    }

    // The line for a count: with 2 or more the count and a blank go in the
    // first place and "s" in the second, otherwise both stay empty.
    std::string Fill(int nCount) const;
    // Appends Fill(nCount) to the text.
    void AppendTo(std::string& strText, int nCount) const;
    void AppendTo(CNotesText& text, int nCount) const;
    // Characters after the places.
    std::size_t TailSize() const { return m_strTail.size(); }

private:
    template <typename Text>
    void Put(Text& text, int nCount) const;

    bool m_bPlaces = false;
    std::string m_strHead;
    std::string m_strMiddle;
    std::string m_strTail;
};

// Appends the time as "hh:mm:ss", a tab, and the filled pattern.
void WriteNote(std::string& strNotes, CTimeSpan tsTime, int nCount, const CNotePattern& pattern);
void WriteNote(CNotesText& notes, CTimeSpan tsTime, int nCount, const CNotePattern& pattern);

// Appends what the weapon nWeapon did: ", Missed" without any effect, else
// ", Hit <target>" or ", Killed <target>" for each hit or destruction (a
// destruction the kill filter refuses is a hit on the "<target> wreckage").
void DescribeOutcome(const CDebrief& debrief, std::uint16_t nWeapon, std::string& strText);

// Appends the notes of the whole debrief for the aircraft nPlayer. Gun
// bursts and rapid series of hits on the aircraft become one line with a
// count. Stops early only for a file whose notes would grow beyond reason.
void AppendEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, std::string& strNotes);
// The same into a text in blocks, for notes that may run long.
void AppendEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, CNotesText& notes);
// The same with the player's records (FindObjectRecords) already at hand.
void AppendEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, std::span<const std::uint32_t> playerRecords,
                      CNotesText& notes);

// The records whose object is nId, in file order, by a look at every record
// from the object's first: one question needs no index.
std::vector<std::uint32_t> FindObjectRecords(const CDebrief& debrief, std::uint16_t nId);
