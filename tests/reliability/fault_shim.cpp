// Loaded into the program with LD_PRELOAD by the fault tests: makes the Nth
// call of one kind fail with a chosen errno. Only calls about files in one
// folder count, so the program's other files work as usual.
//
//   SORTAVEL_FAULT_DIR     the folder (its path as the program names it)
//   SORTAVEL_FAULT_CALL    open, write, fsync, rename or close (of files
//                          opened for writing, and of the folder itself),
//                          or read or fread (of files opened for reading)
//   SORTAVEL_FAULT_NTH     which call fails, counting from 1
//   SORTAVEL_FAULT_ERRNO   the error number it fails with
//   SORTAVEL_FAULT_REPORT  a file that gets a line when the fault is made
//
// A read or fread that fails delivers half of what was asked for first, so
// the reader meets the failure half way through the file.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum class ETracked : unsigned char { no, writing, reading };
constexpr int kMaxFd = 4096;
ETracked g_tracked[kMaxFd];
std::atomic<long> g_nCalls{0};
bool g_bFailedStream[kMaxFd];

const char* Env(const char* pszName)
{
    const char* psz = std::getenv(pszName);
    return psz != nullptr ? psz : "";
}

bool InFolder(const char* pszPath)
{
    const char* pszDir = Env("SORTAVEL_FAULT_DIR");
    const std::size_t n = std::strlen(pszDir);
    return n > 0 && pszPath != nullptr && std::strncmp(pszPath, pszDir, n) == 0 &&
           (pszPath[n] == '/' || pszPath[n] == '\0');
}

void Report(const char* pszCall)
{
    const char* pszReport = Env("SORTAVEL_FAULT_REPORT");
    if (*pszReport == '\0')
        return;
    // Straight to the kernel: the report must not count as a call itself.
    const long fd = syscall(SYS_openat, AT_FDCWD, pszReport, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    syscall(SYS_write, fd, pszCall, std::strlen(pszCall));
    syscall(SYS_write, fd, "\n", 1);
    syscall(SYS_close, fd);
}

// True when this call is the one to fail (errno is then set).
bool ShouldFail(const char* pszCall)
{
    if (std::strcmp(Env("SORTAVEL_FAULT_CALL"), pszCall) != 0)
        return false;
    const long nth = std::atol(Env("SORTAVEL_FAULT_NTH"));
    if (++g_nCalls != nth)
        return false;
    Report(pszCall);
    errno = std::atoi(Env("SORTAVEL_FAULT_ERRNO"));
    return true;
}

ETracked Tracked(int fd) { return fd >= 0 && fd < kMaxFd ? g_tracked[fd] : ETracked::no; }

void Track(int fd, const char* pszPath, int nFlags)
{
    if (fd < 0 || fd >= kMaxFd)
        return;
    g_bFailedStream[fd] = false;
    if (!InFolder(pszPath))
        g_tracked[fd] = ETracked::no;
    else if ((nFlags & (O_WRONLY | O_RDWR | O_CREAT | O_DIRECTORY)) != 0)
        g_tracked[fd] = ETracked::writing;
    else
        g_tracked[fd] = ETracked::reading;
}

template <typename F>
F Next(const char* pszName)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, pszName));
}

int OpenWith(const char* pszName, int dirfd, const char* pszPath, int nFlags, mode_t nMode, bool bAt)
{
    const bool bWriting = (nFlags & (O_WRONLY | O_RDWR | O_CREAT | O_DIRECTORY)) != 0;
    if (InFolder(pszPath) && bWriting && ShouldFail("open"))
        return -1;
    int fd;
    if (bAt)
        fd = Next<int (*)(int, const char*, int, ...)>(pszName)(dirfd, pszPath, nFlags, nMode);
    else
        fd = Next<int (*)(const char*, int, ...)>(pszName)(pszPath, nFlags, nMode);
    Track(fd, pszPath, nFlags);
    return fd;
}

