// A format change the whole way round: Options, opened from the Launcher
// stand-in while Scrivel edits httpd.conf and the log viewer shows a log,
// stores a new keyword colour and font; the Launcher passes the news on and
// both open windows take the new settings.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FwIds.h"
#include "LauncherIds.h"
#include "LauncherSession.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "SampleCopy.h"
#include "Screenshot.h"
#include "ScrivelDriver.h"
#include "SettingsSchema.h"
#include "SharedData.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "resource.h"

namespace {

constexpr COLORREF kDefaultKeyword = RGB(0, 0, 255);
constexpr COLORREF kNewKeyword = RGB(0xC0, 0x20, 0x90);
constexpr UINT kOpenSelectedLog = 32776;  // the viewer's "open the selected log" command
constexpr char kFormatSection[] = "Settings\\Format";

int CountOf(const std::vector<COLORREF>& pixels, COLORREF colour)
{
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

// Whether the screen shows this window where the test reads it, rather than one
// lying over it. When not, its top-level window is asked to the front: without
// a window manager, becoming the foreground window does not always lift it
// above the others.
bool OnTop(HWND view)
{
    RECT client{};
    ::GetClientRect(view, &client);
    const POINT places[] = {{2, 2}, {client.right / 2, client.bottom / 2}, {client.right - 2, client.bottom - 2}};
    for (POINT at : places) {
        ::ClientToScreen(view, &at);
        if (::WindowFromPoint(at) != view) {
            HWND root = ::GetAncestor(view, GA_ROOT);
            ui::BringToFront(root);
            ::SetWindowPos(root, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            return false;
        }
    }
    return true;
}

// The distance between the tops of the first two text lines, read from the ink
// in a strip at the left of the view (the sample logs' lines all start with
// digits).
int LinePitch(HWND view, COLORREF background)
{
    RECT client{};
    ::GetClientRect(view, &client);
    const int width = client.right;
    const std::vector<COLORREF> pixels = ScreenClientPixels(view);
    if (width <= 0 || pixels.empty())
        return 0;
    if (!OnTop(view))
        return 0;
    const int strip = std::min(width, 40);
    std::vector<int> tops;
    bool inkAbove = false;
    for (int y = 0; y < static_cast<int>(pixels.size()) / width && tops.size() < 2; ++y) {
        bool ink = false;
        for (int x = 2; x < strip && !ink; ++x)
            ink = pixels[static_cast<size_t>(y) * width + x] != background;
        if (ink && !inkAbove)
            tops.push_back(y);
        inkAbove = ink;
    }
    return tops.size() == 2 ? tops[1] - tops[0] : 0;
}

// The common dialog of the Launcher's process that holds a control with this
// id.
HWND CommonDialog(DWORD processId, HWND options, int controlId)
{
    HWND found = nullptr;
    ui::WaitUntil(
        [&] {
            for (HWND w : ui::TopLevelWindows(processId, "#32770"))
                if (w != options && ::IsWindowVisible(w) && ::GetDlgItem(w, controlId))
                    found = w;
            return found != nullptr;
        },
        10000);
    return found;
}

class LauncherFormatTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (viewer != nullptr && ::IsWindow(viewer))
            ::PostMessageA(viewer, WM_CLOSE, 0, 0);
        ui::WaitUntil([&] { return viewer == nullptr || !::IsWindow(viewer); }, 10000);
        session.Stop();
    }

    CRegistrySandbox sandbox;
    CLauncherSession session;
    CChildProcess& launcher = session.launcher;
    HWND& main = session.main;
    HWND& frame = session.frame;
    HWND viewer = nullptr;
};

}  // namespace

