#pragma once
// Drawing: owning GDI objects (pen, brush, font, bitmap), an owned enhanced metafile,
// drawing surfaces that release or delete their DC, and a guard that selects an object into
// a DC and puts the previous one back at the end of the scope.

#include <windows.h>

#include <utility>

#include "FwApi.h"
#include "Handles.h"

// An owned GDI object of one kind; deleted with this wrapper.
template <typename Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle h) : m_h(h) {}
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Attach(std::exchange(other.m_h, nullptr));
        return *this;
    }
    ~CGdiObject() { DeleteObject(); }

    operator Handle() const { return m_h; }
    Handle GetSafeHandle() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Attach(Handle h)
    {
        DeleteObject();
        m_h = h;
    }
    Handle Detach() { return std::exchange(m_h, nullptr); }
    bool DeleteObject()
    {
        if (!m_h)
            return false;
        ::DeleteObject(m_h);
        m_h = nullptr;
        return true;
    }

protected:
    Handle m_h = nullptr;
};

class CPen : public CGdiObject<HPEN> {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) : CGdiObject(::CreatePen(style, width, colour)) {}
    bool CreatePen(int style, int width, COLORREF colour)
    {
        Attach(::CreatePen(style, width, colour));
        return m_h != nullptr;
    }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) : CGdiObject(::CreateSolidBrush(colour)) {}
    bool CreateSolidBrush(COLORREF colour)
    {
        Attach(::CreateSolidBrush(colour));
        return m_h != nullptr;
    }
};

class CFont : public CGdiObject<HFONT> {
public:
    bool CreateFontIndirect(const LOGFONTA& font)
    {
        Attach(::CreateFontIndirectA(&font));
        return m_h != nullptr;
    }
    bool GetLogFont(LOGFONTA* font) const { return ::GetObjectA(m_h, sizeof(*font), font) != 0; }
};

class CBitmap : public CGdiObject<HBITMAP> {
public:
    bool LoadBitmap(HINSTANCE module, UINT id)
    {
        Attach(::LoadBitmapA(module, MAKEINTRESOURCEA(id)));
        return m_h != nullptr;
    }
    bool CreateCompatibleBitmap(HDC dc, int cx, int cy)
    {
        Attach(::CreateCompatibleBitmap(dc, cx, cy));
        return m_h != nullptr;
    }
    SIZE GetSize() const
    {
        BITMAP info{};
        ::GetObjectA(m_h, sizeof(info), &info);
        return SIZE{info.bmWidth, info.bmHeight};
    }
};

// An owned enhanced metafile (a recorded page).
struct EnhMetaFileTraits {
    using Handle = HENHMETAFILE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteEnhMetaFile(h); }
};
using CEnhMetaFile = CUniqueHandle<EnhMetaFileTraits>;

// Selects an object into a DC for the scope and restores the previous object.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~CSelectObject()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A drawing surface; the base does not own its DC, the subclasses do. The owners are
// header-only so that code built outside editor.dll (the editor's window shell and its tests)
// uses the same family.
class CDC {
public:
    HDC m_hDC = nullptr;

    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    void FillSolidRect(const RECT& r, COLORREF colour)
    {
        COLORREF previous = ::SetBkColor(m_hDC, colour);
        ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
        ::SetBkColor(m_hDC, previous);
    }
    int DrawText(const char* text, RECT* r, UINT format) { return ::DrawTextA(m_hDC, text, -1, r, format); }
    bool TextOut(int x, int y, const char* text, int length) { return ::TextOutA(m_hDC, x, y, text, length) != FALSE; }
    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    bool MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr) != FALSE; }
    bool LineTo(int x, int y) { return ::LineTo(m_hDC, x, y) != FALSE; }
    bool Rectangle(const RECT& r) { return ::Rectangle(m_hDC, r.left, r.top, r.right, r.bottom) != FALSE; }
    bool BitBlt(int x, int y, int cx, int cy, HDC source, int sx, int sy, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, cx, cy, source, sx, sy, rop) != FALSE;
    }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    bool IsPrinting() const { return m_bPrinting; }
    bool m_bPrinting = false;
};

// The DC of BeginPaint/EndPaint.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = ::BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() override { ::EndPaint(m_hWnd, &m_ps); }
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// A DC given out by a window (GetDC, GetWindowDC, GetDCEx) and released back to it.
class CWindowReleasedDC : public CDC {
public:
    CWindowReleasedDC(HWND hwnd, HDC dc) : CDC(dc), m_hWnd(hwnd) {}
    ~CWindowReleasedDC() override
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }

private:
    HWND m_hWnd;
};

// The client-area DC of a window, or of the screen for no window (GetDC/ReleaseDC).
class CClientDC : public CWindowReleasedDC {
public:
    explicit CClientDC(HWND hwnd) : CWindowReleasedDC(hwnd, ::GetDC(hwnd)) {}
};

// The whole-window DC of a window (GetWindowDC/ReleaseDC).
class CWindowDC : public CWindowReleasedDC {
public:
    explicit CWindowDC(HWND hwnd) : CWindowReleasedDC(hwnd, ::GetWindowDC(hwnd)) {}
};

// A DC that is deleted with this object (printers, metafiles made by the caller).
class COwnedDC : public CDC {
public:
    explicit COwnedDC(HDC dc) : CDC(dc) {}
    ~COwnedDC() override
    {
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
};

// A memory DC compatible with another one (CreateCompatibleDC/DeleteDC).
class CMemoryDC : public COwnedDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : COwnedDC(::CreateCompatibleDC(compatibleWith)) {}
};

// The 50% checker brush of trackers and drag outlines, for PATINVERT drawing.
FWAPI HBRUSH AfxCreateHalftoneBrush();
