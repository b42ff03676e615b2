// Splitters: a static 1 x 2 splitter in a top-level frame with sizes read, set and dragged;
// a dynamic one in MDI child frames that splits when its split boxes are dragged and loses
// panes when a bar is dragged to the edge; scroll bars shared by the panes of a row or a
// column; F6 and Shift+F6 between the panes.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "CtrlView.h"
#include "DocTemplate.h"
#include "DocViewTestIds.h"
#include "FwTestSupport.h"
#include "SplitterWnd.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "sample/SampleApp.h"

namespace {
// A top-level frame split into two columns of views, the left one 120 pixels wide.
class CStaticSplitFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CStaticSplitFrame)
public:
    CSplitterWnd m_wndSplitter;

protected:
    virtual const CRuntimeClass* LeftView() const { return RUNTIME_CLASS(CSampleView); }
    bool OnCreateClient(CREATESTRUCTA*, CCreateContext* context) override
    {
        return m_wndSplitter.CreateStatic(this, 1, 2) &&
               m_wndSplitter.CreateView(0, 0, LeftView(), SIZE{120, 100}, context) &&
               m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CSampleView), SIZE{100, 100}, context);
    }
};
IMPLEMENT_DYNCREATE(CStaticSplitFrame)

// The log viewer's shape: a tree of names on the left that hears its own selection.
class CNamesView : public CTreeView {
    DECLARE_DYNCREATE(CNamesView)
public:
    std::string m_selected;
    void OnInitialUpdate() override
    {
        CTreeCtrl& tree = GetTreeCtrl();
        HTREEITEM group = tree.InsertItem("Logs");
        tree.InsertItem("access.log", 0, 0, group);
        tree.InsertItem("error.log", 0, 0, group);
        tree.Expand(group, TVE_EXPAND);
    }
    bool OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* result) override
    {
        if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TVN_SELCHANGEDA)
            return false;
        m_selected = GetTreeCtrl().GetItemText(reinterpret_cast<NMTREEVIEWA*>(lParam)->itemNew.hItem);
        *result = 0;
        return true;
    }
};
IMPLEMENT_DYNCREATE(CNamesView)

class CTreeSplitFrame : public CStaticSplitFrame {
    DECLARE_DYNCREATE(CTreeSplitFrame)

protected:
    const CRuntimeClass* LeftView() const override { return RUNTIME_CLASS(CNamesView); }
};
IMPLEMENT_DYNCREATE(CTreeSplitFrame)

// An MDI child frame with a dynamic splitter of up to 2 x 2 panes.
class CSplitChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CSplitChildFrame)
public:
    CSplitterWnd m_wndSplitter;

protected:
    virtual DWORD SplitterStyle() const { return WS_CHILD | WS_VISIBLE; }
    bool OnCreateClient(CREATESTRUCTA*, CCreateContext* context) override
    {
        return m_wndSplitter.Create(this, 2, 2, SIZE{10, 10}, context, SplitterStyle());
    }
};
IMPLEMENT_DYNCREATE(CSplitChildFrame)

// The same with the scroll bars that the panes of a row or a column share.
class CSharedBarsChildFrame : public CSplitChildFrame {
    DECLARE_DYNCREATE(CSharedBarsChildFrame)

protected:
    DWORD SplitterStyle() const override { return WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL; }
};
IMPLEMENT_DYNCREATE(CSharedBarsChildFrame)

void Pump()
{
    fwtest::Pump(SampleApp());
}

RECT PaneRect(CSplitterWnd& splitter, int row, int column)
{
    RECT r{};
    if (CWnd* pane = splitter.GetPane(row, column)) {
        pane->GetWindowRect(&r);
        splitter.ScreenToClient(&r);
    }
    return r;
}

void Drag(HWND wnd, POINT from, POINT to)
{
    ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    ::SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
}

HWND FocusedPane(CSplitterWnd& splitter)
{
    HWND focus = ::GetFocus();
    return ::GetParent(focus) == splitter.m_hWnd ? focus : nullptr;
}

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = testpaths::MakeWorkDir("framework-splitter");
        m_path = testpaths::Join(m_dir, "log.txt");
        testpaths::WriteTextFile(m_path, "line");
    }

    // Opens the test's file in a new frame of this class: a top-level viewer's, or a
    // maximised MDI child of the sample editor; the frame, or null.
    CFrameWnd* OpenIn(const CRuntimeClass* frameClass, bool mdiChild)
    {
        if (mdiChild)
            m_template = std::make_unique<CMultiDocTemplate>(IDR_SAMPLETYPE, RUNTIME_CLASS(CSampleDoc), frameClass,
                                                             RUNTIME_CLASS(CSampleView));
        else
            m_template = std::make_unique<CSingleDocTemplate>(IDR_VIEWER, RUNTIME_CLASS(CSampleDoc), frameClass,
                                                              RUNTIME_CLASS(CSampleView));
        m_doc = m_template->OpenDocumentFile(m_path.c_str());
        if (m_doc == nullptr)
            return nullptr;
        CFrameWnd* frame = m_doc->GetFirstView()->GetParentFrame();
        if (mdiChild)
            ::ShowWindow(frame->m_hWnd, SW_MAXIMIZE);
        Pump();
        return frame;
    }

    std::string m_dir, m_path;
    std::unique_ptr<CDocTemplate> m_template;
    CDocument* m_doc = nullptr;
};

