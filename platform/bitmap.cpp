#include "platform/bitmap.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/host.h"

bool IsBitmapFile(const std::string& strPath)
{
    // Without blocking, and only a regular file: a named pipe or a device
    // given as the photograph must neither stall nor be read.
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info;
    unsigned char header[4] = {};
    const ssize_t nGot = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? ::read(fd, header, sizeof header) : -1;
    ::close(fd);
    if (nGot >= 2 && header[0] == 'B' && header[1] == 'M')
        return true;
    const bool bPng = header[0] == 0x89 && header[1] == 'P' && header[2] == 'N' && header[3] == 'G';
    const bool bJpeg = header[0] == 0xFF && header[1] == 0xD8 && header[2] == 0xFF;
    return nGot >= 3 && (bPng || bJpeg);
}

std::unique_ptr<CBitmap> LoadBitmapFile(const std::string& strPath, CSize size)
{
    if (CHost* pHost = GetHost())
        return pHost->LoadBitmapFile(strPath, size);
    if (!IsBitmapFile(strPath))
        return nullptr;
    return std::make_unique<CBitmap>(strPath, size);
}
