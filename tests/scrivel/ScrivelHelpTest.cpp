// Scrivel's context help and documentation bar driven as a user does: F1 on a directive,
// on a constant without a page and on an over-long word; the Help menu's item following
// the caret; the toolbar's toggle and Esc; the bar docked at the bottom at first, sized by
// its edge, closed, floated and docked by its buttons; its state stored at exit and used
// at the next start, a damaged state ignored; the manual in either of its two homes, laid
// out as the server's distribution ships it, or missing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "DefaultValueKeeper.h"
#include "FwIds.h"
#include "Handles.h"
#include "HelpEngineStandIn.h"
#include "HttpClassSandbox.h"
#include "Screenshot.h"
#include "ScrivelDriver.h"
#include "SettingsSchema.h"
#include "StoredRecords.h"
#include "TestPaths.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {
constexpr char kBarTitle[] = "Apache documentation";
constexpr int kBrowserId = 1025;
constexpr UINT kToggleDocBar = 32790;
constexpr UINT kHideDocBar = 32791;
constexpr UINT kContextHelp = 32793;

// A server folder whose manual is under htdocs\manual (the old layout) or manual\.
std::string MakeServer(const std::string& name, bool oldLayout)
{
    const std::string folder = testpaths::MakeWorkDir(name);
    const std::string manual = oldLayout ? "htdocs\\manual" : "manual";
    ::CreateDirectoryA(testpaths::Join(folder, "htdocs").c_str(), nullptr);
    ::CreateDirectoryA(testpaths::Join(folder, manual).c_str(), nullptr);
    ::CreateDirectoryA(testpaths::Join(folder, manual + "\\mod").c_str(), nullptr);
    testpaths::WriteTextFile(testpaths::Join(folder, manual + "\\index.html"), "<html>index</html>");
    testpaths::WriteTextFile(testpaths::Join(folder, manual + "\\mod\\core.html"), "<html>core</html>");
    return folder;
}

// The documentation bar, docked in the frame or in its floating frame.
HWND DocBar(DWORD processId, HWND frame)
{
    if (HWND docked = ui::FindChild(frame, nullptr, -1, kBarTitle))
        return docked;
    for (HWND floating : ui::TopLevelWindows(processId, nullptr, kBarTitle))
        if (HWND bar = ui::FindChild(floating, nullptr, -1, kBarTitle))
            return bar;
    return nullptr;
}

HWND Browser(HWND bar)
{
    return bar ? ui::FindChild(bar, nullptr, kBrowserId) : nullptr;
}

// The control reports a file address in its own spelling (how many slashes follow the
// scheme): compared without them, the path and anchor must be exact.
std::string WithoutScheme(const std::string& url)
{
    if (url.compare(0, 5, "file:") != 0)
        return url;
    return url.substr(url.find_first_not_of('/', 5));
}

RECT RectIn(HWND wnd, HWND frame)
{
    RECT r;
    ::GetWindowRect(wnd, &r);
    ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A point of a window given in its window coordinates (non-client included), on the screen.
POINT OnScreen(HWND wnd, int x, int y)
{
    RECT r;
    ::GetWindowRect(wnd, &r);
    return POINT{r.left + x, r.top + y};
}

void Mouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

// Presses at `from`, moves to `to` in steps and lets go, as a hand does.
void Drag(POINT from, POINT to)
{
    ::SetCursorPos(from.x, from.y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 5; ++step) {
        ::Sleep(30);
        ::SetCursorPos(from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5);
        Mouse(MOUSEEVENTF_MOVE);
    }
    ::Sleep(30);
    Mouse(MOUSEEVENTF_LEFTUP);
}

void ClickOnScreen(POINT at, bool twice = false)
{
    ::SetCursorPos(at.x, at.y);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        Mouse(MOUSEEVENTF_LEFTDOWN);
        Mouse(MOUSEEVENTF_LEFTUP);
    }
}

int Height(HWND wnd)
{
    RECT r;
    ::GetWindowRect(wnd, &r);
    return r.bottom - r.top;
}

std::vector<std::uint8_t> StoredBar(CScrivelRun& run)
{
    std::vector<std::uint8_t> bytes;
    run.Registry().Store().ProfileBinary(settings::kSection, settings::kDockedBar, bytes);
    return bytes;
}

