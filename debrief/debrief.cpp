// CDebrief: loading a debrief file and answering queries about its events.
#include "debrief/debrief.h"

#include "platform/huge_pages.h"
#include "platform/message_box.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cerrno>
#include <functional>
#include <iterator>
#include <memory>
#include <new>

namespace {

// File layout.
constexpr std::size_t kHeaderOffset = 0;
constexpr std::size_t kMissionOffset = 6;
constexpr std::size_t kTitleLengthOffset = 45;
constexpr std::size_t kTitleOffset = 47;
constexpr std::size_t kAfterTitleSkip = 6;
constexpr std::size_t kBaseTimeInMission = 2;

constexpr std::uint32_t kNone = 0xFFFFFFFF;

std::uint16_t ReadU16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

[[maybe_unused]] DebriefEvent ReadEvent(const std::uint8_t* p)
{
    DebriefEvent event;
    event.time = ReadU32(p);
    event.status = ReadU16(p + 4);
    event.country = p[6];
    event.byte1 = p[7];
    event.byte2 = p[8];
    event.byte3 = p[9];
    event.shape = ReadU16(p + 10);
    event.object = ReadU16(p + 12);
    event.parent = ReadU16(p + 14);
    return event;
}

// Copies what the file holds of [offset, offset + size) to the front of out.
template <std::size_t N>
void CopyBytes(const std::vector<std::uint8_t>& bytes, std::size_t offset,
               std::array<std::uint8_t, N>& out)
{
    if (offset >= bytes.size())
        return;
    const std::size_t n = std::min(N, bytes.size() - offset);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, out.begin());
}

void ReportOpenFailure(const std::string& strPath, int nError)
{
    AfxMessageBox("Could not open file " + strPath + "\nError code is " +
                      std::to_string(static_cast<unsigned>(nError)),
                  MB_OK | MB_ICONEXCLAMATION);
}

struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

// Reads into [p, p + nSize) until it is full or the file ends: the bytes
// read, or -1 with errno set.
std::int64_t ReadUpTo(int fd, void* p, std::size_t nSize)
{
    std::size_t nDone = 0;
    while (nDone < nSize) {
        const ssize_t nGot = ::read(fd, static_cast<char*>(p) + nDone, nSize - nDone);
        if (nGot < 0 && errno == EINTR)
            continue;
        if (nGot < 0)
            return -1;
        if (nGot == 0)
            break;
        nDone += static_cast<std::size_t>(nGot);
    }
    return static_cast<std::int64_t>(nDone);
}

// The records are read straight into the events: the file's layout is the
// structure's, little-endian.
static_assert(sizeof(DebriefEvent) == kDebriefEventSize && offsetof(DebriefEvent, status) == 4 &&
              offsetof(DebriefEvent, country) == 6 && offsetof(DebriefEvent, shape) == 10 &&
              offsetof(DebriefEvent, object) == 12 && offsetof(DebriefEvent, parent) == 14);

// Counting sort of the record numbers by the slot of their key: start[s] ..
// start[s + 1] is the run of records whose key has slot s, in file order.
template <typename KeyOf, typename Include>
void BuildRuns(const std::vector<DebriefEvent>& events, const CIdSlots& slots, KeyOf keyOf, Include include,
               std::vector<std::uint32_t>& start, std::vector<std::uint32_t>& index)
{
    const std::uint32_t nSlots = slots.TableSize();
    start.assign(nSlots + 1, 0);
    for (const DebriefEvent& event : events)
        if (include(event))
            ++start[slots.Of(keyOf(event)) + 1];
    for (std::size_t k = 0; k < nSlots; ++k)
        start[k + 1] += start[k];
    index.resize(start[nSlots]);
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::uint32_t i = 0; i < events.size(); ++i)
        if (include(events[i]))
            index[next[slots.Of(keyOf(events[i]))]++] = i;
}

} // namespace

CDebrief::CDebrief() : m_timeFile(CTime::GetCurrentTime()) {}

bool CDebrief::Open(const std::string& strPath)
{
    try {
        if (!ReadFile(strPath))
            return false;
        BuildIndex();
    } catch (const std::bad_alloc&) {
        Clear();
        ReportOpenFailure(strPath, ENOMEM);
        return false;
    }
    return m_nEvents > 0;
}

