#pragma once
// Resource identifiers of the log viewer. Window-free, so the resource script includes it.

#include "FwIds.h"
#include <editor/VQEditorIds.h>

// Menu, accelerators, toolbar, icon and document string of the viewer's frame.
#define IDR_MAINFRAME 128
// The tree's image strip.
#define IDB_LOG_TREE 6001

// The viewer's own commands.
#define ID_GO_DOWN 32771
#define ID_GO_UP 32772
#define ID_LOG_CLEAR 32773
#define ID_LOG_CLEAR_ALL 32774
#define ID_VIEW_LOG_SIZE 32775
#define ID_LOG_OPEN 32776
#define ID_FOLLOW_END 32777
#define ID_VIEW_FILTER 32778
#define ID_VIEW_HIGHLIGHT 32779
// The filter bar asks its frame to filter with what it holds.
#define ID_FILTER_APPLY 32780

// The filter bar and its controls.
#define ID_FILTER_BAR 0xE810
#define IDC_FILTER_TEXT 1001
#define IDC_FILTER_CASE 1002
#define IDC_FILTER_EXCLUDE 1003
#define IDC_FILTER_CONTEXT 1004
#define IDC_FILTER_CONTEXT_SPIN 1005

// The status bar's right-hand pane: what the log view is doing ("Following", "N of M lines").
#define ID_INDICATOR_VIEW 32800

// Texts of the tree pane.
#define IDS_FILE_MISSING 61000
#define IDS_CLEAR_QUESTION 61001
#define IDS_CLEAR_CAPTION 61002
#define IDS_CLEAR_ALL_QUESTION 61003
#define IDS_CLEAR_ALL_CAPTION 61004
#define IDS_TOO_MANY_LOGS 61005

// Texts of the log view about the log it follows.
#define IDS_LOG_CUT_SHORT 61010
#define IDS_LOG_REPLACED 61011
#define IDS_LOG_GONE 61012
#define IDS_LOG_BACK 61013
