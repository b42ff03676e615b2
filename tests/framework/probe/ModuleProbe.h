#pragma once
// What the module probe library reports about the state it runs in.

struct ModuleProbeAnswer {
    char appName[64];
    char probeText[64];
    char registryRoot[160];
    int initialised;  // the library's InitInstance ran when it was loaded
    void* mainWnd;    // AfxGetMainWnd() during the call
    void* app;        // AfxGetApp() during the call
};

// ProbeModule(answer, value): fills `answer` and stores `value` as "Probe" in the library's
// section "Settings"; returns 1.
using ProbeModuleFn = int(__stdcall*)(ModuleProbeAnswer*, int);

// ShowProbeViewer(frameOut): shows the library's viewer frame and runs a loop until it is
// closed, the way the log viewer's export does; *frameOut holds the frame while it is open
// and null afterwards. Returns 1, or 0 when no frame could be made.
using ShowProbeViewerFn = int(__stdcall*)(HWND*);