TEST_F(SplitterTest, AStaticSplitterShowsTwoPanesWhoseWidthCanBeReadSetAndDragged)
{
    auto* frame = static_cast<CStaticSplitFrame*>(OpenIn(RUNTIME_CLASS(CStaticSplitFrame), false));
    ASSERT_NE(frame, nullptr);
    frame->MoveWindow(0, 0, 600, 400);
    Pump();
    CSplitterWnd& splitter = frame->m_wndSplitter;
    EXPECT_EQ(m_doc->GetViews().size(), 2u);

    int width = 0, minimum = 0;
    splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(width, 120);
    RECT left = PaneRect(splitter, 0, 0), right = PaneRect(splitter, 0, 1);
    EXPECT_EQ(right.left, left.right + CSplitterWnd::kBar);

    splitter.SetColumnInfo(0, 200, 0);
    splitter.RecalcLayout();
    splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(width, 200);

    int bar = PaneRect(splitter, 0, 0).right + CSplitterWnd::kBar / 2;
    Drag(splitter.m_hWnd, POINT{bar, 50}, POINT{bar + 50, 50});
    splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(width, 250);
    EXPECT_EQ(splitter.GetColumnCount(), 2);  // a static splitter keeps its panes
    frame->DestroyWindow();
}

TEST_F(SplitterTest, F6AndShiftF6MoveTheFocusBetweenThePanes)
{
    auto* frame = static_cast<CStaticSplitFrame*>(OpenIn(RUNTIME_CLASS(CStaticSplitFrame), false));
    ASSERT_NE(frame, nullptr);
    CSplitterWnd& splitter = frame->m_wndSplitter;
    ui::BringToFront(frame->m_hWnd);
    Pump();
    HWND left = splitter.GetPane(0, 0)->m_hWnd, right = splitter.GetPane(0, 1)->m_hWnd;
    ::SetFocus(left);
    Pump();
    ASSERT_EQ(FocusedPane(splitter), left);

    ui::PressKey(VK_F6);
    ASSERT_TRUE(ui::WaitUntil(
        [&] {
            Pump();
            return FocusedPane(splitter) == right;
        },
        2000));
    EXPECT_EQ(frame->GetActiveView()->m_hWnd, right);
    ui::PressKey(VK_F6, false, true);
    EXPECT_TRUE(ui::WaitUntil(
        [&] {
            Pump();
            return FocusedPane(splitter) == left;
        },
        2000));
    frame->DestroyWindow();
}

TEST_F(SplitterTest, ADynamicSplitterSplitsAtItsSplitBoxesAndLosesPanesAtTheEdge)
{
    auto* child = static_cast<CSplitChildFrame*>(OpenIn(RUNTIME_CLASS(CSplitChildFrame), true));
    ASSERT_NE(child, nullptr);
    CSplitterWnd& splitter = child->m_wndSplitter;
    ASSERT_EQ(splitter.GetRowCount() * splitter.GetColumnCount(), 1);

    Drag(splitter.m_hWnd, POINT{100, 2}, POINT{100, 80});  // the row split box at the top
    ASSERT_EQ(splitter.GetRowCount(), 2);
    EXPECT_EQ(m_doc->GetViews().size(), 2u);
    EXPECT_EQ(static_cast<CView*>(splitter.GetPane(1, 0))->GetDocument(), m_doc);
    EXPECT_EQ(splitter.GetPane(1, 0)->GetWindowText(), "line");

    Drag(splitter.m_hWnd, POINT{2, 150}, POINT{90, 150});  // the column split box at the left
    ASSERT_EQ(splitter.GetColumnCount(), 2);
    EXPECT_EQ(m_doc->GetViews().size(), 4u);
    EXPECT_EQ(PaneRect(splitter, 0, 1).left, PaneRect(splitter, 0, 0).right + CSplitterWnd::kBar);

    int rowBar = PaneRect(splitter, 0, 0).bottom + 2;
    Drag(splitter.m_hWnd, POINT{150, rowBar}, POINT{150, 0});  // the bar to the top edge
    EXPECT_EQ(splitter.GetRowCount(), 1);
    EXPECT_EQ(m_doc->GetViews().size(), 2u);
    ASSERT_NE(splitter.GetPane(0, 0), nullptr);
    ASSERT_NE(splitter.GetPane(0, 1), nullptr);
    EXPECT_EQ(splitter.GetPane(1, 0), nullptr);

    int columnBar = PaneRect(splitter, 0, 0).right + 2;
    RECT client;
    splitter.GetClientRect(&client);
    Drag(splitter.m_hWnd, POINT{columnBar, 150}, POINT{client.right - 1, 150});  // to the right edge
    EXPECT_EQ(splitter.GetColumnCount(), 1);
    EXPECT_EQ(m_doc->GetViews().size(), 1u);
    EXPECT_NE(child->GetActiveView(), nullptr);
    child->DestroyWindow();
    Pump();
}
TEST_F(SplitterTest, ATreeViewPaneFillsItselfAndHearsItsSelection)
{
    auto* frame = static_cast<CTreeSplitFrame*>(OpenIn(RUNTIME_CLASS(CTreeSplitFrame), false));
    ASSERT_NE(frame, nullptr);
    auto* names = static_cast<CNamesView*>(frame->m_wndSplitter.GetPane(0, 0));
    CTreeCtrl& tree = names->GetTreeCtrl();
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(names->GetDocument(), m_doc);
    HTREEITEM error = tree.GetNextSiblingItem(tree.GetChildItem(tree.GetRootItem()));
    ASSERT_NE(error, nullptr);
    tree.SelectItem(error);
    EXPECT_EQ(names->m_selected, "error.log");
    frame->DestroyWindow();
    Pump();
}
}  // namespace

