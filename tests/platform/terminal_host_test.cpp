#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "platform/file_dialog.h"
#include "platform/terminal/terminal_host.h"
#include "tests/platform/sample_dialog.h"

namespace {
struct CTerminal {
    std::istringstream in;
    std::ostringstream out;
    CTerminalHost host{in, out};
    explicit CTerminal(std::string strInput) : in(std::move(strInput)) {}
};
} // namespace

TEST(TerminalHostTest, MessagesArePrintedAfterTheirKind)
{
    CTerminal t("");
    EXPECT_EQ(t.host.MessageBox("Line one\r\nLine two", MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(t.host.MessageBox("Careful", MB_OK | MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(t.out.str(), "Error:\nLine one\r\nLine two\nWarning:\nCareful\n");
}

TEST(TerminalHostTest, QuestionsReadOneAnswerALine)
{
    struct {
        const char* pszInput;
        unsigned nType;
        int nAnswer;
    } cases[] = {
        {"y\n", MB_YESNO, IDYES},
        {"  NO \n", MB_YESNO, IDNO},
        {"Cancel\n", MB_YESNOCANCEL, IDCANCEL},
        {"o\n", MB_OKCANCEL, IDOK},
        {"maybe\nok\nyes\n", MB_YESNO, IDYES}, // junk and answers not offered are asked again
        {"c\n", MB_YESNO, IDNO},                // Cancel not offered; end of input then
        {"", MB_YESNOCANCEL, IDCANCEL},
        {"", MB_YESNO, IDNO},
        {"", MB_OKCANCEL, IDCANCEL},
    };
    for (const auto& c : cases) {
        CTerminal t(c.pszInput);
        EXPECT_EQ(t.host.MessageBox("Save?", c.nType | MB_ICONQUESTION), c.nAnswer) << c.pszInput;
    }
}

TEST(TerminalHostTest, TheAnswerTakenIsPrinted)
{
    CTerminal t("what\nn\n");
    EXPECT_EQ(t.host.MessageBox("Save changes to the current log?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(t.out.str(), "Question:\nSave changes to the current log?\nAnswer (yes/no): Answer (yes/no): "
                           "The answer is No.\n");
    CTerminal eof("");
    eof.host.MessageBox("Discard?", MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(eof.out.str(), "Question:\nDiscard?\nAnswer (yes/no/cancel): \n"
                             "No answer on standard input; the default answer is taken: Cancel.\n");
}

TEST(TerminalHostTest, FileDialogsAskForAPath)
{
    std::string strDir = ::testing::TempDir();
    std::string strExisting = strDir + "terminal_host_test.log";
    std::FILE* pFile = std::fopen(strExisting.c_str(), "w");
    std::fclose(pFile);
    struct {
        std::string strInput;
        unsigned nFlags;
        int nResult;
        std::string strPath;
    } cases[] = {
        {strExisting + "\n", OFN_FILEMUSTEXIST, IDOK, strExisting},
        {strDir + "missing.log\n" + strExisting + "\n", OFN_FILEMUSTEXIST, IDOK, strExisting},
        {strDir + "terminal_host_test\n", 0, IDOK, strExisting}, // default extension added
        {"\n", 0, IDCANCEL, ""},
        {"", 0, IDCANCEL, ""},
        {strDir + "no/such/dir/x.log\n", OFN_PATHMUSTEXIST, IDCANCEL, ""},
    };
    for (const auto& c : cases) {
        CTerminal t(c.strInput);
        CFileDialog dlg(true, "log", "pilot.log", c.nFlags, "Log Files|*.log||");
        EXPECT_EQ(t.host.RunFileDialog(dlg), c.nResult) << c.strInput;
        EXPECT_EQ(dlg.GetPathName(), c.strPath);
    }
    CTerminal replace(strExisting + "\nn\n");
    CFileDialog save(false, "log", "", OFN_OVERWRITEPROMPT, "");
    EXPECT_EQ(replace.host.RunFileDialog(save), IDCANCEL); // declined to replace, then end of input
    std::remove(strExisting.c_str());
}

TEST(TerminalHostTest, DialogsCannotBeShown)
{
    CTerminal t("");
    CHostScope scope(t.host);
    CSampleDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(t.out.str(), "The window \"Sample\" cannot be shown without a display; it is cancelled.\n");
    EXPECT_TRUE(dlg.m_events.empty());
}
