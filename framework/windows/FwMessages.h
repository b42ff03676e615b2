#pragma once
// The framework's private window messages, in the range the system leaves to class
// libraries (0x0360-0x037F).

#define WM_SETMESSAGESTRING 0x0362    // wParam: string id, or 0 with lParam a text
#define WM_IDLEUPDATECMDUI 0x0363     // wParam: disable commands without a handler
#define WM_INITIALUPDATE 0x0364       // sent to a new frame's descendants
#define WM_KICKIDLE 0x036A            // a modal loop went idle; lParam: idle count
#define WM_POPMESSAGESTRING 0x0375    // back to the idle text
#define WM_FLOATINGFRAMEEMPTY 0x0376  // a floating frame's bar has left; it goes
