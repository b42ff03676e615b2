#pragma once
// Keeps this module's own activation context (its manifest, resource 2: common controls
// version 6) active until the end of the scope. A library's export opens one, so that the
// windows it creates for a host without that manifest still get the styled controls.
// Compiled into each module (framework_module), like the module's own state.

#include <windows.h>

class CModuleActivation {
public:
    CModuleActivation();
    ~CModuleActivation();
    CModuleActivation(const CModuleActivation&) = delete;
    CModuleActivation& operator=(const CModuleActivation&) = delete;

    // False when the module has no manifest or the system refused it: the host's context
    // stays in force, and the windows look as the host's own.
    bool IsActive() const { return m_active; }

private:
    ULONG_PTR m_cookie = 0;
    bool m_active = false;
};
