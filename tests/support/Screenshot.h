#pragma once
// Saves what a user sees of a window as a PNG under build/screenshots.

#include <windows.h>

#include <string>

// Returns the PNG's path, or "" when the picture could not be taken.
std::string SaveWindowPng(HWND wnd, const std::string& name);
// The whole screen (the virtual display's root).
std::string SaveScreenPng(const std::string& name);
