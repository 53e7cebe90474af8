#include "platform/wx/file_choice.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/message_box.h"

namespace {

bool Exists(const std::string& strPath)
{
    struct stat st {};
    return ::stat(strPath.c_str(), &st) == 0;
}

bool IsFolder(const std::string& strPath)
{
    struct stat st {};
    return ::stat(strPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FolderOf(const std::string& strPath)
{
    std::size_t nSlash = strPath.find_last_of('/');
    if (nSlash == std::string::npos)
        return ".";
    if (nSlash == 0)
        return "/";
    return strPath.substr(0, nSlash);
}

// One pattern list ("*.log;*.*") with every "*.*" made "*".
std::string ToolkitPatterns(const std::string& strPatterns)
{
    std::string out;
    std::size_t nStart = 0;
    while (nStart <= strPatterns.size()) {
        std::size_t nEnd = strPatterns.find(';', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPatterns.size();
        std::string strOne = strPatterns.substr(nStart, nEnd - nStart);
        if (strOne == "*.*")
            strOne = "*";
        if (!out.empty())
            out += ';';
        out += strOne;
        nStart = nEnd + 1;
    }
    return out;
}

} // namespace

std::string MakeWildcard(const std::vector<CFileFilter>& filters)
{
    if (filters.empty())
        return "*";
    std::string out;
    for (const CFileFilter& filter : filters) {
        if (!out.empty())
            out += '|';
        out += filter.m_strName + '|' + ToolkitPatterns(filter.m_strPattern);
    }
    return out;
}

CInitialName SplitInitialName(const std::string& strFileName)
{
    std::size_t nSlash = strFileName.find_last_of('/');
    if (nSlash == std::string::npos)
        return {"", strFileName};
    return {nSlash == 0 ? "/" : strFileName.substr(0, nSlash), strFileName.substr(nSlash + 1)};
}

std::string CompleteChosenPath(const CFileDialog& dlg, const std::string& strChosen)
{
    std::string strWithExt = dlg.AddDefaultExtension(strChosen);
    if (dlg.IsOpenDialog() && strWithExt != strChosen && Exists(strChosen))
        return strChosen;
    return strWithExt;
}

CFileChoiceCheck CheckChosenPath(const CFileDialog& dlg, const std::string& strPath, bool bExtensionAdded)
{
    const unsigned nFlags = dlg.GetFlags();
    const bool bExists = Exists(strPath);
    if ((nFlags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !IsFolder(FolderOf(strPath)))
        return {CFileChoiceCheck::Refuse, strPath + "\nPath does not exist.\nCheck the path and try again.",
                MB_OK | MB_ICONEXCLAMATION};
    if (bExists && IsFolder(strPath))
        return {CFileChoiceCheck::Refuse, strPath + "\nThis is a folder, not a file.", MB_OK | MB_ICONEXCLAMATION};
    if (dlg.IsOpenDialog()) {
        if (!bExists && (nFlags & OFN_FILEMUSTEXIST))
            return {CFileChoiceCheck::Refuse, strPath + "\nFile not found.\nCheck the file name and try again.",
                    MB_OK | MB_ICONEXCLAMATION};
        if (!bExists && (nFlags & OFN_CREATEPROMPT))
            return {CFileChoiceCheck::Ask, strPath + "\nThis file does not exist.\nDo you want to create it?",
                    MB_YESNO | MB_ICONQUESTION};
        return {};
    }
    if (bExists && (nFlags & OFN_NOREADONLYRETURN) && ::access(strPath.c_str(), W_OK) != 0)
        return {CFileChoiceCheck::Refuse, strPath + "\nThis file is read-only.\nTry again with a different file name.",
                MB_OK | MB_ICONEXCLAMATION};
    if (bExists && bExtensionAdded && (nFlags & OFN_OVERWRITEPROMPT))
        return {CFileChoiceCheck::Ask, strPath + " already exists.\nDo you want to replace it?",
                MB_YESNO | MB_ICONEXCLAMATION};
    return {};
}
