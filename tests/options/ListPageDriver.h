#pragma once
// Driving the list pages (Hosts and projects, Browsers) from the user's thread: their list
// views' rows, their tool bars' buttons, and the modal windows their commands open.

#include <windows.h>

#include <string>

namespace optionstest {

int RowCount(HWND list);
std::string CellText(HWND list, int row, int column);
// Selects and focuses a row and makes it the selection mark, as a click does.
void SelectRow(HWND list, int row);
HWND ToolBarOf(HWND page);
bool ButtonEnabled(HWND page, UINT command);
// A tool bar button's command, sent (returns when done) or posted (for commands that open
// a modal window).
void SendToolCommand(HWND page, UINT command);
void PostToolCommand(HWND page, UINT command);
// A dialog (class #32770) of this process with this caption, waited for.
HWND WaitForDialog(const char* caption);
// Names `path` in the open-file dialog captioned "Open" and presses its OK.
bool ChooseInOpenDialog(const std::string& path);

}  // namespace optionstest
