// A debrief file through the whole analysis, as "Log Mission..." takes it:
// loading, the player, the career questions, the pilot's fate, the kill
// tally and the event notes, into a fresh log.
//
// Input: one byte of options, four bytes of answers to the questions, then
// the debrief file. Options: bit 0 event notes, bit 1 ignore suspicious
// ground kills, bit 2 reject unknown kills, bit 3 log the file twice (the
// duplicate and KIA questions), bits 4-7 the ejection time in seconds.
#include <cstddef>
#include <cstdint>

#include "debrief/log_debrief.h"
#include "fuzz/fuzz_support.h"
#include "log/app_settings.h"
#include "log/career.h"
#include "log/log_doc.h"
#include "log/pilot.h"

namespace {

constexpr std::size_t kAnswerBytes = 4;

int CountMissions(const CPilot& pilot)
{
    int n = 0;
    for (int c = 0; c < pilot.GetCareerCount(); ++c)
        n += pilot.GetCareer(c)->GetMissionCount();
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const CFuzzFolder folder;
    static const std::string strPath = folder.File("debrief.stt");
    if (nSize < 1 + kAnswerBytes)
        return 0;
    const std::uint8_t nOptions = pData[0];
    CFuzzHost host({pData + 1, kAnswerBytes});
    CHostScope hostScope(host);
    WriteFileBytes(strPath, {reinterpret_cast<const char*>(pData) + 1 + kAnswerBytes, nSize - 1 - kAnswerBytes});

    CAppSettings settings;
    settings.m_bLogEvents = nOptions & 1;
    settings.m_bIgnoreGndKills = (nOptions >> 1) & 1;
    settings.m_bRejectUnkKills = (nOptions >> 2) & 1;
    settings.m_tsEjectionMin = CTimeSpan(nOptions >> 4);
    settings.m_bShowMission = 0;

    CLogDoc doc;
    SetCurrentLogDoc(&doc);
    const int nRuns = (nOptions & 8) != 0 ? 2 : 1;
    for (int i = 0; i < nRuns; ++i) {
        const int nBefore = CountMissions(*doc.GetPilot());
        const int nAdded = LogDebrief(strPath, static_cast<std::int32_t>(nOptions % 3));
        if (nAdded != 0 && nAdded != 1)
            FuzzFailure("LogDebrief returns 0 or 1");
        if (CountMissions(*doc.GetPilot()) != nBefore + nAdded)
            FuzzFailure("a mission is added exactly when LogDebrief says so");
        if (nAdded == 1 && !doc.IsModified())
            FuzzFailure("a log with a new mission is modified");
    }
    SetCurrentLogDoc(nullptr);
    return 0;
}
