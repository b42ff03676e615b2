// The option page controls in a dialog of their own, bound the way the pages bind them
// (data exchange), checked by what reaches the screen: the caption header's bands, the
// colour button's borders, the link label's colours, capture, cursor, tip and click.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CaptionHeader.h"
#include "ColorButton.h"
#include "ControlsTestIds.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "Gdi.h"
#include "HttpClassSandbox.h"
#include "LinkLabel.h"
#include "ModuleState.h"
#include "resource.h"
#include "Screenshot.h"
#include "UiDriver.h"

namespace {
constexpr char kLinkAddress[] = "http://www.example.org/";
constexpr char kPresetAddress[] = "http://www.example.org/preset";

// The dialog that hosts one control of each kind, as an options page would.
class CControlsProbe : public CDialog {
public:
    CControlsProbe() : CDialog(IDD_CONTROLS_PROBE) { m_linkEmpty.SetAddress(kPresetAddress); }

    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_WIDE_HEADER, m_wide);
        DDX_Control(dx, IDC_NARROW_HEADER, m_narrow);
        DDX_Control(dx, IDC_COLOR, m_color);
        DDX_Control(dx, IDC_LINK, m_link);
        DDX_Control(dx, IDC_LINK_EMPTY, m_linkEmpty);
    }

    CCaptionHeader m_wide;
    CCaptionHeader m_narrow;
    CColorButton m_color;
    CLinkLabel m_link;
    CLinkLabel m_linkEmpty;
};

// Runs this thread's messages through the framework's pre-translation, as a dialog's loop
// does, so that the link label relays the mouse to its tip.
void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CWnd::WalkPreTranslateTree(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 5000)
{
    Pump();
    return ui::WaitUntilPumping(condition, Pump, timeoutMs, 10);
}

