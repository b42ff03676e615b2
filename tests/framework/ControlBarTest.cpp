// The sample editor's bars: a flat toolbar in a rebar band with a gripper, a status bar
// with the message pane and the OVR, CAP and NUM indicators, the frame's layout around
// them, show and hide from the View menu, tooltips and fly-by prompts.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "DocTemplate.h"
#include "DocViewTestIds.h"
#include "Gdi.h"
#include "FwTestSupport.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "sample/SampleApp.h"

namespace {
void Idle()
{
    fwtest::PumpAndIdle(SampleApp());
}

using fwtest::RectIn;

class ControlBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(SampleMainFrame(), nullptr);
        SampleMainFrame()->ShowWindow(SW_SHOWNORMAL);
        SampleMainFrame()->MoveWindow(0, 0, 640, 480);
        Idle();
    }
    void TearDown() override
    {
        if (!SampleMainFrame()->m_wndToolBar.IsWindowVisible())
            SampleMainFrame()->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
        if (!SampleMainFrame()->m_wndStatusBar.IsWindowVisible())
            SampleMainFrame()->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
        for (const auto& docTemplate : SampleApp().DocTemplates()) {
            for (CDocument* doc : docTemplate->Documents())
                doc->SetModifiedFlag(false);
        }
        SampleApp().CloseAllDocuments(false);
        Idle();
    }
};

TEST_F(ControlBarTest, TheToolbarSitsInARebarBandWithAGripperAboveTheClientAndTheStatusBarBelow)
{
    CSampleMainFrame* frame = SampleMainFrame();
    ASSERT_EQ(frame->m_wndReBar.GetBandCount(), 1);
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_STYLE;
    ASSERT_TRUE(frame->m_wndReBar.GetBandInfo(0, &band));
    EXPECT_EQ(band.hwndChild, frame->m_wndToolBar.m_hWnd);
    EXPECT_TRUE(band.fStyle & RBBS_GRIPPERALWAYS);
    EXPECT_TRUE(frame->m_wndToolBar.GetStyle() & TBSTYLE_FLAT);
    EXPECT_EQ(frame->m_wndToolBar.GetCount(), 5);  // four buttons and a separator
    EXPECT_EQ(frame->m_wndToolBar.GetItemID(1), static_cast<UINT>(ID_FILE_OPEN));
    EXPECT_EQ(frame->m_wndToolBar.GetItemID(3), 0u);

    RECT client;
    frame->GetClientRect(&client);
    RECT rebar = RectIn(frame->m_wndReBar.m_hWnd, frame->m_hWnd);
    RECT status = RectIn(frame->m_wndStatusBar.m_hWnd, frame->m_hWnd);
    RECT mdi = RectIn(frame->m_hWndMDIClient, frame->m_hWnd);
    EXPECT_EQ(rebar.top, 0);
    EXPECT_GT(rebar.bottom, 10);
    EXPECT_EQ(mdi.top, rebar.bottom);
    EXPECT_EQ(mdi.bottom, status.top);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Ready");
}

TEST_F(ControlBarTest, TheViewMenuShowsAndHidesTheBarsWithCheckMarks)
{
    CSampleMainFrame* frame = SampleMainFrame();
    HMENU view = ::GetSubMenu(::GetMenu(frame->m_hWnd), 1);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 1);
    EXPECT_TRUE(fwtest::MenuItemChecked(view, ID_VIEW_TOOLBAR));
    EXPECT_TRUE(fwtest::MenuItemChecked(view, ID_VIEW_STATUS_BAR));

    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    Idle();
    EXPECT_FALSE(frame->m_wndToolBar.IsWindowVisible());
    EXPECT_FALSE(frame->m_wndStatusBar.IsWindowVisible());
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 1);
    EXPECT_FALSE(fwtest::MenuItemChecked(view, ID_VIEW_TOOLBAR));
    EXPECT_FALSE(fwtest::MenuItemChecked(view, ID_VIEW_STATUS_BAR));
    RECT client;
    frame->GetClientRect(&client);
    RECT mdi = RectIn(frame->m_hWndMDIClient, frame->m_hWnd);
    EXPECT_EQ(mdi.bottom, client.bottom);
    EXPECT_LT(mdi.top, 10);

    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    Idle();
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
    EXPECT_GT(RectIn(frame->m_hWndMDIClient, frame->m_hWnd).top, 10);
}

