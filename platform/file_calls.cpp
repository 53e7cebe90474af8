#include "platform/file_calls.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

CFileCalls::CFileCalls()
    : Open([](const char* pszPath, int nFlags, mode_t nMode) { return ::open(pszPath, nFlags, nMode); }),
      Write(::write), Fsync(::fsync), Fchown(::fchown), Fchmod(::fchmod), Flock(::flock), Rename(std::rename),
      Unlink(::unlink), Close(::close)
{
}
