// The log viewer end to end: the real Brenlo.dll called as the Launcher calls it, driven by
// a user on a second thread.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "Handles.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "StoredRecords.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerHost.h"

using namespace viewertest;

namespace {
constexpr UINT kGoDown = 32771;
constexpr UINT kGoUp = 32772;
constexpr UINT kClear = 32773;
constexpr UINT kClearAll = 32774;
constexpr UINT kShowLogSize = 32775;
constexpr UINT kOpenSelected = 32776;
constexpr UINT kAbout = 57664;
constexpr int kClosedFolder = 2;
constexpr int kOpenFolder = 3;
constexpr int kMissingFile = 5;
constexpr int kPresentFile = 6;

// 24 lines of 62 characters and CR LF: 1536 bytes, 1.50 kilobytes.
std::string Lines(char letter)
{
    std::string text;
    for (int i = 0; i < 24; ++i) {
        std::string line = "[line " + std::to_string(100 + i) + "] GET /index.html HTTP/1.1 200 ";
        line.append(62 - line.size(), letter);
        text += line + "\r\n";
    }
    return text;
}

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = testpaths::MakeWorkDir(std::string("brenlo-") + info->name());
        ASSERT_NE(ViewerExport(), nullptr) << "Brenlo.dll not found in " << testpaths::BinDir();
    }

    std::string Log(const std::string& name, const std::string& content)
    {
        std::string path = testpaths::Join(m_dir, name);
        EXPECT_TRUE(testpaths::WriteTextFile(path, content));
        return path;
    }
    // The path as the Launcher may give it, with forward slashes.
    static std::string Slashed(std::string path)
    {
        for (char& ch : path) {
            if (ch == '\\')
                ch = '/';
        }
        return path;
    }
    std::string Missing(const std::string& name) const { return testpaths::Join(m_dir, name); }

    int StoredInt(const char* entry, int fallback)
    {
        return m_registry.Store().ProfileInt("Settings", entry, fallback);
    }

    CRegistrySandbox m_registry;
    std::string m_dir;
};

bool ToolbarEnabled(HWND frame, UINT id)
{
    HWND toolbar = ui::FindChild(frame, TOOLBARCLASSNAMEA);
    return toolbar && ::SendMessageA(toolbar, TB_ISBUTTONENABLED, id, 0) != 0;
}

std::pair<DWORD, DWORD> Selection(HWND view)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(view, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// The state of a menu item as the user sees it when the popup opens: the frame updates the
// popup's items first.
UINT MenuState(HWND frame, int popupIndex, UINT id)
{
    HMENU popup = ::GetSubMenu(::GetMenu(frame), popupIndex);
    ::SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), popupIndex);
    return ::GetMenuState(popup, id, MF_BYCOMMAND);
}
constexpr int kFileMenu = 0;
constexpr int kViewMenu = 2;
constexpr int kHelpMenu = 3;

DWORD LastLineStart(HWND view)
{
    LRESULT lines = ::SendMessageA(view, EM_GETLINECOUNT, 0, 0);
    return static_cast<DWORD>(::SendMessageA(view, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0));
}
}  // namespace