// Points the browser control's class registration at a library that is not there, for one
// test, and puts the registration back afterwards.
class CBrowserControlGone : public CDefaultValueKeeper {
public:
    CBrowserControlGone() : CDefaultValueKeeper("CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}\\InprocServer32")
    {
        if (HadKey())
            SetText("C:\\nowhere\\no-browser-control.dll");
    }
    bool Active() const { return HadKey(); }
};

// A next run from a clean registry holding the bar state an earlier one stored, with the
// bar shown by its toggle: the bar, or null.
HWND ShowBarInANextRun(CScrivelRun& next, const std::vector<std::uint8_t>& stored)
{
    next.Registry().Store().SetProfileBinary(settings::kSection, settings::kDockedBar, stored.data(), stored.size());
    HWND bar = nullptr;
    if (next.Start() && ui::PostCommand(next.Frame(), kToggleDocBar))
        ui::WaitUntil([&] { return (bar = DocBar(next.Process().Id(), next.Frame())) != nullptr; });
    return bar;
}

class ScrivelHelp : public ::testing::Test {
protected:
    // Scrivel with one configuration open, "ApachePath" at a server of that layout.
    void StartWith(const std::string& text, bool oldLayout = true, const std::string& server = "")
    {
        m_server = server.empty() ? MakeServer(oldLayout ? "help-server-old" : "help-server-new", oldLayout) : server;
        m_run.Registry().Store().SetProfileString(settings::kSection, settings::kApachePath, m_server.c_str());
        m_view = m_run.StartOn({WorkFile("help-conf", "httpd.conf", text)});
        ASSERT_NE(m_view, nullptr);
    }
    HWND Frame() const { return m_run.Frame(); }
    HWND Bar() { return DocBar(m_run.Process().Id(), Frame()); }
    bool BarShown() { return Bar() && ::IsWindowVisible(Bar()); }
    // The floating frame round the bar, or null when it is docked.
    HWND FloatingFrame()
    {
        HWND bar = Bar();
        HWND root = bar ? ::GetAncestor(bar, GA_ROOT) : nullptr;
        return root && root != Frame() ? root : nullptr;
    }
    // The caret into the text at `offset`, then F1 as the user presses it.
    void F1At(int offset)
    {
        ::SendMessageA(m_view, EM_SETSEL, offset, offset);
        ui::BringToFront(Frame());
        ::SetFocus(m_view);
        ASSERT_TRUE(ui::WaitUntil([&] { return ::GetForegroundWindow() == Frame(); }, 5000));
        ClickBelowTheText();
        ::SendMessageA(m_view, EM_SETSEL, offset, offset);
        ui::PressKey(VK_F1);
    }
    // Focus in the text: a click below its end, which takes the caret there from elsewhere.
    // Input lands in order, so once the caret is at the end every key pressed before has
    // been handled (a caret set by a sent message would overtake a key still queued).
    void ClickBelowTheText()
    {
        const LRESULT end = ::SendMessageA(m_view, WM_GETTEXTLENGTH, 0, 0);
        ui::ClickAt(m_view, 400, 300);
        ASSERT_TRUE(ui::WaitUntil([&] { return LOWORD(::SendMessageA(m_view, EM_GETSEL, 0, 0)) == end; }, 5000));
    }
    std::string BrowserAddress() { return WithoutScheme(ui::TextOf(Browser(Bar()))); }
    // The Help menu opened with the keyboard and its last item (context help) chosen.
    void ChooseContextHelpFromTheMenu(const char* picture)
    {
        ui::PressKey('H', false, false, true);
        HWND menu = nullptr;
        ASSERT_TRUE(ui::WaitUntil([&] {
            const std::vector<HWND> menus = ui::TopLevelWindows(m_run.Process().Id(), "#32768");
            menu = menus.empty() ? nullptr : menus.front();
            return menu != nullptr;
        })) << "the Help menu did not open";
        WaitForPicture(menu);
        const std::vector<COLORREF> first = ScreenClientPixels(menu);
        ui::PressKey(VK_UP);
        // The highlight moves to the last item.
        EXPECT_TRUE(ui::WaitUntil([&] { return ScreenClientPixels(menu) != first; }));
        if (picture) {
            WaitForPicture(menu);
            SaveScreenPng(picture);
        }
        ui::PressKey(VK_RETURN);
    }
    // The bar's toggle chosen; true once the bar is shown or hidden as asked.
    bool Toggle(bool shown)
    {
        return ui::PostCommand(Frame(), kToggleDocBar) && ui::WaitUntil([&] { return BarShown() == shown; });
    }
    bool ToggleButtonChecked()
    {
        HWND toolbar = ui::FindChild(Frame(), "ToolbarWindow32");
        return ::SendMessageA(toolbar, TB_ISBUTTONCHECKED, kToggleDocBar, 0) != 0;
    }

