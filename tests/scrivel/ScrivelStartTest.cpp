// Scrivel's start and end as the Launcher and the user see them: the switch, the refusal
// without the Launcher, a second Scrivel, the codes at start and exit, the files opened at
// start and the stored window placement.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>

#include "Handles.h"
#include "LauncherLink.h"
#include "Screenshot.h"
#include "ScrivelDriver.h"
#include "SettingsSchema.h"
#include "TestPaths.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {

bool RunValueExists()
{
    CRegKey run;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, settings::kRunKey, 0, KEY_READ, run.Receive()) != ERROR_SUCCESS)
        return false;
    return ::RegQueryValueExA(run.Get(), settings::kRunValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void SetRunValue()
{
    CRegKey run;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, settings::kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                run.Receive(), nullptr),
              ERROR_SUCCESS);
    const char value[] = "\"C:\\Tessaly\\Launcher.exe\" /auto";
    ASSERT_EQ(::RegSetValueExA(run.Get(), settings::kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               sizeof(value)),
              ERROR_SUCCESS);
}

void DeleteRunValue()
{
    CRegKey run;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, settings::kRunKey, 0, KEY_ALL_ACCESS, run.Receive()) == ERROR_SUCCESS)
        ::RegDeleteValueA(run.Get(), settings::kRunValue);
}

// A window of this test, for a hEditorWnd that names a live (or, once destroyed, a stale)
// window.
HWND MakeWindow()
{
    return ::CreateWindowExA(0, "STATIC", "other Scrivel", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

std::vector<unsigned> Codes(const CFakeLauncher& launcher)
{
    std::vector<unsigned> codes;
    for (const LauncherNotice& notice : launcher.Notices())
        codes.push_back(notice.code);
    return codes;
}

std::string WriteConf(const std::string& folder, const std::string& name, const std::string& text = "Listen 80\r\n")
{
    const std::string path = testpaths::Join(folder, name);
    testpaths::WriteTextFile(path, text);
    return path;
}

struct HookTraits {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnhookWindowsHookEx(h); }
};
using CHook = CUniqueHandle<HookTraits>;

}  // namespace

TEST(ScrivelStart, WithoutTheLauncherItAsksToUseTheLauncherAndEnds)
{
    CScrivelRun run;
    ASSERT_TRUE(run.StartScrivel());
    HWND box = ui::WaitForMessageBox(run.Process().Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ui::TextOf(box), "Tessaly");
    EXPECT_EQ(ui::MessageBoxText(box), "Please use Launcher.exe for start this module.");
    ASSERT_TRUE(ui::AnswerMessageBox(box, IDOK));
    EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
}

TEST(ScrivelStart, UninstallSwitchInAnyCaseRemovesTheRunValueAndNothingElse)
{
    for (const char* spelling : {"/uninstall", "/UNINSTALL", "/UnInstall"}) {
        SCOPED_TRACE(spelling);
        CScrivelRun run;
        SetRunValue();
        ASSERT_TRUE(run.StartLauncher());
        ASSERT_TRUE(run.StartScrivel(spelling));
        EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
        EXPECT_FALSE(RunValueExists());
        EXPECT_TRUE(run.Launcher().Notices().empty());
        EXPECT_EQ(run.Launcher().Block()->hEditorWnd, 0u);
        EXPECT_TRUE(ui::TopLevelWindows(run.Process().Id()).empty());
    }
    DeleteRunValue();
}

TEST(ScrivelStart, UninstallFollowedByMoreTextStartsTheEditor)
{
    CScrivelRun run;
    SetRunValue();
    ASSERT_TRUE(run.Start("/uninstall now"));
    EXPECT_TRUE(RunValueExists());
    EXPECT_EQ(run.CloseNow(), 0);
    DeleteRunValue();
}

