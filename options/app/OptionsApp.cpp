#include "OptionsApp.h"

#include "GeneralFlags.h"
#include "RegistrySettingsBackend.h"
#include "SettingsSchema.h"

namespace {
COptionsApp theApp;
}  // namespace

COptionsApp& OptionsApp()
{
    return theApp;
}

COptionsApp::COptionsApp() = default;

bool COptionsApp::InitInstance()
{
    SetRegistryKey(settings::kCompany);
    return CWinApp::InitInstance();
}

CSettingsStore COptionsApp::Settings() const
{
    return CSettingsStore(UserSettingsBackend(), GetRegistryRoot());
}

std::uint32_t COptionsApp::ReadGeneral() const
{
    return Settings().ReadGeneral();
}

bool COptionsApp::TooltipsOn() const
{
    return general::Has(ReadGeneral(), general::kShowTooltips);
}
