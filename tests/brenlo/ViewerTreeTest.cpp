// The viewer's tree of logs end to end: order, groups, labels, pictures, and how clicks and
// keys on it open logs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ReferenceLogTree.h"
#include "Screenshot.h"
#include "StoredRecords.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerFixture.h"
#include "WinLogFileFacts.h"

using namespace viewertest;

namespace {
using ViewerTreeTest = ViewerTest;

// The tree as the user sees it against the items a fill is to make: texts, pictures, item
// data and order at both levels.
void ExpectSameItems(const std::vector<TreeItem>& shown, const std::vector<LogTreeNode>& expected)
{
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].text, expected[i].label) << i;
        EXPECT_EQ(shown[i].image, expected[i].image) << expected[i].label;
        EXPECT_EQ(static_cast<std::uint32_t>(shown[i].data), expected[i].data) << expected[i].label;
        ExpectSameItems(shown[i].children, expected[i].children);
    }
}
}  // namespace

TEST_F(ViewerTreeTest, FilesComeFirstThenGroupsEachAlphabeticalWithSizesAndPictures)
{
    std::string a = Log("a.log", Lines('a'));
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
    list.Add(zeta, "b");         // the same group, told apart only by case
    list.Add(Slashed(b1), "B");  // a duplicate: dropped
    list.Add(Missing("gone.log"), "Hosts");
    list.Add(access, "Hosts");

    ViewerRun run;
    std::vector<TreeItem> items;
    std::string untitled, screenshot;
    bool clearAllOn = false;
    int expandedImage = -1;
    int treeWidth = 0;
    HWND frameSeen = nullptr;
    int result = run.Run(list.Get(), [&](HWND frame) {
        frameSeen = frame;
        HWND tree = TreeOf(frame);
        ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - Untitled"; });
        untitled = ui::TextOf(frame);
        items = ReadTree(tree);
        RECT treeRect{};
        ::GetWindowRect(tree, &treeRect);
        treeWidth = treeRect.right - treeRect.left;
        clearAllOn = ui::WaitUntil([&] { return ToolbarEnabled(frame, kClearAll); });

        const TreeItem* hosts = FindItem(items, "Hosts");
        const TreeItem* groupB = FindItem(items, "B");
        if (hosts && groupB) {
            ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hosts->handle));
            ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(groupB->handle));
            std::vector<TreeItem> now = ReadTree(tree);
            if (const TreeItem* b = FindItem(now, "B"))
                expandedImage = b->image;
        }
        if (const TreeItem* first = FindItem(items, "a.log - 1.50Kb")) {
            OpenLog(frame, first->handle, "a.log");
            screenshot = SaveWindowPng(frame, "brenlo-viewer-grouped");
        }
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(result, 1);
    EXPECT_EQ(run.FrameVariable(), nullptr);
    EXPECT_FALSE(::IsWindow(frameSeen));
    EXPECT_EQ(untitled, "Log Viewer - Untitled");
    EXPECT_EQ(treeWidth, 200);
    EXPECT_TRUE(clearAllOn);

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
    EXPECT_FALSE(screenshot.empty());

    EXPECT_EQ(StoredInt("ShowSize", -1), 1);
    EXPECT_EQ(StoredInt("LeftPane", -1), 200);
    std::vector<std::uint8_t> placement;
    ASSERT_TRUE(m_registry.Store().ProfileBinary("Settings", "MainWindow", placement));
    ASSERT_EQ(placement.size(), 44u);
    EXPECT_EQ(PlacementRecord::Decode(placement)->showCmd, SW_SHOWNORMAL);
}

