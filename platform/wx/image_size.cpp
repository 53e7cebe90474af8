#include "platform/wx/image_size.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
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

std::uint32_t Be16(const unsigned char* p) { return (std::uint32_t{p[0]} << 8) | p[1]; }

// A JPEG file names its size in its first start-of-frame segment; the
// segments before it are skipped by their lengths.
std::optional<CSize> ReadJpegSize(std::ifstream& file)
{
    file.clear();
    file.seekg(2); // after the start-of-image marker
    unsigned char marker[2] = {};
    while (file.read(reinterpret_cast<char*>(marker), 1)) {
        if (marker[0] != 0xFF)
            return std::nullopt;
        do { // fill bytes
            if (!file.read(reinterpret_cast<char*>(marker + 1), 1))
                return std::nullopt;
        } while (marker[1] == 0xFF);
        const unsigned nMarker = marker[1];
        if (nMarker == 0x01 || (nMarker >= 0xD0 && nMarker <= 0xD8))
            continue; // markers without a segment
        if (nMarker == 0xD9 || nMarker == 0xDA)
            return std::nullopt; // end of image or scan data before any frame
        unsigned char segment[7] = {};
        if (!file.read(reinterpret_cast<char*>(segment), 2))
            return std::nullopt;
        const std::uint32_t nLength = Be16(segment);
        if (nLength < 2)
            return std::nullopt;
        const bool bFrame = nMarker >= 0xC0 && nMarker <= 0xCF && nMarker != 0xC4 && nMarker != 0xC8 && nMarker != 0xCC;
        if (bFrame) {
            if (nLength < 7 || !file.read(reinterpret_cast<char*>(segment + 2), 5))
                return std::nullopt;
            return Positive(Be16(segment + 5), Be16(segment + 3)); // height comes first
        }
        file.seekg(static_cast<std::streamoff>(nLength) - 2, std::ios::cur);
    }
    return std::nullopt;
}

} // namespace

std::optional<CSize> ReadImageFileSize(const std::string& strPath)
{
    // Opening a named pipe would wait for a writer; devices are no images.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(strPath, ec))
        return std::nullopt;
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
    if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return ReadJpegSize(file);
    return std::nullopt;
}

bool IsAcceptableImageSize(CSize size)
{
    return size.cx > 0 && size.cy > 0 && size.cx <= kMaxImageSide && size.cy <= kMaxImageSide &&
           static_cast<long long>(size.cx) * size.cy <= kMaxImagePixels;
}
