#pragma once
/* What the module probe library reports after its handlers threw. Plain C: the host that
   loads the library in that test is a C program with no C++ runtime of its own. */

typedef struct ThrowProbeAnswer {
    int sizeResult;         /* what SendMessage(WM_SIZE) gave */
    int continuedAfterBase; /* the window's WindowProc went on after the base class's */
    int commandResult;      /* what SendMessage(WM_COMMAND) of the throwing command gave */
    int windowAlive;        /* the window still answered afterwards */
    int afterwardsResult;   /* WM_APP, answered 7 by a handler that does not throw */
} ThrowProbeAnswer;

/* ProbeThrowingHandlers(answer): makes a window of the library whose handlers throw, sends
   it a size, a command (whose failure shows a message box) and WM_APP; returns 1. */
typedef int(__stdcall* ProbeThrowingHandlersFn)(ThrowProbeAnswer*);

#define THROW_PROBE_COMMAND 0x7F01
