#include "log/kill.h"

#include "log/log_file.h"

bool CKill::Load(RecordKey key, CLogFile& file)
{
    CLogFile::CRecordReader record = file.ReadRecord(key.FormatSectionName());
    m_tsFired = record.GetSpan("Fired", 0);
    m_tsHit = record.GetSpan("Hit", 0);
    // The narrow fields keep the low bits of the number read.
    m_nSide = static_cast<std::uint8_t>(record.GetInt("Side", 0));
    m_nTarget = static_cast<std::uint16_t>(record.GetInt("Target", 0));
    m_nWeapon = static_cast<std::uint16_t>(record.GetInt("Weapon", 0));
    m_nTargetID = static_cast<std::uint16_t>(record.GetInt("Target_ID", 65535));
    m_bAirKill = record.GetInt("Air_Kill", 0);
    m_bTargetKill = record.GetInt("Target_Kill", 0);
    m_nNumFired = record.GetInt("Num_Fired", 1);
    m_bModified = 0;
    return true;
}

bool CKill::Save(RecordKey key, CLogFile& file)
{
    // Values at their defaults leave no line, so an all-default record
    // leaves no section either.
    const std::string_view section = key.FormatSectionName();
    if (m_tsFired != CTimeSpan(0))
        file.PutSpan(section, "Fired", m_tsFired);
    if (m_tsHit != CTimeSpan(0))
        file.PutSpan(section, "Hit", m_tsHit);
    if (m_nSide != 0)
        file.PutInt(section, "Side", m_nSide);
    if (m_nTarget != 0)
        file.PutInt(section, "Target", m_nTarget);
    if (m_nWeapon != 0)
        file.PutInt(section, "Weapon", m_nWeapon);
    if (m_nNumFired != 1)
        file.PutInt(section, "Num_Fired", m_nNumFired);
    if (m_nTargetID != 65535)
        file.PutInt(section, "Target_ID", m_nTargetID);
    if (m_bAirKill != 0)
        file.PutInt(section, "Air_Kill", m_bAirKill);
    if (m_bTargetKill != 0)
        file.PutInt(section, "Target_Kill", m_bTargetKill);
    m_bModified = 0;
    return true;
}
