// The benchmarks' input files and the raw costs of their bytes.
#include "bench/bench_inputs.h"

#include "log/career.h"
#include "log/kill.h"
#include "log/log_file.h"
#include "log/mission.h"
#include "log/pilot.h"
#include "tests/support/debrief_builder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace {

constexpr std::uint16_t kPlayer = 1;
constexpr std::uint32_t kRoundsPerBurst = 20;
constexpr std::uint16_t kFirstWeapon = 100;
constexpr std::uint16_t kFirstTarget = 60100;

// A million events of 20,000 objects releasing weapons that hit and kill
// things, a third of the records without a time of their own.
void WriteRandomDebrief(const std::string& strPath)
{
    constexpr std::uint32_t kEvents = 1000000;
    constexpr std::uint32_t kObjects = 20000;
    std::mt19937 random(7);
    CDebriefBuilder builder;
    builder.SetTitle("Benchmark").AddPlayer(kPlayer);
    for (std::uint32_t i = 1; i < kEvents; ++i) {
        const std::uint32_t nTime = random() % 3 == 0 ? 0 : i * 4;
        const auto nObject = static_cast<std::uint16_t>(1 + random() % kObjects);
        const auto nOther = static_cast<std::uint16_t>(1 + random() % kObjects);
        switch (random() % 4) {
        case 0:
            builder.AddRelease(Sixteenths(nTime), nOther, nObject, 63);
            break;
        case 1:
            builder.AddHit(Sixteenths(nTime), nObject, 70, nOther, 2);
            break;
        case 2:
            builder.AddKill(Sixteenths(nTime), nObject, 18, nOther, 3, EVENT_AIR);
            break;
        default:
            builder.AddObject(Sixteenths(nTime), nObject, 70);
            break;
        }
    }
    builder.Write(strPath);
}

// The sections of a log, each with its header line, in file order.
std::vector<std::string_view> SplitSections(std::string_view text)
{
    std::vector<std::string_view> sections;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t next = text.find("\r\n[", start);
        next = next == std::string_view::npos ? text.size() : next + 2;
        sections.push_back(text.substr(start, next - start));
        start = next;
    }
    return sections;
}

void WriteText(const std::string& strPath, std::string_view text)
{
    if (!WriteAndSync(strPath, text))
        throw std::runtime_error("cannot write " + strPath);
}

void WriteReversed(const std::string& strFrom, const std::string& strTo)
{
    const std::string text = ReadWholeFile(strFrom);
    const std::vector<std::string_view> sections = SplitSections(text);
    std::string out;
    out.reserve(text.size());
    for (auto it = sections.rbegin(); it != sections.rend(); ++it)
        out += *it;
    WriteText(strTo, out);
}

// Drops every other kill record section ("C0M0K1", "C0M0K3", ...): half of
// them, which the counts still ask for.
void WriteWithoutOddKills(const std::string& strFrom, const std::string& strTo)
{
    const std::string text = ReadWholeFile(strFrom);
    std::string out;
    out.reserve(text.size());
    for (std::string_view section : SplitSections(text)) {
        const std::size_t nEnd = section.find(']');
        const std::string_view name = section.substr(1, nEnd - 1);
        const std::size_t nKill = name.rfind('K');
        if (nKill != std::string_view::npos && nKill > 0 && name[nKill - 1] >= '0' && name[nKill - 1] <= '9' &&
            (name.back() - '0') % 2 == 1)
            continue;
        out += section;
    }
    WriteText(strTo, out);
}

} // namespace

CBenchFolder::CBenchFolder()
{
    const char* pszTemp = std::getenv("TMPDIR");
    std::string pattern = std::string(pszTemp != nullptr && *pszTemp != '\0' ? pszTemp : "/tmp") +
                          "/sortavel-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a folder for the benchmarks' files");
    m_strDir = pattern;
}

CBenchFolder::~CBenchFolder()
{
    std::error_code error;
    std::filesystem::remove_all(m_strDir, error);
}

CBenchInputs::CBenchInputs(const std::string& strDir, bool bWritten)
    : strHalfFlight(strDir + "/half-flight.stt"), strFlight(strDir + "/flight.stt"),
      strFlatFlight(strDir + "/flat-flight.stt"), strRandomDebrief(strDir + "/random.stt"),
      strLog(strDir + "/large.log"), strDoubleLog(strDir + "/double.log"),
      strReversedLog(strDir + "/large-reversed.log"), strDoubleReversedLog(strDir + "/double-reversed.log"),
      strMissingLog(strDir + "/large-missing.log"), strDoubleMissingLog(strDir + "/double-missing.log"),
      strScratch(strDir + "/scratch")
{
    std::filesystem::create_directories(strScratch);
    if (bWritten)
        return;
    WriteFlight(strHalfFlight, kHalfFlightBursts, false);
    WriteFlight(strFlight, kFlightBursts, false);
    WriteFlight(strFlatFlight, kFlightBursts, true);
    WriteRandomDebrief(strRandomDebrief);
    WriteLargeLog(strLog, kLogCareers);
    WriteLargeLog(strDoubleLog, kDoubleLogCareers);
    WriteReversed(strLog, strReversedLog);
    WriteReversed(strDoubleLog, strDoubleReversedLog);
    WriteWithoutOddKills(strLog, strMissingLog);
    WriteWithoutOddKills(strDoubleLog, strDoubleMissingLog);
}

