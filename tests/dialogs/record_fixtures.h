#pragma once
// Records for the editor tests, and saving them so that they start
// unmodified, as records just loaded from a log do.
#include <string>

#include "log/kill.h"
#include "log/log_file.h"
#include "log/mission.h"
#include "tests/support/scratch_dir.h"

struct CKillValues {
    int nFired, nHit, nSide, nTarget, nWeapon, nNumFired, bAir, bPrimary;
};

inline void SetKill(CKill& kill, const CKillValues& v)
{
    kill.SetFired(v.nFired);
    kill.SetHit(v.nHit);
    kill.SetSide(static_cast<std::uint8_t>(v.nSide));
    kill.SetTarget(static_cast<std::uint16_t>(v.nTarget));
    kill.SetWeapon(static_cast<std::uint16_t>(v.nWeapon));
    kill.SetNumFired(v.nNumFired);
    kill.SetAirKill(v.bAir);
    kill.SetTargetKill(v.bPrimary);
}

// Saving clears the modified flags of the record and its children.
template <class TRecord>
void SaveToScratch(TRecord& record, RecordKey key)
{
    CScratchDir dir;
    CLogFile file(dir.File("scratch.log"));
    record.Save(key, file);
    file.Close();
}
inline void SaveToScratch(CKill& kill) { SaveToScratch(kill, RecordKey(0, 0, 0)); }
inline void SaveToScratch(CMission& mission) { SaveToScratch(mission, RecordKey(0, 0)); }

// Every field of two kill records, the modified flag included, side by side.
inline std::string DescribeAll(const CKill& k)
{
    return std::to_string(k.GetTargetID()) + " " + std::to_string(k.GetNumFired()) + " " +
           std::to_string(k.GetHit().GetTotalSeconds()) + " " + std::to_string(k.GetFired().GetTotalSeconds()) + " " +
           std::to_string(k.GetTarget()) + " " + std::to_string(k.GetAirKill()) + " " +
           std::to_string(k.GetTargetKill()) + " " + std::to_string(k.GetSide()) + " " + std::to_string(k.GetWeapon()) +
           (k.IsModified() ? " modified" : " unmodified");
}
