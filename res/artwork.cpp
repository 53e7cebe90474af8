#include "res/artwork.h"

#include "res/artwork/artwork_data.inc"

std::span<const unsigned char> GetBitmapPng(int nId)
{
    switch (nId) {
    case 151:
        return k_bitmap_151;
    case 152:
        return k_bitmap_152;
    default:
        return {};
    }
}

std::span<const unsigned char> GetIconPng(int nId)
{
    if (nId == 128)
        return k_icon_128;
    return {};
}