TEST(ScrivelStart, ALiveEditorWindowEndsTheSecondStartSilently)
{
    CScrivelRun run;
    ASSERT_TRUE(run.StartLauncher());
    HWND other = MakeWindow();
    ASSERT_NE(other, nullptr);
    run.Launcher().Block()->hEditorWnd = HandleToBlock(other);
    run.Launcher().SetText("pending");
    ASSERT_TRUE(run.StartScrivel());
    EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
    EXPECT_EQ(run.Launcher().Block()->hEditorWnd, HandleToBlock(other));
    EXPECT_EQ(run.Launcher().Text(), "pending");
    EXPECT_TRUE(run.Launcher().Notices().empty());
    ::DestroyWindow(other);
}

TEST(ScrivelStart, AStaleEditorWindowIsOverwritten)
{
    CScrivelRun run;
    ASSERT_TRUE(run.StartLauncher());
    HWND gone = MakeWindow();
    ::DestroyWindow(gone);
    run.Launcher().Block()->hEditorWnd = HandleToBlock(gone);
    ASSERT_TRUE(run.StartScrivel());
    ASSERT_TRUE(run.WaitStarted());
    EXPECT_NE(run.Frame(), gone);
    EXPECT_EQ(ui::ClassOf(ui::FindChild(run.Frame(), "MDIClient")), "MDIClient");
    EXPECT_EQ(run.CloseNow(), 0);
}

TEST(ScrivelStart, StartedIsSentOnceTheVisibleFrameIsInTheBlock)
{
    CScrivelRun run;
    std::atomic<bool> visibleWhenStarted{false};
    run.Launcher().SetResponder([&](const LauncherNotice& notice) -> LRESULT {
        if (notice.code == LN_EDITOR_STARTED) {
            HWND frame = HandleFromBlock(notice.editorWndAtThatMoment);
            visibleWhenStarted = frame && ::IsWindowVisible(frame);
        }
        return 0;
    });
    ASSERT_TRUE(run.Start());
    LauncherNotice started;
    ASSERT_TRUE(run.Launcher().WaitForCode(LN_EDITOR_STARTED, 0, &started));
    EXPECT_TRUE(started.sent);
    EXPECT_EQ(HandleFromBlock(started.editorWndAtThatMoment), run.Frame());
    EXPECT_TRUE(visibleWhenStarted);
    EXPECT_EQ(ui::TextOf(run.Frame()), "Scrivel");

    EXPECT_EQ(run.CloseNow(), 0);
    LauncherNotice closed;
    ASSERT_TRUE(run.Launcher().WaitForCode(LN_EDITOR_CLOSED, 5000, &closed));
    EXPECT_TRUE(closed.sent);
    EXPECT_EQ(closed.editorWndAtThatMoment, 0u);
    EXPECT_EQ(Codes(run.Launcher()), (std::vector<unsigned>{LN_EDITOR_STARTED, LN_EDITOR_CLOSED}));
}

TEST(ScrivelStart, AnExitAfterASaveReportsTheSave)
{
    CScrivelRun run;
    const std::string folder = testpaths::MakeWorkDir("scrivel-exit-saved");
    const std::string path = WriteConf(folder, "httpd.conf");
    HWND view = run.StartOn({path});
    ASSERT_NE(view, nullptr);
    ui::PostText(view, "#");
    ASSERT_TRUE(ui::WaitUntil([&] { return ::SendMessageA(view, EM_GETMODIFY, 0, 0) != 0; }));

    // Code 3 asks whether to save; "Yes" saves, closes and reports code 14.
    std::string question;
    EXPECT_EQ(run.SendAndAnswer(LN_SAVE_AND_CLOSE, IDYES, &question), 1);
    EXPECT_EQ(question, "Save changes to httpd.conf?");
    EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
    LauncherNotice closed;
    ASSERT_TRUE(run.Launcher().WaitForCode(LN_EDITOR_CLOSED_SAVED, 5000, &closed));
    EXPECT_EQ(closed.editorWndAtThatMoment, 0u);
    EXPECT_EQ(Codes(run.Launcher()), (std::vector<unsigned>{LN_EDITOR_STARTED, LN_EDITOR_CLOSED_SAVED}));
    std::string saved;
    ASSERT_TRUE(testpaths::ReadTextFile(path, saved));
    EXPECT_EQ(saved, "#Listen 80\r\n");
}

