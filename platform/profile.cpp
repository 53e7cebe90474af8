#include "platform/profile.h"

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/file_path.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A settings file is small; a larger one is read only this far and never
// rewritten, so that a stray huge file neither eats memory nor gets cut.
constexpr std::size_t kMaxFileSize = 4 * 1024 * 1024;
constexpr std::string_view kBlanks = " \t";

// Only these surround names and values; other control bytes are kept.
std::string_view TrimBlanks(std::string_view text) { return Trim(text, kBlanks); }

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool HasMatchingQuotes(std::string_view text)
{
    return text.size() >= 2 && IsQuote(text.front()) && text.front() == text.back();
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// One line of the file, without its line end.
struct ProfileLine {
    std::string strText;
    bool bCarriageReturn = false; // ended in CR LF
};

enum class LineKind { other, header, key };

struct LineInfo {
    LineKind kind = LineKind::other;
    std::string_view name;  // section of a header, key of a key line
    std::string_view value; // key lines: trimmed, quotes removed
};

LineInfo Classify(std::string_view line)
{
    LineInfo info;
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text.front() == ';')
        return info;
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos) {
            info.kind = LineKind::header;
            info.name = TrimBlanks(text.substr(1, close - 1));
        }
        return info;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return info;
    info.name = TrimBlanks(text.substr(0, equals));
    if (info.name.empty())
        return info;
    info.kind = LineKind::key;
    info.value = TrimBlanks(text.substr(equals + 1));
    if (HasMatchingQuotes(info.value))
        info.value = info.value.substr(1, info.value.size() - 2);
    return info;
}

std::vector<ProfileLine> SplitLines(std::string_view content)
{
    std::vector<ProfileLine> lines;
    while (!content.empty()) {
        const std::size_t lf = content.find('\n');
        ProfileLine line;
        line.strText = content.substr(0, lf);
        if (lf != std::string_view::npos && !line.strText.empty() && line.strText.back() == '\r') {
            line.strText.pop_back();
            line.bCarriageReturn = true;
        }
        lines.push_back(std::move(line));
        content = lf == std::string_view::npos ? std::string_view{} : content.substr(lf + 1);
    }
    return lines;
}

std::string JoinLines(const std::vector<ProfileLine>& lines)
{
    std::string content;
    for (const ProfileLine& line : lines)
        content.append(line.strText).append(line.bCarriageReturn ? "\r\n" : "\n");
    return content;
}

enum class ReadResult { ok, missing, failed };

// The file's content, at most kMaxFileSize + 1 bytes of it.
ReadResult ReadFile(const std::string& strPath, std::string& content)
{
    content.clear();
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::missing : ReadResult::failed;
    char buffer[16 * 1024];
    ReadResult result = ReadResult::ok;
    while (content.size() <= kMaxFileSize) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            result = ReadResult::failed;
        if (got <= 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return result;
}

bool MakeDirectories(const std::string& strDir)
{
    struct stat info;
    if (stat(strDir.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    for (std::size_t pos = strDir.find('/', 1);; pos = strDir.find('/', pos + 1)) {
        const std::string part = strDir.substr(0, pos);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        if (pos == std::string::npos)
            break;
    }
    return stat(strDir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Replaces the file whole, making its folder when missing.
bool ReplaceFile(const std::string& strPath, std::string_view content)
{
    if (!MakeDirectories(DirectoryOf(ResolveTarget(strPath))))
        return false;
    CAtomicFile file;
    return file.Open(strPath) && file.Write(content) && file.Commit();
}

// The value as it must stand in the file to read back unchanged.
std::string StoredForm(std::string_view value)
{
    const bool bGuard = !value.empty()
                        && (kBlanks.find(value.front()) != std::string_view::npos
                            || kBlanks.find(value.back()) != std::string_view::npos
                            || HasMatchingQuotes(value));
    if (!bGuard)
        return std::string(value);
    std::string out;
    out.reserve(value.size() + 2);
    out.append("\"").append(value).append("\"");
    return out;
}

} // namespace

std::optional<std::string> FindPrivateProfileString(std::string_view section, std::string_view key,
                                                    const std::string& strPath)
{
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    std::string content;
    if (ReadFile(strPath, content) != ReadResult::ok)
        return std::nullopt;
    if (content.size() > kMaxFileSize)
        content.resize(kMaxFileSize);
    bool bInSection = false;
    for (const ProfileLine& line : SplitLines(content)) {
        const LineInfo info = Classify(line.strText);
        if (info.kind == LineKind::header)
            bInSection = EqualNoCase(info.name, section);
        else if (info.kind == LineKind::key && bInSection && EqualNoCase(info.name, key))
            return std::string(info.value);
    }
    return std::nullopt;
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, const std::string& strPath)
{
    std::optional<std::string> value = FindPrivateProfileString(section, key, strPath);
    return value ? std::move(*value) : std::string(def);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::optional<std::string_view> value, const std::string& strPath)
{
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (HasLineBreak(section) || section.find(']') != std::string_view::npos || key.empty()
        || HasLineBreak(key) || key.find('=') != std::string_view::npos || key.front() == '['
        || key.front() == ';' || (value && HasLineBreak(*value)))
        return false;

    std::string content;
    const ReadResult read = ReadFile(strPath, content);
    if (read == ReadResult::failed || content.size() > kMaxFileSize)
        return false;
    std::vector<ProfileLine> lines = SplitLines(content);

    // Where the key stands, and where a new key would go: after the last key
    // line of the first section of that name (or its header).
    std::vector<std::size_t> keyLines;
    std::optional<std::size_t> insertAfter;
    bool bInSection = false;
    bool bInFirstSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineInfo info = Classify(lines[i].strText);
        if (info.kind == LineKind::header) {
            bInSection = EqualNoCase(info.name, section);
            bInFirstSection = bInSection && !insertAfter;
            if (bInFirstSection)
                insertAfter = i;
        } else if (info.kind == LineKind::key && bInSection) {
            if (bInFirstSection)
                insertAfter = i;
            if (EqualNoCase(info.name, key))
                keyLines.push_back(i);
        }
    }

    if (!value) {
        if (keyLines.empty())
            return true;
        for (auto it = keyLines.rbegin(); it != keyLines.rend(); ++it)
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*it));
    } else {
        std::string strLine(key);
        strLine.append("=").append(StoredForm(*value));
        if (!keyLines.empty()) {
            std::string& strOld = lines[keyLines.front()].strText;
            if (strOld == strLine)
                return true;
            strOld = std::move(strLine);
        } else if (insertAfter) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*insertAfter) + 1,
                         ProfileLine{std::move(strLine)});
        } else {
            if (!lines.empty() && !TrimBlanks(lines.back().strText).empty())
                lines.push_back(ProfileLine{});
            std::string strHeader("[");
            strHeader.append(section).append("]");
            lines.push_back(ProfileLine{std::move(strHeader)});
            lines.push_back(ProfileLine{std::move(strLine)});
        }
    }
    return ReplaceFile(strPath, JoinLines(lines));
}