TEST_F(LauncherFormatTest, ANewKeywordColourAndFontReachTheOpenEditorAndLogViewer)
{
    const std::string server = CopySampleServer("LauncherFormatTest");
    ASSERT_FALSE(server.empty());
    sandbox.Store().SetProfileString("Settings", "ApachePath", server.c_str());
    // Every line starts with a keyword, so each line shows ink at the left in the
    // keyword colour.
    std::string lines;
    for (int i = 0; i < 40; ++i)
        lines += "Listen 80\r\n";
    ASSERT_TRUE(WriteServerFile(server, "conf/listen.conf", lines, false));
    sandbox.Store().WriteString(settings::kFilesKey, "File0", server + "\\conf\\listen.conf");

    ASSERT_TRUE(session.StartLauncher());

    // Scrivel with listen.conf, its keywords in the default blue.
    const std::string failure = session.StartScrivel();
    ASSERT_EQ(failure, "");
    ASSERT_TRUE(
        ui::WaitUntil([&] { return scriveltest::ActiveChildTitle(frame).find("listen.conf") != std::string::npos; }));
    HWND document = scriveltest::ViewOf(scriveltest::ActiveChild(frame));
    ASSERT_NE(document, nullptr);
    // A second window on the same file ("New Window"); then the first is active
    // again.
    HWND firstChild = scriveltest::ActiveChild(frame);
    ui::PostCommand(frame, ID_WINDOW_NEW);
    HWND secondChild = nullptr;
    HWND secondView = nullptr;
    ASSERT_TRUE(ui::WaitUntil([&] {
        for (HWND child : scriveltest::ChildFrames(frame))
            if (child != firstChild)
                secondView = scriveltest::ViewOf(secondChild = child);
        return secondView != nullptr;
    }));
    ui::BringToFront(frame);
    int secondPitchBefore = 0;
    ASSERT_TRUE(ui::WaitUntil([&] { return (secondPitchBefore = LinePitch(secondView, RGB(255, 255, 255))) > 0; }));
    ::SendMessageA(scriveltest::MdiClient(frame), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(firstChild), 0);
    ASSERT_TRUE(ui::WaitUntil([&] { return scriveltest::ActiveChild(frame) == firstChild; }));
    ui::BringToFront(frame);
    EXPECT_TRUE(ui::WaitUntil([&] {
        return OnTop(document) && CountOf(ScreenClientPixels(document), kDefaultKeyword) > 0;
    })) << "keywords in blue before the change";

    // The log viewer with the sample's access.log.
    ui::Click(::GetDlgItem(main, IDC_VIEW_LOGS));
    viewer = ui::WaitForTopLevel(launcher.Id(), nullptr, "Log Viewer - Untitled", 20000);
    ASSERT_NE(viewer, nullptr);
    HWND tree = ui::FindChild(viewer, WC_TREEVIEWA);
    ASSERT_NE(tree, nullptr);
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    ::PostMessageA(viewer, WM_COMMAND, kOpenSelectedLog, 0);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::TextOf(viewer) == "Log Viewer - access.log"; }, 10000));
    // The text pane is the one that holds the log's lines.
    HWND logView = nullptr;
    for (HWND child : ui::FindChildren(viewer, nullptr))
        if (child != tree && ::SendMessageA(child, EM_GETLINECOUNT, 0, 0) > 1)
            logView = child;
    ASSERT_NE(logView, nullptr);
    int pitchBefore = 0;
    ui::BringToFront(viewer);
    ASSERT_TRUE(ui::WaitUntil([&] { return (pitchBefore = LinePitch(logView, RGB(255, 255, 255))) > 0; }))
        << "the log's lines are drawn";

    // Options from the viewer's loop (the Launcher's button), the Format page
    // under Scrivel.
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(main, IDC_OPTIONS)));
    HWND dialog = ui::WaitForTopLevel(launcher.Id(), "#32770", "Options", 20000);
    ASSERT_NE(dialog, nullptr);
    HWND optionsTree = optionstest::TreeOf(dialog);
    HTREEITEM format =
        TreeView_GetChild(optionsTree, TreeView_GetNextSibling(optionsTree, TreeView_GetRoot(optionsTree)));
    ASSERT_NE(format, nullptr);
    TreeView_SelectItem(optionsTree, format);
    HWND page = nullptr;
    ASSERT_TRUE(optionstest::WaitUntil(
        [&] { return (page = optionstest::PageWith(dialog, IDC_SYNTAX_COLORING)) != nullptr; }, 10000));

    // The Keyword colour in the real colour dialog.
    HWND items = ::GetDlgItem(page, IDC_COLOR_ITEM);
    const LRESULT keyword =
        ::SendMessageA(items, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Keyword"));
    ASSERT_GE(keyword, 0);
    ::SendMessageA(items, CB_SETCURSEL, static_cast<WPARAM>(keyword), 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_COLOR_ITEM, CBN_SELCHANGE), reinterpret_cast<LPARAM>(items));
    ::PostMessageA(::GetDlgItem(page, IDC_COLOR_BUTTON), BM_CLICK, 0, 0);
    HWND colours = CommonDialog(launcher.Id(), dialog, 706);
    ASSERT_NE(colours, nullptr);
    ::SetDlgItemInt(colours, 706, GetRValue(kNewKeyword), FALSE);
    ::SetDlgItemInt(colours, 707, GetGValue(kNewKeyword), FALSE);
    ::SetDlgItemInt(colours, 708, GetBValue(kNewKeyword), FALSE);
    ui::Click(::GetDlgItem(colours, IDOK));
    ASSERT_TRUE(ui::WaitUntil([&] { return !::IsWindow(colours); }));

    // 20 points in the real font dialog, or its largest size when it offers
    // no 20.
    ::PostMessageA(::GetDlgItem(page, IDC_FONT_BUTTON), BM_CLICK, 0, 0);
    HWND fonts = CommonDialog(launcher.Id(), dialog, cmb3);
    ASSERT_NE(fonts, nullptr);
    HWND sizes = ::GetDlgItem(fonts, cmb3);
    const LRESULT count = ::SendMessageA(sizes, CB_GETCOUNT, 0, 0);
    ASSERT_GT(count, 1);
    LRESULT size = ::SendMessageA(sizes, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("20"));
    if (size < 0)
        size = count - 1;
    ::SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(size), 0);
    ::SendMessageA(fonts, WM_COMMAND, MAKEWPARAM(cmb3, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
    ui::Click(::GetDlgItem(fonts, IDOK));
    ASSERT_TRUE(ui::WaitUntil([&] { return !::IsWindow(fonts); }));

    optionstest::Press(::GetDlgItem(dialog, ID_APPLY_NOW));
    EXPECT_TRUE(ui::WaitUntil([&] { return session.ListsLine("4 LN_FORMAT_CHANGED"); }, 10000));
    optionstest::Close(dialog, IDOK);
    ASSERT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(sandbox.Store().ProfileInt(kFormatSection, "Keyword", -1), static_cast<int>(kNewKeyword));
    const int fontSize = sandbox.Store().ProfileInt(kFormatSection, "FontSize", -1);
    EXPECT_GT(fontSize, 10);

    // Scrivel's open document shows the new keyword colour and none of the old.
    ui::BringToFront(frame);
    EXPECT_TRUE(ui::WaitUntil(
        [&] {
            if (!OnTop(document))
                return false;
            const std::vector<COLORREF> pixels = ScreenClientPixels(document);
            return CountOf(pixels, kNewKeyword) > 0 && CountOf(pixels, kDefaultKeyword) == 0;
        },
        10000))
        << "the open document repaints in the new colour";
    SaveWindowPng(frame, "launcher-format-scrivel");

    // The second window on the file takes the new font too.
    ::SendMessageA(scriveltest::MdiClient(frame), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(secondChild), 0);
    EXPECT_TRUE(ui::WaitUntil([&] { return scriveltest::ActiveChild(frame) == secondChild; }));
    ui::BringToFront(frame);
    int secondPitchAfter = 0;
    EXPECT_TRUE(ui::WaitUntil(
        [&] {
            secondPitchAfter = LinePitch(secondView, RGB(255, 255, 255));
            return secondPitchAfter > secondPitchBefore && CountOf(ScreenClientPixels(secondView), kNewKeyword) > 0;
        },
        10000))
        << "line pitch " << secondPitchBefore << " then " << secondPitchAfter;

    // The viewer's lines are further apart in the larger font, and still
    // uncoloured.
    ui::BringToFront(viewer);
    int pitchAfter = 0;
    // What Scrivel left on the screen there is not taken for the viewer: it has
    // keyword colour.
    int keywordPixels = -1;
    EXPECT_TRUE(ui::WaitUntil(
        [&] {
            pitchAfter = LinePitch(logView, RGB(255, 255, 255));
            keywordPixels = CountOf(ScreenClientPixels(logView), kNewKeyword);
            return pitchAfter > pitchBefore && keywordPixels == 0;
        },
        10000))
        << "line pitch " << pitchBefore << " then " << pitchAfter << " at size " << fontSize << ", " << keywordPixels
        << " pixels in the keyword colour";
    SaveWindowPng(viewer, "launcher-format-viewer");
}
