#pragma once
// Resource identifiers of Options.dll, grouped by the window that owns them. Window-free,
// so the resource script includes it. Tip texts are the strings whose id is the control's.

#include "FwIds.h"

// The frame: dialog, icon, accelerators, its controls and commands.
#define IDD_OPTIONS 130
#define IDI_OPTIONS 143
#define IDR_OPTIONS_ACCEL 145
#define IDC_PAGE_TREE 1010
#define IDC_CAPTION_HEADER 1011
#define IDC_PAGE_AREA 1025
#define ID_APPLY_NOW 12321
#define ID_NEXT_PAGE 1006

// The link label's hand cursor (a cursor resource, apart from dialog 132).
#define IDC_HAND_CURSOR 132

// Strings: the product, the shared error and warning texts, the tree's page names.
#define IDS_PRODUCT_NAME 57344  // AFX_IDS_APP_TITLE: "Tessaly"
#define IDS_REGISTRY_KEY_ERROR 57345
#define IDS_DESTROY_WARNING 57346
#define IDS_PAGE_COMMAND_LINES 57347
#define IDS_PAGE_SCRIVEL 57348
#define IDS_PAGE_HOSTS 57349
#define IDS_PAGE_BROWSERS 57350
#define IDS_PAGE_SERVER_INFO 57351
#define IDS_PAGE_MODULES 57352
#define IDS_PAGE_DIRECTIVES 57353
#define IDS_PAGE_PARSED_SETTINGS 57354
#define IDS_PAGE_GENERAL 57355
#define IDS_PAGE_OTHER 57356
#define IDS_PAGE_FORMAT 57357
#define IDS_WARNING_CAPTION 57358

// Page templates.
#define IDD_PAGE_GENERAL 131
#define IDD_PAGE_OTHER 132
#define IDD_PAGE_COMMAND_LINES 133
#define IDD_PAGE_SCRIVEL 134
#define IDD_PAGE_FORMAT 135
#define IDD_PAGE_SERVER_INFO 137
#define IDD_PAGE_HOSTS 138
#define IDD_PAGE_BROWSERS 139
#define IDD_PAGE_MODULES 140
#define IDD_PAGE_DIRECTIVES 141
#define IDD_PAGE_PARSED_SETTINGS 142

// Shared by the pages that have one.
#define IDC_DEFAULT 1050
// The hidden static where a page's tool bar goes.
#define IDC_TOOLBAR_PLACE 1045

// General page.
#define IDC_SHUTDOWN_SERVER 1007
#define IDC_ASK_SHUTDOWN 1008
#define IDC_LEAVE_RUNNING 1009
#define IDC_TEST_BEFORE_START 1017
#define IDC_TEST_BEFORE_SHUTDOWN 1019
#define IDC_START_WITH_WINDOWS 1024
#define IDC_START_SERVER 1026
#define IDC_HIDE_CONSOLE 1027
#define IDC_USE_APACHE_EXE 1039
#define IDC_USE_STUB_EXE 1040
#define IDC_UPDATE_HOSTS_FILE 1041

// Other page.
#define IDC_SHOW_SPLASH 1044
#define IDC_SHOW_SHUTDOWN_INFO 1046
#define IDC_SHOW_TOOLTIPS 1047
#define IDC_ENABLE_HOTKEY 1048
#define IDC_MENU_HOTKEY 1049

// Command lines page.
#define IDC_CMD_START 1029
#define IDC_CMD_RESTART 1030
#define IDC_CMD_STOP 1031
#define IDC_CMD_TEST 1032
#define IDC_CMD_VERSION 1033
#define IDC_CMD_SETTINGS 1034
#define IDC_CMD_MODULES 1035
#define IDC_CMD_DIRECTIVES 1036
#define IDC_APACHE_LOCATION 1065
#define IDC_BROWSE_APACHE 1071

// Scrivel (editor files) page, and the list commands it shares with the Browsers page.
#define IDR_FILES_TOOLBAR 147
#define IDC_RESTART_AFTER_CHANGE 1022
#define IDC_FILE_LIST 1072
#define ID_LIST_FIND 32772
#define ID_LIST_EDIT 32773
#define ID_LIST_ADD 32775
#define ID_LIST_DOWN 32780
#define ID_LIST_UP 32781
#define ID_LIST_REMOVE 32782
#define ID_LIST_RESCAN 32783
// The Add button's tip while the file list holds as many files as Scrivel opens.
#define IDS_FILE_LIST_FULL 57380

// Format page.
#define IDC_SAMPLE_PLACE 1012
#define IDC_TABS_AS_SPACES 1013
#define IDC_SHOW_TABS 1015
#define IDC_AUTOINDENT 1016
#define IDC_SYNTAX_COLORING 1018
#define IDC_TAB_WIDTH_SPIN 1020
#define IDC_COLOR_BUTTON 1021
#define IDC_COLOR_ITEM 1023
#define IDC_FONT_BUTTON 1028
#define IDC_CASE_SENSITIVE 1051
#define IDC_TAB_WIDTH 1054
#define IDD_FONT_DIALOG 1543

// Hosts and projects page.
#define IDR_HOSTS_TOOLBAR 148
#define IDC_OPEN_PROJECT 1063
#define IDC_PROJECT_EXTENSIONS 1075
#define IDC_HOST_LIST 1076
#define IDC_VIEW_HOST 1086
#define IDC_SORT_HOSTS 1088
#define IDI_BLANK_PROJECT 1085
#define IDI_BLANK_CELL 1086
// The "Host and project" dialog of the Hosts and projects page.
#define IDD_HOST_DIALOG 1084
#define IDC_PROJECT_PATH 1091
#define IDC_SHOW_HOST 1092
#define IDC_SHOW_PROJECT 1093
#define IDC_BROWSE_PROJECT 1094
#define IDC_AUTO_PROJECT 1097

// Browsers page and its "Choose browser" dialog.
#define IDR_BROWSERS_TOOLBAR 146
#define IDC_BROWSER_LIST 1077
#define IDC_BROWSER_PICTURE 1096
#define IDI_WEB_DOCUMENT 1082
#define IDI_BROWSER_1 1091
#define IDI_BROWSER_2 1092
#define IDI_BROWSER_3 1093
#define IDD_CHOOSE_BROWSER 1081
#define IDC_BROWSER_PATH 1080
#define IDC_BROWSER_LABEL 1081
#define IDC_USE_DDE 1082
#define IDC_SERVICE_LABEL 1083
#define IDC_BROWSE_BROWSER 1055
#define IDC_DDE_SERVICE 1058

// Server information pages.
#define IDC_SERVER_OUTPUT 1053
#define IDC_SERVER_VERSION 1094
#define IDI_SERVER 1094
#define IDC_SERVER_LINK 1095
