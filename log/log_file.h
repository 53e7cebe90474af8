#pragma once
// The sectioned text file the pilot log is stored in: "[Section]" header
// lines, each followed by "Key=Value" lines. One object serves one whole load
// or one whole save.
#include "log/log_lines.h"
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

    // The keys of one section read in a row (a record's): the section is
    // found once, and each key is then looked up without comparing the
    // section's name again. Same results as the Get... above; valid until
    // the next read of another section.
    class CRecordReader {
    public:
        [[gnu::always_inline]] std::int32_t GetInt(std::string_view key, std::int32_t def)
        {
            return IntOf(Find(key), def);
        }
        [[gnu::always_inline]] CTimeSpan GetSpan(std::string_view key, CTimeSpan def) { return SpanOf(Find(key), def); }

    private:
        friend class CLogFile;
        CRecordReader(CLogFile& file, bool bReadable) : m_file(file), m_bReadable(bReadable) {}
        [[gnu::always_inline]] std::string_view Find(std::string_view key)
        {
            return m_bReadable ? m_file.FindKey(key).value_or(std::string_view{}) : std::string_view{};
        }
        CLogFile& m_file;
        bool m_bReadable;
    };
    CRecordReader ReadRecord(std::string_view section);

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
    bool StartSection(std::string_view section);
    bool Append(std::string_view text);
    bool WriteLine(std::string_view first, std::string_view second, std::string_view third);
    bool WriteLineInPieces(std::string_view first, std::string_view second, std::string_view third);
    bool FlushBuffer();
    bool FinishWriting();
    void DiscardWriting();
    void ReleaseFiles();

    bool ReadWholeFile();
    void LoadSection(std::string_view name);
    // Caches the section; false when nothing can be read.
    bool EnterSection(std::string_view section);
    static CTimeSpan SpanOf(std::string_view raw, CTimeSpan def);
    static std::int32_t IntOf(std::string_view text, std::int32_t def)
    {
        return text.empty() ? def : static_cast<std::int32_t>(ParseWrappingDecimal(text));
    }
    bool ScanForHeader(std::string_view name);
    std::optional<std::string_view> FindKey(std::string_view key);
    std::optional<std::string_view> FindKeyRound(std::string_view key);
    std::optional<std::string_view> FindValue(std::string_view section, std::string_view key);
    // FindValue before the file is open for reading.
    std::optional<std::string_view> FindValueElsewhere(std::string_view section, std::string_view key);
    // A filter of the keys a section holds: one bit per length and first
    // letter (setting bit 5 lowers a capital; other characters may share a
    // bit, which only costs a search), so that most missing keys need no
    // search.
    static std::uint64_t KeyBit(std::string_view key)
    {
        const unsigned nFirst = key.empty() ? 0u : static_cast<unsigned char>(key[0]) | 0x20u;
        return std::uint64_t{1} << ((key.size() * 7 + nFirst) % 64);
    }

    std::string m_strFileName;
    int m_nMode = modeClosed;
    bool m_bClosed = false;
    bool m_bFailed = false;
    std::string m_strError;

    struct CEntry {
        std::string_view key, value;
    };
    std::string m_strSection;      // writing: last header; reading: cached section
    std::vector<CEntry> m_entries; // reading: the cached section, in m_pText
    std::size_t m_nCursor = 0;
    std::uint64_t m_nKeyBits = 0; // reading: the KeyBit of every cached key
    std::string_view m_pendingSection;

    int m_nFile = -1;     // the file read
    CAtomicFile m_writer; // the file written
    static constexpr std::size_t kBufferSize = 64 * 1024;
    std::unique_ptr<char[]> m_pWriteBuffer; // kBufferSize bytes
    std::size_t m_nWriteUsed = 0;
    std::string m_strEscaped;     // writing: the last short text, escaped (its room kept)
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

// The steps of every line saved or read: mostly a line that fits in the
// buffer, or a lookup in the cached section at the cursor or the entry
// after it.

inline bool CLogFile::StartEntry(std::string_view section)
{
    if (m_nMode == modeWrite && !m_bFailed && !m_strSection.empty() && EqualName(m_strSection, section))
        return true;
    return StartSection(section);
}

inline bool CLogFile::WriteLine(std::string_view first, std::string_view second, std::string_view third)
{
    if (m_nWriteUsed + first.size() + second.size() + third.size() + 2 >= kBufferSize)
        return WriteLineInPieces(first, second, third);
    char* p = m_pWriteBuffer.get() + m_nWriteUsed;
    p = CopyText(p, first);
    p = CopyText(p, second);
    p = CopyText(p, third);
    p[0] = '\r';
    p[1] = '\n';
    m_nWriteUsed = static_cast<std::size_t>(p + 2 - m_pWriteBuffer.get());
    return true;
}

inline std::optional<std::string_view> CLogFile::FindValue(std::string_view section, std::string_view key)
{
    if (m_nMode != modeRead)
        return FindValueElsewhere(section, key);
    if (!EqualName(section, m_strSection))
        LoadSection(section);
    return FindKey(key);
}

[[gnu::always_inline]] inline std::optional<std::string_view> CLogFile::FindKey(std::string_view key)
{
    // Keys are mostly asked for in the order they stand in: the one at the
    // cursor or the next.
    const std::size_t nCount = m_entries.size();
    if ((m_nKeyBits & KeyBit(key)) == 0)
        return std::nullopt; // missing, and the filter tells
    if (m_nCursor < nCount) {
        if (EqualName(m_entries[m_nCursor].key, key))
            return m_entries[m_nCursor].value;
        const std::size_t nNext = m_nCursor + 1 == nCount ? 0 : m_nCursor + 1;
        if (EqualName(m_entries[nNext].key, key)) {
            m_nCursor = nNext;
            return m_entries[nNext].value;
        }
    }
    return FindKeyRound(key);
}
