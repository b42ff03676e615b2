#pragma once
// How many GDI and USER objects this process holds. GetGuiResources answers on Windows;
// under Wine it always says 0, so GDI objects are counted in the process's shared GDI
// handle table and USER objects as the windows of this thread.

#include <windows.h>

#include <winternl.h>

namespace fwtest {

struct GuiObjectCounts {
    unsigned long gdi = 0;
    unsigned long user = 0;
};

// One entry of Wine's shared GDI handle table (PEB field at 0x94 in a 32-bit process).
struct WineGdiHandleEntry {
    unsigned long long object;
    unsigned long owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long userPointer;
};

inline unsigned char* ProcessEnvironmentBlock()
{
    using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    FARPROC entry = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(entry));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
        return nullptr;
    return reinterpret_cast<unsigned char*>(info.PebBaseAddress);
}

inline unsigned long CountWineGdiHandles()
{
    unsigned char* peb = ProcessEnvironmentBlock();
    if (!peb)
        return 0;
    auto* table = *reinterpret_cast<WineGdiHandleEntry**>(peb + 0x94);
    if (!table)
        return 0;
    unsigned long count = 0;
    for (int i = 0; i < 0x10000; ++i)
        count += table[i].type != 0 ? 1 : 0;
    return count;
}

inline BOOL CALLBACK CountChildWindow(HWND, LPARAM data)
{
    ++*reinterpret_cast<unsigned long*>(data);
    return TRUE;
}

inline BOOL CALLBACK CountThreadWindow(HWND wnd, LPARAM data)
{
    ++*reinterpret_cast<unsigned long*>(data);
    ::EnumChildWindows(wnd, CountChildWindow, data);
    return TRUE;
}

inline GuiObjectCounts CountGuiObjects()
{
    GuiObjectCounts counts;
    counts.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    counts.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (counts.gdi == 0)
        counts.gdi = CountWineGdiHandles();
    if (counts.user == 0)
        ::EnumThreadWindows(::GetCurrentThreadId(), CountThreadWindow, reinterpret_cast<LPARAM>(&counts.user));
    return counts;
}

}  // namespace fwtest
