// Writing debrief files for tests.
#include "tests/support/debrief_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    PutU16(out, static_cast<std::uint16_t>(value));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

// Copies exactly n bytes from the given ones, padding with zeros.
void PutBlock(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& block, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(i < block.size() ? block[i] : 0);
}

} // namespace

CDebriefBuilder& CDebriefBuilder::SetTitle(std::string strTitle)
{
    m_strTitle = std::move(strTitle);
    return *this;
}

CDebriefBuilder& CDebriefBuilder::SetBaseTime(DebriefTime time)
{
    m_baseTime = time;
    return *this;
}

CDebriefBuilder& CDebriefBuilder::SetHeader(std::vector<std::uint8_t> header)
{
    m_header = std::move(header);
    return *this;
}

CDebriefBuilder& CDebriefBuilder::SetMissionBlock(std::vector<std::uint8_t> mission)
{
    m_mission = std::move(mission);
    return *this;
}

DebriefEvent& CDebriefBuilder::Add(const DebriefEvent& event)
{
    return m_events.emplace_back(event);
}

DebriefEvent& CDebriefBuilder::AddPlayer(std::uint16_t nId, std::uint8_t nCountry, std::uint16_t nShape)
{
    DebriefEvent& event = AddObject(Sixteenths(0), nId, nShape, nCountry);
    event.byte2 = BYTE2_PLAYER;
    return event;
}

DebriefEvent& CDebriefBuilder::AddObject(DebriefTime time, std::uint16_t nId, std::uint16_t nShape,
                                         std::uint8_t nCountry, std::uint16_t nStatus)
{
    DebriefEvent event;
    event.time = time.nSixteenths;
    event.status = nStatus;
    event.country = nCountry;
    event.shape = nShape;
    event.object = nId;
    event.parent = nId;
    return Add(event);
}

DebriefEvent& CDebriefBuilder::AddRelease(DebriefTime time, std::uint16_t nLauncher, std::uint16_t nWeapon,
                                          std::uint16_t nShape, std::uint8_t nByte2)
{
    DebriefEvent& event = AddObject(time, nWeapon, nShape, 0, EVENT_ENTRY);
    event.parent = nLauncher;
    event.byte2 = nByte2;
    return event;
}

DebriefEvent& CDebriefBuilder::Struck(DebriefTime time, std::uint16_t nVictim, std::uint16_t nShape,
                                      std::uint16_t nCause, std::uint8_t nCountry, std::uint16_t nStatus)
{
    DebriefEvent& event = AddObject(time, nVictim, nShape, nCountry, nStatus);
    event.parent = nCause;
    return event;
}

DebriefEvent& CDebriefBuilder::AddHit(DebriefTime time, std::uint16_t nVictim, std::uint16_t nShape,
                                      std::uint16_t nCause, std::uint8_t nCountry, std::uint16_t nExtra)
{
    return Struck(time, nVictim, nShape, nCause, nCountry, EVENT_HIT | nExtra);
}

DebriefEvent& CDebriefBuilder::AddKill(DebriefTime time, std::uint16_t nVictim, std::uint16_t nShape,
                                       std::uint16_t nCause, std::uint8_t nCountry, std::uint16_t nExtra)
{
    return Struck(time, nVictim, nShape, nCause, nCountry, EVENT_KILL | nExtra);
}

DebriefEvent& CDebriefBuilder::AddDie(DebriefTime time, std::uint16_t nVictim, std::uint16_t nShape,
                                      std::uint16_t nCause, std::uint8_t nCountry, std::uint16_t nExtra)
{
    return Struck(time, nVictim, nShape, nCause, nCountry, EVENT_DIE | nExtra);
}

DebriefEvent& CDebriefBuilder::AddExpl(DebriefTime time, std::uint16_t nId, std::uint16_t nShape,
                                       std::uint8_t nCountry)
{
    return AddObject(time, nId, nShape, nCountry, EVENT_EXPL);
}

DebriefEvent& CDebriefBuilder::AddRem(DebriefTime time, std::uint16_t nId, std::uint16_t nShape,
                                      std::uint8_t nCountry)
{
    return AddObject(time, nId, nShape, nCountry, EVENT_REM);
}

std::vector<std::uint8_t> CDebriefBuilder::Bytes() const
{
    std::vector<std::uint8_t> out;
    out.reserve(53 + m_strTitle.size() + 16 * m_events.size());
    PutBlock(out, m_header, 4);
    PutU16(out, 0);
    std::vector<std::uint8_t> mission = m_mission;
    mission.resize(std::max<std::size_t>(mission.size(), 6), 0);
    for (int i = 0; i < 4; ++i)
        mission[2 + i] = static_cast<std::uint8_t>(m_baseTime.nSixteenths >> (8 * i));
    PutBlock(out, mission, 39);
    const std::size_t nTitle = std::min<std::size_t>(m_strTitle.size(), 65535);
    PutU16(out, static_cast<std::uint16_t>(nTitle));
    out.insert(out.end(), m_strTitle.begin(), m_strTitle.begin() + static_cast<std::ptrdiff_t>(nTitle));
    for (int i = 0; i < 3; ++i)
        PutU16(out, 0);
    for (const DebriefEvent& event : m_events) {
        PutU32(out, event.time);
        PutU16(out, event.status);
        out.push_back(event.country);
        out.push_back(event.byte1);
        out.push_back(event.byte2);
        out.push_back(event.byte3);
        PutU16(out, event.shape);
        PutU16(out, event.object);
        PutU16(out, event.parent);
    }
    return out;
}

void CDebriefBuilder::Write(const std::string& strPath) const
{
    WriteBytes(strPath, Bytes());
}

void WriteFlight(const std::string& strPath, const std::string& strTitle, DebriefTime landed)
{
    CDebriefBuilder builder;
    builder.SetTitle(strTitle);
    builder.AddPlayer(1);
    builder.AddRem(landed, 1, 68);
    builder.Write(strPath);
}

void WriteBytes(const std::string& strPath, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(strPath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    EXPECT_TRUE(file) << "could not write " << strPath;
}
