#pragma once
// Whether a dialog's controls fit at the display's DPI, as a user would judge it: every
// control inside its parent, every label's text inside its control. Also which common
// controls a window got: the styled ones (version 6) or the old ones.

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace looktest {

// One line per control that is cut: "1043 \"Use DDE\" needs 130 px, has 112".
// Controls whose ids are in `runtimeTexts` show texts from outside (a server's answer)
// and are only checked for lying inside their parent.
std::vector<std::string> CutControls(HWND dialog, const std::set<int>& runtimeTexts = {});

// The file of the module that registered the window's class.
std::string ClassModule(HWND wnd);
// True when the window's class comes from the common controls of version 6, the
// side-by-side copy below the system's WinSxS folder (for buttons too, which the old
// controls leave to user32).
bool IsStyledControl(HWND wnd);

}  // namespace looktest
