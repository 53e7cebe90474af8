#pragma once
// Bitmaps as the window host keeps them: loaded files, and the built-in
// artwork decoded from its embedded PNG data.
#include <map>
#include <memory>
#include <string>

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

#include "platform/bitmap.h"
#include "platform/built_in_images.h"

class CWxBitmap : public CBitmap {
public:
    CWxBitmap(std::string strPath, CSize size, const wxBitmap& bitmap)
        : CBitmap(std::move(strPath), size), m_bitmap(bitmap)
    {
    }
    const wxBitmap& GetBitmap() const { return m_bitmap; }

private:
    wxBitmap m_bitmap;
};

// A Windows bitmap, PNG or JPEG file stretched to size (its own size when size is
// empty); nullptr when it cannot be read or is implausibly large.
std::unique_ptr<CWxBitmap> LoadWxBitmap(const std::string& strPath, CSize size);

// The program's built-in images as the toolkit shows them, each decoded once.
class CWxArtwork {
public:
    explicit CWxArtwork(CBuiltInImages images) : m_images(std::move(images)) {}

    // Built-in bitmap nId (an invalid bitmap for an unknown id).
    wxBitmap GetBitmap(int nId) const;
    // Built-in icon nId in the sizes a window manager asks for (empty: none).
    wxIconBundle GetIcons(int nId) const;
    wxIconBundle GetWindowIcons() const { return GetIcons(m_images.GetWindowIconId()); }
    std::string GetBitmapName(int nId) const { return m_images.GetBitmapName(nId); }
    // The bitmap a picture control shows for its state (invalid: none).
    wxBitmap GetPictureBitmap(const CBitmap* pLoaded, int nBitmapId) const;

private:
    CBuiltInImages m_images;
    mutable std::map<int, wxBitmap> m_bitmaps;
    mutable std::map<int, wxIconBundle> m_icons;
};
