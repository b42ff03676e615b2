#pragma once
// What the pages need of the library that shows them: the settings tree, the "General" word,
// the Launcher's window, the tooltip the pages share, the program that hosts the library and
// the server it runs. The library's application provides them (app/PageHost.cpp); the pages
// know nothing else of it.

#include <windows.h>

#include <cstdint>
#include <string>

#include "CommonControls.h"
#include "SettingsStore.h"

namespace pagehost {
CSettingsStore Settings();
std::uint32_t ReadGeneral();
bool TooltipsOn();
// May be null: notifications then go nowhere.
HWND LauncherWindow();
CToolTipCtrl& PageToolTip();
// The host program's path, every "/" turned into "\".
std::string HostProgramPath();
// What the server prints for `switches`, run as the Command lines page stored it.
std::string RunServerCommand(const std::string& switches);
}  // namespace pagehost
