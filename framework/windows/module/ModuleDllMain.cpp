// The entry of a library on the framework: its application object starts when the library
// is loaded (a false InitInstance fails the load) and ends when it is unloaded.
#include "ModuleState.h"
#include "WinApp.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            return AfxLibraryAttach(AfxGetStaticModuleState()) ? TRUE : FALSE;
        case DLL_PROCESS_DETACH:
            AfxLibraryDetach(AfxGetStaticModuleState());
            return TRUE;
        default:
            return TRUE;
    }
}
