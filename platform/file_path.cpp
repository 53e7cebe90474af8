#include "platform/file_path.h"

#include <cstdlib>
#include <sys/stat.h>

std::string ResolveTarget(const std::string& strPath)
{
    struct stat info;
    if (lstat(strPath.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return strPath;
    char* resolved = realpath(strPath.c_str(), nullptr);
    if (resolved == nullptr)
        return strPath;
    std::string out(resolved);
    std::free(resolved);
    return out;
}

std::string DirectoryOf(const std::string& strPath, const std::string& strNone)
{
    const std::size_t slash = strPath.rfind('/');
    if (slash == std::string::npos)
        return strNone;
    return slash == 0 ? "/" : strPath.substr(0, slash);
}
