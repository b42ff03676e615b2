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
    bool m_bDirect = false;  // print without the printer dialog
    bool m_bContinuePrinting = true;
    RECT m_rectDraw{};           // the printable area of the page, in device units
    HDC m_hPrinterDC = nullptr;  // set by DoPreparePrinting; owned by the print job
    void* m_lpUserData = nullptr;

    void SetMaxPage(UINT pages) { m_nMaxPage = pages; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nFromPage < m_nMinPage ? m_nMinPage : m_nFromPage; }
    UINT GetToPage() const { return m_nToPage > m_nMaxPage ? m_nMaxPage : m_nToPage; }
};

// Whether any printer is installed or connected.
FWAPI bool AfxPrinterInstalled();

// The text shown when printing is asked for and no printer exists.
#define FW_NO_PRINTER_TEXT "No printer is installed. Install a printer to print."
