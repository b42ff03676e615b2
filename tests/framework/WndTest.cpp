// CWnd: the one window procedure, named handlers, the exception guard, subclassing and the
// reflection of notifications to the child's own object.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "FwTestSupport.h"
#include "Gdi.h"
#include "RoutingApp.h"
#include "Wnd.h"

namespace {
// A top-level window that records what reached its handlers.
class CProbeWnd : public CWnd {
public:
    int m_nCreated = 0;
    SIZE m_lastSize{};
    bool m_bThrow = false;
    bool m_bFailCreate = false;
    bool m_bPostNcDestroy = false;
    int m_nParentCommands = 0;
    std::vector<UINT> m_parentNotifyCodes;
    int m_nParentCtlColors = 0;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (msg == WM_APP) {
            if (m_bThrow)
                throw std::runtime_error("handler failed");
            *result = 7;
            return true;
        }
        return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
    int OnCreate(CREATESTRUCTA* cs) override
    {
        ++m_nCreated;
        return m_bFailCreate ? -1 : CWnd::OnCreate(cs);
    }
    void OnSize(UINT type, int cx, int cy) override
    {
        m_lastSize = {cx, cy};
        CWnd::OnSize(type, cx, cy);
    }
    bool HandleCommand(UINT, UINT) override
    {
        ++m_nParentCommands;
        return true;
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override
    {
        m_parentNotifyCodes.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return FALSE;
    }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT msg) override
    {
        ++m_nParentCtlColors;
        return CWnd::OnCtlColor(dc, control, msg);
    }
    void PostNcDestroy() override { m_bPostNcDestroy = true; }
};

// An edit control that counts the characters it is sent and lets them through.
class CCharCounter : public CWnd {
public:
    int m_nChars = 0;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (msg == WM_CHAR)
            ++m_nChars;
        return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
};

// A button that handles its own click notification.
class CSelfClickingButton : public CWnd {
public:
    int m_nClicks = 0;
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) override
    {
        if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            ++m_nClicks;
            *result = 0;
            return true;
        }
        return false;
    }
};

// A static that paints itself red through the reflected colour request.
class CRedStatic : public CWnd {
public:
    CRedStatic() : m_brush(RGB(255, 0, 0)) {}
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) override
    {
        if (msg != WM_CTLCOLORSTATIC)
            return false;
        ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
        *result = reinterpret_cast<LRESULT>(m_brush.GetSafeHandle());
        return true;
    }

private:
    CBrush m_brush;
};

// An owner-drawn button that draws its own face blue.
class CBlueButton : public CWnd {
public:
    bool OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* result) override
    {
        if (msg != WM_DRAWITEM)
            return false;
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        CBrush blue(RGB(0, 0, 255));
        ::FillRect(item->hDC, &item->rcItem, blue);
        *result = TRUE;
        return true;
    }
};

// A tree that keeps the text of the item the user selected.
class CSelectionTree : public CWnd {
public:
    std::string m_selected;
    bool OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* result) override
    {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (msg != WM_NOTIFY || header->code != TVN_SELCHANGEDA)
            return false;
        auto* change = reinterpret_cast<NMTREEVIEWA*>(lParam);
        char text[64] = {};
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = change->itemNew.hItem;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        ::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        m_selected = text;
        *result = 0;
        return true;
    }
};

HWND MakeChild(HWND parent, const char* className, const char* text, DWORD style, int id, int y = 10)
{
    return ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, y, 120, 40, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

class WndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 240, nullptr,
                                      nullptr));
        fwtest::Pump(TestApp());
    }
    CProbeWnd m_parent;
};

TEST_F(WndTest, ACreatedWindowFindsItsObjectAndItsNamedHandlers)
{
    EXPECT_EQ(CWnd::FromHandlePermanent(m_parent.m_hWnd), &m_parent);
    EXPECT_EQ(m_parent.m_nCreated, 1);
    m_parent.MoveWindow(20, 20, 400, 300);
    RECT client;
    m_parent.GetClientRect(&client);
    EXPECT_EQ(m_parent.m_lastSize.cx, client.right);
    EXPECT_EQ(m_parent.m_lastSize.cy, client.bottom);
}

