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
    HDC Prepare(HDC screen, int width, int height)
    {
        const int depth = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
        if (m_dc && width <= m_width && height <= m_height && depth == m_depth)
            return *m_dc;
        Release();
        auto dc = std::make_unique<CMemoryDC>(screen);
        if (!dc->GetSafeHdc() || !m_bitmap.CreateCompatibleBitmap(screen, width, height)) {
            m_bitmap.DeleteObject();
            return nullptr;
        }
        m_dc = std::move(dc);
        m_selected = std::make_unique<CSelectObject>(*m_dc, m_bitmap);
        m_width = width;
        m_height = height;
        m_depth = depth;
        return *m_dc;
    }

    void Release()
    {
        m_selected.reset();
        m_dc.reset();
        m_bitmap.DeleteObject();
        m_width = m_height = m_depth = 0;
    }

private:
    // Released in the reverse order: the bitmap leaves the DC, the DC goes, then the bitmap.
    CBitmap m_bitmap;
    std::unique_ptr<CMemoryDC> m_dc;
    std::unique_ptr<CSelectObject> m_selected;
    int m_width = 0;
    int m_height = 0;
    int m_depth = 0;
};

}  // namespace tessaly::editor
