#pragma once
// The one open pilot log: its record tree, the file it came from, and the
// file operations of the application's commands.
#include "log/pilot.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class CLogDoc {
public:
    CLogDoc(); // untitled, one empty career
    ~CLogDoc();
    CLogDoc(const CLogDoc&) = delete;
    CLogDoc& operator=(const CLogDoc&) = delete;

    // Unsaved changes: a save was requested or some record changed.
    bool IsModified() const;
    void RequestSave() { m_bSaveRequested = 1; }
    // Takes back a request that led to no save, on a log without changes.
    void WithdrawSaveRequest() { m_bSaveRequested = 0; }
    // Full path of the log file; empty for an untitled log.
    const std::string& GetFileName() const { return m_strFileName; }
    CPilot* GetPilot() const { return m_pPilot.get(); }
    std::string GetPhoto() const;
    void SetPhoto(std::string_view strPath);

    // Loads the log from strPath, or from a file chosen in the open dialog
    // when none is given (a titled log whose dialog is cancelled is read
    // again from its file). A missing file opens as a new, empty log with
    // that name. A file that cannot be read is reported to the user and the
    // log in memory and its name stay as they were. True when a log was
    // loaded.
    bool Open(std::optional<std::string> strPath = std::nullopt);
    // Writes the log when there is something to save, asking for a name when
    // it has none. A file another program changed since this log read or
    // wrote it is replaced only when the user says so. False when no name
    // was given, the user kept the other file, or the file could not be
    // written (reported to the user; the log stays modified).
    bool Save();
    // Saves under a name chosen in the save dialog; false when unchanged.
    bool SaveAs();
    // Runs the file dialog; when the user confirms, the chosen path becomes
    // the file name and is remembered in the settings. True when confirmed.
    bool ChooseFile(bool bForOpening);

private:
    // What tells one version of a file from another: each save makes a new
    // file (a new inode), and a change in place moves its time or size.
    struct CFileStamp {
        std::uint64_t nDevice = 0, nInode = 0, nSize = 0;
        std::int64_t nSeconds = 0, nNanoseconds = 0;
        bool operator==(const CFileStamp&) const = default;
    };
    static std::optional<CFileStamp> StampOf(const std::string& strPath);
    std::optional<std::string> RunFileDialog(bool bForOpening) const;
    bool ReadFrom(const std::string& strPath);
    bool MayReplaceFile() const;

    std::unique_ptr<CPilot> m_pPilot;
    std::int32_t m_bSaveRequested = 0;
    std::string m_strFileName;
    // The file this log last read or wrote, and its stamp then (none: it
    // did not exist).
    std::string m_strStampedFile;
    std::optional<CFileStamp> m_stamp;
};

// The application's current log document (not owned), or nullptr.
CLogDoc* GetCurrentLogDoc();
void SetCurrentLogDoc(CLogDoc* pDoc);
