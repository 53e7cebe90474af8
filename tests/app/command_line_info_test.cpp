#include "app/command_line_info.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "tests/support/test_host.h"

namespace {

struct ParseCase {
    std::vector<std::string> args;
    int bHide;
    int bLast;
    int nResult;
    std::string strLogFile;
    std::string strMissionFile;
    int nMessages;
};

// Names the case by its arguments in test listings.
void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << '[';
    for (std::size_t i = 0; i < c.args.size(); ++i)
        *os << (i ? " " : "") << c.args[i];
    *os << ']';
}

class CommandLineGrammar : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineGrammar, SetsTheValues)
{
    const ParseCase& c = GetParam();
    CTestHost host;
    for (int i = 0; i < c.nMessages; ++i)
        host.ExpectMessageBox("Unrecognised command line argument", MB_OK);
    CLogCommandLineInfo info;
    ParseCommandLine(info, c.args);
    EXPECT_EQ(info.m_bHide, c.bHide);
    EXPECT_EQ(info.m_bLast, c.bLast);
    EXPECT_EQ(info.m_nResult, c.nResult);
    EXPECT_EQ(info.m_strLogFile, c.strLogFile);
    EXPECT_EQ(info.m_strMissionFile, c.strMissionFile);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, CommandLineGrammar,
    ::testing::Values(
        ParseCase{{}, 0, 0, 1, "", "", 0},
        ParseCase{{"/hide"}, 1, 0, 1, "", "", 0},
        ParseCase{{"-HIDE"}, 1, 0, 1, "", "", 0},
        ParseCase{{"/HiDe"}, 1, 0, 1, "", "", 0},
        ParseCase{{"-last", "Hide"}, 1, 1, 1, "", "", 0},
        // A plain first argument is the debrief, even when it reads like a keyword.
        ParseCase{{"HIDE"}, 0, 0, 1, "", "HIDE", 0},
        ParseCase{{"d.stt", "hide"}, 1, 0, 1, "", "d.stt", 0},
        ParseCase{{"/MISSION", "/HIDE"}, 1, 0, 1, "", "", 0},
        ParseCase{{"/MISSION", "LAST"}, 0, 0, 1, "", "LAST", 0},
        ParseCase{{"-LOG", "-LAST"}, 0, 1, 1, "", "", 0},
        ParseCase{{"/LOG"}, 0, 0, 1, "", "", 0},
        ParseCase{{"/SUCCESS", "/FAILURE"}, 0, 0, 2, "", "", 0},
        ParseCase{{"/FAILURE", "/SUCCESS"}, 0, 0, 0, "", "", 0},
        ParseCase{{"/LAST", "/MISSION", "x.stt"}, 0, 1, 1, "", "x.stt", 0},
        ParseCase{{"/LOG", "a.log", "/LOG", "b.log", "/MISSION", "a.stt", "MISSION", "b.stt"},
                  0, 0, 1, "b.log", "b.stt", 0},
        ParseCase{{"/LOG", "my log.log", "/SUCCESS"}, 0, 0, 0, "my log.log", "", 0}));

INSTANTIATE_TEST_SUITE_P(
    AbsolutePaths, CommandLineGrammar,
    ::testing::Values(
        ParseCase{{"/LOG", "/home/me/pilot.log", "/MISSION", "/home/me/a.stt", "/HIDE"},
                  1, 0, 1, "/home/me/pilot.log", "/home/me/a.stt", 0},
        ParseCase{{"/home/me/a.stt"}, 0, 0, 1, "", "/home/me/a.stt", 0},
        // A path named like a keyword is still a keyword: "/last" is LAST.
        ParseCase{{"/MISSION", "/last"}, 0, 1, 1, "", "", 0},
        ParseCase{{"/MISSION", "/"}, 0, 0, 1, "", "/", 0},
        ParseCase{{"/MISSION", "/lastfile.stt"}, 0, 0, 1, "", "/lastfile.stt", 0},
        // After the first argument a path that was not asked for is no keyword.
        ParseCase{{"/HIDE", "/tmp/x.stt"}, 1, 0, 1, "", "", 1}));

INSTANTIATE_TEST_SUITE_P(
    Unrecognised, CommandLineGrammar,
    ::testing::Values(
        ParseCase{{"/p"}, 0, 0, 1, "", "/p", 0},
        ParseCase{{"-p"}, 0, 0, 1, "", "", 1},
        ParseCase{{"-p", "-q", "/HIDE", "word"}, 1, 0, 1, "", "", 3},
        ParseCase{{"-"}, 0, 0, 1, "", "", 1},
        ParseCase{{"-MISSIONS"}, 0, 0, 1, "", "", 1},
        ParseCase{{"-LOG", "-x", "name.log"}, 0, 0, 1, "", "", 2}));

// A file manager opening several debriefs names them all; only a run of
// plain names right after a debrief's name adds to it.
TEST(CommandLineDebriefs, SeveralNamedInARow)
{
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> files;
        int nMessages;
    };
    const std::vector<Case> cases{
        {{"/home/me/a.stt", "/home/me/b c.stt", "/home/me/d.stt"},
         {"/home/me/a.stt", "/home/me/b c.stt", "/home/me/d.stt"},
         0},
        {{"a.stt", "b.stt", "/HIDE", "c.stt"}, {"a.stt", "b.stt"}, 1},
        {{"a.stt", "hide", "b.stt"}, {"a.stt"}, 1},
        {{"/MISSION", "a.stt", "b.stt", "/MISSION", "c.stt"}, {"c.stt"}, 0},
        {{"/LOG", "x.log", "b.stt"}, {}, 1},
    };
    for (const Case& c : cases) {
        CTestHost host;
        for (int i = 0; i < c.nMessages; ++i)
            host.ExpectMessageBox("Unrecognised command line argument", MB_OK);
        CLogCommandLineInfo info;
        ParseCommandLine(info, c.args);
        EXPECT_EQ(info.GetMissionFiles(), c.files) << ::testing::PrintToString(c.args);
    }
}

TEST(CommandLineLoop, MarksFlagsAndTheFinalArgument)
{
    struct CRecorder : CCommandLineInfo {
        void ParseParam(const std::string& strParam, bool bFlag, bool bLast) override
        {
            m_seen.push_back((bFlag ? "flag:" : "name:") + strParam + (bLast ? " (last)" : ""));
        }
        std::vector<std::string> m_seen;
    } recorder;
    const std::vector<std::string> args{"-a", "/b", "c", ""};
    ParseCommandLine(recorder, args);
    EXPECT_EQ(recorder.m_seen, (std::vector<std::string>{"flag:a", "flag:b", "name:c", "name: (last)"}));
}

} // namespace
