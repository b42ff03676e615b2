// The single entry of every framework window: object lookup, the creation hook that
// attaches a new window to its object before its first message, and the call into the
// window's object through the guard of the module that defined its class.
#include <windows.h>

#include <unordered_map>

#include "CreationHook.h"
#include "ModuleCalls.h"
#include "ModuleState.h"
#include "Wnd.h"

namespace {
// Which object each framework window belongs to, for every module of the process. A map
// of our own rather than a window property: every message looks its window up, and under
// Wine reading a property is a round trip to the window server.
class CWindowObjects {
public:
    CWnd* Find(HWND hwnd)
    {
        ::AcquireSRWLockShared(&m_lock);
        const auto found = m_objects.find(hwnd);
        CWnd* wnd = found != m_objects.end() ? found->second : nullptr;
        ::ReleaseSRWLockShared(&m_lock);
        return wnd;
    }
    void Set(HWND hwnd, CWnd* wnd)
    {
        ::AcquireSRWLockExclusive(&m_lock);
        m_objects[hwnd] = wnd;
        ::ReleaseSRWLockExclusive(&m_lock);
    }
    void Remove(HWND hwnd)
    {
        ::AcquireSRWLockExclusive(&m_lock);
        m_objects.erase(hwnd);
        ::ReleaseSRWLockExclusive(&m_lock);
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CWnd*> m_objects;
};

CWindowObjects& WindowObjects()
{
    static CWindowObjects objects;
    return objects;
}

struct CurrentMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

thread_local CurrentMessage t_message{};
thread_local CWnd* t_pendingWnd = nullptr;
thread_local HHOOK t_cbtHook = nullptr;
thread_local int t_hookDepth = 0;

}  // namespace

class CWndAccess {
public:
    static void Attach(CWnd* wnd, HWND hwnd)
    {
        wnd->Attach(hwnd);
        wnd->HookWindowProc();
    }
    static void AfterNcDestroy(CWnd* wnd) { wnd->AfterNcDestroy(); }
    static CModuleState* ModuleStateOf(CWnd* wnd) { return wnd->m_pModuleState; }
};

namespace {
LRESULT CALLBACK FwCbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pendingWnd) {
        CWnd* wnd = t_pendingWnd;
        t_pendingWnd = nullptr;
        CWndAccess::Attach(wnd, reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(t_cbtHook, code, wParam, lParam);
}
}  // namespace

CCreationHook::CCreationHook(CWnd* wnd)
{
    t_pendingWnd = wnd;
    if (t_hookDepth++ == 0)
        t_cbtHook = ::SetWindowsHookExA(WH_CBT, FwCbtHook, nullptr, ::GetCurrentThreadId());
}

CCreationHook::~CCreationHook()
{
    t_pendingWnd = nullptr;
    if (--t_hookDepth == 0 && t_cbtHook) {
        ::UnhookWindowsHookEx(t_cbtHook);
        t_cbtHook = nullptr;
    }
}

void CWnd::ForgetWindowObject(HWND hwnd)
{
    WindowObjects().Remove(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? WindowObjects().Find(hwnd) : nullptr;
}

void CWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    m_pModuleState = AfxGetModuleState();
    WindowObjects().Set(hwnd, this);
}

void CWnd::HookWindowProc()
{
    auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
    if (current != AfxWndProc) {
        m_pfnSuper = current;
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
    }
}

void CWnd::AfterNcDestroy()
{
    HWND hwnd = m_hWnd;
    ForgetWindowObject(hwnd);
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == AfxWndProc)
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    m_bOwnsWindow = false;
    AfxGuarded(this)->PostNcDestroy();
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)  // a framework class created without an object
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);

    CurrentMessage saved = t_message;
    t_message = {hwnd, msg, wParam, lParam};
    CModuleState* owner = CWndAccess::ModuleStateOf(wnd);
    CModuleStateGuard moduleState(owner ? owner : AfxGetModuleState());
    // An exception thrown while handling the message is stopped in the module of the
    // window's class, and the message counts as not handled (0).
    LRESULT result = AfxGuarded(wnd)->WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        CWndAccess::AfterNcDestroy(wnd);
    t_message = saved;
    return result;
}

LRESULT CWnd::Default()
{
    return AfxGuarded(this)->DefWindowProc(t_message.msg, t_message.wParam, t_message.lParam);
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int cx,
                    int cy, HWND parent, HMENU menuOrId, void* param)
{
    CREATESTRUCTA cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className ? className : AfxRegisterWndClass(CS_DBLCLKS);
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = AfxGetFrameworkHandle();
    cs.lpCreateParams = param;
    if (!AfxGuarded(this)->PreCreateWindow(cs))
        return false;

    HWND hwnd;
    {
        CCreationHook hook(this);
        hwnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    if (!hwnd)
        return false;  // the window is gone; AfterNcDestroy has detached it
    m_bOwnsWindow = true;
    return true;
}

// Dialogs are made through this as well, so that they are attached before WM_INITDIALOG.
HWND AfxCreateDialog(CWnd* wnd, HINSTANCE resources, const DLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC proc)
{
    CCreationHook hook(wnd);
    return ::CreateDialogIndirectParamA(resources, dialogTemplate, parent, proc, 0);
}
