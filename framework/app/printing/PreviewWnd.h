#pragma once
// Print preview in a window of its own: the view's pages, drawn by its printing hooks into
// a metafile per page and shown scaled on a sheet, with Previous, Next and Close.

#include <windows.h>

#include <string>

#include "FwApi.h"
#include "Gdi.h"
#include "PrintInfo.h"
#include "Wnd.h"

class CView;

class FWAPI CPreviewWnd : public CWnd {
public:
    enum { IDC_PREVIOUS_PAGE = 1, IDC_NEXT_PAGE = 2, IDC_CLOSE_PREVIEW = 3, IDC_PAGE_NUMBER = 4 };

    explicit CPreviewWnd(CView* view) : m_pView(view) {}
    // Asks the view for its pages and shows the first; false (and no window) when the view
    // declines.
    bool Open();
    void ShowPage(UINT page);
    UINT CurrentPage() const { return m_info.m_nCurPage; }
    UINT PageCount() const { return m_nPages; }
    // The sheet's rectangle in client coordinates.
    RECT SheetRect() const;
    // Called when the view goes: the preview goes with it.
    void OnViewGone();

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    void PostNcDestroy() override;

private:
    void RenderCurrentPage();
    void UpdateControls();

    CView* m_pView;
    CPrintInfo m_info;
    UINT m_nPages = 1;
    SIZE m_sizePage{};  // the page in screen pixels
    CEnhMetaFile m_page;
    HWND m_hPrevious = nullptr, m_hNext = nullptr, m_hClose = nullptr, m_hNumber = nullptr;
};
