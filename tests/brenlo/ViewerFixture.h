#pragma once
// What every end-to-end test of the viewer shares: a clean registry, a work folder for its
// logs, the ids of the viewer's commands and pictures, and small readers of its window.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "RegistrySandbox.h"
#include "ViewerHost.h"

namespace viewertest {

constexpr UINT kFileSaveAs = 57604;
constexpr UINT kFilePrint = 57607;
constexpr UINT kFilePrintPreview = 57609;
constexpr UINT kGoDown = 32771;
constexpr UINT kGoUp = 32772;
constexpr UINT kClear = 32773;
constexpr UINT kClearAll = 32774;
constexpr UINT kShowLogSize = 32775;
constexpr UINT kOpenSelected = 32776;
constexpr UINT kFollowEnd = 32777;
constexpr UINT kViewFilter = 32778;
constexpr UINT kHighlightLevels = 32779;
constexpr UINT kAbout = 57664;
constexpr UINT kHelpTopics = 57666;
constexpr int kClosedFolder = 2;
constexpr int kOpenFolder = 3;
constexpr int kMissingFile = 5;
constexpr int kPresentFile = 6;
constexpr int kFileMenu = 0;
constexpr int kViewMenu = 2;
constexpr int kHelpMenu = 3;

// 24 lines of 62 characters and CR LF: 1536 bytes, 1.50 kilobytes.
std::string Lines(char letter);

bool ToolbarEnabled(HWND frame, UINT id);
std::pair<DWORD, DWORD> Selection(HWND view);
// The state of a menu item as the user sees it when the popup opens: the frame updates the
// popup's items first.
UINT MenuState(HWND frame, int popupIndex, UINT id);
DWORD LastLineStart(HWND view);
// The centre of a tree item, in the tree's client coordinates.
POINT ItemCentre(HWND tree, HTREEITEM item);
HTREEITEM SelectedItem(HWND tree);
// The text of a pane of the frame's status bar: 0 the messages, 1 what the log view does.
std::string PaneText(HWND frame, int pane);

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override;

    // A log with this content in the test's work folder; its path.
    std::string Log(const std::string& name, const std::string& content);
    // The path as the Launcher may give it, with forward slashes.
    static std::string Slashed(std::string path);
    std::string Missing(const std::string& name) const;
    int StoredInt(const char* entry, int fallback);

    // Selects the item, opens it and waits until the title names the log; false when it does not.
    static bool OpenLog(HWND frame, HTREEITEM item, const std::string& name);
    // Opens the tree's first item, which is the log of this name; the text view, or null when
    // the title does not come to name it.
    static HWND OpenFirstLog(HWND frame, const std::string& name);
    // A message box of this process: waits for it, reads its message and presses the button.
    static bool AnswerBox(const char* caption, int button, std::string* message = nullptr);
    // The viewer over the Launcher's list of this one log, opened: `user` acts on the frame and
    // the log's text view, and closes the viewer. A log that does not open fails the test and
    // closes the viewer. What DoViewLogs returns.
    static int ShowLog(const std::string& log, const std::function<void(HWND frame, HWND view)>& user);
    // File "Save As": the dialog, or null when it did not come.
    static HWND AskSaveAs(HWND frame);
    // Types the target into the dialog's file name and presses Save; false without a dialog.
    static bool SaveAs(HWND dialog, const std::string& target);

    CRegistrySandbox m_registry;
    std::string m_dir;
};

}  // namespace viewertest