TEST_F(ViewerTreeTest, FoldersOfManyLogsShowTheItemsThatAskingForEachLogGives)
{
    // Folders with many of the logs are listed once; the tree must not tell that from
    // asking the file system for every log.
    LauncherLogList list;
    for (const std::string host : {"alpha", "Beta"}) {
        const std::string folder = m_dir + "\\" + host;
        ::CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = 0; i < 14; ++i) {
            const std::string name = (i % 2 ? "access-" : "Error-") + std::to_string(i) + ".log";
            if (i % 5 != 3) {
                ASSERT_TRUE(testpaths::WriteTextFile(folder + "\\" + name, std::string(i * 10, 'x')));
            }
            list.Add(i % 3 ? folder + "\\" + name : Slashed(folder) + "/" + name, i == 6 ? "" : "www." + host);
        }
        list.Add(folder + "\\ERROR-2.LOG", "WWW." + host);   // the same log in another case
        list.Add(folder + "\\access-1.log", "www." + host);  // listed twice
        list.Add(folder + "\\access-1.log.", "Other");       // the system drops the dot
        list.Add(folder + "\\Error-4.log", "");              // also at the top level
    }
    for (int i = 0; i < 9; ++i)
        list.Add(Missing("gone\\old-" + std::to_string(i) + ".log"), "Gone");  // no such folder
    list.Add(Log("single.log", "one line\r\n"), "www.alpha");

    ViewerRun run;
    std::vector<TreeItem> shown;
    int result = run.Run(list.Get(), [&](HWND frame) {
        shown = ReadTree(TreeOf(frame));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);

    CWinLogFileFacts askEach;
    const ReferenceLogTree expected = FillPlainly(list.Get(), askEach, false);
    ASSERT_EQ(expected.items.size(), 6u);  // two logs at the top, then four groups
    ExpectSameItems(shown, expected.items);
    const TreeItem* alpha = FindItem(shown, "www.alpha");
    ASSERT_NE(alpha, nullptr);
    const TreeItem* missing = FindItem(alpha->children, "access-3.log");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->image, kMissingFile);
}

TEST_F(ViewerTreeTest, AnEmptyListGivesAnEmptyTreeWithNothingToClear)
{
    LauncherLogList list;
    ViewerRun run;
    UINT count = 1;
    bool clearAll = true;
    bool clear = true;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        count = static_cast<UINT>(::SendMessageA(tree, TVM_GETCOUNT, 0, 0));
        // The buttons are made enabled; the idle update disables what cannot be done.
        ui::WaitUntil([&] { return !ToolbarEnabled(frame, kClearAll) && !ToolbarEnabled(frame, kClear); }, 5000);
        clearAll = ToolbarEnabled(frame, kClearAll);
        clear = ToolbarEnabled(frame, kClear);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(clearAll);
    EXPECT_FALSE(clear);
}

TEST_F(ViewerTreeTest, ShowLogSizeRebuildsTheTreeAndIsStored)
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

TEST_F(ViewerTreeTest, MoreLogsThanTheTreeCanTellApartAreCutAndTheUserIsTold)
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
        status = ui::TextOf(ui::FindChild(frame, STATUSCLASSNAMEA));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(items, 32768u + 1u);  // the files and their one group
    EXPECT_EQ(status, "Only the first 32768 logs are shown; 232 more are left out.");
}

TEST_F(ViewerTreeTest, ClicksOnAGroupOpenNoLogAndDoubleClickOrEnterOpensALog)
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
        focused = ui::ClickToFocus(frame, tree, &empty);
        // A double click on the group opens or closes it (with one group open at a time,
        // its first click may have opened it already); its picture follows, no log opens.
        POINT group = ItemCentre(tree, items[1].handle);
        ui::ClickAt(tree, group.x, group.y, true);
        ui::WaitUntil([&] { return SelectedItem(tree) == items[1].handle; }, 3000);
        ui::WaitUntil(
            [&] {
                const TreeItem now = ReadTree(tree)[1];
                return now.image == (now.expanded ? kOpenFolder : kClosedFolder);
            },
            3000);
        groupExpanded = ReadTree(tree)[1].expanded;
        groupImage = ReadTree(tree)[1].image;
        titleAfterGroup = ui::TextOf(frame);

        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[1].handle));
        ui::WaitUntil([&] { return ReadTree(tree)[1].expanded; });
        // Clicks closer together than the double-click time would pair with the last ones.
        ::Sleep(::GetDoubleClickTime() + 100);
        POINT file = ItemCentre(tree, ReadTree(tree)[1].children[0].handle);
        ui::BringToFront(frame);
        ui::WaitUntil([&] { return ::GetForegroundWindow() == frame; });
        ui::ClickAt(tree, file.x, file.y, true);
        ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - first.log"; });
        titleAfterFile = ui::TextOf(frame);

        SelectItem(tree, ReadTree(tree)[0].handle);
        RECT area2{};
        ::GetClientRect(tree, &area2);
        POINT below{area2.right / 2, area2.bottom - 10};
        ui::ClickToFocus(frame, tree, &below);  // the keys go to the tree; the selection stays
        ui::PressKey(VK_RETURN);
        ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - second.log"; });
        titleAfterEnter = ui::TextOf(frame);
        textAfterEnter = ui::TextOf(TextViewOf(frame));
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