    CScrivelRun m_run;
    std::string m_server;
    HWND m_view = nullptr;
};

TEST_F(ScrivelHelp, F1OnADirectiveShowsItsManualPageInTheBarDockedAtTheBottom)
{
    StartWith("AllowOverride None\r\n");
    F1At(3);
    ASSERT_TRUE(ui::WaitUntil([&] { return Bar() && ::IsWindowVisible(Bar()); }));
    EXPECT_TRUE(ui::WaitUntil([&] { return !BrowserAddress().empty(); }));
    EXPECT_EQ(BrowserAddress(), m_server + "\\htdocs\\manual\\mod\\core.html#allowoverride");

    RECT client;
    ::GetClientRect(Frame(), &client);
    RECT bar = RectIn(Bar(), Frame());
    RECT status = RectIn(StatusBar(Frame()), Frame());
    EXPECT_EQ(bar.bottom, status.top);
    const int expected = client.bottom <= 200 ? client.bottom / 3 : 200;
    EXPECT_EQ(bar.bottom - bar.top, expected);
    SaveWindowPng(Frame(), "scrivel-docbar-bottom");
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelHelp, TheManualUnderManualIsFoundForAPathThatNamesHtdocs)
{
    StartWith("AllowOverride None\r\n", false);
    F1At(3);
    ASSERT_TRUE(ui::WaitUntil([&] { return BarShown() && !BrowserAddress().empty(); }));
    EXPECT_EQ(BrowserAddress(), m_server + "\\manual\\mod\\core.html#allowoverride");
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelHelp, WordsWithoutAPageGetNoBarAndTheMenuItemFollowsTheCaret)
{
    const std::string longWord(255, 'A');
    StartWith("Options None\r\n" + longWord + "\r\n");
    F1At(10);  // a constant: a beep and nothing else
    ClickBelowTheText();
    F1At(16);  // 255 characters: nothing at all
    ClickBelowTheText();
    // The item chosen while the caret is on the constant: disabled, so nothing runs.
    ::SendMessageA(m_view, EM_SETSEL, 10, 10);
    ::SendMessageA(Frame(), WM_COMMAND, kContextHelp, 0);
    ui::WaitUntil([] { return false; }, 500);
    EXPECT_EQ(Bar(), nullptr);

    // On a directive the item names it and shows its page.
    ::SendMessageA(m_view, EM_SETSEL, 2, 2);
    ChooseContextHelpFromTheMenu("scrivel-help-menu");
    EXPECT_TRUE(ui::WaitUntil([&] { return BarShown(); }));
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelHelp, TheToggleShowsTheIndexAndHidesTheBarAndEscHidesIt)
{
    StartWith("AllowOverride None\r\n", false);
    ui::BringToFront(Frame());
    ui::ClickAt(m_view, 400, 300);
    ::SendMessageA(Frame(), WM_COMMAND, kHideDocBar, 0);  // Esc before any bar: nothing
    ASSERT_TRUE(ui::PostCommand(Frame(), kToggleDocBar));
    ASSERT_TRUE(ui::WaitUntil([&] { return BarShown() && !BrowserAddress().empty(); }));
    EXPECT_EQ(BrowserAddress(), m_server + "\\manual\\index.html");
    EXPECT_TRUE(ui::WaitUntil([&] { return ToggleButtonChecked(); }));

    ui::ClickAt(m_view, 400, 100);
    ui::PressKey(VK_ESCAPE);
    ASSERT_TRUE(ui::WaitUntil([&] { return !BarShown(); }));
    // Esc again, the bar already hidden: nothing. Posted like the toggle after it, so that it
    // is handled first: a key from the input queue would come after any posted command.
    ::PostMessageA(m_view, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageA(m_view, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
    ASSERT_TRUE(Toggle(true));
    ASSERT_TRUE(Toggle(false));

    // Help asked for again shows the hidden bar with the new page.
    F1At(3);
    ASSERT_TRUE(ui::WaitUntil([&] { return BarShown(); }));
    EXPECT_TRUE(ui::WaitUntil([&] { return BrowserAddress() == m_server + "\\manual\\mod\\core.html#allowoverride"; }));
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelHelp, TheEdgeSizesTheBarWithinItsLimitsAndTheStateIsStoredAtExitAndUsedAtTheNextStart)
{
    StartWith("AllowOverride None\r\n");
    ASSERT_TRUE(Toggle(true));
    ui::BringToFront(Frame());
    const int start = Height(Bar());

    // A bottom bar's edge is its top 6 pixels.
    RECT bar;
    ::GetWindowRect(Bar(), &bar);
    POINT edge = OnScreen(Bar(), (bar.right - bar.left) / 2, 3);
    Drag(edge, {edge.x, edge.y - 50});
    EXPECT_TRUE(ui::WaitUntil([&] { return Height(Bar()) == start + 50; })) << Height(Bar());

    edge = OnScreen(Bar(), (bar.right - bar.left) / 2, 3);
    Drag(edge, {edge.x, edge.y + Height(Bar()) + 100});
    EXPECT_TRUE(ui::WaitUntil([&] { return Height(Bar()) == 32; })) << Height(Bar());

    edge = OnScreen(Bar(), (bar.right - bar.left) / 2, 3);
    Drag(edge, {edge.x, edge.y - 118});
    ASSERT_TRUE(ui::WaitUntil([&] { return Height(Bar()) == 150; })) << Height(Bar());
    EXPECT_EQ(m_run.CloseNow(), 0);

    std::vector<std::uint8_t> bytes = StoredBar(m_run);
    ASSERT_EQ(bytes.size(), 48u);
    std::optional<BarStateRecord> stored = BarStateRecord::Decode(bytes);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->horzCy, 150);
    EXPECT_EQ(stored->style & 0xF000, 0x8000);
    EXPECT_EQ(stored->floating, 0);

    // The next run starts from a clean registry holding what this one stored.
    CScrivelRun next;
    HWND again = ShowBarInANextRun(next, bytes);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Height(again), 150);
    EXPECT_EQ(next.CloseNow(), 0);
}

