#pragma once
// Drives windows of another process the way a user does: finds them by class, id and text,
// reads their texts and states, clicks, types and chooses menu commands.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace ui {

// Polls until the condition holds, pumping this thread's messages meanwhile; false after the
// time-out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000, DWORD pollMs = 20);
// The same, with this thread's messages pumped by `pump` (a window under test in this process
// may need its own pre-translation).
bool WaitUntilPumping(const std::function<bool()>& condition, const std::function<void()>& pump,
                      DWORD timeoutMs = 10000, DWORD pollMs = 20);

// Visible top-level windows of a process (0: any process) whose class and caption match
// (null matches anything; the caption may be a prefix when prefix is true).
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr, const char* caption = nullptr,
                                  bool prefix = false);
HWND WaitForTopLevel(DWORD processId, const char* className, const char* caption, DWORD timeoutMs, bool prefix = false);

// A descendant with this class (null: any), control id (-1: any) and text (null: any).
HWND FindChild(HWND parent, const char* className, int id = -1, const char* text = nullptr);
std::vector<HWND> FindChildren(HWND parent, const char* className);

std::string ClassOf(HWND wnd);
// WM_GETTEXT, with a time-out; "<no answer>" when the window is gone or does not answer, so
// that no comparison with an expected text passes by accident.
std::string TextOf(HWND wnd);
bool IsEnabled(HWND wnd);
bool IsChecked(HWND button);
// WM_SETTEXT, as a program fills a control (no keys typed).
void SetText(HWND wnd, const std::string& text);
// The window with the keyboard focus in the thread that owns `wnd` (null: none).
HWND FocusOf(HWND wnd);

// A button press as the button itself reports it.
bool Click(HWND button);
// A left click at a point of the window's client area, through the input queue.
void ClickAt(HWND wnd, int x, int y, bool doubleClick = false);
void RightClickAt(HWND wnd, int x, int y);
// Mouse input that moves to a point of the screen and, with the buttons given, presses or
// releases there.
INPUT MouseInputAt(POINT screen, DWORD buttons = 0);
// Keys through the input queue of the focused window: one press or release, or a press and
// release with the modifiers held.
void SendKey(WORD virtualKey, bool up);
void PressKey(WORD virtualKey, bool ctrl = false, bool shift = false, bool alt = false);
void TypeText(const std::string& text);
// Characters posted straight to one window (no focus needed).
void PostText(HWND wnd, const std::string& text);
bool BringToFront(HWND wnd);
// Brings the frame to the front and clicks into target (at its centre unless a point is
// given) until target has the keyboard focus, as a user would; false when it never gets it.
bool ClickToFocus(HWND frame, HWND target, const POINT* at = nullptr);

// Message boxes (and other dialogs) of a process, with this caption (null: any).
HWND WaitForMessageBox(DWORD processId, const char* caption = nullptr, DWORD timeoutMs = 10000);
// The message of a box: its longest static text (the icon's static has none).
std::string MessageBoxText(HWND box);
// Presses the box's button with this id (IDYES, IDNO, IDOK, ...).
bool AnswerMessageBox(HWND box, int buttonId);
// Waits for the box, reads its message into *message, presses the button and waits until the
// box has gone; false when no such box came or it stayed.
bool AnswerMessageBox(DWORD processId, const char* caption, int buttonId, std::string* message = nullptr,
                      DWORD timeoutMs = 10000);

// Menu items by the path of their texts, compared without '&' and without the shortcut
// after a tab: {"&File", "Save &All"} or {"File", "Save All"}.
UINT MenuCommandId(HWND frame, std::initializer_list<const char*> path);
bool ChooseMenu(HWND frame, std::initializer_list<const char*> path);
bool IsMenuItemEnabled(HWND frame, std::initializer_list<const char*> path);
bool IsMenuItemChecked(HWND frame, std::initializer_list<const char*> path);
// Posts WM_COMMAND with this id to the window, as a menu choice would.
bool PostCommand(HWND wnd, UINT id);

// A tooltip of this process shows `text` now (any text when empty).
bool TipShows(const std::string& text = std::string());
// A tooltip that a process (0: this one) shows now, or null; its text is not asked, since
// another process's tip keeps it in that process's memory.
HWND ShownTip(DWORD processId = 0);
// Rests the mouse on the middle of a window, or of a rectangle in screen coordinates, moving
// it by a pixel now and then as a hand does, until its tip shows; false when it never does.
bool TipOver(HWND wnd, const std::string& text, DWORD timeoutMs);
bool TipOver(const RECT& area, const std::string& text, DWORD timeoutMs);
// Moves the mouse to the screen's corner, off every tool, and waits until no tip shows.
bool LeaveTips();

}  // namespace ui
