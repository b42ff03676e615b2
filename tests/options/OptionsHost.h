#pragma once
// Plays the Launcher towards the real Options.dll: calls DoOptions on the test's thread (as
// the Launcher does on its window thread) while a second thread acts as the user, through
// the dialog's windows. Reading and driving helpers for that second thread.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Handles.h"
#include "LauncherExports.h"
#include "UiDriver.h"

namespace optionstest {

// The library, loaded once for the test program from the shipped binaries.
DoOptionsProc OptionsExport();

class OptionsRun {
public:
    // Calls DoOptions with `launcher` (may be null); `user` runs on another thread once the
    // dialog's handle is in the caller's variable and must end the dialog. The result is
    // DoOptions' result; -2 when the user thread failed to end the dialog.
    int Run(HWND launcher, const std::function<void(HWND dialog)>& user, const HostList* hosts = nullptr);
    HWND DialogVariable() const { return m_dialogVariable; }

private:
    HWND m_dialogVariable = nullptr;
};

// The tree's items in list order (depth first), each with its item data and depth.
struct TreeRow {
    std::string text;
    LPARAM data = 0;
    int depth = 0;
    HTREEITEM item = nullptr;
};
std::vector<TreeRow> ReadTree(HWND tree);
HWND TreeOf(HWND dialog);
HWND PageAreaOf(HWND dialog);
// The item data of the tree's selection, -1 for none.
int SelectedPage(HWND dialog);
bool SelectPage(HWND dialog, int index);
// The page windows created so far (children of the page area).
std::vector<HWND> PageWindows(HWND dialog);
// The created page that holds a control with this id, or null.
HWND PageWith(HWND dialog, int controlId);
HWND VisiblePage(HWND dialog);

// A button press as the button reports it, waited for.
void Press(HWND button);
void Press(HWND parent, int id);
// OK or Cancel, waited for until the dialog is gone.
void Close(HWND dialog, int id);
bool Checked(HWND parent, int id);
bool Enabled(HWND parent, int id);
std::string Text(HWND wnd);
// Ctrl+Tab (or any key) through the input queue with the dialog in front.
void PressKeys(HWND dialog, WORD key, bool ctrl = false, bool shift = false);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// The settings key made volatile, so that no lasting key can be made below it: a page's own
// key then cannot be made, as on a registry the user may not write. Empty when it failed.
CRegKey VolatileSettingsKey();

// The tip helpers live with the UI driver, shared with the viewer's tests.
using ui::LeaveTips;
using ui::TipOver;
using ui::TipShows;

}  // namespace optionstest
