#include "log/log_file.h"

#include "log/text_escape.h"
#include "platform/ascii_text.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::size_t kJumpReadSize = 1024;
constexpr std::string_view kInUse = "the file is in use by another program";

// The text between the first and the last character of a "[...]" line.
std::string_view InnerName(std::string_view line)
{
    return line.size() < 2 ? std::string_view{} : line.substr(1, line.size() - 2);
}

// Decimal with optional sign after white space, up to the first non-digit;
// digits accumulate in unsigned 32-bit arithmetic, so overflow wraps.
std::int32_t ParseDecimal(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && kAsciiSpace.find(text[pos]) != std::string_view::npos)
        ++pos;
    bool bNegative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        bNegative = text[pos++] == '-';
    std::uint32_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = value * 10u + static_cast<std::uint32_t>(text[pos] - '0');
    return static_cast<std::int32_t>(bNegative ? 0u - value : value);
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
    return true;
}

bool CLogFile::FlushBuffer()
{
    const bool bWritten = m_writer.Write(m_writeBuffer);
    m_writeBuffer.clear();
    if (!bWritten)
        Fail(m_writer.GetErrorText(), 0);
    return bWritten;
}

bool CLogFile::WriteLine(std::string_view first, std::string_view second, std::string_view third)
{
    m_writeBuffer.append(first).append(second).append(third).append("\r\n");
    return m_writeBuffer.size() < kBufferSize || FlushBuffer();
}

bool CLogFile::PutEntry(std::string_view section, std::string_view key, std::string_view text)
{
    // After a failure the save cannot be complete any more: nothing is retried.
    if (m_bClosed || m_bFailed)
        return false;
    if (m_nMode == modeClosed)
        OpenForWriting();
    if (m_nMode != modeWrite)
        return false;
    if (m_strSection.empty() || !EqualNoCase(m_strSection, section)) {
        if (!WriteLine("[", section, "]"))
            return false;
        m_strSection = section;
    }
    return WriteLine(key, "=", text);
}

bool CLogFile::PutText(std::string_view section, std::string_view key, std::string_view text)
{
    if (text.empty())
        return false;
    return PutEntry(section, key, EscapeText(text));
}

bool CLogFile::PutInt(std::string_view section, std::string_view key, std::int32_t value)
{
    return PutEntry(section, key, std::to_string(value));
}

bool CLogFile::PutTime(std::string_view section, std::string_view key, CTime value)
{
    return PutEntry(section, key, FormatTimeText(value));
}

bool CLogFile::PutSpan(std::string_view section, std::string_view key, CTimeSpan value)
{
    return PutEntry(section, key, FormatSpanText(value));
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
    m_strPendingSection.clear();
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
    m_readBuffer.resize(kBufferSize);
    m_nBufferStart = 0;
    m_nReadPos = m_nReadEnd = 0;
    m_bEndOfFile = false;
    m_nMode = modeRead;
    return true;
}

// The next line without its LF and a CR just before it; false at the end.
bool CLogFile::ReadLine(std::string& line)
{
    line.clear();
    bool bAny = false;
    for (;;) {
        if (m_nReadPos == m_nReadEnd) {
            if (m_bEndOfFile)
                break;
            // Small reads just after a jump, growing while the reading goes on.
            const std::size_t want = std::min(m_nReadSize, m_readBuffer.size());
            const ssize_t got = ::read(m_nFile, m_readBuffer.data(), want);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                if (got < 0)
                    Fail("cannot read the file", errno);
                m_bEndOfFile = true;
                break;
            }
            m_nBufferStart += m_nReadEnd;
            m_nReadSize = std::min(m_nReadSize * 2, m_readBuffer.size());
            m_nReadPos = 0;
            m_nReadEnd = static_cast<std::size_t>(got);
        }
        bAny = true;
        const char* begin = m_readBuffer.data() + m_nReadPos;
        const char* end = m_readBuffer.data() + m_nReadEnd;
        const char* lf = static_cast<const char*>(std::memchr(begin, '\n', static_cast<std::size_t>(end - begin)));
        if (lf == nullptr) {
            line.append(begin, end);
            m_nReadPos = m_nReadEnd;
            continue;
        }
        line.append(begin, lf);
        m_nReadPos += static_cast<std::size_t>(lf - begin) + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }
    return bAny;
}

std::uint64_t CLogFile::Position() const
{
    return m_nBufferStart + m_nReadPos;
}

