#include <editor/VQEditCtrl.h>

#include <editor/Colors.h>

CVQEditCtrl::CVQEditCtrl() = default;

CVQEditCtrl::~CVQEditCtrl()
{
    // The window goes before the buffer it shows.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CVQEditCtrl::CreateFromItem(UINT id, CWnd* parent, DWORD style, DWORD exStyle)
{
    if (!parent || !parent->m_hWnd || m_hWnd)
        return FALSE;
    HWND placeholder = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    if (!placeholder)
        return FALSE;
    RECT rc{};
    ::GetWindowRect(placeholder, &rc);
    ::MapWindowPoints(nullptr, parent->m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    // A new sample shows the current settings.
    m_Colors.CopyTo(m_Edit);
    // The placeholder's id must be free before the new window takes it.
    ::SetWindowLongPtrA(placeholder, GWLP_ID, 0);
    if (!CreateEx(exStyle, nullptr, "", style | WS_CHILD | WS_VSCROLL | WS_HSCROLL, rc.left, rc.top, rc.right - rc.left,
                  rc.bottom - rc.top, parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)))) {
        ::SetWindowLongPtrA(placeholder, GWLP_ID, static_cast<LONG_PTR>(id));
        return FALSE;
    }
    ::SetWindowPos(m_hWnd, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::DestroyWindow(placeholder);
    return TRUE;
}
