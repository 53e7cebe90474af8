#pragma once
// Builds the section names of the log records: "C0", "C0M3", "C0M3K1".
#include <cstdint>
#include <string>

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

    // Fills the name from the indices and returns it.
    const std::string& FormatSectionName();
    const std::string& GetName() const { return m_strName; }

private:
    char m_cCareer = 'C';
    char m_cList = 'K';
    char m_cMission = 'M';
    std::int32_t m_nKill = -1;
    std::int32_t m_nMission = -1;
    std::int32_t m_nCareer = 0;
    std::string m_strName;
};