TEST_F(ControlBarTest, ToolbarButtonsFollowTheUpdateHandlers)
{
    CSampleMainFrame* frame = SampleMainFrame();
    Idle();
    EXPECT_TRUE(frame->m_wndToolBar.IsButtonEnabled(ID_FILE_NEW));
    EXPECT_FALSE(frame->m_wndToolBar.IsButtonEnabled(ID_FILE_SAVE));
    EXPECT_FALSE(frame->m_wndToolBar.IsButtonEnabled(ID_WINDOW_CASCADE));

    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    Idle();
    EXPECT_TRUE(frame->m_wndToolBar.IsButtonEnabled(ID_FILE_SAVE));
    EXPECT_TRUE(frame->m_wndToolBar.IsButtonEnabled(ID_WINDOW_CASCADE));
}

TEST_F(ControlBarTest, AButtonsTooltipIsTheSecondPartOfItsStringAndItsPromptFliesBy)
{
    CSampleMainFrame* frame = SampleMainFrame();
    HWND tips = reinterpret_cast<HWND>(frame->m_wndToolBar.SendMessage(TB_GETTOOLTIPS));
    ASSERT_NE(tips, nullptr);
    NMTTDISPINFOA request{};
    request.hdr.hwndFrom = tips;
    request.hdr.idFrom = ID_FILE_OPEN;
    request.hdr.code = TTN_GETDISPINFOA;
    frame->SendMessage(WM_NOTIFY, ID_FILE_OPEN, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.lpszText, nullptr);
    EXPECT_STREQ(request.lpszText, "Open file");

    RECT button;
    frame->m_wndToolBar.SendMessage(TB_GETRECT, ID_FILE_OPEN, reinterpret_cast<LPARAM>(&button));
    POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ::ClientToScreen(frame->m_wndToolBar.m_hWnd, &centre);
    ::SetCursorPos(centre.x, centre.y);
    frame->m_wndToolBar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM((button.left + button.right) / 2, 8));
    Idle();
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Open a configuration file");
}

TEST_F(ControlBarTest, MenuPromptsShowInTheStatusBarUntilTheMenuCloses)
{
    CSampleMainFrame* frame = SampleMainFrame();
    HMENU file = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_STRING), reinterpret_cast<LPARAM>(file));
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Create a new document");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Ready");
}

TEST_F(ControlBarTest, TheIndicatorsShowOverwriteAndTheKeyboardLocks)
{
    CSampleMainFrame* frame = SampleMainFrame();
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    Idle();
    int ovr = frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_OVR);
    int cap = frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_CAPS);
    ASSERT_EQ(ovr, 1);
    ASSERT_EQ(cap, 2);
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(ovr), "");

    HWND view = frame->GetActiveView()->m_hWnd;
    ::PostMessageA(view, WM_KEYDOWN, VK_INSERT, 1);
    Idle();
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(ovr), "OVR");

    bool capsOn = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(cap), capsOn ? "CAP" : "");
    ui::BringToFront(frame->m_hWnd);
    ui::PressKey(VK_CAPITAL);
    ui::WaitUntil(
        [&] {
            Idle();
            return ((::GetKeyState(VK_CAPITAL) & 1) != 0) != capsOn;
        },
        2000);
    Idle();
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(cap), capsOn ? "" : "CAP");
    ui::PressKey(VK_CAPITAL);
    ui::WaitUntil(
        [&] {
            Idle();
            return ((::GetKeyState(VK_CAPITAL) & 1) != 0) == capsOn;
        },
        2000);
}
// A status bar that draws its message pane itself, as a flashing message does.
class CPaintedStatusBar : public CStatusBar {
public:
    void DrawItem(DRAWITEMSTRUCT* item) override
    {
        CDC dc(item->hDC);
        dc.FillSolidRect(item->rcItem, RGB(192, 0, 0));
    }
};

TEST_F(ControlBarTest, AnOwnerDrawnPaneIsDrawnByTheStatusBarsOwnObject)
{
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(IDR_VIEWER, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CPaintedStatusBar bar;
    static const UINT panes[] = {ID_SEPARATOR, ID_INDICATOR_NUM};
    ASSERT_TRUE(bar.Create(frame));
    ASSERT_TRUE(bar.SetIndicators(panes, 2));
    frame->RecalcLayout();
    bar.SetPaneStyle(0, SBPS_OWNERDRAW | SBPS_NOBORDERS | SBPS_STRETCH);
    RECT pane;
    bar.GetItemRect(0, &pane);
    EXPECT_EQ(fwtest::PixelOf(bar.m_hWnd, (pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2), RGB(192, 0, 0));
    frame->DestroyWindow();
    EXPECT_EQ(bar.m_hWnd, nullptr);
}
}  // namespace
