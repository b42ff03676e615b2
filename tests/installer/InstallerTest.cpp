// The installer as an administrator uses it: a silent installation into a chosen folder,
// the tools started from there by the Launcher, and the uninstaller, which takes the files
// and the Launcher's Run entry away and keeps the user's settings unless asked.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Handles.h"
#include "LauncherIds.h"
#include "LauncherLink.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "SettingsSchema.h"
#include "SharedData.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace {

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaly";
constexpr char kInstalledFiles[][24] = {"Scrivel.exe",          "Options.dll",          "Brenlo.dll",
                                        "editor.dll",           "Tessaly-keywords.txt", "Tessaly-directives.txt",
                                        "Tessaly.chm",          "Tessaly-ReadMe.txt",   "Uninstall-Tessaly.exe",
                                        "Uninstall-Tessaly.ini"};
constexpr char kUninstaller[] = "Uninstall-Tessaly.exe";
constexpr DWORD kSetupMs = 60000;
constexpr char kUninstallCaption[] = "Tessaly " TESSALY_VERSION " Uninstall";
constexpr char kUserServer[] = "D:\\My server";

std::string SetupPath()
{
    return TESSALY_SETUP_PATH;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A value of the registry, or "<missing>" when the key or the value is absent.
std::string RegString(HKEY root, const char* key, const char* value)
{
    CRegKey opened;
    if (::RegOpenKeyExA(root, key, 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS)
        return "<missing>";
    char text[1024] = {};
    DWORD size = sizeof(text) - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(opened.Get(), value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return "<missing>";
    return text;
}

bool KeyExists(HKEY root, const char* key)
{
    CRegKey opened;
    return ::RegOpenKeyExA(root, key, 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

void SetRunEntry(const std::string& data)
{
    CRegKey run;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, settings::kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                run.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(run.Get(), settings::kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>(data.size() + 1)),
              ERROR_SUCCESS);
}

// Waits until the wizard's button 1 reads `label` ("&Next >", "&Install", "&Close"...) and
// can be pressed: the last page names its button "&Close" while the work still runs.
bool WaitForButton(HWND wizard, const char* label)
{
    return ui::WaitUntil(
        [&] {
            HWND button = ::GetDlgItem(wizard, 1);
            return ui::TextOf(button) == label && ui::IsEnabled(button);
        },
        kSetupMs);
}

// A question of the wizard's: it has the wizard's caption, so it is the process's other dialog.
HWND WaitForQuestion(DWORD processId, HWND wizard)
{
    HWND question = nullptr;
    ui::WaitUntil(
        [&] {
            for (HWND box : ui::TopLevelWindows(processId, "#32770"))
                if (box != wizard)
                    question = box;
            return question != nullptr;
        },
        10000);
    return question;
}

std::string ProcessImage(DWORD processId)
{
    CKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process.Get() || !::QueryFullProcessImageNameA(process.Get(), 0, path, &size))
        return "";
    return path;
}

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Exists(SetupPath())) << SetupPath();
        // A folder with spaces, as below Program Files.
        folder =
            testpaths::Join(testpaths::MakeWorkDir(::testing::UnitTest::GetInstance()->current_test_info()->name()),
                            "Program Files\\Tessaly");
        ::CreateDirectoryA(testpaths::Join(folder, "..").c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(sandbox.Store().SetProfileString(settings::kSection, settings::kApachePath, kUserServer));
        SetRunEntry("\"C:\\Launcher\\Launcher.exe\" /auto");
    }

    void TearDown() override
    {
        // The uninstaller's copy is no child of ours: a test that failed half-way lets it
        // finish its work and closes it.
        for (HWND left : ui::TopLevelWindows(0, "#32770", kUninstallCaption, true)) {
            if (WaitForButton(left, "&Close"))
                ui::Click(::GetDlgItem(left, 1));
            else
                ::PostMessageA(left, WM_CLOSE, 0, 0);
        }
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    }

    std::string InFolder(const std::string& name) const { return testpaths::Join(folder, name); }

    std::string TextIn(const std::string& name) const
    {
        std::string text = "<missing>";
        testpaths::ReadTextFile(InFolder(name), text);
        return text;
    }

    // The Launcher stand-in in the folder, with the start at logon its options write.
    void PlaceLauncher()
    {
        for (const char* name : {"Launcher.exe", "stub.exe"})
            ASSERT_TRUE(::CopyFileA(testpaths::Join(testpaths::BinDir(), name).c_str(), InFolder(name).c_str(), FALSE));
        SetRunEntry("\"" + InFolder("Launcher.exe") + "\" /auto");
    }

    // Starts Setup and waits for the wizard's welcome page; the wizard, or null.
    static HWND StartWizard(CChildProcess& setup)
    {
        if (!setup.Start(SetupPath()))
            return nullptr;
        HWND wizard = ui::WaitForTopLevel(setup.Id(), nullptr, "Tessaly " TESSALY_VERSION " Setup", 20000);
        return wizard != nullptr && WaitForButton(wizard, "&Next >") ? wizard : nullptr;
    }

    void InstallSilently(const std::string& options = "")
    {
        CChildProcess setup;
        ASSERT_TRUE(setup.Start(SetupPath(), "/S" + options));
        ASSERT_EQ(setup.Wait(kSetupMs), 0);
    }

    // The uninstaller copies itself away and goes on from there: wait for what it removes.
    void UninstallSilently(const std::string& options)
    {
        CChildProcess uninstall;
        ASSERT_TRUE(uninstall.Start(InFolder(kUninstaller), "/S" + options));
        EXPECT_TRUE(ui::WaitUntil([&] { return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, kSetupMs))
            << "the uninstall entry is gone";
        EXPECT_TRUE(ui::WaitUntil([&] { return !Exists(InFolder(kUninstaller)); }, kSetupMs));
    }

    void ExpectInstalled()
    {
        std::uint64_t bytes = 0;
        for (const char* name : kInstalledFiles) {
            EXPECT_TRUE(Exists(InFolder(name))) << name;
            bytes += testpaths::FileSize(InFolder(name));
        }
        DWORD kib = 0, size = sizeof(kib);
        ::RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &kib, &size);
        EXPECT_LE(kib, bytes / 1024) << "the size counts our files only, not the Launcher's beside them";
        for (const char* name : {"Scrivel.exe", "Options.dll", "Brenlo.dll", "editor.dll", "Tessaly.chm"})
            EXPECT_EQ(testpaths::FileSize(InFolder(name)),
                      testpaths::FileSize(testpaths::Join(testpaths::BinDir(), name)))
                << name << " is the built one";
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Tessaly " TESSALY_VERSION);
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"), TESSALY_VERSION);
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"), folder);
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
                  "\"" + InFolder(kUninstaller) + "\"");
    }

    void ExpectRemoved(const std::set<std::string>& staying = {})
    {
        for (const char* name : kInstalledFiles)
            EXPECT_EQ(Exists(InFolder(name)), staying.count(name) == 1) << name;
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, settings::kRunKey, settings::kRunValue), "<missing>")
            << "Scrivel /uninstall removed the Launcher's start at logon";
    }

    // The Launcher stand-in in the installed folder starts the installed Scrivel.
    void StartScrivelThroughLauncher()
    {
        CChildProcess launcher;
        ASSERT_TRUE(launcher.Start(InFolder("Launcher.exe")));
        HWND main = ui::WaitForTopLevel(launcher.Id(), nullptr, kMainCaption, 20000);
        ASSERT_NE(main, nullptr);
        HWND edit = ::GetDlgItem(main, IDC_EDIT_CONFIGURATION);
        ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(edit); }, 5000)) << "the Launcher sees Scrivel.exe";
        ASSERT_TRUE(ui::Click(edit));
        CSharedData block;
        HWND frame = nullptr;
        ASSERT_TRUE(ui::WaitUntil(
            [&] { return block.Open() && (frame = block.GetEditorWnd()) != nullptr && ::IsWindowVisible(frame); },
            20000))
            << "Scrivel started and handed its window to the Launcher";
        DWORD scrivelId = 0;
        ::GetWindowThreadProcessId(frame, &scrivelId);
        EXPECT_EQ(ProcessImage(scrivelId), InFolder("Scrivel.exe"));
        SaveWindowPng(frame, "installed-scrivel");

        CKernelHandle scrivel(::OpenProcess(SYNCHRONIZE, FALSE, scrivelId));
        ::PostMessageA(frame, WM_LAUNCHER_NOTIFY, LN_CLOSE_NOW, 0);
        EXPECT_EQ(::WaitForSingleObject(scrivel.Get(), 10000), WAIT_OBJECT_0);
        ::PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(launcher.Wait(10000), 0);
        for (const char* name : {"Launcher.exe", "stub.exe"})
            EXPECT_TRUE(::DeleteFileA(InFolder(name).c_str()));
    }

    CRegistrySandbox sandbox;
    std::string folder;
};

