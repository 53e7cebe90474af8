#pragma once
// A debrief file loaded into memory: its header, title and event journal, and
// the queries the analysis asks of it.
#include "debrief/debrief_event.h"
#include "debrief/id_slots.h"
#include "log/time_value.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

using DebriefEventList = std::vector<const DebriefEvent*>;

// Once opened, a debrief may be asked its const queries from several
// threads at once.
class CDebrief {
public:
    // Larger files are refused: a debrief of this size would already hold
    // tens of millions of events.
    static constexpr std::uint64_t kMaxFileSize = 512ull * 1024 * 1024;

    CDebrief();
    CDebrief(const CDebrief&) = delete;
    CDebrief& operator=(const CDebrief&) = delete;

    // Loads the file once. True when at least one complete event record was
    // read. When the file cannot be opened or read, shows "Could not open
    // file <path>\nError code is <errno>" and returns false; a file without
    // any complete record returns false silently.
    bool Open(const std::string& strPath);

    // The title as read (up to its first zero byte), or "No Title" when no
    // file was loaded.
    std::string GetTitle() const;

    // Time of the event in whole seconds. A record without a time of its own
    // takes the mean of the nearest timed records before and after it (the
    // base time standing in before the first one). 0 for null or for an event
    // that is not one of this debrief's.
    CTimeSpan GetEventTime(const DebriefEvent* pEvent) const;

    // Every event of the object, in file order; id 0 gives none, kNoObject
    // every event of the file.
    void GetObjectEvents(std::uint16_t nId, DebriefEventList& list) const;
    // Every event whose parent is id and whose object is not: what id released
    // and the hits and destructions it caused, in file order.
    void GetChildEvents(std::uint16_t nId, DebriefEventList& list) const;

    // The object of the record that adds the player's own aircraft, or kNoObject.
    std::uint16_t FindPlayer() const;
    // Country of the object's first event, 0 when it has none.
    std::uint8_t GetObjectSide(std::uint16_t nId) const;
    // The first event GetObjectEvents lists, or nullptr.
    const DebriefEvent* GetFirstObjectEvent(std::uint16_t nId) const;
    // Whether cause hit, destroyed or killed victim.
    bool HasStruck(std::uint16_t nCause, std::uint16_t nVictim) const;
    // Object of the first event that cause hit, destroyed or killed, or kNoObject.
    std::uint16_t GetFirstVictim(std::uint16_t nCause) const;

    // The same answers by record number (the index in m_pEvents), without
    // lists: the records whose object is id, and those whose parent is id and
    // whose object is not, in file order. Empty before a file was loaded.
    // The records by object are indexed when first asked for.
    std::span<const std::uint32_t> ObjectRecords(std::uint16_t nId) const;
    std::span<const std::uint32_t> ChildRecords(std::uint16_t nId) const;
    // Where a reader last found the time of a record without one: times
    // asked for in file order are then found without a search. Each reader
    // keeps its own.
    struct CTimeCursor {
        std::size_t nRun = 0;
    };
    // GetEventTime of the record nRecord (< m_nEvents).
    CTimeSpan GetRecordTime(std::uint32_t nRecord, CTimeCursor& cursor) const
    {
        const std::uint32_t nTime = m_pEvents[nRecord].time;
        return nTime != 0 ? CTimeSpan(static_cast<std::int32_t>(nTime / 16)) : UntimedRecordTime(nRecord, cursor);
    }

    // The dense numbers of the identifiers the events use, for tables kept
    // per identifier.
    const CIdSlots& IdSlots() const { return m_slots; }

    // The base time of the mission block, in sixteenths of a second.
    std::uint32_t GetBaseTime() const;
    // The last record of the file, or nullptr when none was loaded.
    const DebriefEvent* GetLastEvent() const;

    // As read from the file; read-only for callers (the queries rely on an
    // index built by Open).
    CTime m_timeFile;                       // last modification of the file
    std::uint32_t m_nEvents = 0;            // number of records loaded
    std::vector<DebriefEvent> m_pEvents;    // the records in file order
    std::array<std::uint8_t, 4> m_header{}; // file header
    std::array<std::uint8_t, 39> m_mission{}; // mission block; bytes 2-5 hold the base time

private:
    bool ReadFile(const std::string& strPath);
    void ParseHead(const std::vector<std::uint8_t>& bytes); // what comes before the records
    void BuildIndex();
    void Clear(); // drops the events and the index
    CTimeSpan UntimedRecordTime(std::uint32_t nRecord, CTimeCursor& cursor) const;

    std::optional<std::string> m_strTitle; // none until a file was loaded
    CIdSlots m_slots;

    // Index built once after loading, kept per slot of an id (IdSlots): for
    // each id, its child events are a run of record numbers in file order,
    // located through the offset table.
    // The events of each object are indexed the same way when they are asked
    // for more than once (mutable: an index of what is read-only, built
    // under the lock by whichever reader needs it first).
    void IndexObjects() const;
    bool AreObjectsIndexed() const { return m_bObjectsIndexed.load(std::memory_order_acquire); }
    mutable std::mutex m_objectIndexLock;
    mutable std::atomic<bool> m_bObjectsIndexed{false};
    mutable std::atomic<int> m_nObjectQueries{0};
    mutable std::vector<std::uint32_t> m_objectStart; // a slot table and one more
    mutable std::vector<std::uint32_t> m_objectIndex;
    std::vector<std::uint32_t> m_childStart; // a slot table and one more
    std::vector<std::uint32_t> m_childIndex;
    std::vector<std::uint32_t> m_firstRecord; // per object's slot, or kNone
    std::vector<bool> m_struckItself;         // per object's slot: an event where it struck itself
    // Each run of records without a time of their own shares one time: the
    // first record of every run and that time, in file order.
    struct CUntimedRun {
        std::uint32_t nFirst;
        std::int32_t nSeconds;
    };
    std::vector<CUntimedRun> m_untimedRuns;
    std::vector<std::uint32_t> m_firstVictim; // object per cause's slot, or kNone
};