TEST_F(ViewerTest, GroupedLogsWithSizesOpenReadOnlyAndTalkToTheLauncher)
{
    const std::string text = Lines('a');
    std::string a = Log("a.log", text);
    std::string c = Log("c.log", "");
    std::string b1 = Log("b1.log", std::string(2048, 'b'));
    std::string zeta = Log("zeta.log", std::string(100, 'z'));
    std::string access = Log("access.log", "GET / 200\r\nGET /favicon.ico 404\r\n");
    ASSERT_TRUE(m_registry.Store().SetProfileInt("Settings", "ShowSize", 1));
    ASSERT_TRUE(m_registry.Store().SetProfileInt("Settings", "LeftPane", 200));

    LauncherLogList list;
    list.Add(Slashed(a));
    list.Add(c);
    list.Add(b1, "B");
    list.Add(zeta, "b");                 // the same group, told apart only by case
    list.Add(Slashed(b1), "B");          // a duplicate: dropped
    list.Add(Missing("gone.log"), "Hosts");
    list.Add(access, "Hosts");

    ViewerRun run;
    std::vector<TreeItem> items;
    std::string untitled, titled, shown, afterTyping, afterFormat, missingText;
    std::pair<DWORD, DWORD> afterDown, afterUp;
    DWORD lastLine = 0;
    bool clearOnForFile = false, clearOffForMissing = true, clearAllOn = false;
    int expandedImage = -1;
    LRESULT formatAnswer = -1;
    bool launcherServed = false;
    std::string screenshot;
    HWND frameSeen = nullptr;
    int treeWidth = 0;

    int result = run.Run(list.Get(), [&](HWND frame) {
        frameSeen = frame;
        HWND tree = TreeOf(frame);
        HWND view = TextViewOf(frame);
        WaitUntil([&] { return WindowText(frame) == "Log Viewer - Untitled"; });
        untitled = WindowText(frame);
        items = ReadTree(tree);
        RECT treeRect{};
        ::GetWindowRect(tree, &treeRect);
        treeWidth = treeRect.right - treeRect.left;
        WaitUntil([&] { return ToolbarEnabled(frame, kClearAll); });
        clearAllOn = ToolbarEnabled(frame, kClearAll);

        const TreeItem* first = FindItem(items, "a.log - 1.50Kb");
        const TreeItem* hosts = FindItem(items, "Hosts");
        if (!first || !hosts || hosts->children.size() != 2) {
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
            return;
        }
        SelectItem(tree, first->handle);
        clearOnForFile = WaitUntil([&] { return ToolbarEnabled(frame, kClear); });
        Command(frame, kOpenSelected);
        WaitUntil([&] { return WindowText(frame) == "Log Viewer - a.log"; });
        titled = WindowText(frame);
        shown = WindowText(view);

        Command(frame, kGoDown);
        lastLine = LastLineStart(view);
        WaitUntil([&] { return Selection(view).first == lastLine; });
        afterDown = Selection(view);
        Command(frame, kGoUp);
        WaitUntil([&] { return Selection(view).first == 0; });
        afterUp = Selection(view);

        ::PostMessageA(view, WM_CHAR, 'X', 0);
        ::PostMessageA(view, WM_KEYDOWN, VK_DELETE, 0);
        ::PostMessageA(view, WM_CHAR, VK_BACK, 0);
        Sleep(200);
        afterTyping = WindowText(view);

        formatAnswer = ::SendMessageA(frame, 0x503, 4, 0);
        afterFormat = WindowText(view);

        const TreeItem* gone = FindItem(hosts->children, "gone.log - 0.00Kb");
        if (gone) {
            SelectItem(tree, gone->handle);
            clearOffForMissing = WaitUntil([&] { return !ToolbarEnabled(frame, kClear); });
            Command(frame, kOpenSelected);
            AnswerMessageBox("Tessaly", IDOK, &missingText);
        }

        const TreeItem* groupB = FindItem(items, "B");
        if (groupB) {
            ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hosts->handle));
            ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(groupB->handle));
            std::vector<TreeItem> now = ReadTree(tree);
            if (const TreeItem* b = FindItem(now, "B"))
                expandedImage = b->image;
        }
        SelectItem(tree, first->handle);
        Sleep(300);
        screenshot = SaveWindowPng(frame, "brenlo-viewer-grouped");

        Command(frame, kAbout);
        WaitUntil([&] { return !run.Notices().empty(); });
        launcherServed = run.LauncherAnswers();
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(result, 1);
    EXPECT_EQ(run.FrameVariable(), nullptr);
    EXPECT_FALSE(::IsWindow(frameSeen));
    EXPECT_EQ(untitled, "Log Viewer - Untitled");
    EXPECT_EQ(treeWidth, 200);

    // Files first, then groups; each kind alphabetical; one group for "B" and "b".
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "a.log - 1.50Kb");
    EXPECT_EQ(items[0].image, kPresentFile);
    EXPECT_EQ(items[1].text, "c.log - 0.00Kb");
    EXPECT_EQ(items[2].text, "B");
    EXPECT_EQ(items[2].image, kClosedFolder);
    EXPECT_EQ(items[2].data, 0x8000);
    EXPECT_EQ(items[3].text, "Hosts");
    ASSERT_EQ(items[2].children.size(), 2u);
    EXPECT_EQ(items[2].children[0].text, "b1.log - 2.00Kb");
    EXPECT_EQ(items[2].children[1].text, "zeta.log - 0.10Kb");
    ASSERT_EQ(items[3].children.size(), 2u);
    EXPECT_EQ(items[3].children[0].text, "access.log - 0.03Kb");
    EXPECT_EQ(items[3].children[1].text, "gone.log - 0.00Kb");
    EXPECT_EQ(items[3].children[1].image, kMissingFile);
    EXPECT_EQ(expandedImage, kOpenFolder);

    EXPECT_TRUE(clearAllOn);
    EXPECT_TRUE(clearOnForFile);
    EXPECT_TRUE(clearOffForMissing);
    EXPECT_EQ(missingText, "File does not exists.");

    EXPECT_EQ(titled, "Log Viewer - a.log");
    EXPECT_EQ(shown, text);
    EXPECT_NE(lastLine, 0u);
    EXPECT_EQ(afterDown.first, lastLine);
    EXPECT_EQ(afterUp.first, 0u);
    EXPECT_EQ(afterTyping, text);
    EXPECT_EQ(formatAnswer, 0);
    EXPECT_EQ(afterFormat, text);

    // About goes to the Launcher, whose window runs inside the call and already sees the
    // viewer's handle in its variable.
    std::vector<Notice> notices = run.Notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].code, 19u);
    EXPECT_EQ(notices[0].frameAtThatMoment, frameSeen);
    EXPECT_TRUE(launcherServed);
    EXPECT_FALSE(screenshot.empty());

    EXPECT_EQ(StoredInt("ShowSize", -1), 1);
    EXPECT_EQ(StoredInt("LeftPane", -1), 200);
    std::vector<std::uint8_t> placement;
    ASSERT_TRUE(m_registry.Store().ProfileBinary("Settings", "MainWindow", placement));
    ASSERT_EQ(placement.size(), 44u);
    EXPECT_EQ(PlacementRecord::Decode(placement)->showCmd, SW_SHOWNORMAL);
}

