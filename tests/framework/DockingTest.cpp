// Docking: a frame's four dock bars, a bar docked on each side, stacked rows, floating in a
// frame of its own and back, toggling, hiding with the floating frame, the sides a drop
// point docks at, the floating frame's corners and edges, and a drag with the mouse.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "ControlBar.h"
#include "DockBar.h"
#include "FrameWnd.h"
#include "FwTestSupport.h"
#include "MiniDockFrameWnd.h"
#include "UiDriver.h"
#include "sample/SampleApp.h"

namespace {
constexpr int kThick = 40;
constexpr SIZE kFloat{150, 80};

// A bar that is 40 pixels thick docked and 150 by 80 floating; it records the lengths
// its floating frame asks for.
class CTestBar : public CControlBar {
public:
    bool Create(CFrameWnd* parent, const char* title)
    {
        m_dwStyle = CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC;
        if (!CreateEx(0, nullptr, title, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent->m_hWnd, nullptr))
            return false;
        JoinFrame(parent);
        return true;
    }
    SIZE CalcFixedLayout(bool stretch, bool horizontal) override
    {
        if (IsFloating())
            return m_float;
        return horizontal ? SIZE{stretch ? 32767 : 0, kThick} : SIZE{kThick, stretch ? 32767 : 0};
    }
    SIZE CalcDynamicLayout(int length, DWORD mode) override
    {
        m_lastLength = length;
        m_lastMode = mode;
        if (mode & LM_LENGTHY)
            m_float.cy = length;
        else if (mode & LM_COMMIT)
            m_float.cx = length;
        else if (length > 0)
            return SIZE{length, m_float.cy};
        return IsFloating() || (mode & LM_MRUWIDTH) ? m_float : CalcFixedLayout(false, (mode & LM_HORZ) != 0);
    }
    SIZE m_float = kFloat;
    int m_lastLength = -1;
    DWORD m_lastMode = 0;
};

using fwtest::RectIn;

class DockingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->CreateEx(0, nullptr, "Docking", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 640, 480,
                                      nullptr, nullptr));
        m_pane = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_frame->m_hWnd,
                                   reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST), nullptr, nullptr);
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_bar.Create(m_frame, "Test bar"));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        Pump();
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        Pump();
    }
    void Pump() { fwtest::Pump(SampleApp()); }
    RECT Client() const
    {
        RECT r;
        m_frame->GetClientRect(&r);
        return r;
    }
    CMiniDockFrameWnd* Floating() const { return dynamic_cast<CMiniDockFrameWnd*>(m_bar.GetBarFrame()); }

    CFrameWnd* m_frame = nullptr;
    HWND m_pane = nullptr;
    CTestBar m_bar;
};

TEST_F(DockingTest, EmptySidesTakeNoRoomAndADockedBarTakesItsStripOnEachSide)
{
    for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
        ASSERT_NE(m_frame->GetDockBar(id), nullptr) << id;
    RECT client = Client();
    RECT pane = RectIn(m_pane, m_frame->m_hWnd);
    EXPECT_TRUE(::EqualRect(&pane, &client));

    struct Case {
        UINT id;
        RECT bar;
        RECT pane;
        DWORD align;
    };
    const Case cases[] = {
        {AFX_IDW_DOCKBAR_BOTTOM,
         {0, client.bottom - kThick, client.right, client.bottom},
         {0, 0, client.right, client.bottom - kThick},
         CBRS_ALIGN_BOTTOM},
        {AFX_IDW_DOCKBAR_TOP, {0, 0, client.right, kThick}, {0, kThick, client.right, client.bottom}, CBRS_ALIGN_TOP},
        {AFX_IDW_DOCKBAR_LEFT,
         {0, 0, kThick, client.bottom},
         {kThick, 0, client.right, client.bottom},
         CBRS_ALIGN_LEFT},
        {AFX_IDW_DOCKBAR_RIGHT,
         {client.right - kThick, 0, client.right, client.bottom},
         {0, 0, client.right - kThick, client.bottom},
         CBRS_ALIGN_RIGHT},
    };
    for (const Case& c : cases) {
        m_frame->DockControlBar(&m_bar, c.id);
        Pump();
        EXPECT_EQ(m_bar.GetParent(), m_frame->GetDockBar(c.id)->m_hWnd) << c.id;
        EXPECT_EQ(m_bar.GetBarStyle() & CBRS_ALIGN_ANY, c.align) << c.id;
        RECT bar = RectIn(m_bar.m_hWnd, m_frame->m_hWnd);
        pane = RectIn(m_pane, m_frame->m_hWnd);
        EXPECT_TRUE(::EqualRect(&bar, &c.bar))
            << c.id << ": " << bar.left << "," << bar.top << " " << bar.right << "," << bar.bottom;
        EXPECT_TRUE(::EqualRect(&pane, &c.pane)) << c.id;
    }
}

