#pragma once
// The sectioned text file the pilot log is stored in: "[Section]" header
// lines, each followed by "Key=Value" lines. One object serves one whole load
// or one whole save.
#include "log/time_value.h"
#include "platform/atomic_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CLogFile {
public:
    explicit CLogFile(std::string strFileName);
    // Saves through the given system calls (tests put failing ones in).
    CLogFile(std::string strFileName, CFileCalls calls);
    ~CLogFile();                       // like Close() when not closed yet
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    // Writing; each returns true when a line was written. The first Put...
    // opens the file for writing (a Put... on a file opened for reading
    // returns false).
    bool PutEntry(std::string_view section, std::string_view key, std::string_view text);
    bool PutText (std::string_view section, std::string_view key, std::string_view text);
    bool PutInt  (std::string_view section, std::string_view key, std::int32_t value);
    bool PutTime (std::string_view section, std::string_view key, CTime value);
    bool PutSpan (std::string_view section, std::string_view key, CTimeSpan value);

    // Reading; each returns its default when the file, the section or the key
    // is missing. The first Get... opens the file for reading (a Get... on a
    // file opened for writing returns the default).
    std::string  GetEntry(std::string_view section, std::string_view key, std::string_view def);
    std::string  GetText (std::string_view section, std::string_view key);
    std::int32_t GetInt  (std::string_view section, std::string_view key, std::int32_t def);
    CTime        GetTime (std::string_view section, std::string_view key, CTime def);
    CTimeSpan    GetSpan (std::string_view section, std::string_view key, CTimeSpan def);

    // Writing: the file is replaced whole (see CAtomicFile): true only when
    // every step and every earlier write succeeded; otherwise the target is
    // untouched. Reading: releases the file; true unless an open or read
    // failed. Idempotent.
    bool Close();
    bool HasFailed() const;              // an open, read or write failed
    const std::string& GetErrorText() const; // reason of the first failure

private:
    enum { modeClosed = 0, modeRead = 1, modeWrite = 2 };

    bool OpenForWriting();
    bool OpenForReading();
    void Fail(std::string_view what, int nErrno);
    bool WriteLine(std::string_view first, std::string_view second, std::string_view third);
    bool FlushBuffer();
    bool FinishWriting();
    void DiscardWriting();
    void ReleaseFiles();

    bool ReadLine(std::string& line);
    std::uint64_t Position() const;
    bool SeekTo(std::uint64_t offset);
    void BuildHeaderIndex();
    void LoadSection(std::string_view name);
    bool ScanForHeader(std::string_view name);
    std::string FindKey(std::string_view key, std::string_view def);

    std::string m_strFileName;
    int m_nMode = modeClosed;
    bool m_bClosed = false;
    bool m_bFailed = false;
    std::string m_strError;

    std::string m_strSection;          // writing: last header; reading: cached section
    std::vector<std::string> m_keys;
    std::vector<std::string> m_values;
    std::size_t m_nCursor = 0;
    std::string m_strPendingSection;

    int m_nFile = -1;     // the file read
    CAtomicFile m_writer; // the file written
    std::string m_writeBuffer;

    std::vector<char> m_readBuffer;
    std::uint64_t m_nBufferStart = 0;  // file offset of the buffer's first byte
    std::size_t m_nReadPos = 0;
    std::size_t m_nReadEnd = 0;
    std::size_t m_nReadSize = 64 * 1024; // the next read's size
    bool m_bEndOfFile = false;

    // Every header of the file (lower-case name, offset just after its line),
    // made when a search first has to go round the file: sections asked for
    // out of file order, or missing ones, then cost no further passes.
    struct CHeader {
        std::string m_strName;
        std::uint64_t m_nEnd = 0;
        friend auto operator<=>(const CHeader&, const CHeader&) = default;
    };
    std::vector<CHeader> m_headerIndex;
    bool m_bIndexed = false;
};