bool CDebrief::ReadFile(const std::string& strPath)
{
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        ReportOpenFailure(strPath, errno);
        return false;
    }
    const FdCloser closer{fd};
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        ReportOpenFailure(strPath, errno);
        return false;
    }
    // Opening a directory succeeds here; reading it would not.
    if (S_ISDIR(info.st_mode)) {
        ReportOpenFailure(strPath, EISDIR);
        return false;
    }
    if (S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) > kMaxFileSize) {
        ReportOpenFailure(strPath, EFBIG);
        return false;
    }
    m_timeFile = CTime(static_cast<std::int64_t>(info.st_mtime));

    // The header, the mission block and the title: everything before the
    // first record, or the whole file when it ends sooner.
    std::vector<std::uint8_t> head(kTitleLengthOffset + 2);
    std::int64_t nGot = ReadUpTo(fd, head.data(), head.size());
    std::size_t nFirst = kTitleOffset + kAfterTitleSkip;
    if (nGot == static_cast<std::int64_t>(head.size())) {
        nFirst += ReadU16(head.data() + kTitleLengthOffset);
        head.resize(nFirst);
        const std::int64_t nMore = ReadUpTo(fd, head.data() + kTitleOffset, nFirst - kTitleOffset);
        nGot = nMore < 0 ? nMore : nGot + nMore;
    }
    if (nGot < 0) {
        ReportOpenFailure(strPath, errno != 0 ? errno : EIO);
        return false;
    }
    head.resize(static_cast<std::size_t>(nGot));
    ParseHead(head);

    // Records run to the end of the file; a trailing piece is dropped. One
    // record more than the size holds, so that one read reaches the end; the
    // size may have changed since fstat, and other kinds of file have none.
    std::vector<DebriefEvent> events;
    std::size_t nBytes = 0;
    if (head.size() == nFirst) {
        // The room of a regular file's records first, so that a small file
        // costs no large buffer.
        constexpr std::size_t kChunk = (1 << 20) / kDebriefEventSize;
        std::size_t nWant = kChunk;
        if (S_ISREG(info.st_mode))
            nWant = (static_cast<std::uint64_t>(info.st_size) > nFirst
                         ? (static_cast<std::size_t>(info.st_size) - nFirst) / kDebriefEventSize
                         : 0) +
                    1;
        for (;;) {
            if (nBytes == events.size() * kDebriefEventSize) {
                events.reserve(events.size() + nWant);
                AdviseHugePages(events.data(), events.capacity() * kDebriefEventSize);
                events.resize(events.size() + nWant);
                nWant = std::max(kChunk, events.size() / 2);
            }
            const std::int64_t nRead = ReadUpTo(fd, reinterpret_cast<char*>(events.data()) + nBytes,
                                                events.size() * kDebriefEventSize - nBytes);
            if (nRead < 0) {
                ReportOpenFailure(strPath, errno != 0 ? errno : EIO);
                return false;
            }
            nBytes += static_cast<std::size_t>(nRead);
            if (nFirst + nBytes > kMaxFileSize) {
                ReportOpenFailure(strPath, EFBIG);
                return false;
            }
            if (nBytes < events.size() * kDebriefEventSize)
                break;
        }
    }
    events.resize(nBytes / kDebriefEventSize);
    if constexpr (std::endian::native != std::endian::little)
        for (DebriefEvent& event : events)
            event = ReadEvent(reinterpret_cast<const std::uint8_t*>(&event));
    m_pEvents = std::move(events);
    m_nEvents = static_cast<std::uint32_t>(m_pEvents.size());
    return true;
}

void CDebrief::ParseHead(const std::vector<std::uint8_t>& bytes)
{
    CopyBytes(bytes, kHeaderOffset, m_header);
    CopyBytes(bytes, kMissionOffset, m_mission);

    std::size_t nTitleLength = 0;
    if (bytes.size() >= kTitleLengthOffset + 2)
        nTitleLength = ReadU16(bytes.data() + kTitleLengthOffset);

    // The title ends at its first zero byte or where the file ends.
    std::string strTitle;
    if (bytes.size() > kTitleOffset) {
        const auto first = bytes.begin() + kTitleOffset;
        const auto last = first + static_cast<std::ptrdiff_t>(
                                      std::min(nTitleLength, bytes.size() - kTitleOffset));
        strTitle.assign(first, std::find(first, last, std::uint8_t{0}));
    }
    m_strTitle = std::move(strTitle);
}

