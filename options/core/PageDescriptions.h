#pragma once
// The settings of the General and Other pages, described once (see PageFields.h), with the
// order in which each page adds its tips. Window-free.

#include <array>

#include "GeneralFlags.h"
#include "PageFields.h"
#include "SettingsSchema.h"
#include "resource.h"

namespace pages {

inline constexpr std::array<PageField, 8> kGeneralFields{{
    {FieldKind::Check, {IDC_START_SERVER}, settings::kGeneral, general::kStartWithLauncher, 1},
    {FieldKind::Check, {IDC_TEST_BEFORE_START}, settings::kGeneral, general::kTestBeforeStart, 1},
    {FieldKind::Check, {IDC_TEST_BEFORE_SHUTDOWN}, settings::kGeneral, general::kTestBeforeShutdown, 1},
    {FieldKind::Check, {IDC_UPDATE_HOSTS_FILE}, settings::kGeneral, general::kUpdateHostsFile, 1},
    {FieldKind::Check, {IDC_HIDE_CONSOLE}, settings::kGeneral, general::kHideConsole, 1},
    // The Launcher's entry in the Run key, which the page keeps itself.
    {FieldKind::Check, {IDC_START_WITH_WINDOWS}, nullptr, 0, 0},
    {FieldKind::Radio,
     {IDC_SHUTDOWN_SERVER, IDC_ASK_SHUTDOWN, IDC_LEAVE_RUNNING},
     settings::kGeneral,
     general::kShutdownModeMask,
     static_cast<int>(general::ShutdownMode::Ask)},
    {FieldKind::Radio, {IDC_USE_STUB_EXE, IDC_USE_APACHE_EXE}, settings::kGeneral, general::kUseApacheExe, 0},
}};

inline constexpr std::array<int, 12> kGeneralTips{
    IDC_HIDE_CONSOLE,         IDC_USE_APACHE_EXE,    IDC_START_SERVER,       IDC_TEST_BEFORE_START,
    IDC_TEST_BEFORE_SHUTDOWN, IDC_SHUTDOWN_SERVER,   IDC_ASK_SHUTDOWN,       IDC_LEAVE_RUNNING,
    IDC_USE_STUB_EXE,         IDC_UPDATE_HOSTS_FILE, IDC_START_WITH_WINDOWS, IDC_DEFAULT,
};

// "General" first, then "Hotkey code": the order the page writes them.
inline constexpr std::array<PageField, 5> kOtherFields{{
    {FieldKind::Check, {IDC_SHOW_SPLASH}, settings::kGeneral, general::kShowSplash, 0, DefaultRule::Keep},
    {FieldKind::Check, {IDC_SHOW_SHUTDOWN_INFO}, settings::kGeneral, general::kShowShutdownInfo, 1},
    {FieldKind::Check, {IDC_SHOW_TOOLTIPS}, settings::kGeneral, general::kShowTooltips, 1},
    {FieldKind::Check, {IDC_ENABLE_HOTKEY}, settings::kGeneral, general::kEnableMenuHotkey, 1},
    {FieldKind::HotKey,
     {IDC_MENU_HOTKEY},
     settings::kHotkeyCode,
     0xFFFFFFFFu,
     static_cast<int>(settings::kHotkeyCodeDefault)},
}};

inline constexpr std::array<int, 6> kOtherTips{
    IDC_SHOW_SPLASH, IDC_SHOW_TOOLTIPS, IDC_ENABLE_HOTKEY, IDC_MENU_HOTKEY, IDC_SHOW_SHUTDOWN_INFO, IDC_DEFAULT,
};

}  // namespace pages
