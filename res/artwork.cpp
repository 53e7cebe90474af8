#include "res/artwork.h"

#include "res/artwork/artwork_data.inc"
#include "res/resource_ids.h"

CBuiltInImages GetBuiltInImages()
{
    CBuiltInImages images;
    images.AddBitmap(IDB_ABOUT_LEFT, k_bitmap_151, "Pilot's wings");
    images.AddBitmap(IDB_PHOTO_DEFAULT, k_bitmap_152, "Aircraft");
    images.AddIcon(IDR_MAINFRAME, k_icon_128);
    images.SetWindowIconId(IDR_MAINFRAME);
    return images;
}
