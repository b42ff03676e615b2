#pragma once
// CDockContext: moves one control bar between the sides of its frame and floating. It runs
// the drag that follows the mouse with an outline of where the bar will go, switches the
// bar between floating and its last side, and remembers both places.

#include <windows.h>

#include "FwApi.h"

class CControlBar;
class CDockBar;

class FWAPI CDockContext {
public:
    explicit CDockContext(CControlBar* bar) : m_pBar(bar) {}
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Follows the mouse from `start` (screen) until the button is released: the bar docks
    // at the side under the cursor, or floats there. Esc, another button or a lost
    // capture leave it where it was. Ctrl keeps it from docking.
    void StartDrag(POINT start);
    // Floating bars dock at their last side; docked bars float at their last place.
    void ToggleDocking();

    // The dock bar under a screen point for this bar, or null.
    CDockBar* DockBarAt(POINT screen) const;

    UINT m_uMRUDockID = 0;          // the side the bar was docked at last
    POINT m_ptMRUFloatPos{-1, -1};  // where the floating frame was (or goes) last
    int m_nHitTest = HTNOWHERE;     // the corner or side of the floating frame being sized

private:
    RECT FloatingRect(POINT topLeft) const;
    RECT DockedRect(CDockBar* dock, POINT cursor) const;
    CControlBar* m_pBar;
};
