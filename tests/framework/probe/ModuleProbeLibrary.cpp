// A library on the framework with its own application object, strings and settings key, so
// that tests can see which module's state an export runs in.
#include <cstring>
#include <string>

#include "ModuleProbe.h"
#include "ModuleState.h"
#include "ProbeIds.h"
#include "WinApp.h"
#include "Wnd.h"

namespace {
class CProbeLibraryApp : public CWinApp {
public:
    bool InitInstance() override
    {
        SetRegistryKey("FwTestLibrary");
        m_bInitialised = true;
        return true;
    }
    int ExitInstance() override
    {
        WriteProfileInt("Settings", "Exited", 1);
        return CWinApp::ExitInstance();
    }
    bool m_bInitialised = false;
};

CProbeLibraryApp theLibraryApp;

void CopyText(char* out, std::size_t size, const std::string& text)
{
    std::strncpy(out, text.c_str(), size - 1);
    out[size - 1] = '\0';
}
}  // namespace

extern "C" __declspec(dllexport) int __stdcall ProbeModule(ModuleProbeAnswer* answer, int value)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    auto* app = static_cast<CProbeLibraryApp*>(AfxGetApp());
    CopyText(answer->appName, sizeof(answer->appName), AfxGetAppName());
    CopyText(answer->probeText, sizeof(answer->probeText), AfxLoadString(IDS_PROBE_TEXT));
    CopyText(answer->registryRoot, sizeof(answer->registryRoot), app->GetRegistryRoot());
    answer->initialised = app->m_bInitialised ? 1 : 0;
    answer->mainWnd = AfxGetMainWnd();
    answer->app = app;
    app->WriteProfileInt("Settings", "Probe", value);
    return 1;
}
