#pragma once
// A file replaced whole or not at all. Open() locks the target and makes a
// temporary file beside it, Write() fills the temporary file, Commit() syncs
// it, renames it over the target and syncs the folder. Until Commit()
// succeeds the target is exactly as it was (a new target does not exist);
// any failure removes the temporary file again.
//
// The target is refused where a direct write would be refused (a file the
// user may not write, a new file in a folder the user may not write), and
// also where the temporary file cannot be made beside it. A symbolic link is
// followed, so the file it names is replaced. The new file keeps the old
// one's permission bits, and its owner and group where the process may set
// them. While it is open the target (or, for a new one, the temporary file)
// is locked with flock(), and a reader or a second writer finds it in use.
#include "platform/file_calls.h"

#include <string>
#include <string_view>

class CAtomicFile {
public:
    explicit CAtomicFile(CFileCalls calls = {});
    ~CAtomicFile(); // discards what was not committed
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    bool Open(const std::string& strPath);
    bool Write(std::string_view data);
    // True only when the open, every write and every step of the replacing
    // succeeded. Also removes temporary files that a crashed save of the same
    // target left behind.
    bool Commit();
    void Discard();

    bool IsOpen() const { return m_nTemp >= 0; }
    bool HasFailed() const { return m_bFailed; }
    // The reason of the first failure: the system's own text where a direct
    // write would have failed the same way.
    const std::string& GetErrorText() const { return m_strError; }

private:
    void Fail(std::string_view what, int nErrno);
    bool OpenTarget();
    bool CreateTemp();
    void KeepOwnerAndMode();
    // True when another save of the target is writing its temporary file;
    // removes the temporary files nobody holds (left by a crash) if asked.
    bool OtherSaveInProgress(bool bRemoveStale);
    void CloseFd(int& fd);
    // Starts the disk on what was written since, once there is a piece of it.
    void StartWriteback();

    CFileCalls m_calls;
    std::string m_strTarget; // the file replaced (symbolic links resolved)
    std::string m_strTemp;
    int m_nTarget = -1; // the locked target, when it existed
    mode_t m_nMode = 0; // ... and its mode, owner and group
    uid_t m_nOwner = 0;
    gid_t m_nGroup = 0;
    int m_nTemp = -1;
    off_t m_nWritten = 0;     // bytes written to the temporary file
    off_t m_nWrittenBack = 0; // ... of which the disk was asked to take
    bool m_bFailed = false;
    bool m_bLeftovers = false; // temporary files of a crashed save were seen
    std::string m_strError;
};
