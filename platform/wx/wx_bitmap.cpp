#include "platform/wx/wx_bitmap.h"

#include <fstream>
#include <vector>

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include "platform/wx/image_size.h"

namespace {

wxImage DecodePng(std::span<const unsigned char> data)
{
    if (data.empty())
        return wxImage();
    wxLogNull noLog;
    wxMemoryInputStream stream(data.data(), data.size());
    return wxImage(stream, wxBITMAP_TYPE_PNG);
}

} // namespace

std::unique_ptr<CWxBitmap> LoadWxBitmap(const std::string& strPath, CSize size)
{
    std::optional<CSize> fileSize = ReadImageFileSize(strPath);
    if (!fileSize || !IsAcceptableImageSize(*fileSize))
        return nullptr;
    // Read by its bytes: a file name need not be valid in any encoding.
    std::ifstream file(strPath, std::ios::binary | std::ios::ate);
    const std::streamoff nBytes = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (nBytes <= 0 || nBytes > kMaxImagePixels * 4 + 65536)
        return nullptr;
    std::vector<char> data(static_cast<std::size_t>(nBytes));
    file.seekg(0);
    if (!file.read(data.data(), nBytes))
        return nullptr;
    wxLogNull noLog; // a damaged file is answered with nullptr, not a log window
    wxMemoryInputStream stream(data.data(), data.size());
    wxImage image;
    if (!image.LoadFile(stream, wxBITMAP_TYPE_ANY) || !image.IsOk())
        return nullptr;
    if (size.cx > 0 && size.cy > 0 && IsAcceptableImageSize(size))
        image.Rescale(size.cx, size.cy, wxIMAGE_QUALITY_HIGH);
    else
        size = {image.GetWidth(), image.GetHeight()};
    return std::make_unique<CWxBitmap>(strPath, size, wxBitmap(image));
}

wxBitmap CWxArtwork::GetBitmap(int nId) const
{
    auto it = m_bitmaps.find(nId);
    if (it == m_bitmaps.end()) {
        wxImage image = DecodePng(m_images.GetBitmapPng(nId));
        it = m_bitmaps.emplace(nId, image.IsOk() ? wxBitmap(image) : wxBitmap()).first;
    }
    return it->second;
}

wxIconBundle CWxArtwork::GetIcons(int nId) const
{
    auto it = m_icons.find(nId);
    if (it != m_icons.end())
        return it->second;
    wxIconBundle icons;
    wxImage image = DecodePng(m_images.GetIconPng(nId));
    if (image.IsOk()) {
        for (int nSize : {16, 24, 32, 48, 64, 128}) {
            wxIcon icon;
            icon.CopyFromBitmap(wxBitmap(image.Scale(nSize, nSize, wxIMAGE_QUALITY_HIGH)));
            icons.AddIcon(icon);
        }
    }
    return m_icons.emplace(nId, icons).first->second;
}

wxBitmap CWxArtwork::GetPictureBitmap(const CBitmap* pLoaded, int nBitmapId) const
{
    if (pLoaded) {
        if (auto pWx = dynamic_cast<const CWxBitmap*>(pLoaded))
            return pWx->GetBitmap();
        // Made by another host: load it again from its file.
        if (auto pAgain = LoadWxBitmap(pLoaded->GetPath(), pLoaded->GetSize()))
            return pAgain->GetBitmap();
        return wxBitmap();
    }
    return nBitmapId ? GetBitmap(nBitmapId) : wxBitmap();
}