void WriteFlight(const std::string& strPath, std::uint32_t nBursts, bool bFlat)
{
    // 60,000 weapons and 4,900 targets for 25,000 bursts.
    const std::uint32_t nWeapons = nBursts * 12 / 5;
    const std::uint32_t nTargets = nBursts * 49 / 250;
    CDebriefBuilder builder;
    builder.SetTitle("Benchmark").AddPlayer(kPlayer);
    std::uint32_t nWeapon = 0;
    for (std::uint32_t nBurst = 0; nBurst < nBursts; ++nBurst) {
        const std::uint32_t nStart = bFlat ? 16 : 16 * (10 + 3 * nBurst);
        const auto nTarget = static_cast<std::uint16_t>(kFirstTarget + nBurst % nTargets);
        const std::uint16_t nShape = nBurst % 2 == 0 ? 87 : 91;
        for (std::uint32_t i = 0; i < kRoundsPerBurst; ++i) {
            const auto nId = static_cast<std::uint16_t>(kFirstWeapon + nWeapon++ % nWeapons);
            const DebriefTime time = Sixteenths(nStart + (bFlat ? 0 : i * 15 / kRoundsPerBurst));
            if (nBurst % 5 == 4) {
                builder.AddRelease(time, kPlayer, nId, 63);
                builder.AddHit(time, nTarget, 18, nId, 3, EVENT_AIR);
            } else {
                builder.AddRelease(time, kPlayer, nId, nShape, BYTE2_ROUND);
                if (i + 1 < kRoundsPerBurst)
                    builder.AddHit(time, nTarget, 18, nId, 3, EVENT_AIR);
                else
                    builder.AddKill(time, nTarget, 18, nId, 3, EVENT_AIR);
            }
        }
    }
    builder.Write(strPath);
}

void FillLargeLog(CPilot& pilot, int nCareers)
{
    pilot.SetName("A. Pilot");
    pilot.SetCallsign("Viper");
    for (int c = 0; c < nCareers; ++c) {
        CCareer* pCareer = c == 0 ? pilot.GetCareer(0) : pilot.AddCareer();
        for (int m = 0; m < 200; ++m) {
            CMission* pMission = pCareer->AddMission();
            pMission->SetTitle("Sweep " + std::to_string(m));
            pMission->SetComments("Takeoff\r\nFence in\r\nRTB");
            pMission->SetDuration(2530);
            pMission->SetResult(m % 3);
            for (int k = 0; k < 10; ++k) {
                CKill* pKill = pMission->AddKill();
                pKill->SetFired(1200 + k);
                pKill->SetTarget(static_cast<std::uint16_t>(18 + k));
                pKill->SetWeapon(60);
                pKill->SetTargetID(static_cast<std::uint16_t>(k));
            }
        }
    }
}

void WriteLargeLog(const std::string& strPath, int nCareers)
{
    CPilot pilot;
    FillLargeLog(pilot, nCareers);
    CLogFile file(strPath);
    pilot.Save(file);
    if (!file.Close())
        throw std::runtime_error("cannot write " + strPath);
}

std::string ReadWholeFile(const std::string& strPath)
{
    std::string bytes;
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size > 0) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t nDone = 0;
        while (nDone < bytes.size()) {
            const ssize_t nGot = ::read(fd, bytes.data() + nDone, bytes.size() - nDone);
            if (nGot < 0 && errno == EINTR)
                continue;
            if (nGot <= 0)
                break;
            nDone += static_cast<std::size_t>(nGot);
        }
        bytes.resize(nDone);
    }
    ::close(fd);
    return bytes;
}

bool WriteAndSync(const std::string& strPath, std::string_view bytes)
{
    const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool bOk = true;
    for (std::size_t nDone = 0; bOk && nDone < bytes.size();) {
        const ssize_t nPut = ::write(fd, bytes.data() + nDone, bytes.size() - nDone);
        if (nPut < 0 && errno == EINTR)
            continue;
        bOk = nPut > 0;
        if (bOk)
            nDone += static_cast<std::size_t>(nPut);
    }
    bOk = bOk && fsync(fd) == 0;
    return ::close(fd) == 0 && bOk;
}

void SplitLines(std::string_view text, std::vector<std::string_view>& lines)
{
    lines.clear();
    const char* p = text.data();
    const char* const pEnd = p + text.size();
    while (p < pEnd) {
        const char* pLf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(pEnd - p)));
        const char* pLineEnd = pLf != nullptr ? pLf : pEnd;
        const char* pTextEnd = pLineEnd > p && pLineEnd[-1] == '\r' ? pLineEnd - 1 : pLineEnd;
        lines.emplace_back(p, static_cast<std::size_t>(pTextEnd - p));
        p = pLineEnd + 1;
    }
}

std::uint64_t FileSize(const std::string& strPath)
{
    struct stat info {};
    return stat(strPath.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}
