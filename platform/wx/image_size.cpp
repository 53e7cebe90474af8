#include "platform/wx/image_size.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace {

std::uint32_t Le(const unsigned char* p, int nBytes)
{
    std::uint32_t n = 0;
    for (int i = nBytes - 1; i >= 0; --i)
        n = (n << 8) | p[i];
    return n;
}

std::uint32_t Be32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::optional<CSize> Positive(long long cx, long long cy)
{
    if (cx <= 0 || cy <= 0 || cx > 0x7FFFFFFF || cy > 0x7FFFFFFF)
        return std::nullopt;
    return CSize{static_cast<int>(cx), static_cast<int>(cy)};
}

} // namespace

std::optional<CSize> ReadImageFileSize(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    unsigned char head[26] = {};
    if (!file.read(reinterpret_cast<char*>(head), sizeof head))
        return std::nullopt;

    if (head[0] == 'B' && head[1] == 'M') {
        const std::uint32_t nInfoSize = Le(head + 14, 4);
        if (nInfoSize == 12) // the old core header: 16-bit sizes
            return Positive(Le(head + 18, 2), Le(head + 20, 2));
        const auto cx = static_cast<std::int32_t>(Le(head + 18, 4));
        const auto cy = static_cast<std::int32_t>(Le(head + 22, 4)); // negative: rows top-down
        return Positive(cx, std::llabs(static_cast<long long>(cy)));
    }

    static constexpr unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    bool bPng = true;
    for (int i = 0; i < 8; ++i)
        bPng = bPng && head[i] == kPng[i];
    if (bPng && head[12] == 'I' && head[13] == 'H' && head[14] == 'D' && head[15] == 'R')
        return Positive(Be32(head + 16), Be32(head + 20));
    return std::nullopt;
}

bool IsAcceptableImageSize(CSize size)
{
    return size.cx > 0 && size.cy > 0 && size.cx <= kMaxImageSide && size.cy <= kMaxImageSide &&
           static_cast<long long>(size.cx) * size.cy <= kMaxImagePixels;
}
