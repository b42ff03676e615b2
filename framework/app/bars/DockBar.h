#pragma once
// CDockBar: one side of a frame that docked control bars sit in, one row (or column) each,
// in the order they were docked; or the inside of a floating frame, which holds one bar.
// An empty side takes no room.

#include <windows.h>

#include <vector>

#include "ControlBar.h"
#include "FwApi.h"

class FWAPI CDockBar : public CControlBar {
public:
    explicit CDockBar(bool floating = false) : m_bFloating(floating) {}
    ~CDockBar() override;

    // A dock bar of `parent` for the side named by `alignStyle` (CBRS_ALIGN_ bits).
    bool Create(CWnd* parent, DWORD alignStyle, UINT id);

    // Takes the bar in (re-parenting it), in the row nearest to `where` (screen
    // coordinates), or last.
    void DockControlBar(CControlBar* bar, const RECT* where = nullptr);
    // Lets the bar go; it keeps its window.
    void RemoveControlBar(CControlBar* bar);
    const std::vector<CControlBar*>& Bars() const { return m_bars; }
    int VisibleBarCount() const;
    bool IsHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }

    SIZE CalcFixedLayout(bool stretch, bool horizontal) override;
    void Layout(RECT& remaining, HDWP& positions) override;
    // Places the bars inside a dock bar of this size.
    void ArrangeBars(int cx, int cy);

    const bool m_bFloating;

protected:
    void OnDestroy() override;

private:
    std::vector<CControlBar*> m_bars;
};
