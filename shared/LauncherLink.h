#pragma once
// What crosses the boundary between the Launcher and our deliverables: the layout of the
// shared-data block, the private window message and the codes carried in its wParam.
// Window-free: handles are kept as the 32-bit values the block stores.

#include <cstddef>
#include <cstdint>
#include <string>

constexpr unsigned WM_LAUNCHER_NOTIFY = 0x400 + 0x103;  // WM_USER + 0x103, both directions

// Codes in wParam. lParam is 0 except for LN_SPLASH_CONTROL.
enum LauncherNotifyCode : unsigned {
    LN_SYNTAX_ERROR = 1,          // Launcher -> Scrivel: szText holds the syntax-check report
    LN_SAVE_AND_CLOSE = 3,        // Launcher -> Scrivel: offer to save everything, then close
    LN_FORMAT_CHANGED = 4,        // Options -> Launcher -> Scrivel and Brenlo: colours and font stored
    LN_EDITOR_STARTED = 5,        // Scrivel -> Launcher, sent: main frame shown, hEditorWnd set
    LN_EDITOR_CLOSED = 6,         // Scrivel -> Launcher, sent: exit without any save
    LN_CLOSE_NOW = 8,             // Launcher -> Scrivel: close at once, no questions
    LN_TEST_CONFIG = 10,          // Scrivel -> Launcher, posted: run the syntax check
    LN_ACTIVATE = 11,             // Launcher -> Scrivel: come to the front
    LN_STATUS_INFO = 12,          // Launcher -> Scrivel: szText white on dark blue
    LN_STATUS_ERROR = 13,         // Launcher -> Scrivel: szText white on dark red
    LN_EDITOR_CLOSED_SAVED = 14,  // Scrivel -> Launcher, sent: exit after a save was started
    LN_COMMANDS_CHANGED = 16,     // Options -> Launcher, posted: server path and command lines stored
    LN_HOSTS_CHANGED = 17,        // Options -> Launcher, posted: hosts and projects stored
    LN_BROWSER_CHANGED = 18,      // Options -> Launcher, posted: default browser stored
    LN_SHOW_ABOUT = 19,           // Scrivel, Brenlo -> Launcher, posted: show the About box
    LN_SPLASH_CONTROL = 20,       // Options -> Launcher, sent; lParam = the check box to enable
};

constexpr char kSharedDataName[] = "Tessaly Web Server shared data";
constexpr std::size_t kSharedTextSize = 5000;
constexpr std::size_t kSharedTextMax = kSharedTextSize - 1;  // characters before the NUL

// The named block, exactly 5008 bytes, little-endian, no padding.
struct LauncherSharedData {
    std::uint32_t hEditorWnd;    // Scrivel's main frame; 0 when no Scrivel runs
    std::uint32_t hLauncherWnd;  // the Launcher's message window
    char szText[kSharedTextSize];
};

static_assert(offsetof(LauncherSharedData, hEditorWnd) == 0);
static_assert(offsetof(LauncherSharedData, hLauncherWnd) == 4);
static_assert(offsetof(LauncherSharedData, szText) == 8);
static_assert(sizeof(LauncherSharedData) == 5008);
constexpr std::size_t kSharedDataSize = sizeof(LauncherSharedData);

// Copies at most 4999 characters of text into the block's text field and terminates it.
// A null text stores "".
void CopySharedText(LauncherSharedData& block, const char* text);
// The block's text up to its first NUL, but never more than 4999 characters: the Launcher
// may leave the field without a NUL, and the block ends right after it.
std::string ReadSharedText(const LauncherSharedData& block);
