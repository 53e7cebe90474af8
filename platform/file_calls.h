#pragma once
// The system calls behind the file writer, as a table of replaceable
// functions. A default-made table calls the OS; a test puts a failing
// function in place of one of them to see the failure caught and reported.
#include <cstddef>
#include <functional>
#include <sys/types.h>

struct CFileCalls {
    CFileCalls();

    std::function<int(const char* pszPath, int nFlags, mode_t nMode)> Open;
    std::function<ssize_t(int fd, const void* pData, std::size_t nSize)> Write;
    std::function<int(int fd)> Fsync;
    std::function<int(int fd, uid_t nOwner, gid_t nGroup)> Fchown;
    std::function<int(int fd, mode_t nMode)> Fchmod;
    std::function<int(int fd, int nOperation)> Flock;
    std::function<int(const char* pszFrom, const char* pszTo)> Rename;
    std::function<int(const char* pszPath)> Unlink;
    std::function<int(int fd)> Close;
};