void CDebrief::BuildIndex()
{
    m_objectStart = {};
    m_objectIndex = {};
    m_bObjectsIndexed = false;
    m_nObjectQueries = 0;
    m_slots.Assign(m_pEvents);
    m_firstRecord.assign(m_slots.TableSize(), kNone);
    m_struckItself.assign(m_slots.TableSize(), false);
    for (std::uint32_t i = 0; i < m_pEvents.size(); ++i) {
        const DebriefEvent& event = m_pEvents[i];
        const std::uint32_t nSlot = m_slots.Of(event.object);
        if (m_firstRecord[nSlot] == kNone)
            m_firstRecord[nSlot] = i;
        if (event.parent == event.object && HasAnyFlag(event, EVENT_STRUCK))
            m_struckItself[nSlot] = true;
    }
    BuildRuns(
        m_pEvents, m_slots, [](const DebriefEvent& e) { return e.parent; },
        [](const DebriefEvent& e) { return e.parent != e.object; }, m_childStart, m_childIndex);

    // A run of records without a time takes the mean of the nearest timed
    // records on either side (the base time standing in before the first).
    m_untimedRuns.clear();
    std::uint32_t nBefore = GetBaseTime();
    for (std::size_t i = 0; i < m_pEvents.size();) {
        if (m_pEvents[i].time != 0) {
            nBefore = m_pEvents[i++].time;
            continue;
        }
        const std::size_t nFirst = i;
        while (i < m_pEvents.size() && m_pEvents[i].time == 0)
            ++i;
        const std::uint32_t nAfter = i < m_pEvents.size() ? m_pEvents[i].time : nBefore;
        const std::uint32_t nValue = nBefore == nAfter ? nBefore : nBefore / 2 + nAfter / 2;
        m_untimedRuns.push_back({static_cast<std::uint32_t>(nFirst), static_cast<std::int32_t>(nValue / 16)});
    }

    m_firstVictim.assign(m_slots.TableSize(), kNone);
    for (const DebriefEvent& event : m_pEvents)
        if (HasAnyFlag(event, EVENT_STRUCK)) {
            std::uint32_t& nVictim = m_firstVictim[m_slots.Of(event.parent)];
            if (nVictim == kNone)
                nVictim = event.object;
        }
}

void CDebrief::Clear()
{
    m_nEvents = 0;
    m_pEvents = {};
    m_objectStart = {};
    m_objectIndex = {};
    m_bObjectsIndexed = false;
    m_nObjectQueries = 0;
    m_childStart = {};
    m_childIndex = {};
    m_firstRecord = {};
    m_struckItself = {};
    m_untimedRuns = {};
    m_firstVictim = {};
    m_slots = {};
}

std::string CDebrief::GetTitle() const
{
    return m_strTitle ? *m_strTitle : std::string("No Title");
}

std::uint32_t CDebrief::GetBaseTime() const
{
    return ReadU32(m_mission.data() + kBaseTimeInMission);
}

const DebriefEvent* CDebrief::GetLastEvent() const
{
    return m_pEvents.empty() ? nullptr : &m_pEvents.back();
}

CTimeSpan CDebrief::GetEventTime(const DebriefEvent* pEvent) const
{
    if (pEvent == nullptr)
        return 0;
    if (pEvent->time != 0)
        return static_cast<std::int32_t>(pEvent->time / 16);
    const std::less<const DebriefEvent*> less;
    const DebriefEvent* pBegin = m_pEvents.data();
    const DebriefEvent* pEnd = pBegin + m_pEvents.size();
    if (m_pEvents.empty() || less(pEvent, pBegin) || !less(pEvent, pEnd))
        return 0;
    CTimeCursor cursor;
    return UntimedRecordTime(static_cast<std::uint32_t>(pEvent - pBegin), cursor);
}

CTimeSpan CDebrief::UntimedRecordTime(std::uint32_t nRecord, CTimeCursor& cursor) const
{
    // The last run that starts at or before the record holds it: mostly the
    // run found last, or the next one, when records are asked for in order.
    const auto holds = [&](std::size_t nRun) {
        return m_untimedRuns[nRun].nFirst <= nRecord &&
               (nRun + 1 == m_untimedRuns.size() || m_untimedRuns[nRun + 1].nFirst > nRecord);
    };
    for (const std::size_t nRun : {cursor.nRun, cursor.nRun + 1})
        if (nRun < m_untimedRuns.size() && holds(nRun)) {
            cursor.nRun = nRun;
            return m_untimedRuns[nRun].nSeconds;
        }
    const auto it = std::upper_bound(m_untimedRuns.begin(), m_untimedRuns.end(), nRecord,
                                     [](std::uint32_t n, const CUntimedRun& run) { return n < run.nFirst; });
    if (it == m_untimedRuns.begin())
        return CTimeSpan();
    cursor.nRun = static_cast<std::size_t>(it - m_untimedRuns.begin()) - 1;
    return std::prev(it)->nSeconds;
}

void CDebrief::IndexObjects() const
{
    if (AreObjectsIndexed())
        return;
    const std::lock_guard lock(m_objectIndexLock);
    if (m_bObjectsIndexed.load(std::memory_order_relaxed))
        return;
    BuildRuns(
        m_pEvents, m_slots, [](const DebriefEvent& e) { return e.object; }, [](const DebriefEvent&) { return true; },
        m_objectStart, m_objectIndex);
    m_bObjectsIndexed.store(true, std::memory_order_release);
}

