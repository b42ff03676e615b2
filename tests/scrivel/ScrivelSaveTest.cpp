// Saving never damages a configuration file: a save that fails leaves the file as it was and
// the document modified and says why; a Scrivel killed in the middle of a save leaves the old
// or the new file, whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FwIds.h"
#include "Handles.h"
#include "LauncherLink.h"
#include "ScrivelDriver.h"
#include "TestPaths.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {

const std::string kOriginal = "ServerRoot \"C:/Apache24\"\r\nListen 80\r\n";

// The names of the files in a folder, in the order the system lists them.
std::vector<std::string> FileNamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA(testpaths::Join(folder, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

class ScrivelSave : public ::testing::Test {
protected:
    CScrivelRun run;
    std::string folder;
    std::string path;
    HWND view = nullptr;

    void Open(const std::string& target)
    {
        path = target;
        ASSERT_TRUE(testpaths::WriteTextFile(path, kOriginal));
        view = run.StartOn({path});
        ASSERT_NE(view, nullptr);
        ui::PostText(view, "#");
        ASSERT_TRUE(ui::WaitUntil([&] { return Modified(); }));
    }

    bool Modified() { return ::SendMessageA(view, EM_GETMODIFY, 0, 0) != 0; }

    // Chooses Save and returns the text of the message box it brings.
    std::string SaveAndReadTheMessage()
    {
        if (!ui::PostCommand(run.Frame(), ID_FILE_SAVE))
            return "(no command)";
        HWND box = ui::WaitForMessageBox(run.Process().Id());
        if (!box)
            return "(no message box)";
        std::string text = ui::MessageBoxText(box);
        EXPECT_EQ(ui::TextOf(box), "Tessaly");
        ui::AnswerMessageBox(box, IDOK);
        return text;
    }

    std::string OnDisk() { return testpaths::FileText(path); }

    void SetUp() override { folder = testpaths::MakeWorkDir("scrivel-save"); }
    void TearDown() override
    {
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (run.Process().IsRunning()) {
            EXPECT_EQ(run.CloseNow(), 0);
        }
    }
};

}  // namespace

TEST_F(ScrivelSave, ASavedFileHoldsTheNewText)
{
    Open(testpaths::Join(folder, "httpd.conf"));
    ASSERT_TRUE(ui::PostCommand(run.Frame(), ID_FILE_SAVE));
    EXPECT_TRUE(ui::WaitUntil([&] { return !Modified(); }));
    EXPECT_EQ(OnDisk(), "#" + kOriginal);
}

TEST_F(ScrivelSave, AFileInUseIsLeftAsItWasAndTheDocumentStaysModified)
{
    Open(testpaths::Join(folder, "httpd.conf"));
    CFileHandle held(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(SaveAndReadTheMessage(),
              path + " is in use by another program. It was not saved; the file on disk is unchanged.");
    held.Reset();
    EXPECT_EQ(OnDisk(), kOriginal);
    EXPECT_TRUE(Modified());
}

TEST_F(ScrivelSave, AReadOnlyFileIsLeftAsItWas)
{
    Open(testpaths::Join(folder, "httpd.conf"));
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(SaveAndReadTheMessage(), path + " is read-only. It was not saved.");
    EXPECT_EQ(OnDisk(), kOriginal);
    EXPECT_TRUE(Modified());
}

TEST_F(ScrivelSave, AVanishedFolderIsReportedAndTheDocumentStaysModified)
{
    const std::string sub = testpaths::Join(folder, "extra");
    ASSERT_TRUE(::CreateDirectoryA(sub.c_str(), nullptr));
    Open(testpaths::Join(sub, "httpd-ssl.conf"));
    ASSERT_TRUE(::DeleteFileA(path.c_str()));
    ASSERT_TRUE(::RemoveDirectoryA(sub.c_str()));
    EXPECT_EQ(SaveAndReadTheMessage(),
              path + " was not saved: its folder is missing or cannot be written. The file on disk is unchanged.");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(::GetFileAttributesA(sub.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Save As: the common dialog names the new file; the document takes its name and is found
// under it afterwards.
class ScrivelSaveAs : public ScrivelSave {
protected:
    // Chooses Save As, types the path into the dialog's file name and presses Save.
    void ChooseInSaveAsDialog(const std::string& target)
    {
        ASSERT_NE(ChooseInFileDialog(run, ID_FILE_SAVE_AS, "Save As", target), nullptr);
    }

    // The dialog's own question before it replaces an existing file.
    void ConfirmReplacing()
    {
        HWND question = nullptr;
        ASSERT_TRUE(ui::WaitUntil([&] {
            for (HWND box : ui::TopLevelWindows(run.Process().Id(), "#32770")) {
                if (ui::MessageBoxText(box).find("already exists") != std::string::npos)
                    question = box;
            }
            return question != nullptr;
        }));
        ASSERT_TRUE(ui::AnswerMessageBox(question, IDYES));
    }
};

TEST_F(ScrivelSaveAs, WritesTheNewFileAndTheDocumentTakesItsName)
{
    Open(testpaths::Join(folder, "httpd.conf"));
    const std::string copy = testpaths::Join(folder, "httpd-copy.conf");
    ChooseInSaveAsDialog(copy);
    ASSERT_TRUE(ui::WaitUntil([&] { return !Modified(); }));
    EXPECT_EQ(testpaths::FileText(copy), "#" + kOriginal);
    EXPECT_EQ(OnDisk(), kOriginal);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-copy.conf");
    EXPECT_TRUE(ui::TopLevelWindows(run.Process().Id(), "#32770").empty());

    // Opening the new name again, in another letter case, activates the same document.
    ui::PostCommand(run.Frame(), ID_FILE_NEW);
    ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "Scrivel1"; }));
    std::string otherCase = copy;
    for (char& c : otherCase)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    run.Launcher().SetText(("Syntax error on line 2 of " + otherCase + ":\r\nInvalid command").c_str());
    run.Launcher().SendCode(run.Frame(), LN_SYNTAX_ERROR);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-copy.conf");
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
    EXPECT_EQ(CaretLine(ViewOf(ActiveChild(run.Frame()))), 2);
}

// The document saved under a new name and then closed leaves nothing behind under its old
// name: a report naming the old file opens that file afresh.
TEST_F(ScrivelSaveAs, OnceClosedTheOldNameOpensItsOwnFile)
{
    Open(testpaths::Join(folder, "httpd.conf"));
    const std::string copy = testpaths::Join(folder, "httpd-copy.conf");
    ChooseInSaveAsDialog(copy);
    ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "httpd-copy.conf"; }));
    ui::PostCommand(run.Frame(), ID_FILE_CLOSE);
    ASSERT_TRUE(ui::WaitUntil([&] { return ChildFrames(run.Frame()).empty(); }));

    run.Launcher().SetText(("Syntax error on line 2 of " + path + ":\r\nInvalid command").c_str());
    run.Launcher().SendCode(run.Frame(), LN_SYNTAX_ERROR);
    ASSERT_EQ(ChildFrames(run.Frame()).size(), 1u);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd.conf");
    HWND reopened = ViewOf(ActiveChild(run.Frame()));
    EXPECT_EQ(ViewText(reopened), kOriginal);
    EXPECT_EQ(CaretLine(reopened), 2);
}

