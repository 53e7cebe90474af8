#pragma once
// The host used when no display can be opened: message boxes are printed,
// questions and file names are read line by line, dialogs cannot be shown.
#include <iosfwd>
#include <memory>

#include "platform/host.h"

class CTerminalHost : public CHost {
public:
    // Questions are read from in; everything is written to out.
    CTerminalHost(std::istream& in, std::ostream& out);

    int MessageBox(const std::string& strText, unsigned nType) override;
    int RunFileDialog(CFileDialog& dlg) override;
    bool BeginModal(CDialog& dlg) override; // prints a notice; always false
    void RunModalLoop(CDialog&) override {}
    void ReportProgramError(const std::string& strProblem) override;

private:
    bool ReadLine(std::string& strLine); // false at end of input
    bool IsAcceptable(const CFileDialog& dlg, const std::string& strPath);

    std::istream& m_in;
    std::ostream& m_out;
};

// The terminal host on stdin and stderr, for main().
std::unique_ptr<CHost> CreateTerminalHost();
