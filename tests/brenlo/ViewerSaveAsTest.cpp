// Save As from the viewer end to end: a copy of the shown log under a new name, and a copy
// that fails.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "Handles.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerFixture.h"

using namespace viewertest;

using ViewerSaveAsTest = ViewerTest;

// The copy holds the text shown: lines the server wrote after the log was shown are not in it.
TEST_F(ViewerSaveAsTest, SaveAsCopiesTheShownLogAndTakesItsName)
{
    const std::string text = Lines('c');
    std::string log = Log("access.log", text);
    std::string copy = testpaths::Join(m_dir, "kept.log");
    std::string title, shownAfter;
    bool dialogSeen = false, followedAfter = true, logFreed = false;
    int result = ShowLog(log, [&](HWND frame, HWND) {
        HWND dialog = AskSaveAs(frame);
        dialogSeen = dialog != nullptr;
        std::ofstream(log, std::ios::binary | std::ios::app) << Lines('n');
        if (SaveAs(dialog, copy))
            ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - kept.log"; });
        title = ui::TextOf(frame);
        // The copy is shown from then on: it is not followed, and the log is not held open.
        followedAfter = !ui::WaitUntil([&] { return PaneText(frame, 1).empty(); });
        logFreed = ::DeleteFileA(log.c_str()) && ::GetFileAttributesA(log.c_str()) == INVALID_FILE_ATTRIBUTES;
        shownAfter = ui::TextOf(TextViewOf(frame));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(dialogSeen);
    std::string saved;
    EXPECT_TRUE(testpaths::ReadTextFile(copy, saved));
    EXPECT_EQ(saved, text);
    EXPECT_EQ(title, "Log Viewer - kept.log");
    EXPECT_FALSE(followedAfter);
    EXPECT_TRUE(logFreed);
    EXPECT_EQ(shownAfter, text);
}

TEST_F(ViewerSaveAsTest, ASaveAsThatFailsTellsWhyAndLeavesTheOlderFileAndTheTitle)
{
    std::string log = Log("access.log", Lines('f'));
    std::string target = Log("readonly.log", "older file\r\n");
    ASSERT_TRUE(::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string failure, title;
    bool replaced = false;
    int result = ShowLog(log, [&](HWND frame, HWND) {
        if (SaveAs(AskSaveAs(frame), target)) {
            // The dialog asks whether to replace the existing file.
            HWND question = nullptr;
            ui::WaitUntil([&] {
                for (HWND box : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770", "Save As"))
                    if (::GetDlgItem(box, IDYES))
                        question = box;
                return question != nullptr;
            });
            if (question) {
                ui::Click(::GetDlgItem(question, IDYES));
                replaced = true;
            }
            AnswerBox("Tessaly", IDOK, &failure);
        }
        title = ui::TextOf(frame);
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

// A long copy shows the component's progress box; closing it stops the copy, which leaves
// nothing under the new name and tells nothing.
TEST_F(ViewerSaveAsTest, ASaveAsStoppedInItsProgressBoxLeavesNothing)
{
    std::string block;
    while (block.size() < (1u << 20))
        block += Lines('s');
    std::string log = testpaths::Join(m_dir, "access.log");
    {
        std::ofstream out(log, std::ios::binary);
        out << block;
    }
    // Then 3 GiB more, which cost nothing to make (the file system leaves the gap unwritten)
    // but take the copy seconds to write, so that it cannot end before the box is closed.
    {
        CFileHandle file(::CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER end;
        end.QuadPart = 3ll << 30;
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get()));
    }
    std::string copy = testpaths::Join(m_dir, "stopped.log");
    std::string title, told;
    bool boxSeen = false;
    int result = ShowLog(log, [&](HWND frame, HWND) {
        if (SaveAs(AskSaveAs(frame), copy)) {
            HWND box = ui::WaitForTopLevel(::GetCurrentProcessId(), "TessalyEditorProgress", nullptr, 30000);
            boxSeen = box != nullptr;
            if (boxSeen) {
                SaveScreenPng("brenlo-save-as-progress");
                ::PostMessageA(box, WM_CLOSE, 0, 0);
            }
            ui::WaitUntil([&] { return ::IsWindowEnabled(frame) != FALSE; }, 30000);
            ui::AnswerMessageBox(::GetCurrentProcessId(), "Tessaly", IDOK, &told, 1000);
        }
        title = ui::TextOf(frame);
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
