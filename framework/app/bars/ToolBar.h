#pragma once
// Control bars of a frame: a flat toolbar from a toolbar resource, a rebar holding bars in
// bands with grippers, and a status bar with a message pane and indicator panes. Tooltips
// of toolbar buttons are the second part of their command's string ("prompt\ntip"); the
// first part is shown in the status bar while the mouse is over the button.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ControlBar.h"
#include "FwApi.h"
#include "FwIds.h"
#include "ImageList.h"

class FWAPI CToolBar : public CControlBar {
public:
    bool CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                  UINT id = AFX_IDW_TOOLBAR);
    // The buttons and bitmap of toolbar resource `id` (and the bitmap of the same id).
    bool LoadToolBar(UINT id);
    bool SetButtons(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id)); }
    bool IsButtonEnabled(UINT id) const { return SendMessage(TB_ISBUTTONENABLED, id) != 0; }
    bool IsButtonChecked(UINT id) const { return SendMessage(TB_ISBUTTONCHECKED, id) != 0; }
    SIZE GetIdealSize() const;

    SIZE CalcFixedLayout(bool stretch, bool horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // The pictures of bitmap `id` for `count` buttons, and their greyed forms.
    bool LoadImages(HINSTANCE module, UINT id, int count);

    SIZE m_sizeImage{16, 15};
    CImageList m_images;
    CImageList m_disabledImages;
};

class FWAPI CReBar : public CControlBar {
public:
    bool Create(CWnd* parent, DWORD ctrlStyle = RBS_BANDBORDERS,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT id = AFX_IDW_REBAR);
    // Puts `bar` into a new band; the bar keeps its place in the frame's list of bars.
    bool AddBar(CWnd* bar, const char* text = nullptr, HBITMAP background = nullptr,
                DWORD bandStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    int GetBandCount() const { return static_cast<int>(SendMessage(RB_GETBANDCOUNT)); }
    bool GetBandInfo(int band, REBARBANDINFOA* info) const;

    SIZE CalcFixedLayout(bool stretch, bool horizontal) override;
    bool ShowChildBar(CControlBar* child, bool show) override;
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// Pane styles of the status bar.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000  // the pane shows no text
#define SBPS_STRETCH 0x08000000   // the pane takes the width the others leave

class FWAPI CStatusBar : public CControlBar {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    bool Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
    // Pane 0 is the message pane when ids[0] is ID_SEPARATOR; an indicator pane is as wide
    // as its string and shows it while its update handler enables it.
    bool SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;
    bool SetPaneText(int index, const char* text, bool update = true);
    std::string GetPaneText(int index) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    UINT GetPaneStyle(int index) const;
    void SetPaneStyle(int index, UINT style);
    void GetItemRect(int index, RECT* rect) const;
    // Draws an owner-drawn pane.
    virtual void DrawItem(DRAWITEMSTRUCT* item);

    SIZE CalcFixedLayout(bool stretch, bool horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void UpdateParts();
    void ShowPaneText(int index);

    struct Pane {
        UINT id = 0;
        UINT style = SBPS_NORMAL;
        int width = 0;
        std::string text;
    };
    std::vector<Pane> m_panes;
};
