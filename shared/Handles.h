#pragma once
// The one family of owners for handles that are not drawing objects (those are in
// framework/drawing/Gdi.h): kernel objects, files, registry keys, mapped views, loaded modules,
// find handles, menus, windows and global memory. Each closes its handle in its destructor,
// can be moved and cannot be copied.

#include <windows.h>

#include <utility>

template <typename Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle h) : m_h(h) {}
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(std::exchange(other.m_h, Traits::Invalid())) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_h, Traits::Invalid()));
        return *this;
    }
    ~CUniqueHandle() { Reset(); }

    Handle Get() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::Invalid(); }
    Handle Release() { return std::exchange(m_h, Traits::Invalid()); }
    void Reset(Handle h = Traits::Invalid())
    {
        if (m_h != Traits::Invalid())
            Traits::Close(m_h);
        m_h = h;
    }
    // For APIs that return the handle through an out parameter.
    Handle* Receive()
    {
        Reset();
        return &m_h;
    }

private:
    Handle m_h = Traits::Invalid();
};

struct KernelHandleTraits {  // handles that are NULL when absent (mappings, processes, events)
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};

struct FileHandleTraits {  // file handles: INVALID_HANDLE_VALUE when absent
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};

struct MappedViewTraits {
    using Handle = void*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnmapViewOfFile(h); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};

struct FindHandleTraits {  // FindFirstFile's search: INVALID_HANDLE_VALUE when absent
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};

struct MenuTraits {  // a menu attached to no window (a window destroys its own menu)
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyMenu(h); }
};

struct WindowTraits {  // a window that may already be gone (with its parent, or closed)
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h)
    {
        if (::IsWindow(h))
            ::DestroyWindow(h);
    }
};

struct GlobalMemoryTraits {  // movable global memory (the printer dialogs' settings and names)
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::GlobalFree(h); }
};

using CKernelHandle = CUniqueHandle<KernelHandleTraits>;
using CFileHandle = CUniqueHandle<FileHandleTraits>;
using CRegKey = CUniqueHandle<RegKeyTraits>;
using CMappedView = CUniqueHandle<MappedViewTraits>;
using CModule = CUniqueHandle<ModuleTraits>;
using CFindHandle = CUniqueHandle<FindHandleTraits>;
using CMenuHandle = CUniqueHandle<MenuTraits>;
using CWindowHandle = CUniqueHandle<WindowTraits>;
using CGlobalMemory = CUniqueHandle<GlobalMemoryTraits>;
