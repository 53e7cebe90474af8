#pragma once
// The program's own bitmaps and icon, compiled in as PNG data so that no file
// is needed at run time.
#include "platform/built_in_images.h"

// Every built-in bitmap (IDB_ABOUT_LEFT the wings badge, IDB_PHOTO_DEFAULT
// the aircraft, also the default photograph) and the application icon
// (IDR_MAINFRAME, 128 by 128 pixels, the icon of every window).
CBuiltInImages GetBuiltInImages();
