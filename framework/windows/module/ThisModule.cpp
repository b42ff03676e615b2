// Compiled into every module on the framework (and into editor.dll): the module's own
// state, found through the module's own image base, and the registration of its table of
// guarded calls, so that the framework calls into this module's classes through it.
#include "ModuleCalls.h"
#include "ModuleState.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
HINSTANCE ThisInstance()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

// Lives as long as the module's static objects; windows, documents and dialogs come and go
// between WinMain or DllMain's start and end, well inside that time.
class CModuleCallsRegistration {
public:
    CModuleCallsRegistration() { AfxRegisterModuleCalls(ThisInstance(), &CModuleCalls::ThisModule()); }
    ~CModuleCallsRegistration() { AfxUnregisterModuleCalls(ThisInstance()); }
    CModuleCallsRegistration(const CModuleCallsRegistration&) = delete;
    CModuleCallsRegistration& operator=(const CModuleCallsRegistration&) = delete;
};
CModuleCallsRegistration g_registration;
}  // namespace

CModuleState* AfxGetStaticModuleState()
{
    static CModuleState state{ThisInstance(), ThisInstance(), nullptr};
    return &state;
}
