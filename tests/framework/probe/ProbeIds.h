#pragma once
// Resource ids shared by the module probe library and its host test program.

#define IDS_PROBE_TEXT 100
#define IDR_PROBE_FRAME 128