namespace {
int VerticalBarCount(HWND splitter)
{
    int count = 0;
    for (HWND bar : ui::FindChildren(splitter, "ScrollBar"))
        count += (::GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) != 0;
    return count;
}

int FirstLine(CSplitterWnd& splitter, int row, int column)
{
    return static_cast<int>(splitter.GetPane(row, column)->SendMessage(EM_GETFIRSTVISIBLELINE));
}
}  // namespace

// Each row has one vertical bar for its panes, each column one horizontal bar; a bar's
// scrolling reaches the panes of its own row or column only.
TEST_F(SplitterTest, SharedScrollBarsFollowTheRowsAndColumnsAndScrollTheirPanes)
{
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(testpaths::WriteTextFile(m_path, lines));
    auto* child = static_cast<CSharedBarsChildFrame*>(OpenIn(RUNTIME_CLASS(CSharedBarsChildFrame), true));
    ASSERT_NE(child, nullptr);
    CSplitterWnd& splitter = child->m_wndSplitter;
    EXPECT_EQ(::GetWindowLongA(splitter.m_hWnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);

    auto* first = static_cast<CView*>(splitter.GetPane(0, 0));
    HWND rowBar = splitter.SharedScrollBar(first, SB_VERT);
    HWND columnBar = splitter.SharedScrollBar(first, SB_HORZ);
    ASSERT_NE(rowBar, nullptr);
    ASSERT_NE(columnBar, nullptr);
    EXPECT_EQ(first->GetScrollBarCtrl(SB_VERT), rowBar);
    EXPECT_EQ(first->GetScrollBarCtrl(SB_HORZ), columnBar);
    RECT pane = PaneRect(splitter, 0, 0);
    RECT bar{};
    ::GetWindowRect(rowBar, &bar);
    splitter.ScreenToClient(&bar);
    EXPECT_EQ(bar.left, pane.right);
    EXPECT_EQ(bar.top, pane.top);
    EXPECT_EQ(bar.bottom, pane.bottom);

    Drag(splitter.m_hWnd, POINT{2, 150}, POINT{120, 150});  // two columns
    Drag(splitter.m_hWnd, POINT{200, 2}, POINT{200, 100});  // two rows
    ASSERT_EQ(splitter.GetRowCount(), 2);
    ASSERT_EQ(splitter.GetColumnCount(), 2);
    EXPECT_EQ(VerticalBarCount(splitter.m_hWnd), 2);
    EXPECT_EQ(splitter.SharedScrollBar(splitter.GetPane(0, 1), SB_VERT), rowBar);
    EXPECT_EQ(splitter.SharedScrollBar(splitter.GetPane(1, 0), SB_HORZ), columnBar);
    HWND lowerBar = splitter.SharedScrollBar(splitter.GetPane(1, 0), SB_VERT);
    ASSERT_NE(lowerBar, nullptr);
    EXPECT_NE(lowerBar, rowBar);
    EXPECT_EQ(splitter.SharedScrollBar(splitter.GetPane(1, 1), SB_VERT), lowerBar);
    EXPECT_NE(splitter.SharedScrollBar(splitter.GetPane(0, 1), SB_HORZ), columnBar);

    // What the lower row's bar tells its parent when the user pages down with it.
    splitter.SendMessage(WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(lowerBar));
    Pump();
    EXPECT_GT(FirstLine(splitter, 1, 0), 0);
    EXPECT_EQ(FirstLine(splitter, 1, 1), FirstLine(splitter, 1, 0));
    EXPECT_EQ(FirstLine(splitter, 0, 0), 0);
    EXPECT_EQ(FirstLine(splitter, 0, 1), 0);

    // The row bar dragged to the top: one row, one vertical bar left.
    int rowDivide = PaneRect(splitter, 0, 0).bottom + 2;
    Drag(splitter.m_hWnd, POINT{300, rowDivide}, POINT{300, 0});
    ASSERT_EQ(splitter.GetRowCount(), 1);
    EXPECT_EQ(VerticalBarCount(splitter.m_hWnd), 1);
    EXPECT_NE(splitter.SharedScrollBar(splitter.GetPane(0, 0), SB_VERT), nullptr);
    child->DestroyWindow();
    Pump();
}