// After Save As the document holds the copy: a report naming the original file opens the
// original beside it, and one naming the copy still lands in the document.
TEST_F(ScrivelSaveAs, TheOldNameOpensTheOriginalFileWhileTheCopyIsOpen)
{
    Open(testpaths::Join(folder, "httpd.conf"));
    const std::string copy = testpaths::Join(folder, "httpd-copy.conf");
    ChooseInSaveAsDialog(copy);
    ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "httpd-copy.conf"; }));
    HWND copyView = view;

    run.Launcher().SetText(("Syntax error on line 2 of " + path + ":\r\nInvalid command").c_str());
    run.Launcher().SendCode(run.Frame(), LN_SYNTAX_ERROR);
    ASSERT_EQ(ChildFrames(run.Frame()).size(), 2u);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd.conf");
    HWND original = ViewOf(ActiveChild(run.Frame()));
    EXPECT_NE(original, copyView);
    EXPECT_EQ(ViewText(original), kOriginal);
    EXPECT_EQ(CaretLine(original), 2);
    EXPECT_EQ(CaretLine(copyView), 1);

    run.Launcher().SetText(("Syntax error on line 2 of " + copy + ":\r\nInvalid command").c_str());
    run.Launcher().SendCode(run.Frame(), LN_SYNTAX_ERROR);
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-copy.conf");
    EXPECT_EQ(CaretLine(copyView), 2);
}

