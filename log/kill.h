#pragma once
// One weapon-release record: the same class serves a mission's kills, hits
// and misses lists.
#include "log/record_key.h"
#include "log/time_value.h"

#include <cstdint>
#include <string>

class CLogFile;

class CKill {
public:
    CKill() = default;
    CKill(const CKill&) = default;            // every field, the modified flag too
    CKill& operator=(const CKill&) = default;

    bool Load(RecordKey key, CLogFile& file);
    bool Save(RecordKey key, CLogFile& file);
    bool IsModified() const { return m_bModified != 0; }

    std::uint16_t GetTargetID() const { return m_nTargetID; }
    std::int32_t GetNumFired() const { return m_nNumFired; }
    CTimeSpan GetHit() const { return m_tsHit; }
    CTimeSpan GetFired() const { return m_tsFired; }
    std::uint16_t GetTarget() const { return m_nTarget; }
    std::int32_t GetAirKill() const { return m_bAirKill; }
    std::int32_t GetTargetKill() const { return m_bTargetKill; }
    std::uint8_t GetSide() const { return m_nSide; }
    std::uint16_t GetWeapon() const { return m_nWeapon; }

    void SetTargetID(std::uint16_t nTargetID) { m_nTargetID = nTargetID; m_bModified = 1; }
    void SetNumFired(std::int32_t nNumFired) { m_nNumFired = nNumFired; m_bModified = 1; }
    void SetHit(CTimeSpan tsHit) { m_tsHit = tsHit; m_bModified = 1; }
    void SetFired(CTimeSpan tsFired) { m_tsFired = tsFired; m_bModified = 1; }
    void SetTarget(std::uint16_t nTarget) { m_nTarget = nTarget; m_bModified = 1; }
    void SetAirKill(std::int32_t bAirKill) { m_bAirKill = bAirKill; m_bModified = 1; }
    void SetTargetKill(std::int32_t bTargetKill) { m_bTargetKill = bTargetKill; m_bModified = 1; }
    void SetSide(std::uint8_t nSide) { m_nSide = nSide; m_bModified = 1; }
    void SetWeapon(std::uint16_t nWeapon) { m_nWeapon = nWeapon; m_bModified = 1; }

    // The summary line shown in the lists (defined with the object catalogue).
    std::string Describe() const;

private:
    std::uint16_t m_nTargetID = 65535;
    std::int32_t m_nNumFired = 1;
    std::int32_t m_bModified = 0;
    CTimeSpan m_tsHit;
    CTimeSpan m_tsFired;
    std::uint16_t m_nTarget = 0;
    std::int32_t m_bAirKill = 0;
    std::int32_t m_bTargetKill = 0;
    std::uint8_t m_nSide = 0;
    std::uint16_t m_nWeapon = 0;
};