TEST_F(ScrivelHelp, TheCloseButtonHidesTheBarAndTheDockButtonFloatsItAndDocksItAgain)
{
    StartWith("AllowOverride None\r\n");
    ASSERT_TRUE(Toggle(true));
    ui::BringToFront(Frame());

    // The gripper's close button at 3,10 to 15,22, the dock button 13 below it.
    ClickOnScreen(OnScreen(Bar(), 9, 16));
    ASSERT_TRUE(ui::WaitUntil([&] { return !BarShown(); }));
    EXPECT_TRUE(ui::WaitUntil([&] { return !ToggleButtonChecked(); }));
    ASSERT_TRUE(Toggle(true));

    ClickOnScreen(OnScreen(Bar(), 9, 29));
    ASSERT_TRUE(ui::WaitUntil([&] { return FloatingFrame() != nullptr && ::IsWindowVisible(FloatingFrame()); }));
    HWND floating = FloatingFrame();
    EXPECT_EQ(ui::TextOf(floating), kBarTitle);
    RECT client;
    ::GetClientRect(floating, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 200);
    WaitForPicture(floating);
    SaveScreenPng("scrivel-docbar-floating");

    // Closed while floating, and stored so at exit: the next start floats it there.
    RECT place;
    ::GetWindowRect(Bar(), &place);
    EXPECT_EQ(m_run.CloseNow(), 0);
    const std::vector<std::uint8_t> bytes = StoredBar(m_run);
    std::optional<BarStateRecord> stored = BarStateRecord::Decode(bytes);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->floating, 1);
    EXPECT_EQ(stored->left, place.left);
    EXPECT_EQ(stored->top, place.top);

    CScrivelRun next;
    HWND bar = ShowBarInANextRun(next, bytes);
    ASSERT_NE(bar, nullptr);
    EXPECT_NE(::GetAncestor(bar, GA_ROOT), next.Frame());
    RECT back;
    ::GetWindowRect(bar, &back);
    EXPECT_EQ(back.left, place.left);
    EXPECT_EQ(back.top, place.top);

    // A double click on the floating frame's caption docks it at the bottom again.
    HWND floatingAgain = ::GetAncestor(bar, GA_ROOT);
    RECT frameRect;
    ::GetWindowRect(floatingAgain, &frameRect);
    ClickOnScreen({(frameRect.left + frameRect.right) / 2, back.top - ::GetSystemMetrics(SM_CYSMCAPTION) / 2}, true);
    EXPECT_TRUE(ui::WaitUntil([&] { return ::GetAncestor(bar, GA_ROOT) == next.Frame(); }));
    EXPECT_EQ(next.CloseNow(), 0);
}

