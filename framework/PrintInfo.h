#pragma once
// What a view's printing hooks are told about one print job: the page range, the current
// page, whether it is a preview, and the area to draw into.

#include <windows.h>

#include "FwApi.h"

struct FWAPI CPrintInfo {
    UINT m_nFromPage = 1;
    UINT m_nToPage = 0xFFFF;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;  // the view sets the real count in OnPreparePrinting
    UINT m_nCurPage = 1;
    bool m_bPreview = false;
    bool m_bDirect = false;   // print without the printer dialog
    bool m_bContinuePrinting = true;
    RECT m_rectDraw{};        // the printable area of the page, in device units
    void* m_lpUserData = nullptr;

    void SetMaxPage(UINT pages) { m_nMaxPage = pages; }
    UINT GetMaxPage() const { return m_nMaxPage; }
};
