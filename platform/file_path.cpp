#include "platform/file_path.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

std::string ResolveTarget(const std::string& strPath)
{
    std::string strTarget = strPath;
    // As many links as the system itself follows before it gives up.
    for (int nHops = 0; nHops < 40; ++nHops) {
        struct stat info;
        if (lstat(strTarget.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return strTarget;
        if (char* resolved = realpath(strTarget.c_str(), nullptr)) {
            std::string out(resolved);
            std::free(resolved);
            return out;
        }
        // A link to a file that does not exist yet: one step further.
        std::string strLink(PATH_MAX, '\0');
        const ssize_t nLength = readlink(strTarget.c_str(), strLink.data(), strLink.size());
        if (nLength <= 0 || static_cast<std::size_t>(nLength) >= strLink.size())
            return strTarget;
        strLink.resize(static_cast<std::size_t>(nLength));
        strTarget = strLink.front() == '/' ? strLink : DirectoryOf(strTarget) + "/" + strLink;
    }
    return strTarget;
}

std::string DirectoryOf(const std::string& strPath, const std::string& strNone)
{
    const std::size_t slash = strPath.rfind('/');
    if (slash == std::string::npos)
        return strNone;
    return slash == 0 ? "/" : strPath.substr(0, slash);
}
