#pragma once
// The picture an editor window paints into before it goes to the screen at once, kept from
// one paint to the next: making a bitmap for each paint costs as much as painting many
// lines. It grows to the largest area asked for and is made again for a screen of another
// colour depth; Release gives its memory back until the next paint.
#include <windows.h>

#include <memory>

#include "Gdi.h"

namespace tessaly::editor {

class OffscreenSurface {
public:
    // A memory DC like `screen` holding a bitmap of at least width by height; null when
    // none could be made.
    HDC Prepare(HDC screen, int width, int height) {
        const int depth = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
        if (dc_ && width <= width_ && height <= height_ && depth == depth_) return *dc_;
        Release();
        auto dc = std::make_unique<CMemoryDC>(screen);
        if (!dc->GetSafeHdc() || !bitmap_.CreateCompatibleBitmap(screen, width, height)) {
            bitmap_.DeleteObject();
            return nullptr;
        }
        dc_ = std::move(dc);
        selected_ = std::make_unique<CSelectObject>(*dc_, bitmap_);
        width_ = width;
        height_ = height;
        depth_ = depth;
        return *dc_;
    }

    void Release() {
        selected_.reset();
        dc_.reset();
        bitmap_.DeleteObject();
        width_ = height_ = depth_ = 0;
    }

private:
    // Released in the reverse order: the bitmap leaves the DC, the DC goes, then the bitmap.
    CBitmap bitmap_;
    std::unique_ptr<CMemoryDC> dc_;
    std::unique_ptr<CSelectObject> selected_;
    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
};

}  // namespace tessaly::editor
