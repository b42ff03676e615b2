#pragma once
// Which module's code is running: each module (the program and every library on the
// framework) has one CModuleState with its instance, its resources and its application
// object. The current one is per thread; a library's export switches to its own with
// AFX_MANAGE_STATE for the duration of the call.

#include <windows.h>

#include "FwApi.h"

class CWinApp;
class CWnd;

struct CModuleState {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    CWinApp* m_pCurrentWinApp = nullptr;
};

// This module's own state. Defined in framework_module, which every module links, so each
// module gets its own copy; not exported.
CModuleState* AfxGetStaticModuleState();

FWAPI CModuleState* AfxGetModuleState();
// Makes `state` current on this thread; returns the one it replaces (may be null).
FWAPI CModuleState* AfxSetModuleState(CModuleState* state);
// The program's state, current on every thread that has not switched.
FWAPI void AfxSetProcessModuleState(CModuleState* state);

FWAPI HINSTANCE AfxGetInstanceHandle();
FWAPI HINSTANCE AfxGetResourceHandle();
FWAPI void AfxSetResourceHandle(HINSTANCE resources);
FWAPI CWinApp* AfxGetApp();
FWAPI CWnd* AfxGetMainWnd();
FWAPI const char* AfxGetAppName();
// editor.dll itself: its window classes and default resources.
FWAPI HINSTANCE AfxGetFrameworkHandle();

// Keeps `state` current until the end of the scope, then restores the caller's.
class FWAPI CModuleStateGuard {
public:
    explicit CModuleStateGuard(CModuleState* state);
    ~CModuleStateGuard();
    CModuleStateGuard(const CModuleStateGuard&) = delete;
    CModuleStateGuard& operator=(const CModuleStateGuard&) = delete;

private:
    CModuleState* m_previous;
};

#define AFX_MANAGE_STATE(state) CModuleStateGuard fwModuleStateGuard_(state)
