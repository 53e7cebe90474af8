#pragma once
// The host: whatever shows the program's windows and questions to the user
// (real windows, the terminal, or a test script). The platform layer talks to
// exactly one current host; with none installed it behaves like the terminal.
#include <string>

class CDialog;
class CFileDialog;

class CHost {
public:
    virtual ~CHost() = default;

    // A modal message box. nType always carries an icon (the platform adds
    // the exclamation icon to a box that names none). Returns IDOK, IDCANCEL,
    // IDYES or IDNO.
    virtual int MessageBox(const std::string& strText, unsigned nType) = 0;
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