bool CLogFile::SeekTo(std::uint64_t offset)
{
    if (offset >= m_nBufferStart && offset <= m_nBufferStart + m_nReadEnd) {
        m_nReadPos = static_cast<std::size_t>(offset - m_nBufferStart);
        return true; // still in the buffer
    }
    if (::lseek(m_nFile, static_cast<off_t>(offset), SEEK_SET) < 0) {
        Fail("cannot read the file", errno);
        return false;
    }
    m_nBufferStart = offset;
    m_nReadPos = m_nReadEnd = 0;
    m_nReadSize = kJumpReadSize;
    m_bEndOfFile = false;
    return true;
}

// Reads the whole file once, noting where each header line ends, so that
// later searches jump instead of reading the file again.
void CLogFile::BuildHeaderIndex()
{
    if (!SeekTo(0))
        return;
    std::vector<CHeader> headers;
    std::string line;
    while (ReadLine(line))
        if (line.size() > 2 && line[0] == '[')
            headers.push_back({LowerCopy(InnerName(line)), Position()});
    if (m_bFailed)
        return;
    std::sort(headers.begin(), headers.end());
    m_headerIndex = std::move(headers);
    m_bIndexed = true;
}

// Moves on to just after the header of name, searching onward from the
// current position and then once more from the start of the file. True when
// found; otherwise the position is at the start of the file.
bool CLogFile::ScanForHeader(std::string_view name)
{
    if (!m_bIndexed) {
        std::string line;
        while (ReadLine(line))
            if (line.size() > 2 && line[0] == '[' && EqualNoCase(InnerName(line), name))
                return true;
        BuildHeaderIndex();
        if (!m_bIndexed) {
            SeekTo(0);
            return false;
        }
    }
    // The first header of that name that ends after the position, else the
    // first one in the file.
    const std::string lower = LowerCopy(name);
    const auto first = std::lower_bound(m_headerIndex.begin(), m_headerIndex.end(), CHeader{lower, 0});
    auto next = std::upper_bound(first, m_headerIndex.end(), CHeader{lower, Position()});
    if (next == m_headerIndex.end() || next->m_strName != lower)
        next = first;
    if (next == m_headerIndex.end() || next->m_strName != lower) {
        SeekTo(0);
        return false;
    }
    return SeekTo(next->m_nEnd);
}

void CLogFile::LoadSection(std::string_view name)
{
    if (EqualNoCase(name, m_strSection))
        return;
    m_strSection = name;
    m_keys.clear();
    m_values.clear();
    m_nCursor = 0;

    bool bFound = !m_strPendingSection.empty() && EqualNoCase(m_strPendingSection, name);
    m_strPendingSection.clear();
    if (!bFound && !ScanForHeader(name))
        return;

    std::string line;
    while (ReadLine(line)) {
        if (line.empty())
            continue;
        if (line[0] == '[') {
            m_strPendingSection = InnerName(line);
            return;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        const std::string_view view(line);
        m_keys.emplace_back(Trim(view.substr(0, equals)));
        m_values.emplace_back(Trim(view.substr(equals + 1)));
    }
}

std::string CLogFile::FindKey(std::string_view key, std::string_view def)
{
    if (m_nCursor >= m_keys.size())
        return std::string(def);
    const std::size_t start = m_nCursor;
    do {
        if (EqualNoCase(m_keys[m_nCursor], key))
            return m_values[m_nCursor];
        m_nCursor = (m_nCursor + 1) % m_keys.size();
    } while (m_nCursor != start);
    return std::string(def);
}

std::string CLogFile::GetEntry(std::string_view section, std::string_view key, std::string_view def)
{
    if (m_bClosed)
        return std::string(def);
    if (m_nMode == modeClosed && !m_bFailed)
        OpenForReading();
    if (m_nMode != modeRead)
        return std::string(def);
    LoadSection(section);
    return FindKey(key, def);
}

std::string CLogFile::GetText(std::string_view section, std::string_view key)
{
    return UnescapeText(GetEntry(section, key, {}));
}

std::int32_t CLogFile::GetInt(std::string_view section, std::string_view key, std::int32_t def)
{
    const std::string text = GetEntry(section, key, {});
    return text.empty() ? def : ParseDecimal(text);
}

CTime CLogFile::GetTime(std::string_view section, std::string_view key, CTime def)
{
    const std::string text = GetText(section, key);
    return text.empty() ? def : ParseTimeText(text);
}

CTimeSpan CLogFile::GetSpan(std::string_view section, std::string_view key, CTimeSpan def)
{
    const std::string text = GetText(section, key);
    return text.empty() ? def : ParseSpanText(text);
}

// ---- closing ----

void CLogFile::ReleaseFiles()
{
    CloseFd(m_nFile);
    m_writeBuffer.clear();
    m_readBuffer.clear();
    m_readBuffer.shrink_to_fit();
    m_keys.clear();
    m_values.clear();
    m_headerIndex.clear();
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