TEST_F(InstallerTest, InstallsIntoTheLaunchersFolderRunsAndUninstallsKeepingTheSettings)
{
    PlaceLauncher();
    InstallSilently();
    ExpectInstalled();
    StartScrivelThroughLauncher();

    UninstallSilently("");
    ExpectRemoved();
    EXPECT_FALSE(Exists(folder)) << "the emptied folder is removed";
    EXPECT_EQ(sandbox.Store().ProfileString(settings::kSection, settings::kApachePath), kUserServer)
        << "the user's settings stay";
}

// Another maker's files in the folder: generic names are not ours to touch, and the names
// the Launcher fixes are replaced only once the earlier file is kept, which comes back on
// uninstalling. A file replaced after the installation is no longer ours to delete.
TEST_F(InstallerTest, RemovesTheSettingsOnlyWhenAskedAndKeepsForeignFiles)
{
    const char* foreign[] = {"ReadMe.txt", "Uninstall.exe", "Scrivel.exe", "editor.dll"};
    for (const char* name : foreign)
        ASSERT_TRUE(testpaths::WriteTextFile(InFolder(name), std::string("another maker's ") + name));
    InstallSilently(" /D=" + folder);
    ExpectInstalled();
    InstallSilently(" /D=" + folder);
    for (const char* name : {"Scrivel.exe", "editor.dll"}) {
        EXPECT_EQ(TextIn(name + std::string(".before-Tessaly")), std::string("another maker's ") + name)
            << "kept once; the second installation replaced only its own file";
        EXPECT_FALSE(Exists(InFolder(name + std::string(".before-Tessaly-2"))));
    }
    ASSERT_TRUE(testpaths::WriteTextFile(InFolder("my notes.txt"), "mine"));
    ASSERT_TRUE(testpaths::WriteTextFile(InFolder("Options.dll"), "an update of another maker"));

    UninstallSilently(" /REMOVESETTINGS");
    ExpectRemoved({"Scrivel.exe", "editor.dll", "Options.dll"});
    for (const char* name : foreign)
        EXPECT_EQ(TextIn(name), std::string("another maker's ") + name) << "back, or never touched";
    EXPECT_EQ(TextIn("Options.dll"), "an update of another maker");
    EXPECT_EQ(TextIn("my notes.txt"), "mine") << "a file the installer did not put there stays";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, settings::kRootKey));
}

