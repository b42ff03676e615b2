#pragma once
// The modeless dialogs that are no dialog object of ours, such as the platform's find
// dialog: once registered, their keys (Tab, Enter, Esc, access keys) reach the dialog
// manager from every message loop that pre-translates through CWinApp, the application's
// and the libraries' own. A registration ends with its window.

#include <windows.h>

#include "FwApi.h"

FWAPI void AfxRegisterModelessDialog(HWND dialog);
// True when `msg` went to a registered dialog or one of its controls and the dialog manager
// took it.
FWAPI bool AfxPreTranslateModelessDialog(MSG* msg);
