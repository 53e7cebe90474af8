#pragma once
// The command line: the framework's per-argument parser base class, its
// argument loop, and the program's own parser of keywords and file names.
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Receives the arguments one by one from ParseCommandLine.
class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;

    // One argument; a flag has its leading "-" or "/" removed already.
    virtual void ParseParam(const std::string& strParam, bool bFlag, bool bLast) = 0;

    // Whether an argument "/word" is a flag. Here "/" also begins every
    // absolute path, so a parser may accept only its own keywords.
    virtual bool IsSlashFlag(std::string_view strWord) const;
};

// Hands every argument after the program name to info.ParseParam, in order.
void ParseCommandLine(CCommandLineInfo& info, std::span<const std::string> args);

class CLogCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const std::string& strParam, bool bFlag, bool bLast) override;
    bool IsSlashFlag(std::string_view strWord) const override;

    // What a plain argument is taken as.
    enum : int { EXPECT_KEYWORD = 0, EXPECT_MISSION = 1, EXPECT_LOG = 2 };

    int m_bHide = 0;         // no main window; save the log at the end
    int m_bLast = 0;         // analyse the simulator's own debrief
    int m_nResult = 1;       // initial Result of the new mission
    std::string m_strLogFile;
    std::string m_strMissionFile;
    int m_nExpect = EXPECT_MISSION;
    // Debriefs named right after m_strMissionFile: a file manager names every
    // debrief opened at once, and one run logs them all into the one log.
    std::vector<std::string> m_moreMissionFiles;

    // The debriefs to log, in the order named (LAST aside).
    std::vector<std::string> GetMissionFiles() const;

private:
    bool m_bAfterMissionFile = false; // the previous argument named a debrief
};
