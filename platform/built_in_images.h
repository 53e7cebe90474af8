#pragma once
// The program's own pictures and icons as PNG data, by resource id. The
// platform has no artwork of its own: main() fills one of these from the
// program's resources and hands it to the window host, which shows what it
// holds (pictures in picture controls, the icon on every window).
#include <map>
#include <span>
#include <string>

class CBuiltInImages {
public:
    using Png = std::span<const unsigned char>;

    // The data must outlive every host given a copy (compiled-in arrays do).
    // strName: what a screen reader announces the picture by.
    void AddBitmap(int nId, Png png, std::string strName)
    {
        m_bitmaps[nId] = png;
        m_names[nId] = std::move(strName);
    }
    void AddIcon(int nId, Png png) { m_icons[nId] = png; }
    // The icon every window carries until its dialog sets another (0: none).
    void SetWindowIconId(int nId) { m_nWindowIconId = nId; }

    // Empty for an id that was not added.
    Png GetBitmapPng(int nId) const { return Find(m_bitmaps, nId); }
    Png GetIconPng(int nId) const { return Find(m_icons, nId); }
    std::string GetBitmapName(int nId) const
    {
        auto it = m_names.find(nId);
        return it == m_names.end() ? std::string() : it->second;
    }
    int GetWindowIconId() const { return m_nWindowIconId; }

private:
    static Png Find(const std::map<int, Png>& images, int nId)
    {
        auto it = images.find(nId);
        return it == images.end() ? Png() : it->second;
    }

    std::map<int, Png> m_bitmaps;
    std::map<int, Png> m_icons;
    std::map<int, std::string> m_names;
    int m_nWindowIconId = 0;
};
