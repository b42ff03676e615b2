#include "Wnd.h"

#include <shellapi.h>

#include <cstdio>
#include <map>
#include <string>
#include <tuple>

#include "FwMessages.h"
#include "ModuleCalls.h"
#include "ModuleState.h"

const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::string> registered;
    auto key = std::make_tuple(classStyle, cursor, background, icon);
    auto found = registered.find(key);
    if (found != registered.end())
        return found->second.c_str();

    char name[80];
    std::snprintf(name, sizeof(name), "FwWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = AfxGetFrameworkHandle();
    wc.hCursor = cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    ::RegisterClassA(&wc);
    return registered.emplace(key, name).first->second.c_str();
}

std::string AfxLoadString(UINT id)
{
    char text[1024];
    int length = ::LoadStringA(AfxGetResourceHandle(), id, text, sizeof(text));
    if (length <= 0)
        length = ::LoadStringA(AfxGetFrameworkHandle(), id, text, sizeof(text));
    return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

int AfxMessageBox(const char* text, UINT type)
{
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
    }
    return ::MessageBoxA(owner, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    return AfxMessageBox(AfxLoadString(stringId).c_str(), type);
}

CWnd::~CWnd()
{
    if (m_hWnd && m_bOwnsWindow && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    else if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        UnsubclassWindow();
}

bool CWnd::PreCreateWindow(CREATESTRUCTA&)
{
    return true;
}

bool CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* param)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

bool CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd) != FALSE;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return false;
    Attach(hwnd);
    AfxGuarded(this)->PreSubclassWindow();
    HookWindowProc();
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    if (m_pfnSuper)
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ForgetWindowObject(hwnd);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hwnd;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (AfxGuarded(this)->OnWndMsg(msg, wParam, lParam, &result))
        return result;
    return AfxGuarded(this)->DefWindowProc(msg, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

bool CWnd::ReflectToChild(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CWnd* object = FromHandlePermanent(child);
    return object && AfxGuarded(object)->OnChildNotify(msg, wParam, lParam, result);
}

bool CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_CREATE:
            *result = AfxGuarded(this)->OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
            return true;
        case WM_DESTROY:
            AfxGuarded(this)->OnDestroy();
            return true;
        case WM_SIZE:
            AfxGuarded(this)->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return true;
        case WM_PAINT:
            AfxGuarded(this)->OnPaint();
            return true;
        case WM_ERASEBKGND:
            *result = AfxGuarded(this)->OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
            return true;
        case WM_CLOSE:
            AfxGuarded(this)->OnClose();
            return true;
        case WM_TIMER:
            AfxGuarded(this)->OnTimer(wParam);
            return true;
        case WM_SETFOCUS:
            AfxGuarded(this)->OnSetFocus(reinterpret_cast<HWND>(wParam));
            return true;
        case WM_COMMAND:
            if (lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), msg, wParam, lParam, result))
                return true;
            *result = AfxGuarded(this)->OnCommand(wParam, lParam) ? 0 : Default();
            return true;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (ReflectToChild(header->hwndFrom, msg, wParam, lParam, result))
                return true;
            if (!AfxGuarded(this)->OnNotify(wParam, lParam, result))
                *result = Default();
            return true;
        }
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            if (ReflectToChild(reinterpret_cast<HWND>(lParam), msg, wParam, lParam, result))
                return true;
            *result = reinterpret_cast<LRESULT>(
                AfxGuarded(this)->OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), msg));
            return true;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_MENU && ReflectToChild(item->hwndItem, msg, wParam, lParam, result))
                return true;
            AfxGuarded(this)->OnDrawItem(static_cast<int>(wParam), item);
            *result = TRUE;
            return true;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            return item->CtlType != ODT_MENU &&
                   ReflectToChild(GetDlgItem(static_cast<int>(item->CtlID)), msg, wParam, lParam, result);
        }
        case WM_COMPAREITEM:
            return ReflectToChild(reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem, msg, wParam, lParam, result);
        case WM_DELETEITEM:
            return ReflectToChild(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem, msg, wParam, lParam, result);
        case WM_HSCROLL:
        case WM_VSCROLL:
            return lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), msg, wParam, lParam, result);
        case WM_INITMENUPOPUP:
            AfxGuarded(this)->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
            return true;
        case WM_DROPFILES:
            AfxGuarded(this)->OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return true;
        default:
            return false;
    }
}

bool CWnd::PreTranslateMessage(MSG*)
{
    return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

bool CWnd::WalkPreTranslateTree(MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && AfxGuarded(wnd)->PreTranslateMessage(msg))
            return true;
        if (!(::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD))
            break;  // a top-level window: its owner is not a parent
    }
    return false;
}

void CWnd::SendMessageToDescendants(UINT msg, WPARAM wParam, LPARAM lParam, bool deep)
{
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, msg, wParam, lParam);
        if (deep) {
            CWnd view(child);
            view.SendMessageToDescendants(msg, wParam, lParam, true);
            view.m_hWnd = nullptr;
        }
    }
}

std::string CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string CWnd::GetDlgItemText(int id) const
{
    CWnd item(GetDlgItem(id));
    std::string text = item.GetWindowText();
    item.m_hWnd = nullptr;
    return text;
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return false;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        SetWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = GetExStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return false;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        SetWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void CWnd::DragAcceptFiles(bool accept)
{
    ::DragAcceptFiles(m_hWnd, accept);
}

void CWnd::CenterWindow(HWND alternateOwner)
{
    HWND owner = alternateOwner ? alternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    RECT area;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT mine;
    GetWindowRect(&mine);
    int cx = mine.right - mine.left;
    int cy = mine.bottom - mine.top;
    int x = (area.left + area.right - cx) / 2;
    int y = (area.top + area.bottom - cy) / 2;
    if (GetStyle() & WS_CHILD) {
        POINT p{x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &p);
        x = p.x;
        y = p.y;
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

void CWnd::PostNcDestroy() {}

void CWnd::PreSubclassWindow() {}

int CWnd::OnCreate(CREATESTRUCTA*)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(HDC)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnSetFocus(HWND)
{
    Default();
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return AfxGuarded(this)->OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT)
{
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, DRAWITEMSTRUCT*)
{
    Default();
}

void CWnd::OnInitMenuPopup(HMENU, UINT, BOOL)
{
    Default();
}

void CWnd::OnDropFiles(HDROP)
{
    Default();
}
