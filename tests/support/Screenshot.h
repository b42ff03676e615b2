#pragma once
// Saves what a user sees of a window as a PNG under build/screenshots.

#include <windows.h>

#include <string>
#include <vector>

// Waits until the window and its children have painted what they were asked to and the
// screen shows it; false when that did not happen within the time.
bool WaitForPicture(HWND wnd, DWORD timeoutMs = 3000);
// Returns the PNG's path, or "" when the picture could not be taken.
std::string SaveWindowPng(HWND wnd, const std::string& name);
// The whole screen (the virtual display's root).
std::string SaveScreenPng(const std::string& name);
// A rectangle of the screen, in screen coordinates, row by row from the top.
std::vector<COLORREF> ScreenPixels(const RECT& rect);
// The window's client area as the screen shows it, row by row from the top (empty when the
// window has no area or the picture could not be taken).
std::vector<COLORREF> ClientPixels(HWND wnd);
// The same area as the screen shows it now, whatever lies on top: for windows of another
// program, whose own DC may not be readable from here.
std::vector<COLORREF> ScreenClientPixels(HWND wnd);

// Where the screen shows this colour in the top `height` pixels of the window's client area
// (all of it when negative): the smallest screen rectangle holding those pixels (empty when
// there is none) and their number.
struct ColourOnScreen {
    RECT bounds{};
    int count = 0;
};
ColourOnScreen FindColourOnScreen(HWND wnd, COLORREF colour, int height = -1);