mode_t ModeArgument(int nFlags, va_list args)
{
    return (nFlags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

} // namespace

extern "C" {

int open(const char* pszPath, int nFlags, ...)
{
    va_list args;
    va_start(args, nFlags);
    const mode_t nMode = ModeArgument(nFlags, args);
    va_end(args);
    return OpenWith("open", AT_FDCWD, pszPath, nFlags, nMode, false);
}

int open64(const char* pszPath, int nFlags, ...)
{
    va_list args;
    va_start(args, nFlags);
    const mode_t nMode = ModeArgument(nFlags, args);
    va_end(args);
    return OpenWith("open64", AT_FDCWD, pszPath, nFlags, nMode, false);
}

int openat(int dirfd, const char* pszPath, int nFlags, ...)
{
    va_list args;
    va_start(args, nFlags);
    const mode_t nMode = ModeArgument(nFlags, args);
    va_end(args);
    return OpenWith("openat", dirfd, pszPath, nFlags, nMode, true);
}

ssize_t write(int fd, const void* pData, size_t nSize)
{
    if (Tracked(fd) == ETracked::writing && ShouldFail("write"))
        return -1;
    return Next<ssize_t (*)(int, const void*, size_t)>("write")(fd, pData, nSize);
}

int fsync(int fd)
{
    if (Tracked(fd) == ETracked::writing && ShouldFail("fsync"))
        return -1;
    return Next<int (*)(int)>("fsync")(fd);
}

int close(int fd)
{
    const bool bFail = Tracked(fd) == ETracked::writing && ShouldFail("close");
    if (fd >= 0 && fd < kMaxFd)
        g_tracked[fd] = ETracked::no;
    // The descriptor is gone even when close reports a failure.
    const int nResult = Next<int (*)(int)>("close")(fd);
    if (bFail) {
        errno = std::atoi(Env("SORTAVEL_FAULT_ERRNO"));
        return -1;
    }
    return nResult;
}

int rename(const char* pszFrom, const char* pszTo)
{
    if ((InFolder(pszFrom) || InFolder(pszTo)) && ShouldFail("rename"))
        return -1;
    return Next<int (*)(const char*, const char*)>("rename")(pszFrom, pszTo);
}

ssize_t read(int fd, void* pData, size_t nSize)
{
    const auto real = Next<ssize_t (*)(int, void*, size_t)>("read");
    if (Tracked(fd) == ETracked::reading && nSize > 1 && std::strcmp(Env("SORTAVEL_FAULT_CALL"), "read") == 0) {
        if (ShouldFail("read")) {
            const int nError = errno;
            const ssize_t got = real(fd, pData, nSize / 2);
            if (got > 0)
                return got; // the next read fails
            errno = nError;
            return -1;
        }
        // Every read after the failing one fails too, as a dying disk does.
        if (g_nCalls > std::atol(Env("SORTAVEL_FAULT_NTH"))) {
            errno = std::atoi(Env("SORTAVEL_FAULT_ERRNO"));
            return -1;
        }
    }
    return real(fd, pData, nSize);
}

FILE* fopen(const char* pszPath, const char* pszMode)
{
    FILE* pFile = Next<FILE* (*)(const char*, const char*)>("fopen")(pszPath, pszMode);
    if (pFile != nullptr)
        Track(fileno(pFile), pszPath, std::strpbrk(pszMode, "wa+") != nullptr ? O_WRONLY : O_RDONLY);
    return pFile;
}

FILE* fopen64(const char* pszPath, const char* pszMode) { return fopen(pszPath, pszMode); }

int fclose(FILE* pFile)
{
    const int fd = pFile != nullptr ? fileno(pFile) : -1;
    if (fd >= 0 && fd < kMaxFd)
        g_tracked[fd] = ETracked::no;
    return Next<int (*)(FILE*)>("fclose")(pFile);
}

size_t fread(void* pData, size_t nSize, size_t nCount, FILE* pFile)
{
    const auto real = Next<size_t (*)(void*, size_t, size_t, FILE*)>("fread");
    const int fd = pFile != nullptr ? fileno(pFile) : -1;
    if (Tracked(fd) == ETracked::reading && nCount > 1 && ShouldFail("fread")) {
        const int nError = errno;
        const size_t got = real(pData, nSize, nCount / 2, pFile);
        g_bFailedStream[fd] = true;
        errno = nError;
        return got;
    }
    return real(pData, nSize, nCount, pFile);
}

int ferror(FILE* pFile)
{
    const int fd = pFile != nullptr ? fileno(pFile) : -1;
    if (fd >= 0 && fd < kMaxFd && Tracked(fd) == ETracked::reading && g_bFailedStream[fd])
        return 1;
    return Next<int (*)(FILE*)>("ferror")(pFile);
}

} // extern "C"
