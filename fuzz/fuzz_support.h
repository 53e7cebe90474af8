#pragma once
// What the fuzz targets share: a host that answers every question from bytes
// of the input, and a private folder for the files a target writes.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <fcntl.h>
#include <unistd.h>

#include "platform/dialog.h"
#include "platform/file_dialog.h"
#include "platform/host.h"
#include "platform/message_box.h"
#include "platform/message_box_text.h"

// Each question takes one byte of the answers and picks one of the buttons
// the box offers; once the bytes run out, the box's default answer (as
// without a user) is taken. File dialogs are cancelled, dialogs not shown.
class CFuzzHost : public CHost {
public:
    explicit CFuzzHost(std::span<const std::uint8_t> answers) : m_answers(answers) {}

    int MessageBox(const std::string&, unsigned nType) override
    {
        ++m_nQuestions;
        int offered[3] = {IDOK, 0, 0};
        int nOffered = 1;
        switch (nType & MB_TYPEMASK) {
        case MB_OKCANCEL:
            offered[1] = IDCANCEL;
            nOffered = 2;
            break;
        case MB_YESNO:
            offered[0] = IDYES;
            offered[1] = IDNO;
            nOffered = 2;
            break;
        case MB_YESNOCANCEL:
            offered[0] = IDYES;
            offered[1] = IDNO;
            offered[2] = IDCANCEL;
            nOffered = 3;
            break;
        default:
            break;
        }
        if (m_answers.empty())
            return GetDefaultMessageBoxAnswer(nType);
        const int nAnswer = offered[m_answers.front() % nOffered];
        m_answers = m_answers.subspan(1);
        return nAnswer;
    }
    int RunFileDialog(CFileDialog&) override { return IDCANCEL; }
    bool BeginModal(CDialog&) override { return false; }
    void RunModalLoop(CDialog&) override {}
    void ReportProgramError(const std::string& strProblem) override
    {
        // The program used the platform wrongly: that is a finding too.
        std::fprintf(stderr, "Program error: %s\n", strProblem.c_str());
        std::abort();
    }

    int GetQuestionCount() const { return m_nQuestions; }

private:
    std::span<const std::uint8_t> m_answers;
    int m_nQuestions = 0;
};

// A folder of this process on a memory file system when there is one (the
// targets write and sync files on every run), removed at the end.
class CFuzzFolder {
public:
    CFuzzFolder()
    {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (const char* tmp = std::getenv("SORTAVEL_FUZZ_TMP"))
            base = tmp;
        else if (!std::filesystem::is_directory(base, ec))
            base = std::filesystem::temp_directory_path();
        m_path = base / ("sortavel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_path, ec);
    }
    ~CFuzzFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CFuzzFolder(const CFuzzFolder&) = delete;
    CFuzzFolder& operator=(const CFuzzFolder&) = delete;

    std::string File(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Straight to the file descriptor: a stream's buffer would cost more than
// the small inputs themselves.
inline void WriteFileBytes(const std::string& strPath, std::string_view bytes)
{
    const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool bWritten = fd >= 0;
    while (bWritten && !bytes.empty()) {
        const ssize_t nDone = ::write(fd, bytes.data(), bytes.size());
        if (nDone < 0 && errno == EINTR)
            continue;
        bWritten = nDone > 0;
        if (bWritten)
            bytes.remove_prefix(static_cast<std::size_t>(nDone));
    }
    if (fd >= 0 && ::close(fd) != 0)
        bWritten = false;
    if (!bWritten) {
        std::fprintf(stderr, "cannot write %s\n", strPath.c_str());
        std::abort();
    }
}

// The whole file in large reads (a byte-wise stream read cost a fifth of a
// log run); a file that cannot be read gives an empty text.
inline std::string ReadFileBytes(const std::string& strPath)
{
    std::string bytes;
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t nRead = ::read(fd, buffer, sizeof buffer);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(nRead));
    }
    ::close(fd);
    return bytes;
}

// Stops the run with a message: a property of the program did not hold.
[[noreturn]] inline void FuzzFailure(const char* pszWhat)
{
    std::fprintf(stderr, "Property failed: %s\n", pszWhat);
    std::abort();
}
