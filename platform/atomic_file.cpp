#include "platform/atomic_file.h"

#include "platform/file_path.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kInUse = "the file is in use by another program";
// Our temporary files are named after the target: its name, this, and
// kTempLetters letters or digits.
constexpr std::string_view kTempInfix = ".tmp-";
constexpr int kTempAttempts = 100;
constexpr std::size_t kTempLetters = 6;
constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Written data is handed to the disk in pieces of this size while the rest
// is still being made, so that the sync at the end waits for little.
constexpr off_t kWritebackPiece = 1 << 20;

std::string FileNameOf(const std::string& strPath)
{
    const std::size_t slash = strPath.rfind('/');
    return slash == std::string::npos ? strPath : strPath.substr(slash + 1);
}

// True for the name of one of our temporary files of the target.
bool IsTempName(std::string_view name, std::string_view targetName)
{
    const std::size_t prefix = targetName.size() + kTempInfix.size();
    if (name.size() != prefix + kTempLetters || name.substr(0, targetName.size()) != targetName ||
        name.substr(targetName.size(), kTempInfix.size()) != kTempInfix)
        return false;
    return name.substr(prefix).find_first_not_of(kAlphabet) == std::string_view::npos;
}

std::uint64_t NextRandom(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t RandomSeed()
{
    std::uint64_t seed = 0;
    if (getentropy(&seed, sizeof seed) != 0)
        seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
               static_cast<std::uint64_t>(::getpid()) << 32;
    return seed;
}

} // namespace

CAtomicFile::CAtomicFile(CFileCalls calls) : m_calls(std::move(calls)) {}

CAtomicFile::~CAtomicFile() { Discard(); }

void CAtomicFile::Fail(std::string_view what, int nErrno)
{
    if (!m_bFailed) {
        m_strError = what;
        if (nErrno != 0) {
            if (!m_strError.empty())
                m_strError += ": ";
            m_strError += std::strerror(nErrno);
        }
    }
    m_bFailed = true;
}

void CAtomicFile::CloseFd(int& fd)
{
    if (fd >= 0)
        m_calls.Close(fd);
    fd = -1;
}

bool CAtomicFile::Open(const std::string& strPath)
{
    if (IsOpen() || m_bFailed)
        return false;
    m_strTarget = ResolveTarget(strPath);
    // Looking for other saves once ours is visible: of two saves of a new
    // file that start together, at least one sees the other.
    if (OpenTarget() && CreateTemp() && OtherSaveInProgress(false))
        Fail(kInUse, 0);
    if (m_bFailed) {
        Discard();
        return false;
    }
    return true;
}

// Opens an existing target for writing, as a direct write would, and locks
// it. A missing target is fine: the temporary file stands in for it.
bool CAtomicFile::OpenTarget()
{
    struct stat info;
    if (stat(m_strTarget.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return true;
        Fail({}, errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        Fail("not a regular file", 0);
        return false;
    }
    // Non-blocking, so that a pipe put there meanwhile cannot stall the open.
    m_nTarget = m_calls.Open(m_strTarget.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0);
    if (m_nTarget < 0) {
        Fail({}, errno);
        return false;
    }
    if (fstat(m_nTarget, &info) != 0 || !S_ISREG(info.st_mode)) {
        Fail("not a regular file", 0);
        return false;
    }
    m_nMode = info.st_mode & 07777;
    m_nOwner = info.st_uid;
    m_nGroup = info.st_gid;
    if (m_calls.Flock(m_nTarget, LOCK_EX | LOCK_NB) != 0) {
        const int nError = errno;
        if (nError == EWOULDBLOCK)
            Fail(kInUse, 0);
        else
            Fail("cannot lock the file", nError);
        return false;
    }
    return true;
}

// Our temporary files beside the target: one that another process holds
// locked is a save in progress; one nobody holds is left by a crash.
bool CAtomicFile::OtherSaveInProgress(bool bRemoveStale)
{
    const std::string strDir = DirectoryOf(m_strTarget);
    const std::string strName = FileNameOf(m_strTarget);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(strDir.c_str()), closedir);
    if (!dir)
        return false; // an unreadable folder hides them; the save goes on
    bool bInProgress = false;
    while (const dirent* entry = readdir(dir.get())) {
        if (!IsTempName(entry->d_name, strName))
            continue;
        if (entry->d_name == FileNameOf(m_strTemp))
            continue;
        const std::string strPath = strDir + "/" + entry->d_name;
        int fd = m_calls.Open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW, 0);
        if (fd < 0)
            continue;
        struct stat info;
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
            if (m_calls.Flock(fd, LOCK_EX | LOCK_NB) != 0)
                bInProgress = bInProgress || errno == EWOULDBLOCK;
            else if (bRemoveStale)
                m_calls.Unlink(strPath.c_str()); // while we hold its lock
            else
                m_bLeftovers = true;
        }
        CloseFd(fd);
    }
    return bInProgress;
}