TEST(ScrivelStart, WithoutALauncherWindowNothingIsSentAndTheBlockKeepsTheFrame)
{
    CScrivelRun run;
    ASSERT_TRUE(run.StartWithoutLauncherWindow());
    HWND frame = run.Frame();
    ::PostMessageA(frame, WM_LAUNCHER_NOTIFY, LN_CLOSE_NOW, 0);
    EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
    EXPECT_EQ(HandleFromBlock(run.Launcher().Block()->hEditorWnd), frame);
    EXPECT_TRUE(run.Launcher().Notices().empty());
}

TEST(ScrivelStart, APendingTextIsShownInRedAndCleared)
{
    CScrivelRun run;
    ASSERT_TRUE(run.StartLauncher());
    run.Launcher().SetText("The server could not be started.");
    ASSERT_TRUE(run.StartScrivel());
    ASSERT_TRUE(run.WaitStarted());
    EXPECT_EQ(StatusText(run.Frame()), "The server could not be started.");
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusPaneColour(run.Frame()) == kErrorBack; }, 2000))
        << std::hex << StatusPaneColour(run.Frame()) << " " << SaveWindowPng(run.Frame(), "scrivel-pending-text");
    EXPECT_EQ(run.Launcher().Text(), "");
    EXPECT_EQ(run.CloseNow(), 0);
}

// The files of Settings\Files.
class ScrivelStartFiles : public ::testing::Test {
protected:
    // Starts the Launcher and Scrivel, which asks about a missing file first: that box, or null.
    HWND StartUntilTheFirstQuestion()
    {
        return run.StartLauncher() && run.StartScrivel() ? ui::WaitForMessageBox(run.Process().Id()) : nullptr;
    }
    // Answers the box and waits for it to go and for the next one: that one, or null.
    HWND AnswerAndWaitForTheNext(HWND box, int button)
    {
        ui::AnswerMessageBox(box, button);
        return ui::WaitUntil([&] { return !::IsWindow(box); }) ? ui::WaitForMessageBox(run.Process().Id()) : nullptr;
    }

    CScrivelRun run;
    std::string folder = testpaths::MakeWorkDir("scrivel-start-files");
};

TEST_F(ScrivelStartFiles, AreOpenedInOrderUpToTheFirstEmptyValue)
{
    const std::string first = WriteConf(folder, "httpd.conf");
    const std::string second = WriteConf(folder, "access.conf");
    const std::string beyond = WriteConf(folder, "beyond.conf");
    CSettingsStore& store = run.Registry().Store();
    store.WriteScrivelFiles({first, second});
    store.WriteString(settings::kFilesKey, "File2", "");
    store.WriteString(settings::kFilesKey, "File3", beyond);
    ASSERT_TRUE(run.Start());
    std::vector<HWND> children = ChildFrames(run.Frame());
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "access.conf");  // opened last
    EXPECT_EQ(ViewText(ViewOf(ActiveChild(run.Frame()))), "Listen 80\r\n");
    EXPECT_EQ(run.CloseNow(), 0);
}

TEST_F(ScrivelStartFiles, AnEmptyFirstValueOpensNothing)
{
    CSettingsStore& store = run.Registry().Store();
    store.WriteString(settings::kFilesKey, "File0", "");
    store.WriteString(settings::kFilesKey, "File1", WriteConf(folder, "httpd.conf"));
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(ChildFrames(run.Frame()).empty());
    EXPECT_EQ(ActiveChild(run.Frame()), nullptr);
    EXPECT_EQ(run.CloseNow(), 0);
}

TEST_F(ScrivelStartFiles, AllHundredValuesAreOpenedAndTheHundredAndFirstIsNot)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 100; ++i)
        paths.push_back(WriteConf(folder, "file" + std::to_string(i) + ".conf"));
    CSettingsStore& store = run.Registry().Store();
    store.WriteScrivelFiles(paths);
    store.WriteString(settings::kFilesKey, "File100", WriteConf(folder, "file100.conf"));
    ASSERT_TRUE(run.Start());
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 100u);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "file99.conf");
    EXPECT_EQ(run.CloseNow(), 0);
}

