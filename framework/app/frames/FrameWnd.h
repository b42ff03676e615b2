#pragma once
// CFrameWnd: a top-level (or MDI child) window that holds views and control bars. Loads its
// menu, accelerators, icon and title from one resource id, routes commands (active view,
// its document, the frame, the application), updates command states while idle, keeps the
// caption in line with the active document, and lays its bars out around the view.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DockBar.h"
#include "FwApi.h"
#include "Handles.h"
#include "FwIds.h"
#include "Wnd.h"

class CControlBar;
class CDocTemplate;
class CDocument;
class CView;

// Frame styles kept in the low word of the frame's window style.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L

// What a template hands to a new frame: the view class to create and the document to show.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class FWAPI CFrameWnd : public CWnd {
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    bool IsFrameWnd() const override { return true; }

    // Creates the frame from resource `idResource`: its title is the first part of the
    // string, the menu, accelerators and icon of the same id are used when present.
    virtual bool LoadFrame(UINT idResource, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                           CCreateContext* context = nullptr);
    virtual bool OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context);
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

    // The active view and document; an MDI frame answers for its active child.
    virtual CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* view, bool notify = true);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void ActivateFrame(int show = -1);
    void InitialUpdateFrame(CDocument* doc, bool makeVisible);

    // Caption and menu.
    virtual void OnUpdateFrameTitle(bool addToTitle);
    virtual void OnUpdateFrameMenu(HMENU alternate);
    void UpdateFrameTitleForDocument(const char* documentName);
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const char* title) { m_strTitle = title ? title : ""; }
    int m_nWindow = 0;  // this frame's number among the frames of its document, 0 if alone

    // Layout and bars.
    virtual void RecalcLayout(bool notify = true);
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    CControlBar* GetControlBar(UINT id) const;
    void ShowControlBar(CControlBar* bar, bool show, bool delay = false);
    const std::vector<CControlBar*>& ControlBars() const { return m_listControlBars; }

    // Docking: a dock bar along each side named by `alignStyle` (CBRS_ALIGN_ bits), inside
    // the bars made before.
    void EnableDocking(DWORD alignStyle);
    CDockBar* GetDockBar(UINT dockBarId) const;
    // Docks the bar on side `dockBarId` (0: the first side it allows, top, bottom, left,
    // right), in the row nearest to `where` (screen).
    void DockControlBar(CControlBar* bar, UINT dockBarId = 0, const RECT* where = nullptr);
    // Floats the bar in a floating frame of its own whose top-left corner is `topLeft`
    // (screen).
    void FloatControlBar(CControlBar* bar, POINT topLeft);
    // The floating frames holding this frame's bars.
    std::vector<CFrameWnd*> FloatingFrames() const;
    // Where bars can be dropped to dock: the area inside the frame's other bars (screen).
    RECT DockingArea() const;

    // Status bar texts: the prompt of a command is the first part of its string.
    virtual void GetMessageString(UINT id, std::string& text) const;
    void SetMessageText(const char* text);
    void SetMessageText(UINT id);

    // The frame's placement as stored by the application's profile calls (a 44-byte record).
    std::optional<WINDOWPLACEMENT> LoadPlacement(const char* section, const char* entry) const;
    bool StorePlacement(const char* section, const char* entry) const;

    bool PreTranslateMessage(MSG* msg) override;
    bool OnCmdMsg(UINT id, UINT code, CCmdUI* ui) override;
    // Whether command `id` is enabled, asking its update handlers.
    bool IsCommandEnabled(UINT id);

    HACCEL m_hAccelTable = nullptr;
    CMenuHandle m_hMenuDefault;
    UINT m_nIDResource = 0;
    UINT m_nIDTracking = 0;  // the command whose prompt the status bar shows

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Tooltips of bar buttons: the second part of the command's string.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnClose() override;
    void OnDestroy() override;
    void OnSetFocus(HWND oldFocus) override;
    void OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu) override;
    void OnDropFiles(HDROP drop) override;
    void PostNcDestroy() override;
    virtual void OnIdleUpdateCmdUI();
    // The window that fills what the bars leave: the view, splitter or MDI client.
    virtual HWND LayoutPane() const;
    // The area left for the view after the bars; client coordinates.
    RECT m_rectBorder{};

    std::string m_strTitle;
    CView* m_pViewActive = nullptr;
    std::vector<CControlBar*> m_listControlBars;
    std::vector<std::unique_ptr<CDockBar>> m_dockBars;  // after the list: they leave it first
    CCreateContext* m_pCreateContext = nullptr;         // during creation only
    HICON m_hIcon = nullptr;
    bool m_bInRecalcLayout = false;
    std::string m_strTip;  // the tooltip text handed out last
    std::wstring m_wstrTip;
};