TEST_F(ViewerTest, ClearAndClearAllEmptyLogsTheServerHoldsOpen)
{
    const std::string text = Lines('s');
    std::string shownLog = Log("shown.log", text);
    std::string other = Log("other.log", Lines('o'));
    std::string held = Log("held.log", Lines('h'));
    std::string gone = Missing("gone.log");

    // Held as the server holds its logs: appending, sharing read, write and delete.
    CFileHandle server(::CreateFileA(held.c_str(), FILE_APPEND_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(server);

    LauncherLogList list;
    list.Add(shownLog, "Logs");
    list.Add(other, "Logs");
    list.Add(held, "Logs");
    list.Add(gone, "Logs");

    ViewerRun run;
    std::string question, shownAfterOtherCleared, labelAfterNo, shownAfterClear, allQuestion, otherLabel;
    std::uint64_t otherAfterNo = 0, otherAfterYes = 0, shownAfterYes = 0, heldAfterAll = 0;
    bool answeredNo = false, answeredAll = false;

    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        HWND view = TextViewOf(frame);
        std::vector<TreeItem> items = ReadTree(tree);
        if (items.size() != 1 || items[0].children.size() != 4) {
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
            return;
        }
        const std::vector<TreeItem>& logs = items[0].children;  // gone, held, other, shown
        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[0].handle));
        SelectItem(tree, FindItem(logs, "shown.log")->handle);
        Command(frame, kOpenSelected);
        WaitUntil([&] { return WindowText(view) == text; });

        // No leaves the log as it is.
        SelectItem(tree, FindItem(logs, "other.log")->handle);
        Command(frame, kClear);
        answeredNo = AnswerMessageBox("Clear log", IDNO, &question);
        otherAfterNo = FileSize(other);

        SelectItem(tree, FindItem(logs, "other.log")->handle);
        Command(frame, kClear);
        AnswerMessageBox("Clear log", IDYES);
        WaitUntil([&] { return FileSize(other) == 0; });
        otherAfterYes = FileSize(other);
        shownAfterOtherCleared = WindowText(view);
        otherLabel = ReadTree(tree)[0].children[2].text;

        // Clearing the shown log shows it empty.
        SelectItem(tree, FindItem(logs, "shown.log")->handle);
        Command(frame, kClear);
        AnswerMessageBox("Clear log", IDYES);
        WaitUntil([&] { return WindowText(view).empty(); });
        shownAfterYes = FileSize(shownLog);
        shownAfterClear = WindowText(view);

        Command(frame, kClearAll);
        answeredAll = AnswerMessageBox("Clear all logs", IDYES, &allQuestion);
        WaitUntil([&] { return FileSize(held) == 0; });
        heldAfterAll = FileSize(held);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(result, 1);
    EXPECT_TRUE(answeredNo);
    EXPECT_EQ(question, "Are you sure to clear\n" + other + "?");
    EXPECT_EQ(otherAfterNo, text.size());
    EXPECT_EQ(otherAfterYes, 0u);
    EXPECT_EQ(otherLabel, "other.log");
    EXPECT_EQ(shownAfterOtherCleared, text);  // the shown log read again, still whole
    EXPECT_EQ(shownAfterYes, 0u);
    EXPECT_EQ(shownAfterClear, "");
    EXPECT_TRUE(answeredAll);
    EXPECT_EQ(allQuestion, "Are you sure to clear all logs?");
    EXPECT_EQ(heldAfterAll, 0u);
    EXPECT_EQ(::GetFileAttributesA(gone.c_str()), INVALID_FILE_ATTRIBUTES);  // not created

    // The server's next line lands at the start of the emptied log.
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(server.Get(), "next\r\n", 6, &written, nullptr));
    EXPECT_EQ(FileSize(held), 6u);
}