TEST_F(ScrivelSaveAs, OntoAReadOnlyFileTellsWhyAndKeepsEverything)
{
    Open(testpaths::Join(folder, "httpd.conf"));
    const std::string locked = testpaths::Join(folder, "httpd-ssl.conf");
    ASSERT_TRUE(testpaths::WriteTextFile(locked, "Listen 443\r\n"));
    ASSERT_TRUE(::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));

    ChooseInSaveAsDialog(locked);
    ConfirmReplacing();
    HWND box = nullptr;
    ASSERT_TRUE(ui::WaitUntil([&] {
        for (HWND candidate : ui::TopLevelWindows(run.Process().Id(), "#32770", "Tessaly"))
            box = candidate;
        return box != nullptr;
    }));
    EXPECT_EQ(ui::MessageBoxText(box), locked + " is read-only. It was not saved.");
    ui::AnswerMessageBox(box, IDOK);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::TopLevelWindows(run.Process().Id(), "#32770").empty(); }));

    EXPECT_EQ(testpaths::FileText(locked), "Listen 443\r\n");
    EXPECT_EQ(OnDisk(), kOriginal);
    EXPECT_TRUE(Modified());
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd.conf");
    ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Scrivel is stopped at random moments while it saves a large file: whatever moment it is,
// the file holds the old text or the new one, whole. The temporary file a killed save
// leaves beside it is gone once Scrivel opens the file again, so a server that includes the
// whole folder never reads it.
TEST(ScrivelSaveKilled, LeavesTheOldOrTheNewFileWhole)
{
    const std::string folder = testpaths::MakeWorkDir("scrivel-save-killed");
    const std::string path = testpaths::Join(folder, "httpd.conf");
    std::string text;
    for (int i = 0; text.size() < 6 * 1024 * 1024; ++i)
        text += "# " + std::to_string(i) + " Include conf/extra/httpd-vhosts.conf and more words\r\n";
    ASSERT_TRUE(testpaths::WriteTextFile(path, text));

    std::mt19937 random(20261208);
    DWORD saveMs = 0;
    constexpr int kRounds = 12;
    int killedWhileSaving = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        if (round == kRounds / 2) {
            // However fast this machine saves, one round starts with a leftover of ours.
            ASSERT_TRUE(testpaths::WriteTextFile(path + ".~tessaly-save", "# half a save\r\n"));
        }
        CScrivelRun run;
        HWND view = run.StartOn({path});
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(FileNamesIn(folder), std::vector<std::string>{"httpd.conf"});
        ui::PostText(view, "#");
        ASSERT_TRUE(ui::WaitUntil([&] { return ::SendMessageA(view, EM_GETMODIFY, 0, 0) != 0; }));

        const DWORD began = ::GetTickCount();
        ASSERT_TRUE(ui::PostCommand(run.Frame(), ID_FILE_SAVE));
        if (round == 0) {
            // The first save runs to its end, to learn how long a save takes.
            ASSERT_TRUE(ui::WaitUntil([&] { return ::SendMessageA(view, EM_GETMODIFY, 0, 0) == 0; }, 30000));
            saveMs = std::max<DWORD>(::GetTickCount() - began, 20);
        } else {
            ::Sleep(std::uniform_int_distribution<DWORD>(0, saveMs + saveMs / 4)(random));
            // The save runs on Scrivel's window thread: while it writes, the view cannot answer.
            if (::SendMessageTimeoutA(view, EM_GETMODIFY, 0, 0, SMTO_ABORTIFHUNG, 5, nullptr) == 0)
                ++killedWhileSaving;
            run.Process().Kill();
        }
        std::string onDisk;
        ASSERT_TRUE(testpaths::ReadTextFile(path, onDisk));
        const bool old = onDisk == text;
        const bool saved = onDisk == "#" + text;
        ASSERT_TRUE(old || saved) << "the file has " << onDisk.size() << " bytes";
        text = onDisk;  // the next round starts from what is on disk
        if (round > 0 && run.Process().IsRunning())
            run.Process().Kill();
    }
    EXPECT_GT(killedWhileSaving, 0);
}
