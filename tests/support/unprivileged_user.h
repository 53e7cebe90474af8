#pragma once
// Runs part of a test as a user without privileges, so that file permissions
// apply even when the tests run as root (as CI does): in a child process
// that becomes "nobody" (65534) when root and stays who it is otherwise.
#include <functional>
#include <string>
#include <sys/types.h>

class CUnprivilegedUser {
public:
    CUnprivilegedUser();

    uid_t GetUid() const { return m_nUid; }
    gid_t GetGid() const { return m_nGid; }

    // Hands a file or folder to the user (nothing to do when not root).
    void Give(const std::string& strPath) const;

    // Runs body in a child process as the user. True with the text body
    // returned; false with the reason why not when the child could not
    // become the user or reach the folder strDir (the caller skips then).
    bool Run(const std::string& strDir, const std::function<std::string()>& body, std::string& strOutput) const;

private:
    uid_t m_nUid;
    gid_t m_nGid;
};
