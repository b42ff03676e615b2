// The viewer's text pane end to end: what an opened log shows, how it follows the server and
// the Launcher's news, colours, copying and print preview.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Handles.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "UiDriver.h"
#include "ViewerFixture.h"

using namespace viewertest;

using ViewerTextTest = ViewerTest;

TEST_F(ViewerTextTest, AnOpenedLogIsShownReadOnlyAndGoesToItsEndAndBack)
{
    const std::string text = Lines('a');
    std::string a = Log("a.log", text);
    LauncherLogList list;
    list.Add(Slashed(a));
    list.Add(Log("c.log", ""));

    ViewerRun run;
    std::string titled, shown, afterTyping, afterFormat;
    std::pair<DWORD, DWORD> afterDown, afterUp;
    DWORD lastLine = 0;
    LRESULT formatAnswer = -1;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        HWND view = TextViewOf(frame);
        const TreeItem* first = FindItem(ReadTree(tree), "a.log");
        if (!first || !OpenLog(frame, first->handle, "a.log")) {
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
            return;
        }
        titled = ui::TextOf(frame);
        shown = ui::TextOf(view);

        Command(frame, kGoDown);
        lastLine = LastLineStart(view);
        ui::WaitUntil([&] { return Selection(view).first == lastLine; });
        afterDown = Selection(view);
        Command(frame, kGoUp);
        ui::WaitUntil([&] { return Selection(view).first == 0; });
        afterUp = Selection(view);

        // Typing changes nothing; the selection posted after the keys tells they were handled.
        ::PostMessageA(view, WM_CHAR, 'X', 0);
        ::PostMessageA(view, WM_KEYDOWN, VK_DELETE, 0);
        ::PostMessageA(view, WM_CHAR, VK_BACK, 0);
        ::PostMessageA(view, EM_SETSEL, 5, 5);
        ui::WaitUntil([&] { return Selection(view).first == 5; });
        afterTyping = ui::TextOf(view);

        formatAnswer = ::SendMessageA(frame, 0x503, 4, 0);
        afterFormat = ui::TextOf(view);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(result, 1);
    EXPECT_EQ(titled, "Log Viewer - a.log");
    EXPECT_EQ(shown, text);
    EXPECT_NE(lastLine, 0u);
    EXPECT_EQ(afterDown.first, lastLine);
    EXPECT_EQ(afterUp.first, 0u);
    EXPECT_EQ(afterTyping, text);
    EXPECT_EQ(formatAnswer, 0);
    EXPECT_EQ(afterFormat, text);
}

