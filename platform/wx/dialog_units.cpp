#include "platform/wx/dialog_units.h"

#include <algorithm>
#include <cmath>

CDialogUnits CDialogUnits::FromFont(int nLettersWidth, int nCharHeight)
{
    // The average over 52 letters, rounded to whole pixels as the classic
    // platform rounds it; a font that measures nothing keeps the classic
    // 8-point units.
    const int nBaseX = nLettersWidth > 0 ? (nLettersWidth / 26 + 1) / 2 : 6;
    const int nBaseY = nCharHeight > 0 ? nCharHeight : 13;
    return CDialogUnits(std::max(nBaseX, 1), nBaseY);
}

int CDialogUnits::ToPixelsX(int x) const { return static_cast<int>(std::lround(x * m_dBaseX / 4)); }

int CDialogUnits::ToPixelsY(int y) const { return static_cast<int>(std::lround(y * m_dBaseY / 8)); }

CPixelRect CDialogUnits::ToPixels(int x, int y, int cx, int cy) const
{
    const int nLeft = ToPixelsX(x);
    const int nTop = ToPixelsY(y);
    return {nLeft, nTop, ToPixelsX(x + cx) - nLeft, ToPixelsY(y + cy) - nTop};
}

void CDialogUnits::WidenToFit(int nUnits, int nPixels)
{
    if (nUnits <= 0 || nPixels <= 0)
        return;
    // Half a pixel more: rounding either edge may lose up to half a pixel.
    const double dNeeded = (nPixels + 0.5) * 4 / nUnits;
    m_dBaseX = std::clamp(dNeeded, m_dBaseX, std::max(m_dBaseX, m_dFontBaseX * kMaxWiden));
}

CPixelRect PlaceInBox(const CPixelRect& box, int nMinWidth, int nMinHeight)
{
    CPixelRect rect = box;
    rect.cx = std::max(box.cx, nMinWidth);
    if (nMinHeight > box.cy) {
        rect.cy = nMinHeight;
        rect.y = box.y - (nMinHeight - box.cy) / 2;
    }
    return rect;
}
