#pragma once
// The HTML Help engine, loaded on first use: from the location its class registration
// gives, else by its plain name. Without it help does nothing.

#include <windows.h>

constexpr UINT kHtmlHelpDisplayTopic = 0;  // HH_DISPLAY_TOPIC

// HtmlHelpA of the engine; null window and 0 when the engine cannot be loaded.
HWND CallHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data);
