#include "log/log_file.h"

#include "log/log_lines.h"
#include "log/text_escape.h"
#include "platform/ascii_text.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A larger file is refused rather than read into memory: no log of the
// records a log may hold comes near it.
constexpr std::uint64_t kMaxReadSize = 1ull << 30;
constexpr std::string_view kInUse = "the file is in use by another program";
// How far a section is looked for by reading on before the file's headers
// are indexed.
constexpr std::size_t kScanAhead = 64 * 1024;

// A key or value without the blanks at its ends; most have none, and start
// and end above the blanks' range.
inline std::string_view TrimEntry(std::string_view text)
{
    const auto above = [](char c) { return static_cast<unsigned char>(c) > ' '; };
    if (text.empty() || (above(text.front()) && above(text.back())))
        return text;
    return Trim(text);
}

// Guards the escaped text so that the reader's trimming of a value keeps
// white space at its ends: a backslash before a blank first character, and a
// lone backslash (which the reader drops) after a blank last one.
void GuardFront(std::string& escaped)
{
    if (!escaped.empty() && IsAsciiSpace(escaped.front()))
        escaped.insert(0, 1, '\\');
}

void GuardBack(std::string& escaped)
{
    if (!escaped.empty() && IsAsciiSpace(escaped.back()))
        escaped += '\\';
}

