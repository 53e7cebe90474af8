#pragma once
// Builds the section names of the log records: "C0", "C0M3", "C0M3K1".
#include <cstdint>
#include <string_view>

// A record count above this in the log is damage, not a real log.
inline constexpr std::int32_t kMaxRecordCount = 100000;
// Records a whole log may hold, so that a damaged file cannot fill memory.
inline constexpr std::int64_t kMaxLogRecords = 1000000;

class RecordKey {
public:
    explicit RecordKey(std::int32_t nCareer, std::int32_t nMission = -1, std::int32_t nKill = -1)
        : m_nKill(nKill), m_nMission(nMission), m_nCareer(nCareer) {}

    void SetListLetter(char cList) { m_cList = cList; }  // 'K', 'H' or 'M'
    void SetMission(std::int32_t nMission) { m_nMission = nMission; }
    void SetKill(std::int32_t nKill) { m_nKill = nKill; }

    char GetListLetter() const { return m_cList; }
    std::int32_t GetCareer() const { return m_nCareer; }
    std::int32_t GetMission() const { return m_nMission; }
    std::int32_t GetKill() const { return m_nKill; }

    // Fills the name from the indices and returns it (good while the key
    // lives and until the next call).
    std::string_view FormatSectionName();
    std::string_view GetName() const { return {m_szName, m_nNameLength}; }

private:
    char m_cCareer = 'C';
    char m_cList = 'K';
    char m_cMission = 'M';
    std::int32_t m_nKill = -1;
    std::int32_t m_nMission = -1;
    std::int32_t m_nCareer = 0;
    char m_szName[48] = {}; // 'C', 'M' and a letter, each with up to 11 characters of number
    std::size_t m_nNameLength = 0;
    // The career and mission of the name up to its kill part, when it has
    // one: the records of a list then change only that part.
    std::size_t m_nKillPart = 0;
    std::int32_t m_nNamedCareer = -1;
    std::int32_t m_nNamedMission = -1;
};
