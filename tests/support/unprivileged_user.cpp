#include "tests/support/unprivileged_user.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

void WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

// What the child does: becomes the user, runs the body, and writes a status
// letter ('r' ran, 's' could not) and the text to the pipe.
std::string ChildResult(uid_t nUid, gid_t nGid, const std::string& strDir, const std::function<std::string()>& body)
{
    if (::getuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(nGid) != 0 || setuid(nUid) != 0))
        return "scannot become user " + std::to_string(nUid) + ": " + std::strerror(errno);
    if (::access(strDir.c_str(), X_OK) != 0)
        return "suser " + std::to_string(nUid) + " cannot reach " + strDir + ": " + std::strerror(errno);
    std::string text = "r" + body();
    if (::testing::Test::HasFailure())
        text += " [a check failed in the child]";
    return text;
}

} // namespace

CUnprivilegedUser::CUnprivilegedUser()
    : m_nUid(::getuid() == 0 ? kNobody : ::getuid()), m_nGid(::getuid() == 0 ? kNobody : ::getgid())
{
}

void CUnprivilegedUser::Give(const std::string& strPath) const
{
    if (::getuid() == 0) {
        EXPECT_EQ(::chown(strPath.c_str(), m_nUid, m_nGid), 0) << strPath << ": " << std::strerror(errno);
    }
}

bool CUnprivilegedUser::Run(const std::string& strDir, const std::function<std::string()>& body,
                            std::string& strOutput) const
{
    int fds[2];
    if (::pipe(fds) != 0) {
        strOutput = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        WriteAll(fds[1], ChildResult(m_nUid, m_nGid, strDir, body));
        ::_exit(0);
    }
    ::close(fds[1]);
    const std::string text = pid > 0 ? ReadAll(fds[0]) : std::string();
    ::close(fds[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || text.empty()) {
        ADD_FAILURE() << "the child process as user " << m_nUid << " did not finish";
        strOutput = "the child process failed";
        return false;
    }
    strOutput = text.substr(1);
    return text[0] == 'r';
}
