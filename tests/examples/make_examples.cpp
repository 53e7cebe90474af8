// Writes the sample files of examples/: debriefs made with the test debrief
// builder, and a pilot log made by logging such debriefs with the program's
// own analysis.
//
//   make_examples DIR
//
// The debriefs come out the same on every run; the log's Created and Started
// dates are the moment of the run.
#include "debrief/log_debrief.h"
#include "log/app_settings.h"
#include "log/career.h"
#include "log/log_doc.h"
#include "log/mission.h"
#include "log/pilot.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "platform/host.h"
#include "tests/support/debrief_builder.h"

#include <sys/stat.h>
#include <utime.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

namespace {

constexpr std::uint16_t kPlayer = 1;
constexpr std::uint8_t kUkrainian = 2, kRussian = 1;
// Shapes.
constexpr std::uint16_t kSu27 = 68, kMig29 = 45, kSu24 = 226, kMig23 = 44;
constexpr std::uint16_t kR73 = 63, kR27r = 60, kR60 = 62, kShell30 = 87;
constexpr std::uint16_t kKh29 = 88, kKh25mp = 209, kKh35 = 129, kFab500 = 3, kS24 = 85;
constexpr std::uint16_t kFactory = 102, kEwr = 94, kBukLauncher = 216, kT72 = 70, kOsaBoat = 34, kOilTank = 53;

// A flight of the player's Su-27 from takeoff at 600 s; the caller adds what
// happened and how it ended.
CDebriefBuilder Flight(const std::string& strTitle)
{
    CDebriefBuilder builder;
    builder.SetTitle(strTitle).SetBaseTime(Seconds(600)).AddPlayer(kPlayer, kUkrainian, kSu27);
    builder.AddObject(Seconds(600), kPlayer, kSu27, kUkrainian);
    return builder;
}

// A fighter sweep: a MiG-29 shot down, a Su-24 damaged, a missile that missed.
CDebriefBuilder Sweep(const std::string& strTitle)
{
    CDebriefBuilder b = Flight(strTitle);
    b.AddObject(Seconds(700), 20, kMig29, kRussian);
    b.AddObject(Seconds(700), 21, kSu24, kRussian);
    b.AddRelease(Seconds(940), kPlayer, 100, kR27r);
    b.AddHit(Seconds(946), 21, kSu24, 100, kRussian, EVENT_AIR);
    b.AddRelease(Seconds(1010), kPlayer, 101, kR60);
    b.AddRem(Seconds(1030), 101, kR60);
    b.AddRelease(Seconds(1052), kPlayer, 102, kR73);
    b.AddHit(Seconds(1055), 20, kMig29, 102, kRussian, EVENT_AIR);
    b.AddKill(Seconds(1055), 20, kMig29, 102, kRussian, EVENT_AIR);
    b.AddExpl(Seconds(1056), 20, kMig29, kRussian);
    b.AddRem(Seconds(2410), kPlayer, kSu27, kUkrainian);
    return b;
}

// A strike: the primary target, a radar, a SAM launcher, a tank, a missile
// boat and a fuel tank destroyed, each by its own weapon.
CDebriefBuilder Strike(const std::string& strTitle)
{
    CDebriefBuilder b = Flight(strTitle);
    struct Target {
        std::uint16_t nId, nShape, nWeapon, nWeaponShape;
        std::uint8_t nByte2;
        std::uint16_t nFlags;
    };
    const Target targets[] = {
        {30, kFactory, 110, kKh29, 0, EVENT_GND | EVENT_PRI},
        {31, kEwr, 111, kKh25mp, 0, EVENT_GND},
        {32, kBukLauncher, 112, kFab500, BYTE2_DROPPED, EVENT_GND},
        {33, kT72, 113, kFab500, BYTE2_DROPPED, EVENT_GND},
        {34, kOsaBoat, 114, kKh35, 0, EVENT_GND},
        {35, kOilTank, 115, kS24, 0, EVENT_GND},
    };
    std::uint32_t nTime = 1200;
    for (const Target& t : targets) {
        b.AddObject(Seconds(10), t.nId, t.nShape, kRussian, EVENT_GND | EVENT_ADD);
        b.AddRelease(Seconds(nTime), kPlayer, t.nWeapon, t.nWeaponShape, t.nByte2);
        b.AddHit(Seconds(nTime + 6), t.nId, t.nShape, t.nWeapon, kRussian, t.nFlags);
        b.AddDie(Seconds(nTime + 6), t.nId, t.nShape, t.nWeapon, kRussian, t.nFlags);
        nTime += 45;
    }
    b.AddRem(Seconds(2950), kPlayer, kSu27, kUkrainian);
    return b;
}

// The player's aircraft hit by a MiG-23's missile and killed; the aircraft
// explodes nSecondsToExplosion after the kill. With 3 s or more the pilot
// ejected; with less the program asks.
CDebriefBuilder ShotDown(const std::string& strTitle, std::uint32_t nSecondsToExplosion)
{
    CDebriefBuilder b = Flight(strTitle);
    b.AddObject(Seconds(800), 40, kMig23, kRussian);
    b.AddRelease(Seconds(1180), kPlayer, 120, kShell30, BYTE2_ROUND);
    b.AddHit(Seconds(1181), 40, kMig23, 120, kRussian, EVENT_AIR);
    b.AddRelease(Seconds(1240), 40, 121, kR27r);
    b.AddHit(Seconds(1251), kPlayer, kSu27, 121, kUkrainian, EVENT_AIR);
    b.AddKill(Seconds(1252), kPlayer, kSu27, 121, kUkrainian, EVENT_AIR);
    b.AddExpl(Seconds(1252 + nSecondsToExplosion), kPlayer, kSu27, kUkrainian);
    return b;
}

// Answers the program's questions while the log is made: no windows, and
// "No" to "Did you eject safely?".
class CAnsweringHost : public CHost {
public:
    int MessageBox(const std::string& strText, unsigned nType) override
    {
        if ((nType & 0xF) == MB_YESNO)
            return IDNO;
        std::cerr << "make_examples: unexpected message: " << strText << '\n';
        m_bFailed = true;
        return IDOK;
    }
    int RunFileDialog(CFileDialog&) override { return IDCANCEL; }
    bool BeginModal(CDialog&) override { return false; }
    void RunModalLoop(CDialog&) override {}
    bool m_bFailed = false;
};

std::time_t UtcTime(int nYear, int nMonth, int nDay, int nHour)
{
    std::tm tm{};
    tm.tm_year = nYear - 1900;
    tm.tm_mon = nMonth - 1;
    tm.tm_mday = nDay;
    tm.tm_hour = nHour;
    return timegm(&tm);
}

bool WriteDebrief(const CDebriefBuilder& builder, const std::string& strPath)
{
    builder.Write(strPath);
    return std::filesystem::exists(strPath);
}

// Logs one flight into the current log as if flown at the given date; the
// notes come before the program's account of the flight.
bool Log(const CDebriefBuilder& builder, const std::string& strScratch, std::time_t flown, int nResult,
         const std::string& strNotes = {})
{
    if (!WriteDebrief(builder, strScratch))
        return false;
    const utimbuf times{flown, flown};
    if (utime(strScratch.c_str(), &times) != 0 || LogDebrief(strScratch, nResult) != 1)
        return false;
    CMission& mission = *GetCurrentLogDoc()->GetPilot()->GetCareer(kLastCareer)->GetMission(-1);
    if (!strNotes.empty())
        mission.SetComments(strNotes + "\r\n\r\n" + mission.GetComments());
    return true;
}

bool MakeLog(const std::string& strPath, const std::string& strScratch)
{
    std::filesystem::remove(strPath);
    CLogDoc doc;
    SetCurrentLogDoc(&doc);
    doc.Open(strPath); // a missing file: an empty log carrying the name
    CPilot& pilot = *doc.GetPilot();
    pilot.SetName("Marta Koval");
    pilot.SetCallsign("Kestrel");
    pilot.SetRank("Captain");
    pilot.SetUnit("7th Fighter Wing");

    constexpr int kSuccessful = 0, kUndecided = 1, kFailed = 2;
    bool bOk = true;
    // First career: two good flights, then shot down over the coast.
    bOk = bOk && Log(Sweep("Coastal Sweep"), strScratch, UtcTime(2026, 3, 2, 9), kSuccessful,
                     "First flight with the wing. Kept the leader in sight the whole way.");
    bOk = bOk && Log(Strike("Harbour Strike"), strScratch, UtcTime(2026, 3, 5, 14), kSuccessful);
    bOk = bOk && Log(ShotDown("Night Intercept", 1), strScratch, UtcTime(2026, 3, 9, 22), kFailed,
                     "Never saw the MiG-23 that fired. Check six.");
    // Second career, after the question about a dead pilot: one flight, lost.
    pilot.AddCareer();
    bOk = bOk && Log(Strike("Bridge Strike"), strScratch, UtcTime(2026, 5, 11, 10), kSuccessful);
    bOk = bOk && Log(ShotDown("Top Cover", 0), strScratch, UtcTime(2026, 5, 14, 16), kFailed);
    // Third career, still flying: ejected once and came back.
    pilot.AddCareer();
    bOk = bOk && Log(Sweep("Border Patrol"), strScratch, UtcTime(2026, 9, 1, 8), kSuccessful);
    bOk = bOk && Log(ShotDown("Escort", 5), strScratch, UtcTime(2026, 9, 3, 11), kUndecided,
                     "Ejected over our own lines; picked up within the hour.");
    bOk = bOk && Log(Strike("Airfield Strike"), strScratch, UtcTime(2026, 9, 8, 6), kSuccessful);
    bOk = bOk && doc.Save();
    SetCurrentLogDoc(nullptr);
    return bOk;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_examples DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    CAnsweringHost host;
    CHostScope scope(host);
    CAppSettings settings; // the program's defaults, notes on
    settings.m_tsEjectionMin = CTimeSpan(3);
    settings.m_bLogEvents = 1;
    settings.m_bIgnoreGndKills = 1;
    settings.m_nDateFormat = 1;
    settings.m_bAccumulatePilotTime = 1;

    const std::string strScratch = (dir / "flight.tmp").string();
    bool bOk = WriteDebrief(Sweep("Fighter Sweep"), (dir / "sweep.stt").string()) &&
               WriteDebrief(Strike("Strike"), (dir / "strike.stt").string()) &&
               WriteDebrief(ShotDown("Shot Down", 9), (dir / "shootdown.stt").string()) &&
               WriteDebrief(ShotDown("Last Stand", 0), (dir / "killed.stt").string()) &&
               MakeLog((dir / "pilot.log").string(), strScratch);
    std::filesystem::remove(strScratch);
    if (!bOk || host.m_bFailed) {
        std::cerr << "make_examples: could not write the samples into " << dir << '\n';
        return 1;
    }
    return 0;
}
