// How the shipped tools look at the display's DPI (run at 96 and again at 144): every page of
// the options dialog and the log viewer with the styled common controls although this host,
// like a Launcher without a manifest, has none, every label inside its control, and pictures
// of them and of Scrivel in build/screenshots.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "ControlFit.h"
#include "LauncherHostList.h"
#include "LauncherIds.h"
#include "ListPageDriver.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "SampleCopy.h"
#include "ScreenDpi.h"
#include "Screenshot.h"
#include "SettingsSchema.h"
#include "SharedData.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerHost.h"
#include "resource.h"

namespace {

constexpr int kPageCount = 11;
constexpr int kFormatPage = 4;
constexpr int kHostsPage = 5;
constexpr int kBrowsersPage = 6;
constexpr int kServerVersionLine = 1094;  // shows as much of the server's answer as fits

std::string Shot(const std::string& what)
{
    return "look-" + std::to_string(AfxScreenDpi()) + "dpi-" + what;
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += "\n  " + line;
    return all;
}

class LookTest : public ::testing::Test {
protected:
    CRegistrySandbox sandbox;
};

TEST_F(LookTest, EveryOptionsPageFitsWithStyledControls)
{
    optionstest::OptionsRun run;
    run.Run(nullptr, [&](HWND dialog) {
        EXPECT_TRUE(looktest::IsStyledControl(optionstest::TreeOf(dialog)))
            << looktest::ClassModule(optionstest::TreeOf(dialog));
        EXPECT_TRUE(looktest::IsStyledControl(::GetDlgItem(dialog, IDOK)))
            << looktest::ClassModule(::GetDlgItem(dialog, IDOK));
        const std::vector<std::string> frameCut = looktest::CutControls(dialog);
        EXPECT_TRUE(frameCut.empty()) << "the dialog:" << Lines(frameCut);
        HWND previous = nullptr;
        for (int index = 0; index < kPageCount; ++index) {
            ASSERT_TRUE(optionstest::SelectPage(dialog, index));
            HWND page = nullptr;
            ASSERT_TRUE(optionstest::WaitUntil([&] {
                page = optionstest::VisiblePage(dialog);
                return page && page != previous;
            })) << "page "
                << index;
            previous = page;
            const std::vector<std::string> cut = looktest::CutControls(page, {kServerVersionLine});
            EXPECT_TRUE(cut.empty()) << "page " << index << ":" << Lines(cut);
            SaveWindowPng(dialog, Shot("options-page-" + std::to_string(index)));
        }
        optionstest::Close(dialog, IDCANCEL);
    });
}

// The dialogs the pages open: a host's, a browser's, and the Format page's font dialog.
TEST_F(LookTest, TheOptionsPagesDialogsFit)
{
    auto check = [](HWND box, const std::string& name) {
        ASSERT_NE(box, nullptr) << name;
        const std::vector<std::string> cut = looktest::CutControls(box);
        EXPECT_TRUE(cut.empty()) << name << ":" << Lines(cut);
        SaveWindowPng(box, Shot(name));
        ui::Click(::GetDlgItem(box, IDCANCEL));
        EXPECT_TRUE(optionstest::WaitUntil([&] { return !::IsWindow(box); })) << name;
    };
    optionstest::CLauncherHostList hosts;
    hosts.Add("www.example.com", "C:\\Sites\\www");
    optionstest::OptionsRun run;
    run.Run(
        nullptr,
        [&](HWND dialog) {
            ASSERT_TRUE(optionstest::SelectPage(dialog, kHostsPage));
            HWND page = optionstest::PageWith(dialog, IDC_HOST_LIST);
            ASSERT_NE(page, nullptr);
            optionstest::SelectRow(::GetDlgItem(page, IDC_HOST_LIST), 0);
            optionstest::PostToolCommand(page, ID_LIST_EDIT);
            check(optionstest::WaitForDialog("Edit \"www.example.com\""), "host-dialog");

            ASSERT_TRUE(optionstest::SelectPage(dialog, kBrowsersPage));
            page = optionstest::PageWith(dialog, IDC_BROWSER_LIST);
            ASSERT_NE(page, nullptr);
            optionstest::PostToolCommand(page, ID_LIST_ADD);
            check(optionstest::WaitForDialog("Choose browser"), "browser-dialog");

            ASSERT_TRUE(optionstest::SelectPage(dialog, kFormatPage));
            page = optionstest::PageWith(dialog, IDC_FONT_BUTTON);
            ASSERT_NE(page, nullptr);
            ::PostMessageA(::GetDlgItem(page, IDC_FONT_BUTTON), BM_CLICK, 0, 0);
            HWND fonts = nullptr;
            ASSERT_TRUE(optionstest::WaitUntil([&] {
                for (HWND w : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770"))
                    if (w != dialog && ::IsWindowVisible(w))
                        fonts = w;
                return fonts != nullptr;
            }));
            check(fonts, "font-dialog");
            optionstest::Close(dialog, IDCANCEL);
        },
        hosts.Get());
}

TEST_F(LookTest, TheLogViewerHasStyledControls)
{
    const std::string server = CopySampleServer("LookViewer");
    ASSERT_FALSE(server.empty());
    viewertest::LauncherLogList logs;
    logs.Add(server + "\\logs\\access.log");
    logs.Add(server + "\\logs\\error.log");
    logs.Add(server + "\\logs\\www-access.log", "www.example.com");
    viewertest::ViewerRun run;
    run.Run(logs.Get(), [&](HWND frame) {
        HWND tree = viewertest::TreeOf(frame);
        ASSERT_NE(tree, nullptr);
        EXPECT_TRUE(looktest::IsStyledControl(tree)) << looktest::ClassModule(tree);
        SaveWindowPng(frame, Shot("log-viewer"));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
}

// Scrivel is a process of its own with its own manifest: started by the Launcher stand-in
// with the sample's httpd.conf open, it is photographed as the user sees it.
TEST_F(LookTest, ScrivelWithADocument)
{
    const std::string server = CopySampleServer("LookScrivel");
    ASSERT_FALSE(server.empty());
    sandbox.Store().WriteString(settings::kFilesKey, "File0", server + "\\conf\\httpd.conf");
    CChildProcess launcher;
    ASSERT_TRUE(launcher.Start(testpaths::Join(testpaths::BinDir(), "Launcher.exe")));
    HWND main = ui::WaitForTopLevel(launcher.Id(), nullptr, kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    HWND edit = ::GetDlgItem(main, IDC_EDIT_CONFIGURATION);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(edit); }, 5000));
    ASSERT_TRUE(ui::Click(edit));
    CSharedData block;
    HWND frame = nullptr;
    ASSERT_TRUE(ui::WaitUntil(
        [&] { return block.Open() && (frame = block.GetEditorWnd()) != nullptr && ::IsWindowVisible(frame); }, 20000));
    // The document's window; the picture waits for its first paint.
    HWND documents = ui::FindChild(frame, "MDIClient");
    EXPECT_TRUE(ui::WaitUntil(
        [&] {
            HWND document = documents ? ::GetWindow(documents, GW_CHILD) : nullptr;
            return document && ::IsWindowVisible(document);
        },
        10000));
    EXPECT_FALSE(SaveWindowPng(frame, Shot("scrivel")).empty());
    ::PostMessageA(frame, WM_LAUNCHER_NOTIFY, LN_CLOSE_NOW, 0);
    ui::WaitUntil([&] { return !::IsWindow(frame); }, 10000);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.Wait(10000), 0);
}

}  // namespace