TEST_F(DockingTest, TwoBarsOnOneSideStackInRowsAndAHiddenOneGivesItsRowBack)
{
    CTestBar second;
    ASSERT_TRUE(second.Create(m_frame, "Second"));
    second.EnableDocking(CBRS_ALIGN_ANY);
    m_frame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
    m_frame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP);
    Pump();
    EXPECT_EQ(RectIn(m_bar.m_hWnd, m_frame->m_hWnd).top, 0);
    EXPECT_EQ(RectIn(second.m_hWnd, m_frame->m_hWnd).top, kThick);
    EXPECT_EQ(RectIn(m_pane, m_frame->m_hWnd).top, 2 * kThick);

    m_frame->ShowControlBar(&m_bar, false);
    Pump();
    EXPECT_EQ(RectIn(second.m_hWnd, m_frame->m_hWnd).top, 0);
    EXPECT_EQ(RectIn(m_pane, m_frame->m_hWnd).top, kThick);
    second.DestroyWindow();
}

TEST_F(DockingTest, AFloatingBarSitsInAnOwnedCaptionedFrameOfItsSizeAndDocksBackWhereItWas)
{
    m_frame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_LEFT);
    m_frame->FloatControlBar(&m_bar, POINT{300, 200});
    Pump();
    CMiniDockFrameWnd* floating = Floating();
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(m_bar.IsFloating());
    EXPECT_EQ(::GetWindow(floating->m_hWnd, GW_OWNER), m_frame->m_hWnd);
    EXPECT_EQ(floating->GetWindowText(), "Test bar");
    EXPECT_TRUE(floating->IsWindowVisible());
    RECT window;
    floating->GetWindowRect(&window);
    EXPECT_EQ(window.left, 300);
    EXPECT_EQ(window.top, 200);
    RECT inner;
    floating->GetClientRect(&inner);
    EXPECT_EQ(inner.right, kFloat.cx);
    EXPECT_EQ(inner.bottom, kFloat.cy);
    RECT pane = RectIn(m_pane, m_frame->m_hWnd);
    RECT client = Client();
    EXPECT_TRUE(::EqualRect(&pane, &client));

    // Hidden and shown with its frame; its close box hides the bar.
    m_frame->ShowControlBar(&m_bar, false);
    EXPECT_FALSE(floating->IsWindowVisible());
    m_frame->ShowControlBar(&m_bar, true);
    EXPECT_TRUE(floating->IsWindowVisible());
    floating->SendMessage(WM_CLOSE);
    EXPECT_FALSE(m_bar.IsVisible());
    m_frame->ShowControlBar(&m_bar, true);

    // Toggling docks it at its last side and floats it again at its last place.
    HWND floatingWindow = floating->m_hWnd;
    m_bar.m_pDockContext->ToggleDocking();
    Pump();
    EXPECT_FALSE(m_bar.IsFloating());
    EXPECT_EQ(m_bar.GetParent(), m_frame->GetDockBar(AFX_IDW_DOCKBAR_LEFT)->m_hWnd);
    EXPECT_FALSE(::IsWindow(floatingWindow));
    m_bar.m_pDockContext->ToggleDocking();
    Pump();
    ASSERT_NE(Floating(), nullptr);
    Floating()->GetWindowRect(&window);
    EXPECT_EQ(window.left, 300);
    EXPECT_EQ(window.top, 200);
}

