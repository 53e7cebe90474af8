#include "app/command_line_info.h"

#include <array>

#include "platform/ascii_text.h"
#include "platform/message_box.h"

namespace {

enum class Keyword { Mission, Log, Success, Failure, Last, Hide, None };

struct KeywordName {
    std::string_view strName;
    Keyword keyword;
};

// In the order they are compared.
constexpr std::array<KeywordName, 6> kKeywords{{
    {"MISSION", Keyword::Mission},
    {"LOG", Keyword::Log},
    {"SUCCESS", Keyword::Success},
    {"FAILURE", Keyword::Failure},
    {"LAST", Keyword::Last},
    {"HIDE", Keyword::Hide},
}};

Keyword FindKeyword(std::string_view strWord)
{
    for (const KeywordName& k : kKeywords)
        if (EqualNoCase(strWord, k.strName))
            return k.keyword;
    return Keyword::None;
}

} // namespace

bool CCommandLineInfo::IsSlashFlag(std::string_view) const { return true; }

void ParseCommandLine(CCommandLineInfo& info, std::span<const std::string> args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& strArg = args[i];
        const bool bLast = i + 1 == args.size();
        bool bFlag = false;
        if (!strArg.empty() && strArg[0] == '-')
            bFlag = true;
        else if (!strArg.empty() && strArg[0] == '/')
            bFlag = info.IsSlashFlag(std::string_view(strArg).substr(1));
        if (bFlag)
            info.ParseParam(strArg.substr(1), true, bLast);
        else
            info.ParseParam(strArg, false, bLast);
    }
}

bool CLogCommandLineInfo::IsSlashFlag(std::string_view strWord) const
{
    return FindKeyword(strWord) != Keyword::None;
}

void CLogCommandLineInfo::ParseParam(const std::string& strParam, bool bFlag, bool /*bLast*/)
{
    const bool bAfterMissionFile = m_bAfterMissionFile;
    m_bAfterMissionFile = false;
    // A flag is always a keyword, even where a name was expected.
    if (bFlag)
        m_nExpect = EXPECT_KEYWORD;
    if (m_nExpect == EXPECT_MISSION) {
        m_strMissionFile = strParam;
        m_moreMissionFiles.clear();
        m_nExpect = EXPECT_KEYWORD;
        m_bAfterMissionFile = true;
        return;
    }
    if (m_nExpect == EXPECT_LOG) {
        m_strLogFile = strParam;
        m_nExpect = EXPECT_KEYWORD;
        return;
    }
    const Keyword keyword = FindKeyword(strParam);
    if (keyword == Keyword::None && !bFlag && bAfterMissionFile) {
        m_moreMissionFiles.push_back(strParam);
        m_bAfterMissionFile = true;
        return;
    }
    switch (keyword) {
    case Keyword::Mission:
        m_nExpect = EXPECT_MISSION;
        break;
    case Keyword::Log:
        m_nExpect = EXPECT_LOG;
        break;
    case Keyword::Success:
        m_nResult = 0;
        break;
    case Keyword::Failure:
        m_nResult = 2;
        break;
    case Keyword::Last:
        m_bLast = 1;
        break;
    case Keyword::Hide:
        m_bHide = 1;
        break;
    case Keyword::None:
        AfxMessageBox("Unrecognised command line argument", MB_OK);
        break;
    }
}

std::vector<std::string> CLogCommandLineInfo::GetMissionFiles() const
{
    std::vector<std::string> files;
    if (!m_strMissionFile.empty())
        files.push_back(m_strMissionFile);
    for (const std::string& strFile : m_moreMissionFiles)
        if (!strFile.empty())
            files.push_back(strFile);
    return files;
}