std::span<const std::uint32_t> CDebrief::ObjectRecords(std::uint16_t nId) const
{
    if (m_childStart.empty())
        return {};
    IndexObjects();
    const std::uint32_t nSlot = m_slots.Of(nId);
    return {m_objectIndex.data() + m_objectStart[nSlot], m_objectStart[nSlot + 1] - m_objectStart[nSlot]};
}

std::span<const std::uint32_t> CDebrief::ChildRecords(std::uint16_t nId) const
{
    if (m_childStart.empty())
        return {};
    const std::uint32_t nSlot = m_slots.Of(nId);
    return {m_childIndex.data() + m_childStart[nSlot], m_childStart[nSlot + 1] - m_childStart[nSlot]};
}

void CDebrief::GetObjectEvents(std::uint16_t nId, DebriefEventList& list) const
{
    list.clear();
    if (nId == 0)
        return;
    if (nId == kNoObject) {
        list.reserve(m_pEvents.size());
        for (const DebriefEvent& event : m_pEvents)
            list.push_back(&event);
        return;
    }
    if (m_childStart.empty())
        return;
    // One object's events by a look at every record; an index once they are
    // asked for again.
    if (!AreObjectsIndexed() && m_nObjectQueries.fetch_add(1, std::memory_order_relaxed) == 0) {
        for (std::uint32_t i = m_firstRecord[m_slots.Of(nId)]; i < m_pEvents.size(); ++i)
            if (m_pEvents[i].object == nId)
                list.push_back(&m_pEvents[i]);
        return;
    }
    for (const std::uint32_t nRecord : ObjectRecords(nId))
        list.push_back(&m_pEvents[nRecord]);
}

void CDebrief::GetChildEvents(std::uint16_t nId, DebriefEventList& list) const
{
    list.clear();
    const std::span<const std::uint32_t> records = ChildRecords(nId);
    list.reserve(records.size());
    for (const std::uint32_t nRecord : records)
        list.push_back(&m_pEvents[nRecord]);
}

std::uint16_t CDebrief::FindPlayer() const
{
    for (const DebriefEvent& event : m_pEvents) {
        const bool bPlayerShape =
            event.shape == 68 || event.shape == 255 || (event.shape >= 335 && event.shape <= 360);
        if (event.time == 0 && event.status == EVENT_ENTRY && bPlayerShape &&
            event.object == event.parent && event.byte2 == BYTE2_PLAYER)
            return event.object;
    }
    return kNoObject;
}

std::uint8_t CDebrief::GetObjectSide(std::uint16_t nId) const
{
    if (nId == 0 || m_pEvents.empty())
        return 0;
    const DebriefEvent* pFirst = GetFirstObjectEvent(nId);
    return pFirst != nullptr ? pFirst->country : 0;
}

const DebriefEvent* CDebrief::GetFirstObjectEvent(std::uint16_t nId) const
{
    if (nId == 0 || m_pEvents.empty())
        return nullptr;
    if (nId == kNoObject)
        return &m_pEvents.front();
    const std::uint32_t nRecord = m_firstRecord[m_slots.Of(nId)];
    return nRecord == kNone ? nullptr : &m_pEvents[nRecord];
}

bool CDebrief::HasStruck(std::uint16_t nCause, std::uint16_t nVictim) const
{
    if (m_childStart.empty())
        return false;
    // Records of an object about itself are not among its child events.
    if (nCause == nVictim)
        return m_struckItself[m_slots.Of(nCause)];
    auto struck = [&](std::uint32_t i) {
        const DebriefEvent& event = m_pEvents[i];
        return event.object == nVictim && event.parent == nCause && HasAnyFlag(event, EVENT_STRUCK);
    };
    const std::span<const std::uint32_t> children = ChildRecords(nCause);
    // With the events of each object indexed, the shorter run is scanned.
    const std::uint32_t nVictimSlot = m_slots.Of(nVictim);
    if (AreObjectsIndexed() && m_objectStart[nVictimSlot + 1] - m_objectStart[nVictimSlot] < children.size()) {
        const std::span<const std::uint32_t> own = ObjectRecords(nVictim);
        return std::any_of(own.begin(), own.end(), struck);
    }
    return std::any_of(children.begin(), children.end(), struck);
}

std::uint16_t CDebrief::GetFirstVictim(std::uint16_t nCause) const
{
    if (m_firstVictim.empty())
        return kNoObject;
    const std::uint32_t nVictim = m_firstVictim[m_slots.Of(nCause)];
    return nVictim == kNone ? kNoObject : static_cast<std::uint16_t>(nVictim);
}