TEST_F(ScrivelHelp, AStoredBarStateShorterThanItsRecordIsIgnored)
{
    const std::uint8_t damaged[20] = {0xFF, 0xFF, 0xFF, 0x7F, 0x01};
    m_run.Registry().Store().SetProfileBinary(settings::kSection, settings::kDockedBar, damaged, sizeof damaged);
    StartWith("AllowOverride None\r\n");
    ASSERT_TRUE(Toggle(true));
    EXPECT_EQ(FloatingFrame(), nullptr);
    EXPECT_EQ(Height(Bar()), 200);
    EXPECT_EQ(RectIn(Bar(), Frame()).bottom, RectIn(StatusBar(Frame()), Frame()).top);
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelHelp, WithoutTheBrowserControlThePageOpensInTheSystemsWebBrowser)
{
    CBrowserControlGone gone;
    ASSERT_TRUE(gone.Active());
    CHttpClassSandbox http;
    http.SetText("shell\\open\\command", "\"" + CHttpClassSandbox::RecorderPath() + "\" \"%1\"");
    http.StartRecording("scrivel-docbar-fallback");
    StartWith("AllowOverride None\r\n");
    F1At(3);
    std::string commandLine;
    ASSERT_TRUE(http.WaitForRecord(commandLine));
    EXPECT_NE(commandLine.find("file:///" + m_server + "\\htdocs\\manual\\mod\\core.html#allowoverride"),
              std::string::npos)
        << commandLine;
    EXPECT_EQ(Bar(), nullptr);
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelHelp, HelpTopicOpensTheEditorsTopicOfTheHelpFileBesideTheProgram)
{
    const std::string helpFile = testpaths::Join(testpaths::BinDir(), "Tessaly.chm");
    ASSERT_NE(::GetFileAttributesA(helpFile.c_str()), INVALID_FILE_ATTRIBUTES) << "the build makes " << helpFile;
    CHelpEngineStandIn engine;
    StartWith("AllowOverride None\r\n");
    ::SendMessageA(Frame(), WM_COMMAND, ID_HELP_FINDER, 0);  // not run when disabled
    ASSERT_TRUE(ui::WaitUntil([&] { return !testpaths::FileText(CHelpEngineStandIn::Record()).empty(); }));
    const std::string call = testpaths::FileText(CHelpEngineStandIn::Record());
    // Owner, file, command, data: no owner, the topic, HH_DISPLAY_TOPIC, 0.
    const std::size_t first = call.find('|');
    ASSERT_NE(first, std::string::npos) << call;
    EXPECT_EQ(std::strtoul(call.substr(0, first).c_str(), nullptr, 16), 0ul) << call;
    char folder[MAX_PATH] = {};
    DWORD length = ::GetLongPathNameA(testpaths::BinDir().c_str(), folder, MAX_PATH);
    ASSERT_GT(length, 0u);
    std::string expected = std::string(folder) + "\\Tessaly.chm::/editor_home.htm|0|0\n";
    std::string got = call.substr(first + 1);
    auto lower = [](std::string t) {
        for (char& c : t)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    EXPECT_EQ(lower(got), lower(expected));
    EXPECT_EQ(m_run.CloseNow(), 0);
}

#ifdef TESSALY_BUILT_SAMPLE_DIR
// The build copies the server's manual into the sample server under manual\.
TEST_F(ScrivelHelp, OnTheSampleServerF1FindsTheManualTheBuildCopied)
{
    const std::string sample = TESSALY_BUILT_SAMPLE_DIR;
    const std::string page = sample + "\\manual\\mod\\core.html";
    ASSERT_NE(::GetFileAttributesA(page.c_str()), INVALID_FILE_ATTRIBUTES) << page;
    StartWith("AllowOverride None\r\n", false, sample);
    F1At(3);
    ASSERT_TRUE(ui::WaitUntil([&] { return BarShown() && !BrowserAddress().empty(); }));
    EXPECT_EQ(BrowserAddress(), page + "#allowoverride");
    EXPECT_EQ(m_run.CloseNow(), 0);
}
#endif

#ifdef TESSALY_DEBIAN_MANUAL_DIR
// A server folder whose manual is laid out as the server's distribution ships it: each page
// a type map of the pages in each language beside it (here Debian's real pages).
std::string MakeDistributionServer()
{
    const std::string folder = MakeServer("help-server-dist", false);
    const std::string manual = folder + "\\manual\\";
    for (const std::string page : {"index.html", "mod\\core.html"}) {
        const std::string name = page.substr(page.find('\\') + 1);
        std::string typeMap = "URI: " + name + "\n\n";
        for (const std::string language : {"de", "en", "fr"}) {
            const std::string from = std::string(TESSALY_DEBIAN_MANUAL_DIR) + "\\" + language + "\\" + page;
            ::CopyFileA(from.c_str(), (manual + page + "." + language).c_str(), FALSE);
            typeMap += "URI: " + name + "." + language + "\nContent-Language: " + language +
                       "\nContent-type: text/html; charset=UTF-8\n\n";
        }
        testpaths::WriteTextFile(manual + page, typeMap);
    }
    return folder;
}
TEST_F(ScrivelHelp, InTheDistributionsManualTheIndexAndF1LeadToTheEnglishPagesTheTypeMapsList)
{
    ASSERT_EQ(PRIMARYLANGID(::GetUserDefaultUILanguage()), LANG_ENGLISH) << "this case is the English user's";
    StartWith("AllowOverride None\r\n", false, MakeDistributionServer());
    ASSERT_TRUE(ui::PostCommand(Frame(), kToggleDocBar));
    ASSERT_TRUE(ui::WaitUntil([&] { return BarShown() && !BrowserAddress().empty(); }));
    EXPECT_EQ(BrowserAddress(), m_server + "\\manual\\index.html.en");
    F1At(3);
    const std::string page = m_server + "\\manual\\mod\\core.html.en#allowoverride";
    EXPECT_TRUE(ui::WaitUntil([&] { return BrowserAddress() == page; })) << BrowserAddress();
    EXPECT_EQ(m_run.CloseNow(), 0);
}
#endif

TEST_F(ScrivelHelp, WithoutTheManualF1SaysSoInRedAndShowsTheOnlineManualsPage)
{
    StartWith("AllowOverride None\r\n", false, testpaths::MakeWorkDir("help-server-none"));
    F1At(3);
    EXPECT_TRUE(ui::WaitUntil([&] {
        return StatusText(Frame()) == "The server's manual was not found under " + m_server &&
               StatusPaneColour(Frame()) == kErrorBack;
    })) << StatusText(Frame());
    const std::string online = "https://httpd.apache.org/docs/2.4/mod/core.html#allowoverride";
    EXPECT_TRUE(ui::WaitUntil([&] { return BrowserAddress() == online; })) << BrowserAddress();
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelHelp, TheGripperDragsTheBarToTheLeftSide)
{
    StartWith("AllowOverride None\r\n");
    ASSERT_TRUE(Toggle(true));
    ui::BringToFront(Frame());

    // The gripper of a bottom bar runs down its left side from 40 pixels.
    RECT client;
    ::GetClientRect(MdiClient(Frame()), &client);
    POINT left{0, client.bottom / 2};
    ::ClientToScreen(MdiClient(Frame()), &left);
    const POINT grip = OnScreen(Bar(), 10, 60);
    // The press must land on the bar: until the display shows the frame in front, it lands
    // on whatever was there before.
    ASSERT_TRUE(ui::WaitUntil([&] {
        HWND under = ::WindowFromPoint(grip);
        return ::GetForegroundWindow() == Frame() && (under == Bar() || ::IsChild(Bar(), under));
    }));
    Drag(grip, {left.x + 4, left.y});
    ASSERT_TRUE(ui::WaitUntil([&] {
        RECT bar = RectIn(Bar(), Frame());
        return bar.left == 0 && bar.bottom - bar.top > bar.right - bar.left;
    }));
    RECT frameClient;
    ::GetClientRect(Frame(), &frameClient);
    RECT bar = RectIn(Bar(), Frame());
    EXPECT_EQ(bar.right - bar.left, frameClient.right <= 200 ? frameClient.right / 3 : 200);
    EXPECT_EQ(RectIn(MdiClient(Frame()), Frame()).left, bar.right);
    SaveWindowPng(Frame(), "scrivel-docbar-left");
    EXPECT_EQ(m_run.CloseNow(), 0);
}
}  // namespace