TEST_F(WndTest, AnExceptionInAHandlerStopsAtTheWindowProcedure)
{
    m_parent.m_bThrow = true;
    EXPECT_EQ(m_parent.SendMessage(WM_APP), 0);
    m_parent.m_bThrow = false;
    EXPECT_EQ(m_parent.SendMessage(WM_APP), 7);  // the window goes on working
}

namespace {
const UINT kThrowingCommand = 0x7E01;

// A window of this program whose WindowProc hands each message to the base class in
// editor.dll, which calls its throwing handlers back here.
class CLayeredThrower : public CWnd {
public:
    int m_nContinuedAfterBase = 0;
    int m_nCreated = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CWnd::WindowProc(msg, wParam, lParam);
        if (msg == WM_SIZE || msg == WM_COMMAND)
            ++m_nContinuedAfterBase;
        return result;
    }
    int OnCreate(CREATESTRUCTA*) override
    {
        ++m_nCreated;
        throw std::runtime_error("create failed");
    }
    void OnSize(UINT, int, int) override { throw std::runtime_error("size failed"); }
    bool HandleCommand(UINT id, UINT) override
    {
        if (id == kThrowingCommand)
            throw std::runtime_error("command failed");
        return false;
    }
};

BOOL CALLBACK MatchMessageBox(HWND wnd, LPARAM data)
{
    char name[16] = {};
    ::GetClassNameA(wnd, name, sizeof(name));
    if (std::string(name) != "#32770" || !::IsWindowVisible(wnd))
        return TRUE;
    *reinterpret_cast<HWND*>(data) = wnd;
    return FALSE;
}

HWND FindThreadMessageBox()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

// The exception ends in this program below the base class's call, not in editor.dll: the
// program's own WindowProc goes on after it, and the message counts as not handled.
TEST(ModuleBoundaryTest, AThrowReachedThroughTheBaseClassEndsInTheProgram)
{
    CLayeredThrower wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "layered", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    EXPECT_EQ(wnd.m_nCreated, 1);  // a throwing OnCreate leaves the window made, as 0 does

    wnd.m_nContinuedAfterBase = 0;
    EXPECT_EQ(wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(50, 40)), 0);
    EXPECT_EQ(wnd.m_nContinuedAfterBase, 1);
    EXPECT_TRUE(wnd.IsWindow());
    wnd.DestroyWindow();
}

// A command is what the user asked for: its failure is told in a message box with the
// exception's text, and the command counts as handled so that no other target runs it.
TEST(ModuleBoundaryTest, AThrowingCommandTellsTheUserAndCountsAsHandled)
{
    CLayeredThrower wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "layered", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    wnd.m_nContinuedAfterBase = 0;
    std::string boxText;
    fwtest::CScript script;
    script.Then([&] {
        HWND box = FindThreadMessageBox();
        if (!box)
            return false;
        boxText = fwtest::MessageBoxText(box);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, kThrowingCommand), 0);
    EXPECT_FALSE(script.timedOut);
    EXPECT_EQ(boxText, "This action could not be completed.\n\ncommand failed");
    EXPECT_EQ(wnd.m_nContinuedAfterBase, 1);
    wnd.DestroyWindow();
}

