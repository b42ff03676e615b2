// The server information pages through DoOptions, with the server stand-in as "stub.exe"
// beside this test (the host's folder) or as "apache.exe" in the server folder: the text
// each page shows byte for byte, no process without a server folder, the stored switches,
// the quoted program, a process left holding the pipe, and a server that never ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <sstream>

#include "GeneralFlags.h"
#include "Handles.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "ServerCommand.h"
#include "TestPaths.h"
#include "resource.h"

using namespace optionstest;

namespace {

constexpr int kServerInfo = 7;
constexpr int kModules = 8;
constexpr int kDirectives = 9;
constexpr int kParsedSettings = 10;

std::string RunsRecord(const std::string& folder)
{
    return testpaths::Join(folder, "stand-in-runs.txt");
}

// The process ids the stand-in recorded in `folder`.
std::vector<DWORD> Runs(const std::string& folder)
{
    std::string text;
    std::vector<DWORD> ids;
    if (!testpaths::ReadTextFile(RunsRecord(folder), text))
        return ids;
    std::istringstream lines(text);
    for (DWORD id = 0; lines >> id;)
        ids.push_back(id);
    return ids;
}

// What the stand-in prints when started with `commandLine` in `folder`.
std::string StandInText(const std::string& commandLine, const std::string& folder)
{
    std::string text = "command line: " + commandLine + "\r\ncurrent folder: " + folder + "\r\ninput: open, empty\r\n";
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + " of a block longer than one piece\r\n";
    return text + "error one\r\noutput between\r\nerror two\r\n";
}

// The text of the page's output control once the page is shown.
std::string PageText(HWND dialog, int index)
{
    EXPECT_TRUE(SelectPage(dialog, index));
    const int output = index == kServerInfo ? IDC_SERVER_VERSION : IDC_SERVER_OUTPUT;
    HWND page = VisiblePage(dialog);
    return page ? Text(::GetDlgItem(page, output)) : "(no page)";
}

// Processor time the thread has used, in milliseconds.
double CpuMs(HANDLE thread)
{
    FILETIME created, ended, kernel, user;
    ::GetThreadTimes(thread, &created, &ended, &kernel, &user);
    return ((ULONGLONG{kernel.dwHighDateTime} << 32 | kernel.dwLowDateTime) +
            (ULONGLONG{user.dwHighDateTime} << 32 | user.dwLowDateTime)) /
           1e4;
}

struct ServerFolder {
    std::string path = testpaths::MakeWorkDir("options-server");
    ServerFolder() { ::DeleteFileA(RunsRecord(testpaths::TestBinDir()).c_str()); }
};

}  // namespace

TEST(OptionsServerPages, EachPageShowsWhatTheStubPrintedForItsStoredSwitchByteForByte)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    ServerFolder server;
    store.SetProfileString("Settings", "ApachePath", server.path.c_str());
    store.WriteCommandLine(settings::CommandLine::Version, "-v -D INFO");
    store.WriteCommandLine(settings::CommandLine::Settings, "");
    store.WriteCommandLine(settings::CommandLine::Directives, "--leave-child");
    const std::string stub = "\"" + testpaths::TestBinDir() + "/stub.exe\"  ";

    OptionsRun run;
    run.Run(nullptr, [&](HWND dialog) {
        EXPECT_EQ(PageText(dialog, kModules), StandInText(stub + "-l", server.path));
        // The copy the stand-in leaves holding the pipe is waited for without spinning.
        const DWORD threadId = ::GetWindowThreadProcessId(dialog, nullptr);
        CKernelHandle thread(::OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId));
        const double cpuBefore = CpuMs(thread.Get());
        const DWORD start = ::GetTickCount();
        EXPECT_EQ(PageText(dialog, kDirectives), StandInText(stub + "--leave-child", server.path));
        const double waitedMs = ::GetTickCount() - start;
        EXPECT_GE(waitedMs, 1500);
        EXPECT_LT(CpuMs(thread.Get()) - cpuBefore, waitedMs * 0.05) << "in " << waitedMs << " ms";
        EXPECT_EQ(PageText(dialog, kParsedSettings), StandInText(stub, server.path)) << "stored empty: run so";
        EXPECT_EQ(Runs(testpaths::TestBinDir()).size(), 4u) << "the version is fetched by its own page only";
        EXPECT_EQ(PageText(dialog, kServerInfo), StandInText(stub + "-v -D INFO", server.path));
        HWND page = VisiblePage(dialog);
        EXPECT_EQ(Text(::GetDlgItem(page, IDC_SERVER_LINK)), "https://httpd.apache.org/");

        // Once per opening: showing the pages again runs nothing.
        PageText(dialog, kModules);
        PageText(dialog, kServerInfo);
        EXPECT_EQ(Runs(testpaths::TestBinDir()).size(), 5u);
        EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW)) << "the pages change nothing";
        Close(dialog, IDOK);
    });
    EXPECT_EQ(store.ReadCommandLine(settings::CommandLine::Settings), "") << "saved nothing";
}

