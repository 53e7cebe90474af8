#pragma once
// The sectioned text file the pilot log is stored in: "[Section]" header
// lines, each followed by "Key=Value" lines. One object serves one whole load
// or one whole save.
#include "log/section_index.h"
#include "log/time_value.h"
#include "platform/atomic_file.h"

#include <cstdint>
#include <memory>
#include <optional>
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
    // Reading: the file has text, yet none of the sections asked for.
    bool IsForeign() const;
    const std::string& GetErrorText() const; // reason of the first failure

private:
    enum { modeClosed = 0, modeRead = 1, modeWrite = 2 };

    bool OpenForWriting();
    bool OpenForReading();
    void Fail(std::string_view what, int nErrno);
    bool StartEntry(std::string_view section);
    bool Append(std::string_view text);
    bool WriteLine(std::string_view first, std::string_view second, std::string_view third);
    bool FlushBuffer();
    bool FinishWriting();
    void DiscardWriting();
    void ReleaseFiles();

    bool ReadWholeFile();
    void LoadSection(std::string_view name);
    bool ScanForHeader(std::string_view name);
    std::optional<std::string_view> FindKey(std::string_view key);
    std::optional<std::string_view> FindKeyRound(std::string_view key);
    std::optional<std::string_view> FindValue(std::string_view section, std::string_view key);

    std::string m_strFileName;
    int m_nMode = modeClosed;
    bool m_bClosed = false;
    bool m_bFailed = false;
    std::string m_strError;

    std::string m_strSection;          // writing: last header; reading: cached section
    std::vector<std::string_view> m_keys; // reading: the cached section, in m_pText
    std::vector<std::string_view> m_values;
    std::size_t m_nCursor = 0;
    std::uint64_t m_nKeyLengths = 0; // reading: bit n set when a cached key is n long (modulo 64)
    std::string_view m_pendingSection;

    int m_nFile = -1;                       // the file read
    CAtomicFile m_writer;                   // the file written
    std::unique_ptr<char[]> m_pWriteBuffer; // kBufferSize bytes
    std::size_t m_nWriteUsed = 0;
    std::uint64_t m_nWritten = 0; // bytes handed to m_writer

    // Reading: the whole file, and where the next line starts.
    std::unique_ptr<char[]> m_pText;
    std::string_view m_text;
    std::size_t m_nPos = 0;
    // Every header of the file, made when a search first has to go round the
    // file: sections asked for out of file order, or missing ones, then cost
    // no further passes.
    std::optional<CSectionIndex> m_sectionIndex;
    bool m_bFoundSection = false; // reading: a section asked for was in the file
    CDayTimes m_dayTimes;         // the days of the dates read or written
};
