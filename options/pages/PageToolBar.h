#pragma once
// The small tool bar of a list page: made from a tool bar resource onto the page's hidden
// placeholder 1045, with tips that are the strings of the buttons' command ids while the
// user has tips switched on.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ToolBar.h"

bool CreatePageToolBar(CToolBar& bar, CWnd* page, UINT resourceId);
void EnableToolButton(CToolBar& bar, UINT command, bool enable);
// A tooltip's text request, made each time the tip shows: answered for a tool that is a
// command id (not a window) while `tipsOn`; FALSE leaves the request unanswered (no tip).
BOOL AnswerToolTipText(NMHDR* header, bool tipsOn);
// Puts `text` into a tooltip's text request, ANSI or wide.
void SetToolTipText(NMHDR* header, const std::string& text);
