#pragma once
// Dialog units as the classic platform maps them to pixels: a horizontal unit
// is a quarter of the dialog font's average character width (measured over
// the 52 letters a-z and A-Z), a vertical unit an eighth of its character
// height. The toolkit's controls need more room around their texts than the
// classic ones the templates were drawn for, so a window may widen its
// horizontal unit until every text of its template fits its box.

struct CPixelRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(const CPixelRect&, const CPixelRect&) = default;
};

class CDialogUnits {
public:
    // How far a window may widen its horizontal unit beyond the font's.
    static constexpr double kMaxWiden = 1.5;

    // From the width in pixels of "A...Za...z" in the dialog font and the
    // height of one line of it.
    static CDialogUnits FromFont(int nLettersWidth, int nCharHeight);

    // Pixels per 4 horizontal and per 8 vertical units.
    double GetBaseX() const { return m_dBaseX; }
    double GetBaseY() const { return m_dBaseY; }
    double GetFontBaseX() const { return m_dFontBaseX; }

    int ToPixelsX(int x) const;
    int ToPixelsY(int y) const;
    // Edges are rounded, not sizes, so that boxes that touch in units touch
    // in pixels.
    CPixelRect ToPixels(int x, int y, int cx, int cy) const;

    // Widens the horizontal unit so that nPixels fit in nUnits units (up to
    // kMaxWiden times the font's own unit); never narrows it.
    void WidenToFit(int nUnits, int nPixels);

private:
    CDialogUnits(double dBaseX, double dBaseY) : m_dFontBaseX(dBaseX), m_dBaseX(dBaseX), m_dBaseY(dBaseY) {}

    double m_dFontBaseX;
    double m_dBaseX;
    double m_dBaseY;
};

// Where a control goes whose template box is box but which the toolkit
// cannot draw smaller than nMinWidth by nMinHeight: at least that large, the
// left edge kept, centred vertically on its box.
CPixelRect PlaceInBox(const CPixelRect& box, int nMinWidth, int nMinHeight);
