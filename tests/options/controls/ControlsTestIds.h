#pragma once
// Resource ids of the option page controls' test window.

#define IDD_CONTROLS_PROBE 300
#define IDC_WIDE_HEADER 1011
#define IDC_NARROW_HEADER 1012
#define IDC_COLOR 1021
#define IDC_LINK_INTRO 1094
#define IDC_LINK 1095
#define IDC_LINK_EMPTY 1096
#define IDC_FOCUS_EDIT 1097
