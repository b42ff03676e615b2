#pragma once
// Resource ids of the dialog tests.

#define IDD_PROBE 200
#define IDD_PAGE 201
#define IDD_CONTROLS 202
#define IDC_NAME 1001
#define IDC_NUMBER 1002
#define IDC_CHECK 1003
#define IDC_RADIO1 1004
#define IDC_RADIO2 1005
#define IDC_RADIO3 1006
#define IDC_AFTER_RADIOS 1007
#define IDC_PAGE_CHECK 1010
#define IDC_COMBO 1020
#define IDC_SPIN_EDIT 1021
#define IDC_SPIN 1022
#define IDC_HOTKEY 1023
#define IDC_TREE 1024
#define IDC_LIST 1025
#define IDB_STRIP 300
#define IDD_FONT_TEMPLATE 203
#define IDC_FONT_NOTE 1030
