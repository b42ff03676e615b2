#pragma once
// What the bench and its window hook inside Scrivel share: the view to watch, and the times
// of the key message that starts a step and of the end of the view's repaint after it.
#include <windows.h>

constexpr char kKeyWatchBlockName[] = "TessalyScrivelBenchKeyWatch";
constexpr char kKeyWatchPaintedEvent[] = "TessalyScrivelBenchPainted";

struct KeyWatchBlock {
    HWND view;                // the view whose keys and repaints are timed
    volatile LONG armed;      // a step is under way: the next key message starts it
    WPARAM startKey;          // the key whose WM_KEYDOWN starts the step (0: any key message)
    volatile LONG child;      // the step ends with the repaint of a child of the view (a list on it)
    LARGE_INTEGER keyAt;      // the key message taken from the queue (0: not yet)
    LARGE_INTEGER paintedAt;  // the repaint after it has ended
};
