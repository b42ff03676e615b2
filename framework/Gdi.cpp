#include "Gdi.h"

void CDC::FillSolidRect(const RECT& r, COLORREF colour)
{
    COLORREF previous = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

bool CDC::TextOut(int x, int y, const char* text, int length)
{
    return ::TextOutA(m_hDC, x, y, text, length) != FALSE;
}

CPaintDC::CPaintDC(HWND hwnd) : m_hWnd(hwnd)
{
    m_hDC = ::BeginPaint(hwnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(HWND hwnd) : m_hWnd(hwnd)
{
    m_hDC = ::GetDC(hwnd);
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}

CWindowDC::CWindowDC(HWND hwnd) : m_hWnd(hwnd)
{
    m_hDC = ::GetWindowDC(hwnd);
}

CWindowDC::~CWindowDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}

CMemoryDC::CMemoryDC(HDC compatibleWith)
{
    m_hDC = ::CreateCompatibleDC(compatibleWith);
}

CMemoryDC::~CMemoryDC()
{
    if (m_hDC)
        ::DeleteDC(m_hDC);
}

COwnedDC::~COwnedDC()
{
    if (m_hDC)
        ::DeleteDC(m_hDC);
}

HBRUSH AfxCreateHalftoneBrush()
{
    WORD pattern[8];
    for (int i = 0; i < 8; ++i)
        pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(8, 8, 1, 1, pattern));
    return bitmap ? ::CreatePatternBrush(bitmap) : nullptr;
}