// The Launcher's start at logon names its program unquoted, blanks and all, with an
// argument: Setup offers that folder. The user declines to replace the Scrivel.exe found
// there, and the installation stops without changing anything.
TEST_F(InstallerTest, OffersTheLaunchersFolderAndStopsWhenTheUserKeepsItsFiles)
{
    PlaceLauncher();
    SetRunEntry(InFolder("Launcher.exe") + " /auto");
    ASSERT_TRUE(testpaths::WriteTextFile(InFolder("Scrivel.exe"), "another maker's"));
    CChildProcess setup;
    HWND wizard = StartWizard(setup);
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(ui::Click(::GetDlgItem(wizard, 1)));
    ASSERT_TRUE(WaitForButton(wizard, "&Install"));
    EXPECT_EQ(ui::TextOf(ui::FindChild(wizard, "Edit")), folder);
    EXPECT_NE(ui::TextOf(ui::FindChild(wizard, "Static", 1006)).find("offers the Launcher's folder"),
              std::string::npos);
    SaveWindowPng(wizard, "installer-folder-of-the-launcher");
    ASSERT_TRUE(ui::Click(::GetDlgItem(wizard, 1)));

    HWND question = WaitForQuestion(setup.Id(), wizard);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(ui::MessageBoxText(question).find("Scrivel.exe"), std::string::npos) << ui::MessageBoxText(question);
    SaveWindowPng(question, "installer-foreign-files");
    ASSERT_TRUE(ui::AnswerMessageBox(question, IDNO));
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(::GetDlgItem(wizard, IDCANCEL)); }, kSetupMs));
    ASSERT_TRUE(ui::Click(::GetDlgItem(wizard, IDCANCEL)));
    EXPECT_EQ(setup.Wait(10000), 2) << "stopped by Setup";
    EXPECT_EQ(TextIn("Scrivel.exe"), "another maker's");
    for (const char* name : {"Scrivel.exe.before-Tessaly", "Options.dll", kUninstaller})
        EXPECT_FALSE(Exists(InFolder(name))) << name;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// A user clicks through both wizards: installs into a folder typed on the folder page, and