TEST_F(WndTest, AFailedCreationLeavesNoWindow)
{
    CProbeWnd failing;
    failing.m_bFailCreate = true;
    EXPECT_FALSE(failing.CreateEx(0, nullptr, "failing", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(failing.m_nCreated, 1);
    EXPECT_EQ(failing.m_hWnd, nullptr);
}

TEST_F(WndTest, TheWindowGoesWithItsObjectAndTheObjectHearsOfIt)
{
    HWND hwnd;
    {
        CProbeWnd scoped;
        ASSERT_TRUE(scoped.CreateEx(0, nullptr, "scoped", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
        hwnd = scoped.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hwnd));

    CProbeWnd destroyed;
    ASSERT_TRUE(destroyed.CreateEx(0, nullptr, "destroyed", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
    hwnd = destroyed.m_hWnd;
    destroyed.DestroyWindow();
    EXPECT_TRUE(destroyed.m_bPostNcDestroy);
    EXPECT_EQ(destroyed.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(WndTest, ASubclassedControlSeesItsMessagesAndKeepsItsOwnBehaviour)
{
    HWND edit = MakeChild(m_parent.m_hWnd, "EDIT", "", WS_BORDER, 101);
    {
        CCharCounter counter;
        ASSERT_TRUE(counter.SubclassDlgItem(101, &m_parent));
        EXPECT_FALSE(counter.SubclassWindow(edit));  // one object per window
        ::PostMessageA(edit, WM_CHAR, 'a', 1);
        ::PostMessageA(edit, WM_CHAR, 'b', 1);
        fwtest::Pump(TestApp());
        EXPECT_EQ(counter.m_nChars, 2);
        EXPECT_EQ(CWnd(edit).GetWindowText(), "ab");
    }
    // The wrapper is gone; the control is its plain self again.
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    EXPECT_NE(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(edit, GWLP_WNDPROC)), AfxWndProc);
    ::PostMessageA(edit, WM_CHAR, 'c', 1);
    fwtest::Pump(TestApp());
    char text[8] = {};
    ::GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ(text, "abc");
}

TEST_F(WndTest, AButtonClickGoesToTheButtonsOwnObjectFirst)
{
    HWND own = MakeChild(m_parent.m_hWnd, "BUTTON", "own", BS_PUSHBUTTON, 102);
    HWND plain = MakeChild(m_parent.m_hWnd, "BUTTON", "plain", BS_PUSHBUTTON, 103, 60);
    CSelfClickingButton button;
    ASSERT_TRUE(button.SubclassWindow(own));

    ::SendMessageA(own, BM_CLICK, 0, 0);
    EXPECT_EQ(button.m_nClicks, 1);
    EXPECT_EQ(m_parent.m_nParentCommands, 0);

    ::SendMessageA(plain, BM_CLICK, 0, 0);
    EXPECT_EQ(m_parent.m_nParentCommands, 1);
}

// A static colours itself through the reflected colour request (the parent does not hear of
// it), an owner-drawn button draws itself through the reflected draw request.
TEST_F(WndTest, ControlsPaintThemselvesThroughReflectedRequests)
{
    CRedStatic red;
    ASSERT_TRUE(red.SubclassWindow(MakeChild(m_parent.m_hWnd, "STATIC", "", SS_LEFT, 104)));
    EXPECT_EQ(fwtest::PixelOf(red.m_hWnd, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(m_parent.m_nParentCtlColors, 0);

    CBlueButton blue;
    ASSERT_TRUE(blue.SubclassWindow(MakeChild(m_parent.m_hWnd, "BUTTON", "", BS_OWNERDRAW, 105, 60)));
    EXPECT_EQ(fwtest::PixelOf(blue.m_hWnd, 10, 10), RGB(0, 0, 255));
}

TEST_F(WndTest, ATreeHearsOfItsOwnSelectionChange)
{
    HWND treeWnd = MakeChild(m_parent.m_hWnd, WC_TREEVIEWA, "", WS_BORDER, 106);
    CSelectionTree tree;
    ASSERT_TRUE(tree.SubclassWindow(treeWnd));
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>("first");
    ::SendMessageA(treeWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    insert.item.pszText = const_cast<char*>("second");
    auto second =
        reinterpret_cast<HTREEITEM>(::SendMessageA(treeWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));

    ::SendMessageA(treeWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(tree.m_selected, "second");
    // What the tree does not handle still reaches the parent; what it handles does not.
    EXPECT_FALSE(m_parent.m_parentNotifyCodes.empty());
    for (UINT code : m_parent.m_parentNotifyCodes)
        EXPECT_NE(code, static_cast<UINT>(TVN_SELCHANGEDA));
}
}  // namespace