TEST(OptionsServerPages, WithoutAServerFolderThePagesAreEmptyAndNothingRuns)
{
    CRegistrySandbox sandbox;
    ServerFolder server;
    OptionsRun run;
    run.Run(nullptr, [&](HWND dialog) {
        for (int index : {kServerInfo, kModules, kDirectives, kParsedSettings})
            EXPECT_EQ(PageText(dialog, index), "") << index;
        Close(dialog, IDCANCEL);
    });
    EXPECT_TRUE(Runs(testpaths::TestBinDir()).empty());
}

TEST(OptionsServerPages, Bit7RunsTheServersOwnProgramFromItsFolderNotOnePlantedBesideIt)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    ServerFolder work;
    // A folder with a blank, and a program planted where an unquoted command line finds it first.
    const std::string server = testpaths::Join(work.path, "Server Folder");
    ASSERT_TRUE(::CreateDirectoryA(server.c_str(), nullptr));
    const std::string standIn = testpaths::Join(testpaths::TestBinDir(), "stub.exe");
    ASSERT_TRUE(::CopyFileA(standIn.c_str(), testpaths::Join(server, "apache.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(standIn.c_str(), testpaths::Join(work.path, "Server.exe").c_str(), FALSE));
    store.SetProfileString("Settings", "ApachePath", server.c_str());
    store.SetProfileInt("Settings", "General", static_cast<int>(settings::kGeneralDefault | general::kUseApacheExe));
    OptionsRun run;
    run.Run(nullptr, [&](HWND dialog) {
        EXPECT_EQ(PageText(dialog, kModules), StandInText("\"" + server + "/apache.exe\"  -l", server));
        Close(dialog, IDCANCEL);
    });
    EXPECT_TRUE(Runs(testpaths::TestBinDir()).empty());
    EXPECT_TRUE(Runs(work.path).empty()) << "the planted program ran";
    EXPECT_EQ(Runs(server).size(), 1u);
}

TEST(OptionsServerPages, AServerThatNeverEndsIsStoppedAfterTheWaitWhileTheDialogKeepsPainting)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    ServerFolder server;
    store.SetProfileString("Settings", "ApachePath", server.path.c_str());
    store.WriteCommandLine(settings::CommandLine::Version, "--never-end");
    const std::string commandLine = "\"" + testpaths::TestBinDir() + "/stub.exe\"  --never-end";

    OptionsRun run;
    run.Run(nullptr, [&](HWND dialog) {
        HWND tree = TreeOf(dialog);
        HTREEITEM serverInfo = nullptr;
        for (const TreeRow& row : ReadTree(tree))
            if (row.data == kServerInfo)
                serverInfo = row.item;
        // Posted: the page's creation holds the dialog's thread until the server ends.
        const DWORD start = ::GetTickCount();
        ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(serverInfo));
        ASSERT_TRUE(WaitUntil([&] { return !Runs(testpaths::TestBinDir()).empty(); }, 10000));
        const DWORD id = Runs(testpaths::TestBinDir()).front();
        CKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, id));
        ASSERT_TRUE(process);

        // Nothing shows while the server runs: watched for a second, well inside the wait limit.
        EXPECT_FALSE(WaitUntil(
            [&] {
                HWND shown = PageWith(dialog, IDC_SERVER_VERSION);
                return shown && !Text(::GetDlgItem(shown, IDC_SERVER_VERSION)).empty();
            },
            1000))
            << "still waiting";
        HWND page = PageWith(dialog, IDC_SERVER_VERSION);
        ASSERT_NE(page, nullptr);
        ::InvalidateRect(tree, nullptr, TRUE);
        EXPECT_TRUE(WaitUntil([&] { return !::GetUpdateRect(tree, nullptr, FALSE); }, 3000)) << "painted meanwhile";

        ASSERT_TRUE(WaitUntil([&] { return !Text(::GetDlgItem(page, IDC_SERVER_VERSION)).empty(); }, 30000));
        const DWORD waited = ::GetTickCount() - start;
        EXPECT_GE(waited, servercmd::kWaitLimitMs - 500);
        EXPECT_EQ(::WaitForSingleObject(process.Get(), 5000), WAIT_OBJECT_0) << "the stand-in was ended";
        EXPECT_EQ(Text(::GetDlgItem(page, IDC_SERVER_VERSION)),
                  "command line: " + commandLine + "\r\ncurrent folder: " + server.path +
                      "\r\ninput: open, empty\r\nstarted\r\n" + servercmd::kStoppedLine + "\r\n");
        Close(dialog, IDCANCEL);
    });
}
