#pragma once
// CSplitterWnd: panes of views side by side in a frame, with bars the user drags to size
// them. A static splitter has a fixed grid (the log viewer's tree and text, 1 x 2); a
// dynamic one starts with one pane and grows up to its maximum (2 x 2) when the user drags
// a split box, and loses a row or column when its bar is dragged to the edge. Made with
// WS_VSCROLL and WS_HSCROLL, it holds the scroll bars its panes share: the panes of a row
// scroll up and down together with the row's bar at the right edge, the panes of a column
// sideways with the column's bar at the bottom. F6 and Shift+F6 move the focus from pane
// to pane.

#include <windows.h>

#include <vector>

#include "FrameWnd.h"
#include "FwApi.h"
#include "Handles.h"
#include "Wnd.h"

class CView;

class FWAPI CSplitterWnd : public CWnd {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    CSplitterWnd() = default;

    // WS_VSCROLL and WS_HSCROLL in `style` ask for the shared scroll bars.
    bool CreateStatic(CWnd* parent, int rows, int columns, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    // A dynamic splitter whose first pane is a view of `context`'s view class and document.
    bool Create(CWnd* parent, int maxRows, int maxColumns, SIZE minPane, CCreateContext* context,
                DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_PANE_FIRST);
    bool CreateView(int row, int column, const CRuntimeClass* viewClass, SIZE initial, CCreateContext* context);

    bool IsSplitter() const override { return true; }
    bool IsDynamic() const { return m_bDynamic; }
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    CWnd* GetPane(int row, int column) const;
    static int IdFromRowCol(int row, int column) { return AFX_IDW_PANE_FIRST + row * 16 + column; }

    void GetColumnInfo(int column, int& current, int& minimum) const;
    void SetColumnInfo(int column, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    void SetRowInfo(int row, int ideal, int minimum);
    void RecalcLayout();
    // The shared bar (SB_VERT: its row's, SB_HORZ: its column's) that `pane` scrolls with,
    // or null when the splitter has none.
    HWND SharedScrollBar(const CWnd* pane, int bar) const;

    // Dynamic splitting; the new panes show the first pane's document.
    virtual bool SplitRow(int height);
    virtual bool SplitColumn(int width);
    virtual void DeleteRow(int row);
    virtual void DeleteColumn(int column);
    // Moves the focus to the next (or previous) pane, in rows from left to right.
    virtual void ActivateNext(bool previous = false);

    static constexpr int kBar = 6;       // width of a bar between panes
    static constexpr int kSplitBox = 6;  // the strip the user drags to split

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;

private:
    enum class Hit { None, RowBox, ColumnBox, RowBar, ColumnBar };
    struct Track {
        int current = 0;  // the size kept, or 0 before the first layout
        int minimum = 0;
    };

    Hit HitTest(POINT at) const;
    RECT PaneArea() const;  // the client area without the split boxes and the scroll bars
    void OnMouseDown(POINT at);
    void OnMouseUp(POINT at);
    CFrameWnd* ParentFrame() const;
    void RenumberPanes();
    std::vector<CWnd*> Panes() const;
    // One vertical bar per row and one horizontal bar per column, when the style asks.
    void MatchScrollBars();
    // Passes a shared bar's scroll message to every pane of its row or column.
    bool ForwardScroll(UINT msg, WPARAM wParam, HWND bar);

    int m_nRows = 0;
    int m_nCols = 0;
    int m_nMaxRows = 1;
    int m_nMaxCols = 1;
    bool m_bDynamic = false;
    SIZE m_sizeMin{10, 10};
    DWORD m_dwScrollStyle = 0;  // WS_VSCROLL and WS_HSCROLL: the shared bars asked for
    std::vector<CWindowHandle> m_rowBars;
    std::vector<CWindowHandle> m_columnBars;
    std::vector<Track> m_rows;
    std::vector<Track> m_cols;
    const CRuntimeClass* m_pDynamicViewClass = nullptr;
    Hit m_tracking = Hit::None;
    POINT m_trackStart{};  // where a bar drag began
    int m_trackSize = 0;   // the size of the first row or column then
};