TEST_F(ScrivelStartFiles, TheSamePathTwiceIsOneDocument)
{
    const std::string path = WriteConf(folder, "httpd.conf");
    std::string otherCase = path;
    for (char& c : otherCase)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    run.Registry().Store().WriteScrivelFiles({path, otherCase});
    ASSERT_TRUE(run.Start());
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 1u);
    EXPECT_EQ(run.CloseNow(), 0);
}

TEST_F(ScrivelStartFiles, AMissingFileIsCreatedOnYesAndSkippedOnNo)
{
    const std::string created = testpaths::Join(folder, "new.conf");
    const std::string skipped = testpaths::Join(folder, "skipped.conf");
    const std::string present = WriteConf(folder, "httpd.conf");
    run.Registry().Store().WriteScrivelFiles({created, skipped, present});
    HWND box = StartUntilTheFirstQuestion();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ui::TextOf(box), "Tessaly");
    EXPECT_EQ(ui::MessageBoxText(box), "File " + created + " not found. Do you wish to create new file?");
    box = AnswerAndWaitForTheNext(box, IDYES);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ui::MessageBoxText(box), "File " + skipped + " not found. Do you wish to create new file?");
    ui::AnswerMessageBox(box, IDNO);

    ASSERT_TRUE(run.WaitStarted());
    EXPECT_NE(::GetFileAttributesA(created.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesA(skipped.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
    EXPECT_EQ(run.CloseNow(), 0);
}

// The question may stay open for minutes; a file that appears meanwhile is opened as it is.
TEST_F(ScrivelStartFiles, AFileThatAppearsWhileTheQuestionIsOpenIsOpenedNotEmptied)
{
    const std::string late = testpaths::Join(folder, "httpd-late.conf");
    run.Registry().Store().WriteScrivelFiles({late});
    HWND box = StartUntilTheFirstQuestion();
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(ui::MessageBoxText(box), "File " + late + " not found. Do you wish to create new file?");
    ASSERT_TRUE(testpaths::WriteTextFile(late, "Listen 8080\r\n"));
    ui::AnswerMessageBox(box, IDYES);

    ASSERT_TRUE(run.WaitStarted());
    std::string onDisk;
    ASSERT_TRUE(testpaths::ReadTextFile(late, onDisk));
    EXPECT_EQ(onDisk, "Listen 8080\r\n");
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-late.conf");
    EXPECT_EQ(ViewText(ViewOf(ActiveChild(run.Frame()))), "Listen 8080\r\n");
    EXPECT_TRUE(ui::TopLevelWindows(run.Process().Id(), "#32770").empty());
    EXPECT_EQ(run.CloseNow(), 0);
}

TEST_F(ScrivelStartFiles, AFileThatCannotBeCreatedIsReportedAndStartGoesOn)
{
    const std::string impossible = testpaths::Join(folder, "no-such-folder\\httpd.conf");
    const std::string present = WriteConf(folder, "access.conf");
    run.Registry().Store().WriteScrivelFiles({impossible, present});
    HWND box = StartUntilTheFirstQuestion();
    ASSERT_NE(box, nullptr);
    box = AnswerAndWaitForTheNext(box, IDYES);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ui::MessageBoxText(box), "Error creating file " + impossible + ".");
    ui::AnswerMessageBox(box, IDOK);
    ASSERT_TRUE(run.WaitStarted());
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "access.conf");
    EXPECT_EQ(run.CloseNow(), 0);
}

// The frame's placement, "ScrivelWindow".
class ScrivelPlacement : public ::testing::Test {
protected:
    CScrivelRun run;

    void Store(const RECT& rect)
    {
        PlacementRecord record;
        record.showCmd = SW_SHOWNORMAL;
        StoreRect(record, rect);
        ASSERT_TRUE(run.Registry().Store().WritePlacement(settings::kScrivelWindow, record));
    }
    std::optional<PlacementRecord> Stored() { return run.Registry().Store().ReadPlacement(settings::kScrivelWindow); }
};

