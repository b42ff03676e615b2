// The log viewer as a user meets it: the Launcher stand-in, pointed at the sample server,
// loads Brenlo.dll and calls DoViewLogs when "View logs..." is pressed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Handles.h"
#include "LauncherIds.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace {

// The labels of a tree view of another process, top level first, each group followed by
// its children indented by two blanks. The item texts are read through memory of that
// process, since a tree view hands its texts only to its own process.
std::vector<std::string> RemoteTreeLabels(HWND tree)
{
    std::vector<std::string> labels;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(tree, &processId);
    CKernelHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process)
        return labels;
    constexpr SIZE_T kTextSize = 260;
    void* remote = ::VirtualAllocEx(process.Get(), nullptr, sizeof(TVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return labels;
    auto* remoteText = static_cast<char*>(remote) + sizeof(TVITEMA);
    auto label = [&](HTREEITEM item) {
        TVITEMA info{};
        info.mask = TVIF_TEXT | TVIF_HANDLE;
        info.hItem = item;
        info.pszText = remoteText;
        info.cchTextMax = kTextSize;
        SIZE_T moved = 0;
        ::WriteProcessMemory(process.Get(), remote, &info, sizeof(info), &moved);
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
        char text[kTextSize] = {};
        ::ReadProcessMemory(process.Get(), remoteText, text, kTextSize - 1, &moved);
        return std::string(text);
    };
    for (HTREEITEM top = TreeView_GetRoot(tree); top; top = TreeView_GetNextSibling(tree, top)) {
        labels.push_back(label(top));
        for (HTREEITEM child = TreeView_GetChild(tree, top); child; child = TreeView_GetNextSibling(tree, child))
            labels.push_back("  " + label(child));
    }
    ::VirtualFreeEx(process.Get(), remote, 0, MEM_RELEASE);
    return labels;
}

}  // namespace

TEST(LauncherViewTest, ViewLogsShowsTheSampleServersLogsGroupedByHost)
{
    CRegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.Store().SetProfileString("Settings", "ApachePath", TESSALY_SAMPLE_DIR));
    ASSERT_TRUE(sandbox.Store().SetProfileInt("Settings", "LeftPane", 220));
    CChildProcess launcher;
    ASSERT_TRUE(launcher.Start(testpaths::Join(testpaths::BinDir(), "Launcher.exe")));
    HWND main = ui::WaitForTopLevel(launcher.Id(), kMainClass, kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    HWND viewLogs = ui::FindChild(main, "Button", IDC_VIEW_LOGS, "View logs...");
    ASSERT_NE(viewLogs, nullptr);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(viewLogs); }, 10000));

    ui::Click(viewLogs);
    HWND viewer = ui::WaitForTopLevel(launcher.Id(), nullptr, "Log Viewer - Untitled", 20000);
    ASSERT_NE(viewer, nullptr);
    HWND tree = ui::FindChild(viewer, WC_TREEVIEWA);
    ASSERT_NE(tree, nullptr);
    std::vector<std::string> labels = RemoteTreeLabels(tree);
    const std::vector<std::string> expected = {"access.log",        "error.log",        "docs.example.test",
                                               "  docs-access.log", "  docs-error.log", "www.example.test",
                                               "  www-access.log",  "  www-error.log"};
    EXPECT_EQ(labels, expected);

    // While the viewer runs its loop inside the Launcher, the Launcher's window answers, and
    // pressing the button again brings the open viewer forward instead of a second one.
    DWORD_PTR answer = 0;
    EXPECT_TRUE(::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer));
    ui::BringToFront(main);
    ui::WaitUntil([&] { return ::GetForegroundWindow() == main; }, 3000);
    ui::Click(viewLogs);
    ui::WaitUntil([&] { return ::GetForegroundWindow() == viewer; }, 3000);
    EXPECT_EQ(ui::TopLevelWindows(launcher.Id(), nullptr, "Log Viewer", true).size(), 1u);
    SaveWindowPng(viewer, "brenlo-from-launcher");

    // Exit in the Launcher while the viewer is open ends both.
    EXPECT_TRUE(ui::Click(ui::FindChild(main, "Button", IDC_EXIT, "Exit")));
    EXPECT_TRUE(ui::WaitUntil([&] { return !::IsWindow(viewer); }, 10000));
    EXPECT_EQ(sandbox.Store().ProfileInt("Settings", "LeftPane", -1), 220);
    EXPECT_EQ(launcher.Wait(10000), 0);
}
