#pragma once
// Builds debrief files for tests: a title, a base time and a list of events,
// written out in the simulator's layout.
#include "debrief/debrief_event.h"
#include "tests/support/scratch_dir.h"

#include <cstdint>
#include <string>
#include <vector>

// A mission clock time in sixteenths of a second.
struct DebriefTime {
    std::uint32_t nSixteenths = 0;
};
constexpr DebriefTime Seconds(std::uint32_t nSeconds) { return {nSeconds * 16}; }
constexpr DebriefTime Sixteenths(std::uint32_t nSixteenths) { return {nSixteenths}; }

class CDebriefBuilder {
public:
    CDebriefBuilder& SetTitle(std::string strTitle);
    CDebriefBuilder& SetBaseTime(DebriefTime time);
    // Bytes written where the file header and the mission block go; the base
    // time is written over bytes 2 to 5 of the mission block.
    CDebriefBuilder& SetHeader(std::vector<std::uint8_t> header);
    CDebriefBuilder& SetMissionBlock(std::vector<std::uint8_t> mission);

    // Each Add returns the new record for further changes; the reference
    // holds until the next Add.
    // Any record, every field as given.
    DebriefEvent& Add(const DebriefEvent& event);

    // The record adding the player's aircraft: time 0, Dyn and Add, byte2 5,
    // its own parent.
    DebriefEvent& AddPlayer(std::uint16_t nId, std::uint8_t nCountry = 3, std::uint16_t nShape = 68);
    // An object entering the scene (an aircraft or a ground object).
    DebriefEvent& AddObject(DebriefTime time, std::uint16_t nId, std::uint16_t nShape,
                            std::uint8_t nCountry = 0, std::uint16_t nStatus = EVENT_ENTRY);
    // A weapon released by launcher; byte2 8 is a dropped weapon, 15 a round.
    DebriefEvent& AddRelease(DebriefTime time, std::uint16_t nLauncher, std::uint16_t nWeapon,
                             std::uint16_t nShape, std::uint8_t nByte2 = 0);
    // A victim hit, killed or destroyed by cause; nExtra adds flags (Air, Gnd, Pri).
    DebriefEvent& AddHit(DebriefTime time, std::uint16_t nVictim, std::uint16_t nShape,
                         std::uint16_t nCause, std::uint8_t nCountry = 0, std::uint16_t nExtra = 0);
    DebriefEvent& AddKill(DebriefTime time, std::uint16_t nVictim, std::uint16_t nShape,
                          std::uint16_t nCause, std::uint8_t nCountry = 0, std::uint16_t nExtra = 0);
    DebriefEvent& AddDie(DebriefTime time, std::uint16_t nVictim, std::uint16_t nShape,
                         std::uint16_t nCause, std::uint8_t nCountry = 0, std::uint16_t nExtra = 0);
    // The object exploding or being removed (its own parent).
    DebriefEvent& AddExpl(DebriefTime time, std::uint16_t nId, std::uint16_t nShape, std::uint8_t nCountry = 0);
    DebriefEvent& AddRem(DebriefTime time, std::uint16_t nId, std::uint16_t nShape, std::uint8_t nCountry = 0);

    const std::vector<DebriefEvent>& Events() const { return m_events; }

    // The file's bytes, for writing or for cutting up.
    std::vector<std::uint8_t> Bytes() const;
    // Writes the file; fails the current test when it cannot.
    void Write(const std::string& strPath) const;

private:
    DebriefEvent& Struck(DebriefTime time, std::uint16_t nVictim, std::uint16_t nShape,
                         std::uint16_t nCause, std::uint8_t nCountry, std::uint16_t nStatus);

    std::string m_strTitle;
    DebriefTime m_baseTime;
    std::vector<std::uint8_t> m_header;
    std::vector<std::uint8_t> m_mission;
    std::vector<DebriefEvent> m_events;
};

// A debrief in which the player takes off and lands again after the time
// given, written to the file.
void WriteFlight(const std::string& strPath, const std::string& strTitle, DebriefTime landed);

// Writes raw bytes to a file; fails the current test when it cannot.
void WriteBytes(const std::string& strPath, const std::vector<std::uint8_t>& bytes);

// A file name in a private temporary directory, removed with it.
class CTempDebrief {
public:
    explicit CTempDebrief(const std::string& strName = "test.stt")
        : m_strDir(m_dir.Path().string()), m_strPath(m_dir.File(strName))
    {
    }

    const std::string& GetPath() const { return m_strPath; }
    const std::string& GetDir() const { return m_strDir; }

private:
    CScratchDir m_dir;
    std::string m_strDir;
    std::string m_strPath;
};
