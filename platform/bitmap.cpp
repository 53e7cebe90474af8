#include "platform/bitmap.h"

#include <fstream>

#include "platform/host.h"

bool IsBitmapFile(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    char header[2] = {};
    return file.read(header, 2) && header[0] == 'B' && header[1] == 'M';
}

std::unique_ptr<CBitmap> LoadBitmapFile(const std::string& strPath, CSize size)
{
    if (CHost* pHost = GetHost())
        return pHost->LoadBitmapFile(strPath, size);
    if (!IsBitmapFile(strPath))
        return nullptr;
    return std::make_unique<CBitmap>(strPath, size);
}
