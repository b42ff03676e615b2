// Clearing logs from the viewer end to end, as the server holds them open.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Handles.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerFixture.h"

using namespace viewertest;

using ViewerClearTest = ViewerTest;

TEST_F(ViewerClearTest, ClearAndClearAllEmptyLogsTheServerHoldsOpen)
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
        ui::WaitUntil([&] { return ui::TextOf(view) == text; });

        // No leaves the log as it is.
        SelectItem(tree, FindItem(logs, "other.log")->handle);
        Command(frame, kClear);
        answeredNo = AnswerBox("Clear log", IDNO, &question);
        otherAfterNo = testpaths::FileSize(other);

        SelectItem(tree, FindItem(logs, "other.log")->handle);
        Command(frame, kClear);
        AnswerBox("Clear log", IDYES);
        ui::WaitUntil([&] { return testpaths::FileSize(other) == 0; });
        otherAfterYes = testpaths::FileSize(other);
        shownAfterOtherCleared = ui::TextOf(view);
        otherLabel = ReadTree(tree)[0].children[2].text;

        // Clearing the shown log shows it empty.
        SelectItem(tree, FindItem(logs, "shown.log")->handle);
        Command(frame, kClear);
        AnswerBox("Clear log", IDYES);
        ui::WaitUntil([&] { return ui::TextOf(view).empty(); });
        shownAfterYes = testpaths::FileSize(shownLog);
        shownAfterClear = ui::TextOf(view);

        Command(frame, kClearAll);
        answeredAll = AnswerBox("Clear all logs", IDYES, &allQuestion);
        ui::WaitUntil([&] { return testpaths::FileSize(held) == 0; });
        heldAfterAll = testpaths::FileSize(held);
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
    EXPECT_EQ(testpaths::FileSize(held), 6u);
}

TEST_F(ViewerClearTest, AMissingLogCannotBeClearedAndOpeningItSaysSo)
{
    LauncherLogList list;
    list.Add(Log("access.log", Lines('m')), "Hosts");
    list.Add(Missing("gone.log"), "Hosts");

    ViewerRun run;
    bool clearOnForFile = false, clearOffForMissing = false;
    std::string missingText;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        std::vector<TreeItem> items = ReadTree(tree);
        if (items.size() != 1 || items[0].children.size() != 2) {
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
            return;
        }
        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[0].handle));
        SelectItem(tree, items[0].children[0].handle);
        clearOnForFile = ui::WaitUntil([&] { return ToolbarEnabled(frame, kClear); });
        SelectItem(tree, items[0].children[1].handle);
        clearOffForMissing = ui::WaitUntil([&] { return !ToolbarEnabled(frame, kClear); });
        Command(frame, kOpenSelected);
        AnswerBox("Tessaly", IDOK, &missingText);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(result, 1);
    EXPECT_TRUE(clearOnForFile);
    EXPECT_TRUE(clearOffForMissing);
    EXPECT_EQ(missingText, "File does not exists.");
    EXPECT_EQ(::GetFileAttributesA(Missing("gone.log").c_str()), INVALID_FILE_ATTRIBUTES);  // not created
}