TEST_F(ScrivelPlacement, IsAppliedAtStartAndStoredAtExit)
{
    Store(RECT{100, 80, 740, 560});
    ASSERT_TRUE(run.Start());
    RECT shown{};
    ::GetWindowRect(run.Frame(), &shown);
    EXPECT_EQ(shown.left, 100);
    EXPECT_EQ(shown.top, 80);
    EXPECT_EQ(shown.right - shown.left, 640);
    EXPECT_EQ(shown.bottom - shown.top, 480);

    ::SetWindowPos(run.Frame(), nullptr, 50, 40, 700, 500, SWP_NOZORDER);
    ASSERT_TRUE(ui::WaitUntil([&] {
        RECT now{};
        ::GetWindowRect(run.Frame(), &now);
        return now.left == 50 && now.right - now.left == 700;
    }));
    EXPECT_EQ(run.CloseNow(), 0);
    std::optional<PlacementRecord> stored = Stored();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->left, 50);
    EXPECT_EQ(stored->top, 40);
    EXPECT_EQ(stored->right, 750);
    EXPECT_EQ(stored->bottom, 540);
}

TEST_F(ScrivelPlacement, AMinimisedFrameAtExitKeepsThePlacementStoredBefore)
{
    Store(RECT{120, 90, 720, 530});
    ASSERT_TRUE(run.Start());
    ::ShowWindow(run.Frame(), SW_MINIMIZE);
    ASSERT_TRUE(ui::WaitUntil([&] { return ::IsIconic(run.Frame()) != FALSE; }));
    EXPECT_EQ(run.CloseNow(), 0);
    std::optional<PlacementRecord> stored = Stored();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->left, 120);
    EXPECT_EQ(stored->bottom, 530);
    EXPECT_EQ(stored->showCmd, SW_SHOWNORMAL);
}

TEST_F(ScrivelPlacement, AStoredValueShorterThanARecordIsIgnored)
{
    const std::uint8_t damaged[10] = {44, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    run.Registry().Store().SetProfileBinary(settings::kSection, settings::kScrivelWindow, damaged, sizeof(damaged));
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(::IsWindowVisible(run.Frame()));
    RECT shown{};
    ::GetWindowRect(run.Frame(), &shown);
    EXPECT_GT(shown.right - shown.left, 100);
    EXPECT_EQ(run.CloseNow(), 0);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(run.Registry().Store().ProfileBinary(settings::kSection, settings::kScrivelWindow, bytes));
    EXPECT_EQ(bytes.size(), 44u);
}

// On a system whose common controls cannot make the frame's rebar (a window hook refuses it
// inside Scrivel) there is no frame: Scrivel asks for newer common controls, ends, and
// reports the exit without having reported a start.
TEST(ScrivelStart, AFrameThatCannotBeMadeAsksForNewerCommonControls)
{
    CModule veto(::LoadLibraryA(testpaths::Join(testpaths::TestBinDir(), "ScrivelRebarVeto.dll").c_str()));
    ASSERT_TRUE(veto);
    FARPROC exported = ::GetProcAddress(veto.Get(), "RefuseRebars@12");
    if (!exported)
        exported = ::GetProcAddress(veto.Get(), "RefuseRebars");
    auto refuseRebars = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(exported));
    ASSERT_NE(refuseRebars, nullptr);

    CScrivelRun run;
    ASSERT_TRUE(run.StartLauncher());
    CHook hook(::SetWindowsHookExA(WH_CBT, refuseRebars, veto.Get(), 0));
    ASSERT_TRUE(hook);
    ASSERT_TRUE(run.StartScrivel());
    HWND box = ui::WaitForMessageBox(run.Process().Id(), nullptr, kStartTimeoutMs);
    hook.Reset();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ui::TextOf(box), "Error");
    EXPECT_EQ(ui::MessageBoxText(box), "Please install Common Controls (comctl32.dll) version 4.71 or higher.");
    EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(ui::TopLevelWindows(run.Process().Id()).size(), 1u);  // the box alone: no frame
    EXPECT_EQ(run.Launcher().Block()->hEditorWnd, 0u);
    ASSERT_TRUE(ui::AnswerMessageBox(box, IDOK));
    EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
    EXPECT_EQ(Codes(run.Launcher()), (std::vector<unsigned>{LN_EDITOR_CLOSED}));
}
