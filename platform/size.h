#pragma once
// A width and height, in pixels or dialog units as the user says.

struct CSize {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(CSize, CSize) = default;
};