TEST_F(DockingTest, DropPointsNearASideDockThereAndOnlyOnSidesTheBarAllows)
{
    const RECT area = m_frame->DockingArea();
    const POINT middle{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    auto sideAt = [&](POINT p) {
        CDockBar* dock = m_bar.m_pDockContext->DockBarAt(p);
        return dock ? static_cast<UINT>(dock->GetDlgCtrlID()) : 0u;
    };
    EXPECT_EQ(sideAt({middle.x, area.top + 5}), static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(sideAt({middle.x, area.bottom - 5}), static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(sideAt({area.left + 5, middle.y}), static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(sideAt({area.right - 5, middle.y}), static_cast<UINT>(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_EQ(sideAt(middle), 0u);

    m_bar.EnableDocking(CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(sideAt({middle.x, area.top + 5}), 0u);
    EXPECT_EQ(sideAt({middle.x, area.bottom - 5}), static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST_F(DockingTest, TheFloatingFrameAsksTheBarForItsSizeAtItsSidesAndSizesAtCornersOnlyWhenAllowed)
{
    m_frame->FloatControlBar(&m_bar, POINT{300, 200});
    Pump();
    CMiniDockFrameWnd* floating = Floating();
    ASSERT_NE(floating, nullptr);
    RECT window;
    floating->GetWindowRect(&window);

    RECT proposed = window;
    proposed.right += 30;
    floating->SendMessage(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(m_bar.m_lastLength, kFloat.cx + 30);
    EXPECT_EQ(m_bar.m_lastMode, static_cast<DWORD>(LM_HORZ));
    EXPECT_EQ(proposed.right - proposed.left, window.right - window.left + 30);

    proposed = window;
    proposed.top -= 20;
    floating->SendMessage(WM_SIZING, WMSZ_TOP, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(m_bar.m_lastMode, static_cast<DWORD>(LM_HORZ | LM_LENGTHY));
    EXPECT_EQ(m_bar.m_float.cy, kFloat.cy + 20);
    EXPECT_EQ(proposed.bottom, window.bottom);  // the opposite side stays

    // The four-sides style turns the corners into sides.
    const POINT corner{window.right - 1, window.bottom - 1};
    const LPARAM at = MAKELPARAM(corner.x, corner.y);
    EXPECT_EQ(floating->SendMessage(WM_NCHITTEST, 0, at), HTBOTTOM);
    floating->ModifyStyle(MFS_4THICKFRAME, 0);
    EXPECT_EQ(floating->SendMessage(WM_NCHITTEST, 0, at), HTBOTTOMRIGHT);
}

TEST_F(DockingTest, DraggingTheBarWithTheMouseDocksItAtTheSideItIsDroppedOnOrFloatsIt)
{
    m_frame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
    Pump();
    RECT start;
    m_bar.GetWindowRect(&start);
    const RECT area = m_frame->DockingArea();
    auto dragTo = [&](POINT from, POINT to) {
        // The press must land on the bar: until the display has shown the frame, it lands
        // on whatever was there before.
        ui::BringToFront(m_frame->m_hWnd);
        ASSERT_TRUE(ui::WaitUntil([&] { return ::WindowFromPoint(from) == m_bar.m_hWnd; }, 5000));
        ::SetCursorPos(from.x, from.y);
        ASSERT_TRUE(ui::WaitUntil(
            [&] {
                POINT now{};
                ::GetCursorPos(&now);
                return now.x == from.x && now.y == from.y;
            },
            5000));
        INPUT press = ui::MouseInputAt(from, MOUSEEVENTF_LEFTDOWN);
        ::SendInput(1, &press, sizeof press);
        const DWORD dragThread = ::GetCurrentThreadId();
        HWND bar = m_bar.m_hWnd;
        std::thread mouse([to, dragThread, bar] {
            // The drag has begun once the bar holds the mouse.
            ui::WaitUntil(
                [&] {
                    GUITHREADINFO info{};
                    info.cbSize = sizeof info;
                    return ::GetGUIThreadInfo(dragThread, &info) && info.hwndCapture == bar;
                },
                5000);
            // Let go only once the pointer is seen where it was put: a late move of the
            // display's can take it back for a moment.
            ui::WaitUntil(
                [&] {
                    ::SetCursorPos(to.x, to.y);
                    ::Sleep(20);
                    POINT now{};
                    ::GetCursorPos(&now);
                    return now.x == to.x && now.y == to.y;
                },
                5000);
            INPUT release = ui::MouseInputAt(to, MOUSEEVENTF_LEFTUP);
            ::SendInput(1, &release, sizeof release);
        });
        m_bar.m_pDockContext->StartDrag(from);
        mouse.join();
        Pump();
    };
    dragTo({start.left + 5, start.top + 5}, {(area.left + area.right) / 2, area.bottom - 4});
    EXPECT_EQ(m_bar.GetParent(), m_frame->GetDockBar(AFX_IDW_DOCKBAR_BOTTOM)->m_hWnd);

    m_bar.GetWindowRect(&start);
    dragTo({start.left + 5, start.top + 5}, {(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    ASSERT_TRUE(m_bar.IsFloating());
    RECT window;
    Floating()->GetWindowRect(&window);
    EXPECT_EQ(window.left, (area.left + area.right) / 2 - 5);
    EXPECT_EQ(window.top, (area.top + area.bottom) / 2 - 5);
}
}  // namespace
