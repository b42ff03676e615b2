// Each module on the framework has its own application object, resources and settings key;
// a library's export runs in its own state and hands the caller's back when it returns.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "ChildProcess.h"
#include "FwIds.h"
#include "FwTestSupport.h"
#include "Handles.h"
#include "ModuleState.h"
#include "RegistrySettingsBackend.h"
#include "SettingsStore.h"
#include "TestPaths.h"
#include "WinApp.h"
#include "Wnd.h"
#include "probe/ModuleProbe.h"
#include "probe/ProbeIds.h"

namespace {
class CProbeHostApp : public CWinApp {};
CProbeHostApp theHostApp;

const char kHostRoot[] = "Software\\FwTestHost";
const char kLibraryRoot[] = "Software\\FwTestLibrary";

void DeleteTestKeys()
{
    UserSettingsBackend().DeleteKey(kHostRoot);
    UserSettingsBackend().DeleteKey(kLibraryRoot);
}

int StoredInt(const std::string& key, const char* name)
{
    CSettingsStore store(UserSettingsBackend(), "");
    return store.GetInt(key, name, -1);
}

class ModuleStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKeys();
        theHostApp.SetRegistryKey("FwTestHost");
        m_library.Reset(::LoadLibraryA("FwModuleProbe.dll"));
        ASSERT_TRUE(m_library) << "FwModuleProbe.dll not found beside the test program";
        FARPROC entry = ::GetProcAddress(m_library.Get(), "ProbeModule@8");
        if (!entry)
            entry = ::GetProcAddress(m_library.Get(), "ProbeModule");
        m_probe = reinterpret_cast<ProbeModuleFn>(reinterpret_cast<void*>(entry));
        ASSERT_NE(m_probe, nullptr);
    }
    void TearDown() override
    {
        m_library.Reset();
        DeleteTestKeys();
    }

    CModule m_library;
    ProbeModuleFn m_probe = nullptr;
};

TEST_F(ModuleStateTest, TheProgramsStateIsCurrentAtStart)
{
    EXPECT_EQ(AfxGetApp(), &theHostApp);
    EXPECT_STREQ(AfxGetAppName(), "FwHostApp");  // from the program's own string resource
    EXPECT_EQ(AfxLoadString(IDS_PROBE_TEXT), "host string");
}

TEST_F(ModuleStateTest, AnExportUsesTheLibrarysApplicationResourcesAndKey)
{
    ModuleProbeAnswer answer{};
    ASSERT_EQ(m_probe(&answer, 42), 1);

    EXPECT_EQ(answer.initialised, 1);
    EXPECT_STREQ(answer.appName, "FwLibraryApp");
    EXPECT_STREQ(answer.probeText, "library string");
    EXPECT_STREQ(answer.registryRoot, "Software\\FwTestLibrary\\FwLibraryApp");
    EXPECT_NE(answer.app, static_cast<void*>(&theHostApp));
    EXPECT_EQ(StoredInt("Software\\FwTestLibrary\\FwLibraryApp\\Settings", "Probe"), 42);
    EXPECT_EQ(StoredInt("Software\\FwTestHost\\FwHostApp\\Settings", "Probe"), -1);
}

TEST_F(ModuleStateTest, TheCallersStateIsBackAfterTheExport)
{
    ModuleProbeAnswer answer{};
    m_probe(&answer, 7);

    EXPECT_EQ(AfxGetApp(), &theHostApp);
    EXPECT_EQ(AfxLoadString(IDS_PROBE_TEXT), "host string");
    ASSERT_TRUE(theHostApp.WriteProfileInt("Settings", "Probe", 9));
    EXPECT_EQ(StoredInt("Software\\FwTestHost\\FwHostApp\\Settings", "Probe"), 9);
    EXPECT_EQ(StoredInt("Software\\FwTestLibrary\\FwLibraryApp\\Settings", "Probe"), 7);
}

TEST_F(ModuleStateTest, TheMainWindowBelongsToItsModule)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "host main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    theHostApp.m_pMainWnd = &window;

    ModuleProbeAnswer answer{};
    m_probe(&answer, 1);
    EXPECT_EQ(answer.mainWnd, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), &window);
    theHostApp.m_pMainWnd = nullptr;
}

TEST_F(ModuleStateTest, UnloadingTheLibraryRunsItsExitHook)
{
    ModuleProbeAnswer answer{};
    m_probe(&answer, 1);
    m_library.Reset();
    EXPECT_EQ(StoredInt("Software\\FwTestLibrary\\FwLibraryApp\\Settings", "Exited"), 1);
}

TEST_F(ModuleStateTest, NestedGuardsRestoreInOrder)
{
    CModuleState other{};
    {
        AFX_MANAGE_STATE(&other);
        EXPECT_EQ(AfxGetModuleState(), &other);
        {
            AFX_MANAGE_STATE(AfxGetStaticModuleState());
            EXPECT_EQ(AfxGetApp(), &theHostApp);
        }
        EXPECT_EQ(AfxGetModuleState(), &other);
        EXPECT_EQ(AfxGetApp(), nullptr);
    }
    EXPECT_EQ(AfxGetApp(), &theHostApp);
}