// Makes the temporary file with a fresh name, so that the umask applies to a
// new target's mode as it would to a direct write.
bool CAtomicFile::CreateTemp()
{
    std::uint64_t state = RandomSeed();
    std::string strName;
    int nError = EEXIST;
    for (int attempt = 0; attempt < kTempAttempts && nError == EEXIST; ++attempt) {
        strName = m_strTarget;
        strName += kTempInfix;
        std::uint64_t bits = NextRandom(state);
        for (std::size_t i = 0; i < kTempLetters; ++i, bits /= kAlphabet.size())
            strName += kAlphabet[bits % kAlphabet.size()];
        m_nTemp = m_calls.Open(strName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        nError = m_nTemp < 0 ? errno : 0;
    }
    if (m_nTemp < 0) {
        // For a new target this is the direct write's own failure; otherwise
        // the file could be written, but not replaced whole.
        if (m_nTarget < 0)
            Fail({}, nError);
        else
            Fail("cannot create a temporary file in the folder " + DirectoryOf(m_strTarget), nError);
        return false;
    }
    m_strTemp = strName;
    m_nWritten = m_nWrittenBack = 0;
    m_bLeftovers = false;
    // Other saves see the file in use while it is written.
    if (m_calls.Flock(m_nTemp, LOCK_EX | LOCK_NB) != 0) {
        Fail("cannot prepare the temporary file", errno);
        return false;
    }
    if (m_nTarget >= 0)
        KeepOwnerAndMode();
    return !m_bFailed;
}

// The old file's owner, group and mode. An owner or group that cannot be
// kept is replaced by the saver's own; its set-id bit then goes, and a new
// group gets no more access than everybody else had.
void CAtomicFile::KeepOwnerAndMode()
{
    mode_t nMode = m_nMode;
    struct stat info;
    if (fstat(m_nTemp, &info) != 0) {
        Fail("cannot prepare the temporary file", errno);
        return;
    }
    bool bOwnerKept = info.st_uid == m_nOwner;
    bool bGroupKept = info.st_gid == m_nGroup;
    if (!bOwnerKept && m_calls.Fchown(m_nTemp, m_nOwner, m_nGroup) == 0)
        bOwnerKept = bGroupKept = true;
    if (!bGroupKept && m_calls.Fchown(m_nTemp, static_cast<uid_t>(-1), m_nGroup) == 0)
        bGroupKept = true;
    if (!bOwnerKept)
        nMode &= ~S_ISUID;
    if (!bGroupKept)
        nMode = (nMode & ~(S_ISGID | S_IRWXG)) | (nMode & S_IRWXG & ((nMode & S_IRWXO) << 3));
    if (m_calls.Fchmod(m_nTemp, nMode) != 0)
        Fail("cannot prepare the temporary file", errno);
}

bool CAtomicFile::Write(std::string_view data)
{
    if (!IsOpen() || m_bFailed)
        return false;
    while (!data.empty()) {
        const ssize_t written = m_calls.Write(m_nTemp, data.data(), data.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            Fail("cannot write the file", written < 0 ? errno : ENOSPC);
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
        m_nWritten += written;
    }
    StartWriteback();
    return true;
}

// A hint only: where it is not supported the sync does all the work.
void CAtomicFile::StartWriteback()
{
    const off_t nPending = m_nWritten - m_nWrittenBack;
    if (nPending < kWritebackPiece)
        return;
#ifdef SYNC_FILE_RANGE_WRITE
    sync_file_range(m_nTemp, m_nWrittenBack, nPending, SYNC_FILE_RANGE_WRITE);
#endif
    m_nWrittenBack = m_nWritten;
}

bool CAtomicFile::Commit()
{
    if (!IsOpen() || m_bFailed) {
        Discard();
        return false;
    }
    // Closed before the rename: a file system may report a failed write
    // only when the file is closed.
    const int nTemp = m_nTemp;
    m_nTemp = -1;
    if (m_calls.Fsync(nTemp) != 0) {
        Fail("cannot write the file to the disk", errno);
        m_calls.Close(nTemp);
    } else if (m_calls.Close(nTemp) != 0) {
        Fail("cannot write the file", errno);
    } else if (m_calls.Rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0) {
        Fail("cannot replace the file", errno);
    }
    if (m_bFailed) {
        Discard();
        return false;
    }
    m_strTemp.clear();
    // Make the rename itself durable; some file systems refuse to sync a
    // folder, which does not make the save fail.
    int dir = m_calls.Open(DirectoryOf(m_strTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir >= 0)
        m_calls.Fsync(dir);
    CloseFd(dir);
    // Only a folder that held leftovers when the save began is looked
    // through again: a crash meanwhile leaves its file to the next save.
    if (m_bLeftovers)
        OtherSaveInProgress(true);
    Discard();
    return true;
}

void CAtomicFile::Discard()
{
    if (!m_strTemp.empty())
        m_calls.Unlink(m_strTemp.c_str());
    m_strTemp.clear();
    CloseFd(m_nTemp);
    CloseFd(m_nTarget);
}