// uninstalls with "Remove my settings" ticked on the uninstaller's page. Pictures of every
// page go to build/screenshots.
TEST_F(InstallerTest, AUserInstallsAndUninstallsWithTheSettingsTicked)
{
    CChildProcess setup;
    HWND wizard = StartWizard(setup);
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(ui::Click(::GetDlgItem(wizard, 1)));
    HWND folderEdit = nullptr;
    ASSERT_TRUE(ui::WaitUntil([&] { return (folderEdit = ui::FindChild(wizard, "Edit")) != nullptr; }, 5000));
    ASSERT_TRUE(::SendMessageA(folderEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str())));
    ASSERT_TRUE(WaitForButton(wizard, "&Install"));
    ASSERT_TRUE(ui::Click(::GetDlgItem(wizard, 1)));
    ASSERT_TRUE(WaitForButton(wizard, "&Finish"));
    SaveWindowPng(wizard, "installer-finish");
    ASSERT_TRUE(ui::Click(::GetDlgItem(wizard, 1)));
    EXPECT_EQ(setup.Wait(10000), 0);
    ExpectInstalled();

    // The uninstaller goes on from a copy of itself: its window belongs to that process.
    CChildProcess uninstall;
    ASSERT_TRUE(uninstall.Start(InFolder(kUninstaller)));
    HWND pages = ui::WaitForTopLevel(0, "#32770", kUninstallCaption, 20000, true);
    ASSERT_NE(pages, nullptr);
    HWND tree = nullptr;
    ASSERT_TRUE(ui::WaitUntil([&] { return (tree = ui::FindChild(pages, "SysTreeView32")) != nullptr; }, 5000));
    auto settingsItem = [&] {
        auto first = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        return reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(first)));
    };
    auto ticked = [&] {
        const auto state =
            ::SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(settingsItem()), TVIS_STATEIMAGEMASK);
        return (state >> 12) == 2;
    };
    ASSERT_NE(settingsItem(), nullptr);
    EXPECT_FALSE(ticked()) << "the settings stay unless the user asks";
    SaveWindowPng(pages, "uninstaller-components");
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(settingsItem()));
    ASSERT_TRUE(ui::ClickToFocus(pages, tree));
    ui::PressKey(VK_SPACE);
    ASSERT_TRUE(ui::WaitUntil(ticked, 5000));
    ASSERT_TRUE(ui::Click(::GetDlgItem(pages, 1)));
    ASSERT_TRUE(WaitForButton(pages, "&Close"));
    SaveWindowPng(pages, "uninstaller-done");
    ASSERT_TRUE(ui::Click(::GetDlgItem(pages, 1)));

    ExpectRemoved();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, settings::kRootKey)) << "the ticked box removed the settings";
}

// The pages a user clicks through; the pictures go to build/screenshots.
TEST_F(InstallerTest, ShowsItsPagesAndCancelsCleanly)
{
    CChildProcess setup;
    HWND wizard = StartWizard(setup);
    ASSERT_NE(wizard, nullptr);
    HWND next = ::GetDlgItem(wizard, 1);
    EXPECT_FALSE(SaveWindowPng(wizard, "installer-welcome").empty());

    ASSERT_TRUE(ui::Click(next));
    HWND folderEdit = nullptr;
    ASSERT_TRUE(ui::WaitUntil([&] { return (folderEdit = ui::FindChild(wizard, "Edit")) != nullptr; }, 5000));
    const std::string offered = ui::TextOf(folderEdit);
    EXPECT_NE(offered.find("Tessaly"), std::string::npos) << offered;
    EXPECT_EQ(offered.rfind("C:\\Program Files", 0), 0u) << offered;
    EXPECT_NE(ui::TextOf(ui::FindChild(wizard, "Static", 1006)).find("did not find the Launcher"), std::string::npos)
        << "the folder page says why it offers Program Files";
    EXPECT_FALSE(SaveWindowPng(wizard, "installer-folder").empty());

    ASSERT_TRUE(ui::Click(::GetDlgItem(wizard, IDCANCEL)));
    HWND question = WaitForQuestion(setup.Id(), wizard);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(ui::MessageBoxText(question).find("quit"), std::string::npos) << ui::MessageBoxText(question);
    ASSERT_TRUE(ui::AnswerMessageBox(question, IDYES));
    EXPECT_NE(setup.Wait(10000), -1);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

}  // namespace
