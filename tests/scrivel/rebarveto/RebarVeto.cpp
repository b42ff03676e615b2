// A window hook for tests: inside Scrivel.exe it refuses the creation of every rebar, as a
// system whose common controls have no rebar class would. Elsewhere it changes nothing.
#include <windows.h>

#include <commctrl.h>

namespace {

bool InScrivel()
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path + length;
    while (name > path && name[-1] != '\\' && name[-1] != '/')
        --name;
    return ::lstrcmpiA(name, "Scrivel.exe") == 0;
}

bool IsRebar(HWND wnd)
{
    char className[64] = {};
    ::GetClassNameA(wnd, className, sizeof className);
    return ::lstrcmpiA(className, REBARCLASSNAMEA) == 0;
}

}  // namespace

// A non-zero answer to HCBT_CREATEWND makes the creation fail.
extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseRebars(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && InScrivel() && IsRebar(reinterpret_cast<HWND>(wParam)))
        return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