// What the screen shows of a window's client area, row by row.
class CClientPixels {
public:
    explicit CClientPixels(HWND wnd)
    {
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        m_pixels = ClientPixels(wnd);
        RECT client{};
        ::GetClientRect(wnd, &client);
        const bool read = !m_pixels.empty();
        m_width = read ? client.right : 0;
        m_height = read ? client.bottom : 0;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const
    {
        const bool inside = x >= 0 && x < m_width && y >= 0 && y < m_height;
        return inside ? m_pixels[static_cast<std::size_t>(y * m_width + x)] : CLR_INVALID;
    }
    std::vector<COLORREF> Row(int y) const
    {
        if (y < 0 || y >= m_height)
            return {};
        return std::vector<COLORREF>(m_pixels.begin() + y * m_width, m_pixels.begin() + (y + 1) * m_width);
    }
    int Count(COLORREF colour) const
    {
        int count = 0;
        for (COLORREF pixel : m_pixels)
            count += pixel == colour ? 1 : 0;
        return count;
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};

// Runs of equal colour along a row: their colours and widths.
struct Runs {
    std::vector<COLORREF> colours;
    std::vector<int> widths;
};

Runs RunsOf(const std::vector<COLORREF>& row)
{
    Runs runs;
    for (COLORREF pixel : row) {
        if (runs.colours.empty() || runs.colours.back() != pixel) {
            runs.colours.push_back(pixel);
            runs.widths.push_back(0);
        }
        ++runs.widths.back();
    }
    return runs;
}

void MoveMouseTo(HWND wnd, int x, int y)
{
    POINT point{x, y};
    ::ClientToScreen(wnd, &point);
    INPUT input = ui::MouseInputAt(point);
    ::SendInput(1, &input, sizeof input);
}

struct TipSearch {
    HWND label;
    HWND tip;
};

BOOL CALLBACK FindTipOf(HWND wnd, LPARAM data)
{
    auto* search = reinterpret_cast<TipSearch*>(data);
    char name[64] = {};
    ::GetClassNameA(wnd, name, sizeof name);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = search->label;
    tool.uId = 1;
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 &&
        ::SendMessageA(wnd, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) {
        search->tip = wnd;
        return FALSE;
    }
    return TRUE;
}

// The tooltip that has the label's tool 1, and the text of that tool.
HWND TipOf(HWND label)
{
    TipSearch search{label, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindTipOf, reinterpret_cast<LPARAM>(&search));
    return search.tip;
}

std::string TipText(HWND tip, HWND label)
{
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = label;
    tool.uId = 1;
    tool.lpszText = text;
    ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

class OptionControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetProcessModuleState(AfxGetStaticModuleState());  // the cursor comes from this program
        ASSERT_TRUE(m_probe.Create(IDD_CONTROLS_PROBE));
        m_probe.SetWindowPos(HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(m_probe);
        ::SetFocus(m_probe.GetDlgItem(IDC_FOCUS_EDIT));
        Pump();
    }
    void TearDown() override
    {
        MoveMouseTo(m_probe, 2, 2);
        Pump();
        m_probe.DestroyWindow();
    }

    // A header `width` pixels wide, from (201,0,10) to (0,120,255), without texts.
    void RenderBareHeader(CCaptionHeader& header, int width)
    {
        RECT r{};
        header.GetWindowRect(&r);
        m_probe.ScreenToClient(&r);
        header.MoveWindow(r.left, r.top, width, 20);
        header.m_clrLeft = RGB(201, 0, 10);
        header.m_clrRight = RGB(0, 120, 255);
        header.SetWindowText("");
        header.m_strProduct.clear();
        header.Render();
    }

    // The controls as the Options dialog shows them, for the screenshots.
    void ShowAsInTheDialog()
    {
        m_probe.m_wide.m_clrLeft = ::GetSysColor(COLOR_BTNFACE);
        m_probe.m_wide.m_clrRight = RGB(0, 0, 48);
        m_probe.m_wide.SetWindowText("Hosts and projects");
        m_probe.m_wide.Render();
        m_probe.m_narrow.Render();
        m_probe.m_color.m_clrColor = RGB(128, 0, 0);
        m_probe.m_color.Invalidate();
        Pump();
    }

    CControlsProbe m_probe;
};

TEST_F(OptionControlsTest, ANarrowHeaderShowsOneBandPerColumn)
{
    RenderBareHeader(m_probe.m_narrow, 50);
    const Runs runs = RunsOf(CClientPixels(m_probe.m_narrow).Row(10));
    ASSERT_EQ(runs.colours.size(), 50u);
    for (int width : runs.widths)
        EXPECT_EQ(width, 1);
    EXPECT_EQ(runs.colours.front(), RGB(201, 0, 10));
    EXPECT_EQ(runs.colours.back(), RGB(4, 117, 250));
}

TEST_F(OptionControlsTest, AWideHeaderShows128Bands)
{
    RenderBareHeader(m_probe.m_wide, 400);
    const CClientPixels pixels(m_probe.m_wide);
    ASSERT_EQ(pixels.Width(), 400);
    const Runs runs = RunsOf(pixels.Row(10));
    ASSERT_EQ(runs.colours.size(), 128u);
    for (int width : runs.widths) {  // 4-column bands that start every 3.125 columns
        EXPECT_GE(width, 3);
        EXPECT_LE(width, 4);
    }
    EXPECT_EQ(runs.colours.front(), RGB(201, 0, 10));
    EXPECT_EQ(runs.colours.back(), RGB(1, 119, 253));
    EXPECT_EQ(pixels.Row(0), pixels.Row(19));  // the bands fill the full height
}

TEST_F(OptionControlsTest, SettingTheHeaderTextStoresItWithoutDrawing)
{
    CCaptionHeader& header = m_probe.m_wide;
    EXPECT_EQ(header.m_strCaption, "Quorlane");  // taken from the template when attached
    header.SetWindowText("General");
    header.Render();
    const CClientPixels general(header);

    EXPECT_TRUE(::SetWindowTextA(header, "Other"));
    EXPECT_EQ(header.m_strCaption, "Other");
    EXPECT_EQ(header.GetWindowText(), "Quorlane");
    header.Invalidate(true);
    EXPECT_EQ(CClientPixels(header).Row(10), general.Row(10));

    header.Render();
    EXPECT_NE(CClientPixels(header).Row(10), general.Row(10));
}

TEST_F(OptionControlsTest, PaintingCopiesThePictureUntilTheNextRender)
{
    CCaptionHeader& header = m_probe.m_narrow;
    RenderBareHeader(header, 50);
    header.m_clrLeft = RGB(0, 200, 0);
    header.Invalidate(true);
    EXPECT_EQ(CClientPixels(header).At(0, 10), RGB(201, 0, 10));
    header.Render();
    EXPECT_EQ(CClientPixels(header).At(0, 10), RGB(0, 200, 0));
}

TEST_F(OptionControlsTest, AHeaderWithoutWidthOrBandsRendersSafely)
{
    CCaptionHeader& header = m_probe.m_narrow;
    RenderBareHeader(header, 50);
    header.m_nBands = 0;  // one band: a flat left colour
    header.Render();
    const Runs runs = RunsOf(CClientPixels(header).Row(10));
    ASSERT_EQ(runs.colours.size(), 1u);
    EXPECT_EQ(runs.colours[0], RGB(201, 0, 10));

    header.MoveWindow(5, 5, 0, 20);
    header.Render();
    header.Invalidate(true);
    Pump();
}

// The colour button's look, pixel for pixel, on a 40 x 24 button.
class ColorButtonTest : public OptionControlsTest {
protected:
    static constexpr int kWidth = 40;
    static constexpr int kHeight = 24;
    static constexpr COLORREF kSwatch = RGB(200, 30, 40);

    CClientPixels Show(bool pressed)
    {
        m_probe.m_color.MoveWindow(10, 80, kWidth, kHeight);
        m_probe.m_color.m_clrColor = kSwatch;
        m_probe.m_color.SetState(pressed);
        m_probe.m_color.Invalidate(true);
        return CClientPixels(m_probe.m_color);
    }
    static COLORREF Inside(int x, int y)
    {
        const bool swatch = x >= 4 && x < kWidth - 4 && y >= 4 && y < kHeight - 4;
        return swatch ? kSwatch : ::GetSysColor(COLOR_BTNFACE);
    }
    static COLORREF Raised(int x, int y)
    {
        if (x == kWidth - 1 || y == kHeight - 1)
            return ::GetSysColor(COLOR_3DDKSHADOW);
        if (x == 0 || y == 0)
            return ::GetSysColor(COLOR_BTNHIGHLIGHT);
        if (x == kWidth - 2 || y == kHeight - 2)
            return ::GetSysColor(COLOR_BTNSHADOW);
        if (x == 1 || y == 1)
            return ::GetSysColor(COLOR_3DLIGHT);
        return Inside(x, y);
    }
    static COLORREF Pressed(int x, int y)
    {
        const int ring = std::min(std::min(x, y), std::min(kWidth - 1 - x, kHeight - 1 - y));
        return ring < 2 ? ::GetSysColor(COLOR_BTNSHADOW) : Inside(x, y);
    }
};

TEST_F(ColorButtonTest, TheButtonIsOwnerDrawnOnceAttached)
{
    EXPECT_EQ(m_probe.m_color.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(ColorButtonTest, RaisedLook)
{
    const CClientPixels pixels = Show(false);
    ASSERT_EQ(pixels.Width(), kWidth);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(pixels.At(x, y), Raised(x, y)) << "at " << x << "," << y;
}

TEST_F(ColorButtonTest, PressedLookHasADoubleShadowFrameAndNoRaisedBorder)
{
    const CClientPixels pixels = Show(true);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(pixels.At(x, y), Pressed(x, y)) << "at " << x << "," << y;
    EXPECT_EQ(pixels.Count(::GetSysColor(COLOR_BTNHIGHLIGHT)), 0);
}

class LinkLabelTest : public OptionControlsTest {
protected:
    HWND Label() const { return m_probe.m_link; }
    CClientPixels Pixels() const { return CClientPixels(Label()); }
    // Under Wine, where the pointer entered a window is reported by that window's thread when
    // it next reads its input: the desktop's report (another program's, when a probe vanished
    // from under the pointer) or one of the display's from before the last move can come after
    // a move and put the pointer back, and the label stops or starts hovering. Like a hand,
    // the wait puts the mouse back on (or off) the label until it holds there and `shows`.
    template <typename Condition>
    bool HoldMouse(bool onLabel, Condition shows, DWORD timeoutMs = 5000)
    {
        return WaitFor(
            [&] {
                const bool hovering = m_probe.m_link.IsHovering() && ::GetCapture() == Label();
                if (hovering != onLabel)
                    onLabel ? MoveMouseTo(Label(), 5, 4) : MoveMouseTo(m_probe, 5, 5);
                return hovering == onLabel && shows();
            },
            timeoutMs);
    }
    void Hover()
    {
        MoveMouseTo(Label(), 5, 4);
        ASSERT_TRUE(HoldMouse(true, [] { return true; })) << "the label did not capture the mouse";
    }
    void Leave()
    {
        MoveMouseTo(m_probe, 5, 5);
        ASSERT_TRUE(HoldMouse(false, [] { return ::GetCapture() == nullptr; })) << "the label kept the mouse";
    }
    // The label shows this colour and not the other one, with the mouse on or off it.
    bool Shows(bool onLabel, COLORREF colour, COLORREF notColour)
    {
        return HoldMouse(onLabel, [&] {
            const CClientPixels pixels = Pixels();
            return pixels.Count(colour) > 0 && pixels.Count(notColour) == 0;
        });
    }

    const COLORREF m_normal = RGB(0, 0, 238);
    const COLORREF m_visited = RGB(85, 26, 139);
    const COLORREF m_hover = RGB(0, 0, 127);
};

TEST_F(LinkLabelTest, AttachingMakesItNotifyUnderlinedAndExchangesTextAndAddress)
{
    EXPECT_TRUE(m_probe.m_link.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(m_probe.m_link.GetAddress(), kLinkAddress);
    EXPECT_EQ(m_probe.m_linkEmpty.GetWindowText(), kPresetAddress);
    LOGFONTA font{};
    ASSERT_TRUE(::GetObjectA(m_probe.m_link.GetFont(), sizeof font, &font));
    EXPECT_TRUE(font.lfUnderline);
}

TEST_F(LinkLabelTest, HoveringCapturesTheMouseAndTurnsDarkBlueUntilTheMouseLeaves)
{
    EXPECT_TRUE(Shows(false, m_normal, m_hover));

    Hover();
    EXPECT_TRUE(Shows(true, m_hover, m_normal));
    const HCURSOR hand = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    EXPECT_TRUE(HoldMouse(true, [&] { return ::GetCursor() == hand; })) << "no pointing hand";

    Leave();
    EXPECT_TRUE(Shows(false, m_normal, m_hover));

    m_probe.m_link.SetVisited(true);
    EXPECT_TRUE(Shows(false, m_visited, m_normal));
    m_probe.m_link.SetVisited(false);
    EXPECT_TRUE(Shows(false, m_normal, m_visited));
}

TEST_F(LinkLabelTest, AnotherWindowTakingTheMouseEndsTheHover)
{
    Hover();
    ::SetCapture(m_probe);  // a menu or a drag elsewhere
    Pump();
    EXPECT_FALSE(m_probe.m_link.IsHovering());
    EXPECT_GT(Pixels().Count(m_normal), 0);
    ::ReleaseCapture();
}

TEST_F(LinkLabelTest, ItsOwnTipShowsTheAddress)
{
    HWND tip = TipOf(Label());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip, Label()), kLinkAddress);
    m_probe.m_link.SetAddress("http://www.example.org/other");
    EXPECT_EQ(TipText(tip, Label()), "http://www.example.org/other");
    EXPECT_EQ(TipText(TipOf(m_probe.m_linkEmpty), m_probe.m_linkEmpty), kPresetAddress);

    m_probe.m_link.SetAddress(kLinkAddress);
    ShowAsInTheDialog();
    Hover();
    EXPECT_TRUE(HoldMouse(
        true, [&] { return ::IsWindowVisible(tip) != FALSE; }, 10000))
        << "the tip never showed";
    EXPECT_NE(SaveScreenPng("link-label-hovered"), "");
}

TEST_F(LinkLabelTest, AClickOpensTheAddressAndMarksTheLinkVisited)
{
    CHttpClassSandbox http;
    const std::string recorder = CHttpClassSandbox::RecorderPath();
    http.SetText("shell\\open\\command", "\"" + recorder + "\" \"%1\"");
    ASSERT_EQ(CHttpClassSandbox::Text("shell\\open\\command"), "\"" + recorder + "\" \"%1\"");
    http.StartRecording("link-label-click");

    ui::ClickAt(Label(), 5, 4);
    std::string commandLine;
    ASSERT_TRUE(WaitFor([&] { return m_probe.m_link.IsVisited(); }));
    ASSERT_TRUE(http.WaitForRecord(commandLine));
    EXPECT_EQ(commandLine, "\"" + recorder + "\" \"" + kLinkAddress + "\"");

    Leave();
    EXPECT_TRUE(Shows(false, m_visited, m_normal));
}

TEST_F(OptionControlsTest, ScreenshotOfTheControls)
{
    ShowAsInTheDialog();
    EXPECT_NE(SaveWindowPng(m_probe, "option-controls"), "");
}
}  // namespace
