#include "Gdi.h"

HBRUSH AfxCreateHalftoneBrush()
{
    WORD pattern[8];
    for (int i = 0; i < 8; ++i)
        pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(8, 8, 1, 1, pattern));
    return bitmap ? ::CreatePatternBrush(bitmap) : nullptr;
}