TEST_F(ViewerTest, AnEmptyListGivesAnEmptyTreeWithNothingToClear)
{
    LauncherLogList list;
    ViewerRun run;
    UINT count = 1;
    bool clearAll = true;
    bool clear = true;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        count = static_cast<UINT>(::SendMessageA(tree, TVM_GETCOUNT, 0, 0));
        ::PostMessageA(frame, WM_NULL, 0, 0);
        Sleep(300);
        clearAll = ToolbarEnabled(frame, kClearAll);
        clear = ToolbarEnabled(frame, kClear);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(clearAll);
    EXPECT_FALSE(clear);
}

TEST_F(ViewerTest, PlacementAndTreeWidthAreKeptFromCallToCall)
{
    std::string log = Log("access.log", Lines('p'));
    PlacementRecord stored;
    stored.showCmd = SW_SHOWMAXIMIZED;
    stored.left = 40;
    stored.top = 50;
    stored.right = 740;
    stored.bottom = 550;
    auto bytes = stored.Encode();
    ASSERT_TRUE(m_registry.Store().SetProfileBinary("Settings", "MainWindow", bytes.data(), bytes.size()));
    ASSERT_TRUE(m_registry.Store().SetProfileInt("Settings", "LeftPane", 150));

    LauncherLogList list;
    list.Add(log, "Server");
    struct Seen {
        bool zoomed = true;
        RECT rect{};
        int treeWidth = 0;
        std::string title;
    };
    Seen first, second;
    auto look = [](HWND frame, Seen& seen) {
        seen.zoomed = ::IsZoomed(frame) != FALSE;
        ::GetWindowRect(frame, &seen.rect);
        RECT tree{};
        ::GetWindowRect(TreeOf(frame), &tree);
        seen.treeWidth = tree.right - tree.left;
        seen.title = WindowText(frame);
    };

    ViewerRun run;
    // Stored maximised: opens at its normal rectangle; closed minimised: stored as normal.
    EXPECT_EQ(run.Run(list.Get(), [&](HWND frame) {
        look(frame, first);
        ::ShowWindow(frame, SW_MINIMIZE);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    }), 1);
    std::vector<std::uint8_t> placement;
    ASSERT_TRUE(m_registry.Store().ProfileBinary("Settings", "MainWindow", placement));
    std::optional<PlacementRecord> written = PlacementRecord::Decode(placement);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->showCmd, SW_SHOWNORMAL);
    EXPECT_EQ(StoredInt("LeftPane", -1), 150);

    EXPECT_EQ(run.Run(list.Get(), [&](HWND frame) {
        look(frame, second);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    }), 1);
    EXPECT_EQ(run.FrameVariable(), nullptr);

    for (const Seen* seen : {&first, &second}) {
        EXPECT_FALSE(seen->zoomed);
        EXPECT_EQ(seen->rect.left, 40);
        EXPECT_EQ(seen->rect.top, 50);
        EXPECT_EQ(seen->rect.right, 740);
        EXPECT_EQ(seen->rect.bottom, 550);
        EXPECT_EQ(seen->treeWidth, 150);
        EXPECT_EQ(seen->title, "Log Viewer - Untitled");
    }
    EXPECT_EQ(written->left, 40);
    EXPECT_EQ(written->bottom, 550);
}

