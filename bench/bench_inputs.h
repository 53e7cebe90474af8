#pragma once
// The files the benchmarks work on, written once per run into a private
// folder, and the raw costs of their bytes that the benchmarks are measured
// against.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CPilot;

// Sizes: n and 2n of each kind of input, for the scaling checks.
inline constexpr std::uint32_t kHalfFlightBursts = 12500; // 500,000 events
inline constexpr std::uint32_t kFlightBursts = 25000;     // 1,000,000 events
inline constexpr int kLogCareers = 50;                    // 50 x 200 missions x 10 kills
inline constexpr int kDoubleLogCareers = 100;

// A private folder, removed with everything in it when the object goes.
class CBenchFolder {
public:
    // In $TMPDIR, or /tmp. Throws when it cannot be made.
    CBenchFolder();
    ~CBenchFolder();
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    const std::string& GetDir() const { return m_strDir; }

private:
    std::string m_strDir;
};

// Every input file of a run.
struct CBenchInputs {
    std::string strHalfFlight;    // kHalfFlightBursts, timed
    std::string strFlight;        // kFlightBursts, timed
    std::string strFlatFlight;    // kFlightBursts, every record at the same time
    std::string strRandomDebrief; // a million random events of 20,000 objects
    std::string strLog;           // kLogCareers, sections in order
    std::string strDoubleLog;     // kDoubleLogCareers
    std::string strReversedLog;   // strLog with its sections in reverse order
    std::string strDoubleReversedLog;
    std::string strMissingLog; // strLog without every other kill record section
    std::string strDoubleMissingLog;
    std::string strScratch; // a folder for files written while measuring

    // The inputs in the folder strDir, written there unless bWritten says
    // an earlier run left them.
    explicit CBenchInputs(const std::string& strDir, bool bWritten = false);
};

// A flight of the player (object 1): bursts of 20 gun rounds within one
// second, 19 hits and a kill on one target, every fifth burst missiles
// instead; 40 events a burst. Weapon and target identifiers are reused from
// pools that grow with the flight, as the simulator must reuse them in so
// long a flight, so that each is used as often at every size. bFlat gives
// every record the same time, the worst case for following bursts back.
void WriteFlight(const std::string& strPath, std::uint32_t nBursts, bool bFlat);

// A pilot of nCareers careers of 200 missions with 10 kill records each.
void FillLargeLog(CPilot& pilot, int nCareers);
// Saves such a pilot to strPath.
void WriteLargeLog(const std::string& strPath, int nCareers);

// The bytes of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& strPath);
// Writes bytes to a file and syncs them to the disk; false on any failure.
bool WriteAndSync(const std::string& strPath, std::string_view bytes);
// The lines of a text (LF ends a line, a CR before it is dropped).
void SplitLines(std::string_view text, std::vector<std::string_view>& lines);
std::uint64_t FileSize(const std::string& strPath);
