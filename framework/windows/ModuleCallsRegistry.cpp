// Inside editor.dll: which module's table of guarded calls answers for a class, found by
// the image its type information lies in, and what a table's entry does after it stopped
// an exception.
#include <cstdio>
#include <exception>

#include "FwIds.h"
#include "ModuleCalls.h"

namespace {
struct CModuleCallsEntry {
    const unsigned char* m_begin = nullptr;
    const unsigned char* m_end = nullptr;
    HINSTANCE m_module = nullptr;
    const CModuleCalls* m_calls = nullptr;
};

// A handful of modules per process: the program, editor.dll and the libraries it loads.
class CModuleCallsTable {
public:
    void Add(HINSTANCE module, const CModuleCalls* calls)
    {
        const auto* base = reinterpret_cast<const unsigned char*>(module);
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        ::AcquireSRWLockExclusive(&m_lock);
        for (CModuleCallsEntry& entry : m_entries) {
            if (!entry.m_module) {
                entry = {base, base + nt->OptionalHeader.SizeOfImage, module, calls};
                break;
            }
        }
        ::ReleaseSRWLockExclusive(&m_lock);
    }
    void Remove(HINSTANCE module)
    {
        ::AcquireSRWLockExclusive(&m_lock);
        for (CModuleCallsEntry& entry : m_entries) {
            if (entry.m_module == module)
                entry = {};
        }
        ::ReleaseSRWLockExclusive(&m_lock);
    }
    const CModuleCalls* Find(const void* address)
    {
        const auto* at = static_cast<const unsigned char*>(address);
        const CModuleCalls* found = nullptr;
        ::AcquireSRWLockShared(&m_lock);
        for (const CModuleCallsEntry& entry : m_entries) {
            if (at >= entry.m_begin && at < entry.m_end) {
                found = entry.m_calls;
                break;
            }
        }
        ::ReleaseSRWLockShared(&m_lock);
        return found;
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    CModuleCallsEntry m_entries[32];
};

// Constant-initialised, so modules may register before editor.dll's own objects exist.
constinit CModuleCallsTable g_modules;
}  // namespace

void AfxRegisterModuleCalls(HINSTANCE module, const CModuleCalls* calls)
{
    if (module && calls)
        g_modules.Add(module, calls);
}

void AfxUnregisterModuleCalls(HINSTANCE module)
{
    g_modules.Remove(module);
}

const CModuleCalls& AfxModuleCallsAt(const void* address)
{
    const CModuleCalls* calls = g_modules.Find(address);
    return calls ? *calls : CModuleCalls::ThisModule();
}

void AfxReportStoppedException(const char* call, const char* what, bool tellUser) noexcept
{
    char note[400];
    std::snprintf(note, sizeof(note), "framework: %s stopped by an exception: %s\n", call, what);
    ::OutputDebugStringA(note);
    if (!tellUser)
        return;
    try {
        std::string text = AfxLoadString(AFX_IDP_ACTION_FAILED);
        if (text.empty())
            text = "The action could not be completed.";
        AfxMessageBox((text + "\n\n" + what).c_str(), MB_OK | MB_ICONSTOP);
    } catch (...) {
        // Out of memory for the text: the note above stays the only trace.
    }
}
