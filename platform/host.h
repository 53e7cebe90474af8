#pragma once
// The host: whatever shows the program's windows and questions to the user
// (real windows, the terminal, or a test script). The platform layer talks to
// exactly one current host; with none installed it behaves like the terminal
// (messages on stderr, default answers, dialogs cancelled).
//
// A modal run (CDialog::DoModal):
//   1. BeginModal(dlg): the host creates its window from dlg.GetTemplate()
//      and dlg.GetControls(); false means it cannot show dialogs, and DoModal
//      returns IDCANCEL without running OnInitDialog.
//   2. The dialog runs OnInitDialog; the host hears of each change made.
//   3. RunModalLoop(dlg) unless the dialog already ended: the host passes the
//      user's input to dlg.User...() and returns once it is told
//      EDialogChange::Ended (or dlg.IsEnded()).
//   4. EndModal(dlg): the host destroys its window.
// Nested runs (a dialog or file dialog opened from a handler) simply recurse.
#include <memory>
#include <string>
#include <vector>

#include "platform/control_state.h"
#include "platform/size.h"

class CBitmap;
class CDialog;
class CFileDialog;

class CHost {
public:
    virtual ~CHost() = default;

    // A modal message box. nType always carries a known button set and an
    // icon (AfxMessageBox gives the exclamation icon to a box naming none).
    // Returns IDOK, IDCANCEL, IDYES or IDNO, one the box offers.
    virtual int MessageBox(const std::string& strText, unsigned nType) = 0;

    // A file dialog; on IDOK the host has called SetPathName (and
    // SetFilterIndex with the 1-based filter used). IDCANCEL changes nothing.
    virtual int RunFileDialog(CFileDialog& dlg) = 0;

    virtual bool BeginModal(CDialog& dlg) = 0;
    virtual void RunModalLoop(CDialog& dlg) = 0;
    virtual void EndModal(CDialog&) {}

    // The program changed a control of an open dialog (state already in
    // dlg.FindControl(nId)); nIndex is the row for row changes, else -1.
    virtual void OnControlChanged(CDialog&, int /*nId*/, EChange, int /*nIndex*/) {}
    virtual void OnDialogChanged(CDialog&, EDialogChange) {}

    // Busy cursor, nested: shown while more Begin than End calls were made.
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    // A bitmap file stretched to size; nullptr when it cannot be loaded. The
    // default checks the file and returns a plain CBitmap.
    virtual std::unique_ptr<CBitmap> LoadBitmapFile(const std::string& strPath, CSize size);
    // The inside of a control in pixels; the default converts its template
    // size with the base units of the 8-point dialog font (6 by 13 pixels per
    // 4 by 8 dialog units).
    virtual CSize GetControlClientSize(const CDialog& dlg, int nId);
    // Width in pixels of a text in a control; the default is PlainTextWidth.
    virtual int GetTextWidth(const CDialog& dlg, int nId, const std::string& strText);
    // The widths of many texts in one control; the default asks GetTextWidth
    // for each.
    virtual std::vector<int> GetTextWidths(const CDialog& dlg, int nId, const std::vector<std::string>& texts);

    // A fault in the program's use of the platform (a handler bound to a
    // control its template lacks, a control id that does not exist...). The
    // default prints it on stderr; the test host fails the test.
    virtual void ReportProgramError(const std::string& strProblem);
};

// The current host, or nullptr when none is installed.
CHost* GetHost();

// Installs a host for its lifetime and restores the previous one afterwards.
// Scopes nest; the host is not owned.
class CHostScope {
public:
    explicit CHostScope(CHost& host);
    ~CHostScope();
    CHostScope(const CHostScope&) = delete;
    CHostScope& operator=(const CHostScope&) = delete;

private:
    CHost* m_pPrevious;
};

// Helpers for hosts and for running without one.
CSize DialogUnitsToPixels(CSize sizeDU);
int CountCharacters(const std::string& strText); // UTF-8 aware; other bytes count one each
// A text's width without a toolkit to measure it: 6 pixels a character.
int PlainTextWidth(const std::string& strText);
void ReportProgramErrorOnStderr(const std::string& strProblem);
