#include "PageHost.h"

#include "HostProgram.h"
#include "OptionsApp.h"
#include "ServerRunner.h"

CSettingsStore pagehost::Settings()
{
    return OptionsApp().Settings();
}

std::uint32_t pagehost::ReadGeneral()
{
    return OptionsApp().ReadGeneral();
}

bool pagehost::TooltipsOn()
{
    return OptionsApp().TooltipsOn();
}

HWND pagehost::LauncherWindow()
{
    return OptionsApp().m_hLauncherWnd;
}

CToolTipCtrl& pagehost::PageToolTip()
{
    return OptionsApp().m_wndPageToolTip;
}

std::string pagehost::HostProgramPath()
{
    return ::HostProgramPath();
}

std::string pagehost::RunServerCommand(const std::string& switches)
{
    return ::RunServerCommand(switches);
}