TEST_F(ModuleStateTest, ProfileCallsWithoutARegistryKeyGiveDefaultsAndStoreNothing)
{
    theHostApp.SetRegistryKey("");
    EXPECT_FALSE(theHostApp.WriteProfileString("Settings", "Name", "x"));
    EXPECT_EQ(theHostApp.GetProfileString("Settings", "Name", "fallback"), "fallback");
    EXPECT_EQ(theHostApp.GetProfileInt("Settings", "Number", 5), 5);
}

TEST_F(ModuleStateTest, ProfileCallsStoreIntegersStringsAndBinaryUnderTheAppsKey)
{
    ASSERT_TRUE(theHostApp.WriteProfileInt("Settings", "Number", -12));
    ASSERT_TRUE(theHostApp.WriteProfileString("Settings", "Name", "C:\\Apache"));
    const unsigned char bytes[] = {1, 2, 3, 250};
    ASSERT_TRUE(theHostApp.WriteProfileBinary("Other", "Blob", bytes, sizeof(bytes)));

    EXPECT_EQ(theHostApp.GetProfileInt("Settings", "Number", 0), -12);
    EXPECT_EQ(theHostApp.GetProfileString("Settings", "Name"), "C:\\Apache");
    std::vector<std::uint8_t> read;
    ASSERT_TRUE(theHostApp.GetProfileBinary("Other", "Blob", read));
    EXPECT_EQ(read, std::vector<std::uint8_t>(bytes, bytes + sizeof(bytes)));

    CRegKey key;
    ASSERT_EQ(
        ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\FwTestHost\\FwHostApp\\Settings", 0, KEY_READ, key.Receive()),
        ERROR_SUCCESS);
    char value[64] = {};
    DWORD size = sizeof(value);
    DWORD type = 0;
    ASSERT_EQ(::RegQueryValueExA(key.Get(), "Name", nullptr, &type, reinterpret_cast<BYTE*>(value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(value, "C:\\Apache");
}
TEST_F(ModuleStateTest, ALibrarysFrameUsesTheLibrarysResourcesWhileItsLoopRuns)
{
    FARPROC entry = ::GetProcAddress(m_library.Get(), "ShowProbeViewer@4");
    auto show = reinterpret_cast<ShowProbeViewerFn>(reinterpret_cast<void*>(entry));
    ASSERT_NE(show, nullptr);
    // A window of the program, whose handler runs while the library's loop dispatches.
    class CHostWindow : public CWnd {
    public:
        CWinApp* m_pAppSeen = nullptr;

    protected:
        bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override
        {
            if (msg != WM_APP)
                return CWnd::OnWndMsg(msg, wParam, lParam, result);
            m_pAppSeen = AfxGetApp();
            *result = 1;
            return true;
        }
    } hostWindow;
    ASSERT_TRUE(hostWindow.CreateEx(0, nullptr, "host window", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));

    HWND frame = nullptr;
    std::string caption;
    std::string menu;
    bool hostAnswered = false;
    fwtest::CScript script;
    script.Then([&] {
        if (!frame)
            return false;
        caption = CWnd(frame).GetWindowText();
        char text[64] = {};
        ::GetMenuStringA(::GetMenu(frame), 0, text, sizeof(text), MF_BYPOSITION);
        menu = text;
        hostAnswered = ::SendMessageA(hostWindow.m_hWnd, WM_APP, 0, 0) == 1;
        ::PostMessageA(frame, WM_COMMAND, ID_APP_EXIT, 0);
        return true;
    });
    EXPECT_EQ(show(&frame), 1);
    EXPECT_FALSE(script.timedOut);
    EXPECT_EQ(caption, "Library Viewer - Untitled");
    EXPECT_EQ(menu, "&Library");
    EXPECT_TRUE(hostAnswered);
    EXPECT_EQ(frame, nullptr);
    EXPECT_EQ(AfxGetApp(), &theHostApp);
    EXPECT_EQ(hostWindow.m_pAppSeen, &theHostApp);  // the program's window, the program's state
}
}  // namespace

namespace {
std::map<std::string, std::string> ReadNamedValues(const std::string& path)
{
    std::map<std::string, std::string> values;
    std::string text;
    if (!testpaths::ReadTextFile(path, text))
        return values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}
}  // namespace

// The Launcher is a program without a C++ runtime of its own: an exception thrown in a
// library's handler must end in that library, with the message counted as not handled and
// a failed command told to the user, and the host goes on and ends normally.
TEST(ModuleBoundaryTest, ALibrarysThrowingHandlersEndInsideItUnderAPlainCHost)
{
    const std::string results = testpaths::Join(testpaths::MakeWorkDir("plain-host"), "results.txt");
    ::DeleteFileA(results.c_str());
    CChildProcess host;
    ASSERT_TRUE(host.Start(testpaths::Join(testpaths::TestBinDir(), "FwPlainHost.exe"), "\"" + results + "\""));
    ASSERT_EQ(host.Wait(30000), 0);

    auto values = ReadNamedValues(results);
    EXPECT_EQ(values["called"], "1");
    EXPECT_EQ(values["sizeResult"], "0");
    // The base class's WindowProc in editor.dll returned normally to the library's.
    EXPECT_EQ(values["continuedAfterBase"], "1");
    EXPECT_EQ(values["commandResult"], "0");
    EXPECT_EQ(values["windowAlive"], "1");
    EXPECT_EQ(values["afterwardsResult"], "7");
    EXPECT_EQ(values["box"], "This action could not be completed.||command failed in the library");
}
