#include "ModuleState.h"

#include "WinApp.h"

namespace {
thread_local CModuleState* t_current = nullptr;
CModuleState* g_process = nullptr;
}  // namespace

CModuleState* AfxGetModuleState()
{
    if (t_current)
        return t_current;
    if (g_process)
        return g_process;
    // A host that does not use the framework: editor.dll's own state answers.
    return AfxGetStaticModuleState();
}

CModuleState* AfxSetModuleState(CModuleState* state)
{
    CModuleState* previous = t_current;
    t_current = state;
    return previous;
}

void AfxSetProcessModuleState(CModuleState* state)
{
    g_process = state;
}

HINSTANCE AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE resources)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = resources;
}

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

const char* AfxGetAppName()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pszAppName.c_str() : "";
}

extern "C" IMAGE_DOS_HEADER __ImageBase;  // editor.dll's own, since this file is only in it

HINSTANCE AfxGetFrameworkHandle()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

CModuleStateGuard::CModuleStateGuard(CModuleState* state) : m_previous(AfxSetModuleState(state)) {}

CModuleStateGuard::~CModuleStateGuard()
{
    AfxSetModuleState(m_previous);
}
