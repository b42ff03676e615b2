// Compiled into every module on the framework (and into editor.dll): the module's own
// state, found through the module's own image base. It also shares this module's unwind
// tables with editor.dll and editor.dll's with this module, so that an exception thrown in
// a handler here reaches the guard of the window procedure.
#include <cstring>

#include "ModuleState.h"
#include "UnwindSharing.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;
extern "C" void __register_frame_info(const void* begin, void* object);
extern "C" void* __deregister_frame_info(const void* begin);

namespace {
class CUnwindSharing {
public:
    CUnwindSharing()
    {
        m_own = AfxFindUnwindTables(reinterpret_cast<HMODULE>(&__ImageBase));
        m_framework = AfxFindUnwindTables(AfxGetFrameworkHandle());
        if (!m_own || !m_framework || m_own == m_framework)
            return;
        AfxShareUnwindTables(m_own);
        // This module's runtime fills its register tables on its first unwind (see
        // UnwindSharing.cpp).
        try {
            throw 0;
        } catch (...) {
        }
        std::memset(m_object, 0, sizeof(m_object));
        __register_frame_info(m_framework, m_object);
        m_bShared = true;
    }
    ~CUnwindSharing()
    {
        if (!m_bShared)
            return;
        __deregister_frame_info(m_framework);
        AfxUnshareUnwindTables(m_own);
    }
    CUnwindSharing(const CUnwindSharing&) = delete;
    CUnwindSharing& operator=(const CUnwindSharing&) = delete;

private:
    const void* m_own = nullptr;
    const void* m_framework = nullptr;
    alignas(8) unsigned char m_object[64];
    bool m_bShared = false;
};
}  // namespace

CModuleState* AfxGetStaticModuleState()
{
    static CUnwindSharing sharing;
    static CModuleState state{reinterpret_cast<HINSTANCE>(&__ImageBase),
                              reinterpret_cast<HINSTANCE>(&__ImageBase), nullptr};
    return &state;
}
