#pragma once
// Views that are system controls: the control paints and handles input itself, the view
// adds the document and command routing. CTreeView is a tree control as a view.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "CommonControls.h"
#include "FwApi.h"
#include "View.h"

class FWAPI CCtrlView : public CView {
public:
    CCtrlView(const char* className, DWORD defaultStyle) : m_strClass(className), m_dwDefaultStyle(defaultStyle) {}
    bool PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC dc) override;

    std::string m_strClass;
    DWORD m_dwDefaultStyle;
};

class FWAPI CTreeView : public CCtrlView {
public:
    CTreeView();
    ~CTreeView() override;
    // The tree control that is this view's window.
    CTreeCtrl& GetTreeCtrl();

private:
    CTreeCtrl m_tree;  // a second, non-owning wrapper of the view's own window
};
