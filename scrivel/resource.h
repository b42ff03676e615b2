#pragma once
// Scrivel's resource identifiers. Window-free, so the resource script includes it too.

#include "FwIds.h"
#include <editor/VQEditorIds.h>

// The main frame (menu without documents, toolbar, accelerators, title) and the document
// template (menu with documents, template string).
#define IDR_MAINFRAME 128
#define IDR_SCRIVELTYPE 129

// Scrivel's own commands.
#define ID_FILE_SAVE_ALL_AND_TEST 32778
#define ID_VIEW_APACHE_DOC 32790
#define ID_HIDE_APACHE_DOC 32791
#define ID_HELP_KEYWORD 32793
#define ID_EDIT_COMPLETE 32794
#define ID_VIEW_AUTO_COMPLETE 32795
#define ID_OPEN_INCLUDED 32796
#define ID_NEXT_PROBLEM 32797
#define ID_PREV_PROBLEM 32798
#define ID_VIEW_CHECKS 32799
