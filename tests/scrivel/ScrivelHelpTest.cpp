// Scrivel's context help and documentation bar driven as a user does: F1 on a directive,
// on a constant without a page and on an over-long word; the Help menu's item following
// the caret; the toolbar's toggle and Esc; the bar docked at the bottom at first, sized by
// its edge, closed, floated and docked by its buttons; its state stored at exit and used
// at the next start, a damaged state ignored; the manual in either of its two homes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

class ScrivelHelp : public ::testing::Test {
protected:
    // Scrivel with one configuration open, "ApachePath" at a server of that layout.
    void StartWith(const std::string& text, bool oldLayout = true)
    {
        m_server = MakeServer(oldLayout ? "help-server-old" : "help-server-new", oldLayout);
        const std::string conf = testpaths::Join(m_server, "httpd.conf");
        testpaths::WriteTextFile(conf, text);
        m_run.Registry().Store().SetProfileString(settings::kSection, settings::kApachePath, m_server.c_str());
        m_run.Registry().Store().WriteScrivelFiles({conf});
        ASSERT_TRUE(m_run.Start());
        m_view = ViewOf(ActiveChild(Frame()));
        ASSERT_NE(m_view, nullptr);
    }
    HWND Frame() const { return m_run.Frame(); }
    HWND Bar() { return DocBar(m_run.Process().Id(), Frame()); }
    // The caret into the text at `offset`, then F1 as the user presses it.
    void F1At(int offset)
    {
        ::SendMessageA(m_view, EM_SETSEL, offset, offset);
        ui::BringToFront(Frame());
        ::SetFocus(m_view);
        ASSERT_TRUE(ui::WaitUntil([&] { return ::GetForegroundWindow() == Frame(); }, 5000));
        ui::ClickAt(m_view, 400, 300);  // focus in the text, away from the caret's word
        ::SendMessageA(m_view, EM_SETSEL, offset, offset);
        ui::PressKey(VK_F1);
    }
    std::string BrowserAddress() { return WithoutScheme(ui::TextOf(Browser(Bar()))); }
    std::string ContextHelpMenuText()
    {
        HMENU help = ::GetSubMenu(::GetMenu(Frame()), ::GetMenuItemCount(::GetMenu(Frame())) - 1);
        ::SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(help), 0);
        char text[300] = {};
        ::GetMenuStringA(help, kContextHelp, text, sizeof text, MF_BYCOMMAND);
        return text;
    }

    CScrivelRun m_run;
    std::string m_server;
    HWND m_view = nullptr;
};

TEST_F(ScrivelHelp, F1OnADirectiveShowsItsManualPageInTheBarDockedAtTheBottom)
{
    StartWith("AllowOverride None\r\n");
    F1At(3);
    ASSERT_TRUE(Eventually([&] { return Bar() && ::IsWindowVisible(Bar()); }));
    EXPECT_TRUE(Eventually([&] { return !BrowserAddress().empty(); }));
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
}  // namespace