bool LockFile(int fd)
{
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

CLogFile::CLogFile(std::string strFileName) : m_strFileName(std::move(strFileName)) {}

CLogFile::CLogFile(std::string strFileName, CFileCalls calls)
    : m_strFileName(std::move(strFileName)), m_writer(std::move(calls))
{
}

CLogFile::~CLogFile()
{
    Close();
}

bool CLogFile::IsForeign() const
{
    return m_nMode == modeRead && !m_bFoundSection && m_text.find_first_not_of(" \t\r\n") != std::string_view::npos;
}

bool CLogFile::HasFailed() const
{
    return m_bFailed;
}

const std::string& CLogFile::GetErrorText() const
{
    return m_strError;
}

void CLogFile::Fail(std::string_view what, int nErrno)
{
    if (!m_bFailed) {
        m_strError = what;
        if (nErrno != 0) {
            m_strError += ": ";
            m_strError += std::strerror(nErrno);
        }
    }
    m_bFailed = true;
}

// ---- writing ----

bool CLogFile::OpenForWriting()
{
    if (!m_writer.Open(m_strFileName)) {
        Fail(m_writer.GetErrorText(), 0);
        return false;
    }
    m_nMode = modeWrite;
    m_pWriteBuffer.reset(new char[kBufferSize]);
    m_nWriteUsed = 0;
    return true;
}

bool CLogFile::FlushBuffer()
{
    // A log is never saved larger than it can be read back.
    m_nWritten += m_nWriteUsed;
    if (m_nWritten > kMaxReadSize) {
        m_nWriteUsed = 0;
        Fail("the log would be larger than 1 GiB", 0);
        return false;
    }
    const bool bWritten = m_writer.Write(std::string_view(m_pWriteBuffer.get(), m_nWriteUsed));
    m_nWriteUsed = 0;
    if (!bWritten)
        Fail(m_writer.GetErrorText(), 0);
    return bWritten;
}

// Appends text to the buffer, handing the buffer to the file whenever it is
// full, so that a long text never needs a buffer of its own size.
bool CLogFile::Append(std::string_view text)
{
    while (m_nWriteUsed + text.size() >= kBufferSize) {
        const std::size_t nTake = kBufferSize - m_nWriteUsed;
        std::memcpy(m_pWriteBuffer.get() + m_nWriteUsed, text.data(), nTake);
        m_nWriteUsed = kBufferSize;
        text.remove_prefix(nTake);
        if (!FlushBuffer())
            return false;
    }
    std::memcpy(m_pWriteBuffer.get() + m_nWriteUsed, text.data(), text.size());
    m_nWriteUsed += text.size();
    return true;
}

bool CLogFile::WriteLineInPieces(std::string_view first, std::string_view second, std::string_view third)
{
    return Append(first) && Append(second) && Append(third) && Append("\r\n");
}

// Opens the file for writing if need be, writes the section's header when the
// section changes, and makes sure the entry may follow (StartEntry has
// found that the entry does not simply follow the last one).
bool CLogFile::StartSection(std::string_view section)
{
    // After a failure the save cannot be complete any more: nothing is retried.
    if (m_bClosed || m_bFailed)
        return false;
    if (m_nMode == modeClosed)
        OpenForWriting();
    if (m_nMode != modeWrite)
        return false;
    if (m_strSection.empty() || !EqualName(m_strSection, section)) {
        if (!WriteLine("[", section, "]"))
            return false;
        m_strSection = section;
    }
    return true;
}

bool CLogFile::PutEntry(std::string_view section, std::string_view key, std::string_view text)
{
    return StartEntry(section) && WriteLine(key, "=", text);
}

bool CLogFile::PutText(std::string_view section, std::string_view key, std::string_view text)
{
    if (text.empty())
        return false;
    if (text.size() < kBufferSize) {
        m_strEscaped.clear();
        EscapeTextInto(text, m_strEscaped);
        GuardFront(m_strEscaped);
        GuardBack(m_strEscaped);
        return PutEntry(section, key, m_strEscaped);
    }
    // A long text is escaped a piece at a time into the buffer, never whole.
    if (!StartEntry(section) || !Append(key) || !Append("="))
        return false;
    constexpr std::size_t kPiece = kBufferSize / 4;
    std::string escaped;
    bool bFirst = true;
    while (!text.empty()) {
        std::size_t nTake = std::min(text.size(), kPiece);
        if (nTake < text.size() && text[nTake - 1] == '\r')
            ++nTake; // a CR LF pair stays together
        escaped.clear();
        EscapeTextInto(text.substr(0, nTake), escaped);
        text.remove_prefix(nTake);
        if (bFirst)
            GuardFront(escaped);
        if (text.empty())
            GuardBack(escaped);
        bFirst = false;
        if (!Append(escaped))
            return false;
    }
    return Append("\r\n");
}

bool CLogFile::PutInt(std::string_view section, std::string_view key, std::int32_t value)
{
    if (!StartEntry(section))
        return false;
    // The number goes straight into the buffer when the line fits.
    constexpr std::size_t kMaxNumber = 11;
    if (m_nWriteUsed + key.size() + kMaxNumber + 3 < kBufferSize) {
        char* p = CopyText(m_pWriteBuffer.get() + m_nWriteUsed, key);
        *p++ = '=';
        p = std::to_chars(p, p + kMaxNumber, value).ptr;
        p[0] = '\r';
        p[1] = '\n';
        m_nWriteUsed = static_cast<std::size_t>(p + 2 - m_pWriteBuffer.get());
        return true;
    }
    char buffer[32]; // not just kMaxNumber: the compiler cannot tell how much WriteLine copies
    const char* pEnd = std::to_chars(buffer, buffer + kMaxNumber, value).ptr;
    return WriteLine(key, "=", std::string_view(buffer, static_cast<std::size_t>(pEnd - buffer)));
}

bool CLogFile::PutTime(std::string_view section, std::string_view key, CTime value)
{
    return PutEntry(section, key, m_dayTimes.Format(value));
}

bool CLogFile::PutSpan(std::string_view section, std::string_view key, CTimeSpan value)
{
    char buffer[kMaxSpanText];
    const char* pEnd = FormatSpanText(value, buffer);
    return StartEntry(section) &&
           WriteLine(key, "=", std::string_view(buffer, static_cast<std::size_t>(pEnd - buffer)));
}

bool CLogFile::FinishWriting()
{
    if (m_bFailed || !FlushBuffer())
        return false;
    if (!m_writer.Commit()) {
        Fail(m_writer.GetErrorText(), 0);
        return false;
    }
    return true;
}

void CLogFile::DiscardWriting()
{
    m_writer.Discard();
    ReleaseFiles();
}

// ---- reading ----

bool CLogFile::OpenForReading()
{
    m_pendingSection = {};
    m_nFile = ::open(m_strFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (m_nFile < 0) {
        Fail("cannot open the file", errno);
        return false;
    }
    struct stat info;
    if (fstat(m_nFile, &info) != 0 || !S_ISREG(info.st_mode)) {
        Fail("not a regular file", 0);
        CloseFd(m_nFile);
        return false;
    }
    if (!LockFile(m_nFile)) {
        Fail(kInUse, 0);
        CloseFd(m_nFile);
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxReadSize) {
        Fail("the file is too large", 0);
        CloseFd(m_nFile);
        return false;
    }
    m_pText.reset(new char[static_cast<std::size_t>(info.st_size) + 1]);
    m_text = std::string_view(m_pText.get(), static_cast<std::size_t>(info.st_size) + 1);
    if (!ReadWholeFile()) {
        CloseFd(m_nFile);
        m_pText.reset();
        m_text = {};
        return false;
    }
    m_nPos = 0;
    m_nMode = modeRead;
    return true;
}

// Reads the file into m_pText, whose size it may outgrow if the file grew
// since it was measured.
bool CLogFile::ReadWholeFile()
{
    std::size_t nSize = m_text.size();
    std::size_t nDone = 0;
    for (;;) {
        if (nDone == nSize) {
            if (nSize > kMaxReadSize) {
                Fail("the file is too large", 0);
                return false;
            }
            const std::size_t nGrown = nSize + std::max<std::size_t>(nSize / 2, kBufferSize);
            std::unique_ptr<char[]> pGrown(new char[nGrown]);
            std::memcpy(pGrown.get(), m_pText.get(), nDone);
            m_pText = std::move(pGrown);
            nSize = nGrown;
        }
        const ssize_t nGot = ::read(m_nFile, m_pText.get() + nDone, nSize - nDone);
        if (nGot < 0 && errno == EINTR)
            continue;
        if (nGot < 0) {
            Fail("cannot read the file", errno);
            return false;
        }
        if (nGot == 0)
            break;
        nDone += static_cast<std::size_t>(nGot);
    }
    m_text = std::string_view(m_pText.get(), nDone);
    return true;
}

// Moves on to just after the header of name, searching onward from the
// current position and then once more from the start of the file. True when
// found; otherwise the position is at the start of the file.
bool CLogFile::ScanForHeader(std::string_view name)
{
    if (!m_sectionIndex) {
        // A header close ahead is found by reading on; one further away, or
        // none, through an index of them all, made once.
        std::string_view line;
        const std::size_t nLimit = m_nPos + kScanAhead;
        for (std::size_t nPos = m_nPos; nPos < nLimit && NextHeaderLine(m_text, nPos, line);)
            if (EqualNoCase(HeaderName(line), name)) {
                m_nPos = nPos;
                return true;
            }
        m_sectionIndex.emplace(m_text);
    }
    const std::size_t nEnd = m_sectionIndex->Find(name, m_nPos);
    m_nPos = nEnd == CSectionIndex::npos ? 0 : nEnd;
    return nEnd != CSectionIndex::npos;
}

// Caches the entries of the section; the caller has checked that it is not
// the cached one already.
void CLogFile::LoadSection(std::string_view name)
{
    m_strSection = name;
    m_entries.clear();
    m_nCursor = 0;
    m_nKeyBits = 0;

    const bool bFound = !m_pendingSection.empty() && EqualName(m_pendingSection, name);
    m_pendingSection = {};
    if (!bFound && !ScanForHeader(name))
        return;
    m_bFoundSection = true;

    // Each line is looked at once: up to its "=", then up to its end. A line
    // without "=" (a blank one too) is skipped.
    const char* const pText = m_text.data();
    const char* const pEnd = pText + m_text.size();
    const char* p = pText + m_nPos;
    while (p < pEnd) {
        if (*p == '[') {
            std::string_view line;
            m_nPos = static_cast<std::size_t>(p - pText);
            NextLogLine(m_text, m_nPos, line);
            m_pendingSection = HeaderName(line);
            return;
        }
        const char* const pEquals = FindEqualsOrLf(p, pEnd);
        if (pEquals == pEnd || *pEquals == '\n' || pEquals == p) {
            const char* const pLf = FindLf(pEquals, pEnd);
            p = pLf == nullptr ? pEnd : pLf + 1;
            continue;
        }
        const char* const pValue = pEquals + 1;
        const char* const pLf = FindLf(pValue, pEnd);
        const char* pLineEnd = pLf == nullptr ? pEnd : pLf;
        if (pLf != nullptr && pLineEnd > pValue && pLineEnd[-1] == '\r')
            --pLineEnd;
        const std::string_view key = TrimEntry({p, static_cast<std::size_t>(pEquals - p)});
        m_entries.push_back({key, TrimEntry({pValue, static_cast<std::size_t>(pLineEnd - pValue)})});
        m_nKeyBits |= KeyBit(key);
        p = pLf == nullptr ? pEnd : pLf + 1;
    }
    m_nPos = m_text.size();
}

std::optional<std::string_view> CLogFile::FindKeyRound(std::string_view key)
{
    if (m_nCursor >= m_entries.size())
        return std::nullopt;
    const std::size_t start = m_nCursor;
    do {
        if (EqualName(m_entries[m_nCursor].key, key))
            return m_entries[m_nCursor].value;
        m_nCursor = m_nCursor + 1 == m_entries.size() ? 0 : m_nCursor + 1;
    } while (m_nCursor != start);
    return std::nullopt;
}

std::optional<std::string_view> CLogFile::FindValueElsewhere(std::string_view section, std::string_view key)
{
    if (!EnterSection(section))
        return std::nullopt;
    return FindKey(key);
}

bool CLogFile::EnterSection(std::string_view section)
{
    if (m_nMode != modeRead) {
        if (m_bClosed)
            return false;
        if (m_nMode == modeClosed && !m_bFailed)
            OpenForReading();
        if (m_nMode != modeRead)
            return false;
    }
    if (!EqualName(section, m_strSection))
        LoadSection(section);
    return true;
}

CLogFile::CRecordReader CLogFile::ReadRecord(std::string_view section)
{
    return CRecordReader(*this, EnterSection(section));
}

std::string CLogFile::GetEntry(std::string_view section, std::string_view key, std::string_view def)
{
    return std::string(FindValue(section, key).value_or(def));
}

std::string CLogFile::GetText(std::string_view section, std::string_view key)
{
    return UnescapeText(FindValue(section, key).value_or(std::string_view{}));
}

std::int32_t CLogFile::GetInt(std::string_view section, std::string_view key, std::int32_t def)
{
    return IntOf(FindValue(section, key).value_or(std::string_view{}), def);
}

CTime CLogFile::GetTime(std::string_view section, std::string_view key, CTime def)
{
    // Escapes are rare in dates: only then is the text unescaped first.
    // A date that cannot be read counts as missing: it would be saved empty
    // and so change again at the next load.
    const std::string_view raw = FindValue(section, key).value_or(std::string_view{});
    CTime time = def;
    if (raw.find('\\') == std::string_view::npos) {
        if (!raw.empty())
            time = m_dayTimes.Parse(raw);
    } else if (const std::string text = UnescapeText(raw); !text.empty()) {
        time = m_dayTimes.Parse(text);
    }
    return time.IsValid() ? time : def;
}

CTimeSpan CLogFile::GetSpan(std::string_view section, std::string_view key, CTimeSpan def)
{
    return SpanOf(FindValue(section, key).value_or(std::string_view{}), def);
}

CTimeSpan CLogFile::SpanOf(std::string_view raw, CTimeSpan def)
{
    if (raw.find('\\') == std::string_view::npos)
        return raw.empty() ? def : ParseSpanText(raw);
    const std::string text = UnescapeText(raw);
    return text.empty() ? def : ParseSpanText(text);
}

// ---- closing ----

void CLogFile::ReleaseFiles()
{
    CloseFd(m_nFile);
    m_nWriteUsed = 0;
    m_entries.clear();
    m_pendingSection = {};
    m_sectionIndex.reset();
    m_text = {};
    m_pText.reset();
}

bool CLogFile::Close()
{
    if (!m_bClosed) {
        if (m_nMode == modeWrite && !FinishWriting())
            DiscardWriting();
        ReleaseFiles();
        m_nMode = modeClosed;
        m_bClosed = true;
    }
    return !m_bFailed;
}
