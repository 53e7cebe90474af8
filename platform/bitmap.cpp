#include "platform/bitmap.h"

#include <fstream>

#include "platform/host.h"

bool IsBitmapFile(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    unsigned char header[4] = {};
    if (!file.read(reinterpret_cast<char*>(header), 2))
        return false;
    if (header[0] == 'B' && header[1] == 'M')
        return true;
    file.read(reinterpret_cast<char*>(header + 2), 2);
    const bool bPng = header[0] == 0x89 && header[1] == 'P' && header[2] == 'N' && header[3] == 'G';
    const bool bJpeg = header[0] == 0xFF && header[1] == 0xD8 && header[2] == 0xFF;
    return bPng || bJpeg;
}

std::unique_ptr<CBitmap> LoadBitmapFile(const std::string& strPath, CSize size)
{
    if (CHost* pHost = GetHost())
        return pHost->LoadBitmapFile(strPath, size);
    if (!IsBitmapFile(strPath))
        return nullptr;
    return std::make_unique<CBitmap>(strPath, size);
}
