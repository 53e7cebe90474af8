#include "platform/terminal/terminal_host.h"

#include <filesystem>
#include <iostream>
#include <string>

#include "platform/ascii_text.h"
#include "platform/dialog.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/message_box_text.h"

namespace {
const char* AnswerName(int nAnswer)
{
    switch (nAnswer) {
    case IDYES:
        return "Yes";
    case IDNO:
        return "No";
    case IDCANCEL:
        return "Cancel";
    default:
        return "OK";
    }
}

int ParseAnswer(const std::string& strLine)
{
    std::string str = LowerCopy(Trim(strLine));
    if (str == "y" || str == "yes")
        return IDYES;
    if (str == "n" || str == "no")
        return IDNO;
    if (str == "c" || str == "cancel")
        return IDCANCEL;
    if (str == "o" || str == "ok")
        return IDOK;
    return 0;
}

std::string Choices(unsigned nType)
{
    std::string str;
    for (int nAnswer : {IDOK, IDYES, IDNO, IDCANCEL})
        if (MessageBoxOffers(nType, nAnswer))
            str += std::string(str.empty() ? "" : "/") + LowerCopy(AnswerName(nAnswer));
    return str;
}
} // namespace

CTerminalHost::CTerminalHost(std::istream& in, std::ostream& out) : m_in(in), m_out(out) {}

bool CTerminalHost::ReadLine(std::string& strLine)
{
    m_out.flush();
    return static_cast<bool>(std::getline(m_in, strLine));
}

int CTerminalHost::MessageBox(const std::string& strText, unsigned nType)
{
    nType = NormalizeMessageBoxType(nType);
    m_out << GetMessageBoxKindLabel(nType) << '\n' << strText << '\n';
    if ((nType & MB_TYPEMASK) == MB_OK) {
        m_out.flush();
        return IDOK;
    }
    std::string strLine;
    for (;;) {
        m_out << "Answer (" << Choices(nType) << "): ";
        if (!ReadLine(strLine)) {
            // Unattended (a scheduled job): the output says what was decided.
            int nAnswer = GetDefaultMessageBoxAnswer(nType);
            m_out << "\nNo answer on standard input; the default answer is taken: " << AnswerName(nAnswer) << ".\n";
            m_out.flush();
            return nAnswer;
        }
        int nAnswer = ParseAnswer(strLine);
        if (nAnswer != 0 && MessageBoxOffers(nType, nAnswer)) {
            m_out << "The answer is " << AnswerName(nAnswer) << ".\n";
            return nAnswer;
        }
    }
}

bool CTerminalHost::IsAcceptable(const CFileDialog& dlg, const std::string& strPath)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path path(strPath);
    if ((dlg.GetFlags() & OFN_FILEMUSTEXIST) && !fs::is_regular_file(path, ec)) {
        m_out << strPath << "\nThe file does not exist.\n";
        return false;
    }
    fs::path dir = path.parent_path();
    if ((dlg.GetFlags() & OFN_PATHMUSTEXIST) && !dir.empty() && !fs::is_directory(dir, ec)) {
        m_out << strPath << "\nThe folder does not exist.\n";
        return false;
    }
    if (!dlg.IsOpenDialog() && (dlg.GetFlags() & OFN_OVERWRITEPROMPT) && fs::exists(path, ec))
        return MessageBox(strPath + " already exists.\nDo you want to replace it?", MB_YESNO | MB_ICONEXCLAMATION) ==
               IDYES;
    return true;
}

int CTerminalHost::RunFileDialog(CFileDialog& dlg)
{
    std::string strLine;
    for (;;) {
        m_out << (dlg.IsOpenDialog() ? "File to open" : "File to save as");
        if (!dlg.GetFileName().empty())
            m_out << " (suggested: " << dlg.GetFileName() << ")";
        m_out << ", empty to cancel: ";
        if (!ReadLine(strLine)) {
            m_out << "\nNo answer on standard input; no file is chosen.\n";
            m_out.flush();
            return IDCANCEL;
        }
        if (Trim(strLine).empty()) {
            m_out << "\nNo file chosen.\n";
            return IDCANCEL;
        }
        std::string strPath = dlg.AddDefaultExtension(std::string(Trim(strLine)));
        if (IsAcceptable(dlg, strPath)) {
            dlg.SetPathName(strPath);
            dlg.SetFilterIndex(dlg.GetValidFilterIndex());
            return IDOK;
        }
    }
}

bool CTerminalHost::BeginModal(CDialog& dlg)
{
    m_out << "The window \"" << dlg.GetTemplate().m_strCaption
          << "\" cannot be shown without a display; it is cancelled.\n";
    m_out.flush();
    return false;
}

void CTerminalHost::ReportProgramError(const std::string& strProblem) { m_out << "Program error: " << strProblem << '\n'; }

std::unique_ptr<CHost> CreateTerminalHost() { return std::make_unique<CTerminalHost>(std::cin, std::cerr); }
