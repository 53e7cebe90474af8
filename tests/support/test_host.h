#pragma once
// The host for tests. Expectations are met in the order they are given:
// message boxes (text, type -> answer), file dialogs (-> path or cancel) and
// dialogs (a script that drives the dialog while it is modal). Expectations
// given inside a script come before those given earlier for later, so a
// script can prepare the questions its own clicks raise. Anything not
// expected, and anything expected but never seen, fails the current test.
//
//   CTestHost host; // installed as the current host while it lives
//   host.ExpectDialog(IDD_PREFERENCES, [&](CDialogDriver& d) {
//       host.ExpectFileDialog("C:\\Games\\Sim\\VORTANE.EXE").WithFileName("VORTANE.EXE");
//       d.Click(IDC_BROWSE);
//       d.Click(IDOK);
//   });
//   EXPECT_EQ(dlg.DoModal(), IDOK);
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/host.h"
#include "tests/support/dialog_driver.h"

// What the program asked of a file dialog.
struct CFileDialogRequest {
    bool m_bOpen = true;
    std::string m_strDefExt;
    std::string m_strFileName;
    std::string m_strFilter;
    unsigned m_nFlags = 0;
    int m_nFilterIndex = 1;
};

// A file dialog still to come; the With... checks are made when it runs.
class CFileDialogExpectation {
public:
    CFileDialogExpectation& AsOpen(bool bOpen = true) { m_bOpen = bOpen; return *this; }
    CFileDialogExpectation& WithFileName(std::string str) { m_strFileName = std::move(str); return *this; }
    CFileDialogExpectation& WithDefExt(std::string str) { m_strDefExt = std::move(str); return *this; }
    CFileDialogExpectation& WithFilter(std::string str) { m_strFilter = std::move(str); return *this; }
    CFileDialogExpectation& WithFlags(unsigned nFlags) { m_nFlags = nFlags; return *this; }
    CFileDialogExpectation& WithFilterIndex(int n) { m_nFilterIndexIn = n; return *this; }

private:
    friend class CTestHost;
    bool m_bCancel = false;
    std::string m_strPath;
    int m_nFilterIndexOut = 0; // 0: keep the one asked for
    std::optional<bool> m_bOpen;
    std::optional<std::string> m_strFileName, m_strDefExt, m_strFilter;
    std::optional<unsigned> m_nFlags;
    std::optional<int> m_nFilterIndexIn;
};

class CTestHost : public CHost {
public:
    using Script = std::function<void(CDialogDriver&)>;

    CTestHost();
    ~CTestHost() override; // fails the test for every expectation left

    // nType as the program passes it; a box without icon is expected with the
    // exclamation icon, so MB_OK matches MB_OK | MB_ICONEXCLAMATION.
    void ExpectMessageBox(std::string strText, unsigned nType, int nAnswer = IDOK);
    // The user picks strPath (and filter nFilterIndex, 0 keeps the program's).
    CFileDialogExpectation& ExpectFileDialog(std::string strPath, int nFilterIndex = 0);
    CFileDialogExpectation& ExpectFileDialogCancel();
    // The script runs while the dialog of that template is modal; a dialog
    // the script leaves open fails the test and is cancelled.
    void ExpectDialog(int nTemplateId, Script script);
    // A program error whose text contains strPart (instead of a failure).
    void ExpectProgramError(std::string strPart);

    // Fails the test for every expectation not met so far, and forgets them.
    void Verify();

    const std::vector<std::string>& GetMessageTexts() const { return m_messageTexts; }
    const std::vector<CFileDialogRequest>& GetFileDialogRequests() const { return m_fileRequests; }
    int GetWaitCursorDepth() const { return m_nWaitDepth; }
    int GetWaitCursorCount() const { return m_nWaitCount; } // times it was shown

    int MessageBox(const std::string& strText, unsigned nType) override;
    int RunFileDialog(CFileDialog& dlg) override;
    bool BeginModal(CDialog& dlg) override;
    void RunModalLoop(CDialog& dlg) override;
    void EndModal(CDialog& dlg) override;
    void BeginWaitCursor() override { ++m_nWaitDepth; ++m_nWaitCount; }
    void EndWaitCursor() override { --m_nWaitDepth; }
    void ReportProgramError(const std::string& strProblem) override;

private:
    struct Expectation {
        enum class Kind { MessageBox, FileDialog, Dialog } m_eKind;
        std::string m_strText;  // message text
        unsigned m_nType = 0;
        int m_nAnswer = IDOK;
        CFileDialogExpectation m_file;
        int m_nTemplateId = 0;
        Script m_script;
        std::string Describe() const;
    };
    Expectation& Add(std::unique_ptr<Expectation> pExpectation);
    std::unique_ptr<Expectation> Take(Expectation::Kind eKind, const std::string& strWhat);

    CHostScope m_scope;
    std::deque<std::unique_ptr<Expectation>> m_expected;
    std::vector<std::size_t> m_insertAt; // where scripts now running add expectations
    std::vector<Script> m_running;        // scripts of the open dialogs, innermost last
    std::vector<std::string> m_expectedErrors;
    std::vector<std::string> m_messageTexts;
    std::vector<CFileDialogRequest> m_fileRequests;
    int m_nWaitDepth = 0;
    int m_nWaitCount = 0;
};
