#pragma once
// CMainFrame: the viewer's top-level window. Holds the toolbar in a rebar, the status bar
// and a static splitter with the log tree on the left and the log text on the right; keeps
// its placement and the tree's width in the settings, forwards the commands that belong to
// one pane to it, and answers the Launcher's notice of new editor settings.

#include <windows.h>

#include <cstdint>
#include <string>

#include "FilterBar.h"
#include "FrameWnd.h"
#include "SplitterWnd.h"
#include "ToolBar.h"

class CLeftView;
class CTestsdiView;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    bool OnCmdMsg(UINT id, UINT code, CCmdUI* ui) override;

    // The shown log's size changed while it was shown: the tree's label follows.
    void ShownLogResized(std::uint64_t size);
    // The status bar's right-hand pane, from what the log view does now. Idle time updates
    // it too, but a change made from a timer or a sent message brings no idle time.
    void ShowViewPane();

    // The panes of the splitter; null before they exist.
    CLeftView* TreePane() const;
    CTestsdiView* TextPane() const;
    // The log view filtered with what the filter bar holds (the whole log when the bar is
    // hidden or empty): after the bar changed, and for each log shown.
    void ApplyFilter();

    CSplitterWnd m_wndSplitter;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CReBar m_wndReBar;
    CFilterBar m_wndFilterBar;
    BOOL m_bHelpAvailable = FALSE;
    std::string m_strHelpDir;

protected:
    int OnCreate(CREATESTRUCTA* cs) override;
    bool OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context) override;
    void OnDestroy() override;
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;

    bool CreateBars();
    void ApplyStoredPlacement();
    // The "LeftPane" width made usable on this screen, and then in the frame's size.
    int StoredTreeWidth() const;
    void FitTreeToFrame();
    void FindHelpFile();
    void StoreLayout();
    void OnHelpTopics();

    // View "Filter": the bar with the caret in it; again from within the bar, the bar goes
    // and the whole log is shown.
    void OnViewFilter();
    int PaneTextWidth(const std::string& text) const;
};