TEST_F(ViewerTextTest, AShownLogStaysWritableForTheServerAndCopyTakesItsText)
{
    std::string log = Log("access.log", "first request\r\n");
    bool serverOpened = false, serverWrote = false, viewFocused = false;
    std::string shown, afterNews, copied;
    int result = ShowLog(log, [&](HWND frame, HWND view) {
        ui::WaitUntil([&] { return ui::TextOf(view) == "first request\r\n"; });
        shown = ui::TextOf(view);

        // The server opens its log after the viewer did, and appends.
        CFileHandle server(::CreateFileA(log.c_str(), FILE_APPEND_DATA,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        serverOpened = static_cast<bool>(server);
        DWORD written = 0;
        serverWrote =
            serverOpened && ::WriteFile(server.Get(), "second request\r\n", 16, &written, nullptr) && written == 16;
        // The Launcher's news of new settings reads the shown log's new lines as well.
        ::PostMessageA(frame, 0x503, 4, 0);
        ui::WaitUntil([&] { return ui::TextOf(view) == "first request\r\nsecond request\r\n"; });
        afterNews = ui::TextOf(view);

        // Copy of the whole text through the keys a user presses in the text pane, into a
        // clipboard emptied first: an earlier program's text is not taken for the copy.
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
        viewFocused = ui::ClickToFocus(frame, view);
        ::SendMessageA(view, EM_SETSEL, 0, -1);
        ui::PressKey('C', true);
        ui::WaitUntil([&] {
            if (!::OpenClipboard(nullptr))
                return false;
            HANDLE data = ::GetClipboardData(CF_TEXT);
            const char* text = data ? static_cast<const char*>(::GlobalLock(data)) : nullptr;
            copied = text ? text : "";
            if (data)
                ::GlobalUnlock(data);
            ::CloseClipboard();
            return !copied.empty();
        });
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(shown, "first request\r\n");
    EXPECT_TRUE(serverOpened);
    EXPECT_TRUE(serverWrote);
    EXPECT_EQ(afterNews, "first request\r\nsecond request\r\n");
    EXPECT_TRUE(viewFocused);
    EXPECT_EQ(copied, "first request\r\nsecond request\r\n");
}

namespace {
int CountPixels(const std::vector<COLORREF>& pixels, const std::function<bool(int r, int g, int b)>& wanted)
{
    int count = 0;
    for (COLORREF pixel : pixels)
        count += wanted(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)) ? 1 : 0;
    return count;
}
bool Reddish(int r, int g, int b)
{
    return r > 150 && g < 100 && b < 100;
}
}  // namespace

TEST_F(ViewerTextTest, ConfigurationKeywordsInALogAreNeverColouredEvenAfterAFormatChange)
{
    std::string log = Log("error.log", "ServerRoot \"C:/Apache24\"\r\nDocumentRoot htdocs\r\nListen 80\r\n"
                                       "LoadModule rewrite_module modules/mod_rewrite.so\r\n");
    CSettingsStore& store = m_registry.Store();
    ASSERT_TRUE(store.SetProfileInt("Settings\\Format", "Coloring", 1));
    ASSERT_TRUE(store.SetProfileInt("Settings\\Format", "Keyword", RGB(255, 0, 0)));
    ASSERT_TRUE(store.SetProfileInt("Settings\\Format", "Quote", RGB(255, 0, 0)));
    ASSERT_TRUE(store.SetProfileInt("Settings\\Format", "Number", RGB(255, 0, 0)));
    ASSERT_TRUE(store.SetProfileInt("Settings\\Format", "Constant", RGB(255, 0, 0)));
    ASSERT_TRUE(store.SetProfileInt("Settings\\Format", "Text", RGB(0, 0, 0)));
    ASSERT_TRUE(store.SetProfileInt("Settings\\Format", "Background", RGB(255, 255, 255)));

    int redBefore = -1, redAfter = -1, darkBefore = 0, yellowAfter = 0, whiteAfter = -1;
    int result = ShowLog(log, [&](HWND frame, HWND view) {
        std::vector<COLORREF> before;
        ui::WaitUntil(
            [&] {
                before = ClientPixels(view);
                darkBefore = CountPixels(before, [](int r, int g, int b) { return r < 80 && g < 80 && b < 80; });
                return darkBefore > 50;
            },
            5000);
        redBefore = CountPixels(before, Reddish);

        // Options stores a new background with colouring on, and the Launcher passes the news on.
        store.SetProfileInt("Settings\\Format", "Background", RGB(255, 255, 160));
        ::PostMessageA(frame, 0x503, 4, 0);
        std::vector<COLORREF> after;
        ui::WaitUntil(
            [&] {
                after = ClientPixels(view);
                yellowAfter = CountPixels(after, [](int r, int g, int b) { return r == 255 && g == 255 && b == 160; });
                return yellowAfter > 1000;
            },
            5000);
        redAfter = CountPixels(after, Reddish);
        whiteAfter = CountPixels(after, [](int r, int g, int b) { return r == 255 && g == 255 && b == 255; });
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_GT(darkBefore, 50);  // the text is drawn
    EXPECT_EQ(redBefore, 0);
    EXPECT_GT(yellowAfter, 1000);  // the new settings are used
    EXPECT_LT(whiteAfter, yellowAfter);
    EXPECT_EQ(redAfter, 0);
}

TEST_F(ViewerTextTest, ALogThatVanishedSinceFillingGivesAnEmptyUntitledPane)
{
    std::string kept = Log("kept.log", "kept line\r\n");
    std::string vanishing = Log("vanishing.log", "soon gone\r\n");
    LauncherLogList list;
    list.Add(kept);
    list.Add(vanishing);
    ViewerRun run;
    std::string titleBefore, title, text;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        std::vector<TreeItem> items = ReadTree(tree);
        SelectItem(tree, items[0].handle);
        Command(frame, kOpenSelected);
        ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - kept.log"; });
        titleBefore = ui::TextOf(frame);
        ::DeleteFileA(vanishing.c_str());
        SelectItem(tree, items[1].handle);
        Command(frame, kOpenSelected);
        ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - Untitled"; });
        title = ui::TextOf(frame);
        text = ui::TextOf(TextViewOf(frame));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(titleBefore, "Log Viewer - kept.log");
    EXPECT_EQ(title, "Log Viewer - Untitled");
    EXPECT_EQ(text, "");
}

TEST_F(ViewerTextTest, PrintPreviewShowsTheLogWhicheverPaneIsActive)
{
    std::string log = Log("access.log", Lines('v'));
    std::string shot, pageText;
    bool previewShown = false, previewClosed = false;
    int result = ShowLog(log, [&](HWND frame, HWND) {
        // The tree is the active pane; the frame hands the command to the text pane.
        Command(frame, kFilePrintPreview);
        HWND preview = ui::WaitForTopLevel(::GetCurrentProcessId(), nullptr, "Print Preview", 5000);
        previewShown = preview != nullptr;
        if (preview) {
            HWND page = nullptr;
            ui::WaitUntil([&] { return (page = ui::FindChild(preview, "Static", -1, "Page 1 of 1")) != nullptr; });
            pageText = page ? ui::TextOf(page) : "";
            shot = SaveWindowPng(preview, "brenlo-print-preview");
            ui::Click(ui::FindChild(preview, "Button", -1, "&Close"));
            previewClosed = ui::WaitUntil([&] { return !::IsWindow(preview); });
        }
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(pageText, "Page 1 of 1");
    EXPECT_TRUE(previewClosed);
    EXPECT_FALSE(shot.empty());
}
