#pragma once
// The program's own bitmaps and icon, compiled in as PNG data so that no file
// is needed at run time.
#include <span>

// PNG bytes of built-in bitmap nId (151 the wings badge, 152 the aircraft,
// also the default photograph); empty for any other id.
std::span<const unsigned char> GetBitmapPng(int nId);

// PNG bytes (128 by 128 pixels) of icon nId (128, the application icon);
// empty for any other id.
std::span<const unsigned char> GetIconPng(int nId);