TEST_F(ViewerTest, TheQuitMessageEndsTheCallAndLeavesTheWindow)
{
    LauncherLogList list;
    list.Add(Log("error.log", "[error] something\r\n"));
    ViewerRun run;
    HWND frameSeen = nullptr;
    int result = run.Run(list.Get(), [&](HWND frame) {
        frameSeen = frame;
        ::PostThreadMessageA(run.CallerThread(), WM_QUIT, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(run.FrameVariable(), nullptr);
    EXPECT_TRUE(::IsWindow(frameSeen));
    MSG again{};
    EXPECT_FALSE(::PeekMessageA(&again, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // not posted again
    ::DestroyWindow(frameSeen);
    EXPECT_FALSE(::IsWindow(frameSeen));
}

TEST_F(ViewerTest, ShowLogSizeRebuildsTheTreeAndIsStored)
{
    std::string log = Log("access.log", Lines('s'));
    LauncherLogList list;
    list.Add(log);
    list.Add(log, "Copies");
    ViewerRun run;
    std::string before, after, inGroup;
    UINT checkedBefore = 0, checkedAfter = 0;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        before = ReadTree(tree)[0].text;
        checkedBefore = MenuState(frame, kViewMenu, kShowLogSize) & MF_CHECKED;
        ::SendMessageA(frame, WM_COMMAND, kShowLogSize, 0);
        std::vector<TreeItem> items = ReadTree(tree);
        after = items[0].text;
        inGroup = items.size() > 1 && !items[1].children.empty() ? items[1].children[0].text : "";
        checkedAfter = MenuState(frame, kViewMenu, kShowLogSize) & MF_CHECKED;
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(before, "access.log");
    EXPECT_EQ(checkedBefore, 0u);
    EXPECT_EQ(after, "access.log - 1.50Kb");
    EXPECT_EQ(inGroup, "access.log - 1.50Kb");
    EXPECT_EQ(checkedAfter, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(StoredInt("ShowSize", -1), 1);
}

namespace {
// Points the HTML Help engine's class registration at the test's stand-in for the life of
// the object, and puts the registration back afterwards.
class CHelpEngineStandIn {
public:
    CHelpEngineStandIn()
    {
        ::RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, m_key.Receive(),
                          nullptr);
        char old[MAX_PATH] = {};
        DWORD size = sizeof(old) - 1;
        m_hadValue = ::RegQueryValueExA(m_key.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                     ERROR_SUCCESS;
        m_old = old;
        std::string standIn = testpaths::Join(testpaths::TestBinDir(), "FakeHtmlHelp.dll");
        ::RegSetValueExA(m_key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(standIn.c_str()),
                         static_cast<DWORD>(standIn.size() + 1));
    }
    ~CHelpEngineStandIn()
    {
        if (m_hadValue)
            ::RegSetValueExA(m_key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_old.c_str()),
                             static_cast<DWORD>(m_old.size() + 1));
        else
            ::RegDeleteValueA(m_key.Get(), nullptr);
    }
    CHelpEngineStandIn(const CHelpEngineStandIn&) = delete;
    CHelpEngineStandIn& operator=(const CHelpEngineStandIn&) = delete;

private:
    static constexpr char kKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
    CRegKey m_key;
    bool m_hadValue = false;
    std::string m_old;
};
}  // namespace

TEST_F(ViewerTest, HelpTopicsNeedTheHelpFileBesideTheHostProgramAndOpenItsTopic)
{
    LauncherLogList list;
    ViewerRun run;
    CHelpEngineStandIn engine;
    std::string besideHost = testpaths::Join(testpaths::TestBinDir(), "Tessaly.chm");
    std::string besideLibrary = testpaths::Join(testpaths::BinDir(), "Tessaly.chm");
    std::string calls = testpaths::Join(testpaths::TestBinDir(), "help-calls.txt");
    // The build puts the real help file beside the binaries: it is set aside and put back.
    const std::string kept = besideLibrary + ".kept";
    const bool hadHelpFile = ::MoveFileExA(besideLibrary.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    ::DeleteFileA(besideHost.c_str());
    ::DeleteFileA(calls.c_str());
    ASSERT_TRUE(testpaths::WriteTextFile(besideLibrary, "help"));
    UINT withoutHostCopy = 0;
    run.Run(list.Get(), [&](HWND frame) {
        withoutHostCopy = MenuState(frame, kHelpMenu, 57666);
        ::SendMessageA(frame, WM_COMMAND, 57666, 0);  // disabled: nothing happens
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    ::DeleteFileA(besideLibrary.c_str());
    if (hadHelpFile)
        ::MoveFileExA(kept.c_str(), besideLibrary.c_str(), MOVEFILE_REPLACE_EXISTING);
    ASSERT_TRUE(testpaths::WriteTextFile(besideHost, "help"));
    UINT withHostCopy = MF_GRAYED;
    run.Run(list.Get(), [&](HWND frame) {
        withHostCopy = MenuState(frame, kHelpMenu, 57666);
        Command(frame, 57666);
        WaitUntil([&] { return FileSize(calls) != ~0ull; });
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    ::DeleteFileA(besideHost.c_str());
    EXPECT_NE(withoutHostCopy & MF_GRAYED, 0u);
    EXPECT_EQ(withHostCopy & MF_GRAYED, 0u);
    std::string asked;
    EXPECT_TRUE(testpaths::ReadTextFile(calls, asked));
    EXPECT_EQ(asked, "00000000|" + testpaths::TestBinDir() + "/Tessaly.chm::/log_viewer.htm|0|0\n");
    ::DeleteFileA(calls.c_str());
}

namespace {
// Opens the first log of the tree (access.log) and asks for Save As; the dialog, or null.
HWND OpenFirstLogAndAskSaveAs(HWND frame)
{
    HWND tree = TreeOf(frame);
    SelectItem(tree, ReadTree(tree)[0].handle);
    Command(frame, kOpenSelected);
    WaitUntil([&] { return WindowText(frame) == "Log Viewer - access.log"; });
    Command(frame, 57604);
    return ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Save As", 5000);
}
}  // namespace

// The copy holds the text shown: lines the server wrote after the log was shown are not in it.
TEST_F(ViewerTest, SaveAsCopiesTheShownLogAndTakesItsName)
{
    const std::string text = Lines('c');
    std::string log = Log("access.log", text);
    std::string copy = testpaths::Join(m_dir, "kept.log");
    LauncherLogList list;
    list.Add(log);
    ViewerRun run;
    std::string title;
    bool dialogSeen = false;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND dialog = OpenFirstLogAndAskSaveAs(frame);
        dialogSeen = dialog != nullptr;
        std::ofstream(log, std::ios::binary | std::ios::app) << Lines('n');
        if (dialog) {
            HWND name = ui::FindChild(dialog, "Edit");
            ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
            ui::Click(::GetDlgItem(dialog, IDOK));
            WaitUntil([&] { return WindowText(frame) == "Log Viewer - kept.log"; });
        }
        title = WindowText(frame);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(dialogSeen);
    std::string saved;
    EXPECT_TRUE(testpaths::ReadTextFile(copy, saved));
    EXPECT_EQ(saved, text);
    EXPECT_EQ(title, "Log Viewer - kept.log");
}

// A long copy shows the component's progress box; closing it stops the copy, which leaves
// nothing under the new name and tells nothing.
TEST_F(ViewerTest, ASaveAsStoppedInItsProgressBoxLeavesNothing)
{
    std::string block;
    while (block.size() < (1u << 20))
        block += Lines('s');
    std::string log = testpaths::Join(m_dir, "access.log");
    {
        std::ofstream out(log, std::ios::binary);
        for (int i = 0; i < 384; ++i)
            out << block;
    }
    std::string copy = testpaths::Join(m_dir, "stopped.log");
    LauncherLogList list;
    list.Add(log);
    ViewerRun run;
    std::string title, told;
    bool boxSeen = false;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND dialog = OpenFirstLogAndAskSaveAs(frame);
        if (dialog) {
            ::SendMessageA(ui::FindChild(dialog, "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
            ui::Click(::GetDlgItem(dialog, IDOK));
            HWND box = nullptr;
            boxSeen = WaitUntil([&] {
                for (HWND shown : ui::TopLevelWindows(::GetCurrentProcessId(), "TessalyEditorProgress")) {
                    if (::IsWindowVisible(shown))
                        box = shown;
                }
                return box != nullptr;
            }, 30000);
            if (boxSeen) {
                SaveScreenPng("brenlo-save-as-progress");
                ::PostMessageA(box, WM_CLOSE, 0, 0);
            }
            WaitUntil([&] { return ::IsWindowEnabled(frame) != FALSE; }, 30000);
            AnswerMessageBox("Tessaly", IDOK, &told, 1000);
        }
        title = WindowText(frame);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(boxSeen) << "the progress box showed during the copy";
    EXPECT_EQ(told, "") << "a stopped copy is not a failure";
    EXPECT_EQ(::GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesA((copy + ".~tessaly-save").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(title, "Log Viewer - access.log");
    ::DeleteFileA(log.c_str());
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

TEST_F(ViewerTest, ConfigurationKeywordsInALogAreNeverColouredEvenAfterAFormatChange)
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

    LauncherLogList list;
    list.Add(log);
    ViewerRun run;
    int redBefore = -1, redAfter = -1, darkBefore = 0, yellowAfter = 0, whiteAfter = -1;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        HWND view = TextViewOf(frame);
        SelectItem(tree, ReadTree(tree)[0].handle);
        Command(frame, kOpenSelected);
        WaitUntil([&] { return WindowText(frame) == "Log Viewer - error.log"; });
        Sleep(300);
        std::vector<COLORREF> before = ClientPixels(view);
        redBefore = CountPixels(before, Reddish);
        darkBefore = CountPixels(before, [](int r, int g, int b) { return r < 80 && g < 80 && b < 80; });

        // Options stores a new background with colouring on, and the Launcher passes the news on.
        store.SetProfileInt("Settings\\Format", "Background", RGB(255, 255, 160));
        ::PostMessageA(frame, 0x503, 4, 0);
        Sleep(500);
        std::vector<COLORREF> after = ClientPixels(view);
        redAfter = CountPixels(after, Reddish);
        yellowAfter = CountPixels(after, [](int r, int g, int b) { return r == 255 && g == 255 && b == 160; });
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

namespace {
POINT ItemCentre(HWND tree, HTREEITEM item)
{
    RECT rect{};
    std::memcpy(&rect, &item, sizeof(item));  // the message takes the item in the rectangle
    ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
}  // namespace

TEST_F(ViewerTest, ClicksOnAGroupOpenNoLogAndDoubleClickOrEnterOpensALog)
{
    std::string first = Log("first.log", "first line\r\n");
    std::string second = Log("second.log", "second line\r\n");
    LauncherLogList list;
    list.Add(first, "Server");
    list.Add(second);
    ViewerRun run;
    std::string titleAfterGroup, titleAfterFile, titleAfterEnter, textAfterEnter;
    bool groupExpanded = false, focused = false;
    int groupImage = -1;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        std::vector<TreeItem> items = ReadTree(tree);  // second.log, then the group Server
        RECT area{};
        ::GetClientRect(tree, &area);
        POINT empty{area.right / 2, area.bottom - 10};
        focused = ClickToFocus(frame, tree, &empty);
        // A double click on the group opens or closes it (with one group open at a time,
        // its first click may have opened it already); its picture follows, no log opens.
        POINT group = ItemCentre(tree, items[1].handle);
        ui::ClickAt(tree, group.x, group.y, true);
        Sleep(300);
        groupExpanded = ReadTree(tree)[1].expanded;
        groupImage = ReadTree(tree)[1].image;
        titleAfterGroup = WindowText(frame);

        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[1].handle));
        WaitUntil([&] { return ReadTree(tree)[1].expanded; });
        Sleep(::GetDoubleClickTime() + 100);  // the next clicks are a double click of their own
        POINT file = ItemCentre(tree, ReadTree(tree)[1].children[0].handle);
        ui::BringToFront(frame);
        WaitUntil([&] { return ::GetForegroundWindow() == frame; });
        ui::ClickAt(tree, file.x, file.y, true);
        WaitUntil([&] { return WindowText(frame) == "Log Viewer - first.log"; });
        titleAfterFile = WindowText(frame);

        SelectItem(tree, ReadTree(tree)[0].handle);
        RECT area2{};
        ::GetClientRect(tree, &area2);
        POINT below{area2.right / 2, area2.bottom - 10};
        ClickToFocus(frame, tree, &below);  // the keys go to the tree; the selection stays
        ui::PressKey(VK_RETURN);
        WaitUntil([&] { return WindowText(frame) == "Log Viewer - second.log"; });
        titleAfterEnter = WindowText(frame);
        textAfterEnter = WindowText(TextViewOf(frame));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(focused);
    EXPECT_EQ(groupImage, groupExpanded ? kOpenFolder : kClosedFolder);
    EXPECT_EQ(titleAfterGroup, "Log Viewer - Untitled");
    EXPECT_EQ(titleAfterFile, "Log Viewer - first.log");
    EXPECT_EQ(titleAfterEnter, "Log Viewer - second.log");
    EXPECT_EQ(textAfterEnter, "second line\r\n");
}

TEST_F(ViewerTest, MoreLogsThanTheTreeCanTellApartAreCutAndTheUserIsTold)
{
    LauncherLogList list;
    const int count = 32768 + 232;
    for (int i = 0; i < count; ++i)
        list.Add(Missing("log" + std::to_string(i) + ".log"), i % 2 ? "Odd" : "");
    ViewerRun run;
    UINT items = 0;
    std::string status;
    int result = run.Run(list.Get(), [&](HWND frame) {
        items = static_cast<UINT>(::SendMessageA(TreeOf(frame), TVM_GETCOUNT, 0, 0));
        status = WindowText(ui::FindChild(frame, STATUSCLASSNAMEA));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(items, 32768u + 1u);  // the files and their one group
    EXPECT_EQ(status, "Only the first 32768 logs are shown; 232 more are left out.");
}

TEST_F(ViewerTest, AShownLogStaysWritableForTheServerAndCopyTakesItsText)
{
    std::string log = Log("access.log", "first request\r\n");
    LauncherLogList list;
    list.Add(log);
    ViewerRun run;
    bool serverOpened = false, serverWrote = false, viewFocused = false;
    std::string shown, afterNews, copied;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        HWND view = TextViewOf(frame);
        SelectItem(tree, ReadTree(tree)[0].handle);
        Command(frame, kOpenSelected);
        WaitUntil([&] { return WindowText(view) == "first request\r\n"; });
        shown = WindowText(view);

        // The server opens its log after the viewer did, and appends.
        CFileHandle server(::CreateFileA(log.c_str(), FILE_APPEND_DATA,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        serverOpened = static_cast<bool>(server);
        DWORD written = 0;
        serverWrote = serverOpened && ::WriteFile(server.Get(), "second request\r\n", 16, &written, nullptr) &&
                      written == 16;
        // The Launcher's news of new settings reads the shown log's new lines as well.
        ::PostMessageA(frame, 0x503, 4, 0);
        WaitUntil([&] { return WindowText(view) == "first request\r\nsecond request\r\n"; });
        afterNews = WindowText(view);

        // Copy of the whole text through the keys a user presses in the text pane.
        viewFocused = ClickToFocus(frame, view);
        ::SendMessageA(view, EM_SETSEL, 0, -1);
        ui::PressKey('C', true);
        WaitUntil([&] {
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

TEST_F(ViewerTest, PrintPreviewShowsTheLogWhicheverPaneIsActive)
{
    std::string log = Log("access.log", Lines('v'));
    LauncherLogList list;
    list.Add(log);
    ViewerRun run;
    std::string shot, pageText;
    bool previewShown = false, previewClosed = false;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        SelectItem(tree, ReadTree(tree)[0].handle);
        Command(frame, kOpenSelected);
        WaitUntil([&] { return WindowText(frame) == "Log Viewer - access.log"; });
        // The tree is the active pane; the frame hands the command to the text pane.
        Command(frame, 57609);
        HWND preview = ui::WaitForTopLevel(::GetCurrentProcessId(), nullptr, "Print Preview", 5000);
        previewShown = preview != nullptr;
        if (preview) {
            Sleep(300);
            shot = SaveWindowPng(preview, "brenlo-print-preview");
            pageText = WindowText(ui::FindChild(preview, "Static", -1, "Page 1 of 1"));
            ui::Click(ui::FindChild(preview, "Button", -1, "&Close"));
            previewClosed = WaitUntil([&] { return !::IsWindow(preview); });
        }
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(pageText, "Page 1 of 1");
    EXPECT_TRUE(previewClosed);
    EXPECT_FALSE(shot.empty());
}

TEST_F(ViewerTest, ALogThatVanishedSinceFillingGivesAnEmptyUntitledPane)
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
        WaitUntil([&] { return WindowText(frame) == "Log Viewer - kept.log"; });
        titleBefore = WindowText(frame);
        ::DeleteFileA(vanishing.c_str());
        SelectItem(tree, items[1].handle);
        Command(frame, kOpenSelected);
        WaitUntil([&] { return WindowText(frame) == "Log Viewer - Untitled"; });
        title = WindowText(frame);
        text = WindowText(TextViewOf(frame));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(titleBefore, "Log Viewer - kept.log");
    EXPECT_EQ(title, "Log Viewer - Untitled");
    EXPECT_EQ(text, "");
}

TEST_F(ViewerTest, ACallFromInsideTheRunningViewerOpensNoSecondViewer)
{
    LauncherLogList list;
    list.Add(Log("first.log", "one\r\n"));
    LauncherLogList other;
    other.Add(Log("other.log", "two\r\n"));
    ViewerRun run;
    int nested = -1;
    std::size_t viewers = 0;
    std::string labelAfter;
    HWND frameAfter = nullptr;
    int result = run.Run(list.Get(), [&](HWND frame) {
        run.PostNestedCall(other.Get());
        WaitUntil([&] { return run.NestedResult() != -1; });
        nested = run.NestedResult();
        viewers = ui::TopLevelWindows(::GetCurrentProcessId(), nullptr, "Log Viewer", true).size();
        labelAfter = ReadTree(TreeOf(frame))[0].text;
        frameAfter = run.FrameVariable();
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(viewers, 1u);
    EXPECT_EQ(labelAfter, "first.log");
    EXPECT_NE(frameAfter, nullptr);  // the first call's variable still holds its frame
    EXPECT_EQ(run.FrameVariable(), nullptr);
}

TEST_F(ViewerTest, ASaveAsThatFailsTellsWhyAndLeavesTheOlderFileAndTheTitle)
{
    std::string log = Log("access.log", Lines('f'));
    std::string target = Log("readonly.log", "older file\r\n");
    ASSERT_TRUE(::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    LauncherLogList list;
    list.Add(log);
    ViewerRun run;
    std::string failure, title;
    bool replaced = false;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND dialog = OpenFirstLogAndAskSaveAs(frame);
        if (dialog) {
            ::SendMessageA(ui::FindChild(dialog, "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
            ui::Click(::GetDlgItem(dialog, IDOK));
            // The dialog asks whether to replace the existing file.
            HWND question = nullptr;
            WaitUntil([&] {
                for (HWND box : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770", "Save As"))
                    if (::GetDlgItem(box, IDYES))
                        question = box;
                return question != nullptr;
            });
            if (question) {
                ui::Click(::GetDlgItem(question, IDYES));
                replaced = true;
            }
            AnswerMessageBox("Tessaly", IDOK, &failure);
        }
        title = WindowText(frame);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(replaced);
    EXPECT_NE(failure.find("The file is read-only."), std::string::npos) << failure;
    std::string kept;
    EXPECT_TRUE(testpaths::ReadTextFile(target, kept));
    EXPECT_EQ(kept, "older file\r\n");
    EXPECT_EQ(title, "Log Viewer - access.log");
    ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}
