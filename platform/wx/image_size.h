#pragma once
// The pixel size an image file declares in its header, read before the file
// is decoded so that a hostile header cannot make the decoder eat memory.
#include <optional>
#include <string>

#include "platform/size.h"

// Windows bitmaps ("BM"), PNG and JPEG files; nothing for other files, unreadable
// ones and sizes that are zero or negative.
std::optional<CSize> ReadImageFileSize(const std::string& strPath);

// Largest image the window host decodes.
inline constexpr int kMaxImageSide = 8192;
inline constexpr long long kMaxImagePixels = 32LL * 1024 * 1024;

bool IsAcceptableImageSize(CSize size);
