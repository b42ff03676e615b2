#pragma once
// Empties HKEY_CURRENT_USER\Software\Quorlane before and after a test, so that every test
// starts from the defaults and leaves nothing behind.

#include "RegistrySettingsBackend.h"
#include "SettingsSchema.h"
#include "SettingsStore.h"

inline void ResetTessalyRegistry()
{
    UserSettingsBackend().DeleteKey(settings::kCompanyKey);
}

class CRegistrySandbox {
public:
    CRegistrySandbox() { ResetTessalyRegistry(); }
    ~CRegistrySandbox() { ResetTessalyRegistry(); }
    CRegistrySandbox(const CRegistrySandbox&) = delete;
    CRegistrySandbox& operator=(const CRegistrySandbox&) = delete;

    CSettingsStore& Store() { return m_store; }

private:
    CSettingsStore m_store{UserSettingsBackend()};
};
