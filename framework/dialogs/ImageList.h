#pragma once
// CImageList: an owned image list, destroyed with the wrapper; made empty or from a bitmap
// strip of the module's resources whose transparent parts have one colour.

#include <windows.h>

#include <commctrl.h>

#include <utility>

#include "FwApi.h"

class FWAPI CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    CImageList(CImageList&& other) noexcept : m_hImageList(std::exchange(other.m_hImageList, nullptr)) {}
    CImageList& operator=(CImageList&& other) noexcept
    {
        if (this != &other) {
            DeleteImageList();
            m_hImageList = std::exchange(other.m_hImageList, nullptr);
        }
        return *this;
    }

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    // Images `cx` wide cut from bitmap `bitmapId`; pixels of `transparent` are not drawn.
    bool Create(UINT bitmapId, int cx, int grow, COLORREF transparent);
    int Add(HBITMAP bitmap, COLORREF transparent);
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    bool Draw(HDC dc, int image, POINT at, UINT style) const
    {
        return ImageList_Draw(m_hImageList, image, dc, at.x, at.y, style) != FALSE;
    }
    HIMAGELIST Detach() { return std::exchange(m_hImageList, nullptr); }
    bool DeleteImageList();

    HIMAGELIST m_hImageList = nullptr;
};
