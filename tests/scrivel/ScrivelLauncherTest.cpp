// Scrivel's conversation with the Launcher: syntax-check reports in every form the servers
// print, each code the Launcher sends, the flashed status messages, "Save all and test" and
// About.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "FwIds.h"
#include "Handles.h"
#include "FwMessages.h"
#include "LauncherLink.h"
#include "Screenshot.h"
#include "ScrivelDriver.h"
#include "SettingsSchema.h"
#include "TestPaths.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {

constexpr UINT kSaveAllAndTest = 32778;

std::string NumberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "# line " + std::to_string(i) + "\r\n";
    return text;
}

std::string ForwardSlashes(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Scrivel started with httpd.conf open; further files lie in the same folder.
class ScrivelLauncher : public ::testing::Test {
protected:
    CScrivelRun run;
    std::string folder;
    std::string httpdConf;
    std::string vhostsConf;
    std::string sslConf;

    void SetUp() override
    {
        folder = testpaths::MakeWorkDir("scrivel-launcher-" +
                                        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        httpdConf = testpaths::Join(folder, "httpd.conf");
        vhostsConf = testpaths::Join(folder, "httpd-vhosts.conf");
        sslConf = testpaths::Join(folder, "httpd-ssl.conf");
        ASSERT_TRUE(testpaths::WriteTextFile(httpdConf, NumberedLines(600)));
        ASSERT_TRUE(testpaths::WriteTextFile(vhostsConf, NumberedLines(80)));
        ASSERT_TRUE(testpaths::WriteTextFile(sslConf, NumberedLines(150)));
        run.Registry().Store().WriteScrivelFiles({httpdConf});
        ASSERT_TRUE(run.Start());
    }

    void TearDown() override
    {
        if (run.Process().IsRunning()) {
            EXPECT_EQ(run.CloseNow(), 0);
        }
    }

    LRESULT Send(unsigned code, const char* text = nullptr)
    {
        if (text)
            run.Launcher().SetText(text);
        return run.Launcher().SendCode(run.Frame(), code);
    }

    // Sends a code on another thread, for codes that ask the user first.
    std::thread SendLater(unsigned code, std::atomic<LRESULT>& result)
    {
        return std::thread([this, code, &result] { result = run.Launcher().SendCode(run.Frame(), code, 0, 60000); });
    }

    // The Launcher's text for a report of an error in a file that is not there: the
    // framework's box saying it cannot open the file comes up while the report is answered.
    void SetAMissingFileReport()
    {
        run.Launcher().SetText(("Syntax error on line 9 of " + MissingConf() + ":\r\nNo such file").c_str());
    }
    std::string MissingConf() const { return testpaths::Join(folder, "missing.conf"); }

    void Modify()
    {
        HWND view = ViewOf(ActiveChild(run.Frame()));
        ASSERT_NE(view, nullptr);
        ui::PostText(view, "X");
        ASSERT_TRUE(ui::WaitUntil([&] { return ::SendMessageA(view, EM_GETMODIFY, 0, 0) != 0; }));
    }

    bool ShowsError(const std::string& text)
    {
        return StatusText(run.Frame()) == text &&
               ui::WaitUntil([&] { return StatusPaneColour(run.Frame()) == kErrorBack; }, 2000);
    }

    int ActiveCaretLine() { return CaretLine(ViewOf(ActiveChild(run.Frame()))); }

    // Scrivel ended, httpd.conf on disk as it was, and the exit reported as one without a save.
    void ExpectEndedWithoutSaving()
    {
        EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
        std::string onDisk;
        ASSERT_TRUE(testpaths::ReadTextFile(httpdConf, onDisk));
        EXPECT_EQ(onDisk, NumberedLines(600));
        EXPECT_TRUE(run.Launcher().WaitForCode(LN_EDITOR_CLOSED, 5000));
    }
};

// Without a window manager nobody draws the frame's caption and borders; for a picture of
// Scrivel as a user sees it, Wine is asked to draw them itself while Scrivel runs.
class CWineDrawnFrames {
public:
    CWineDrawnFrames()
    {
        CRegKey key;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr) ==
            ERROR_SUCCESS)
            ::RegSetValueExA(key.Get(), "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    }
    ~CWineDrawnFrames()
    {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);  // left alone while it holds other keys
    }
    CWineDrawnFrames(const CWineDrawnFrames&) = delete;
    CWineDrawnFrames& operator=(const CWineDrawnFrames&) = delete;

private:
    static constexpr char kProgramKey[] = "Software\\Wine\\AppDefaults\\Scrivel.exe";
    static constexpr char kKey[] = "Software\\Wine\\AppDefaults\\Scrivel.exe\\X11 Driver";
};

class ScrivelLauncherPicture : public ScrivelLauncher {
protected:
    CWineDrawnFrames drawnFrames;  // before SetUp starts Scrivel
};

}  // namespace

TEST_F(ScrivelLauncher, TheLaunchersReportOpensTheFileAtTheLineAndShowsTheMessage)
{
    const std::string report =
        "Syntax error on line 51 of " + vhostsConf + ":\r\nInvalid command 'Foo', perhaps misspelled";
    EXPECT_EQ(Send(LN_SYNTAX_ERROR, report.c_str()), 0);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-vhosts.conf");
    EXPECT_EQ(ActiveCaretLine(), 51);
    EXPECT_TRUE(ShowsError("Invalid command 'Foo', perhaps misspelled"));
    EXPECT_EQ(run.Launcher().Text(), "");
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
}

TEST_F(ScrivelLauncher, TheTwoLineFormWithAnIdentifierJumpsInAnOpenFileSpelledOtherwise)
{
    const std::string report = "AH00526: Syntax error on line 123 of " + Upper(ForwardSlashes(httpdConf)) +
                               ":\r\nInvalid command 'Lissten', perhaps misspelled or defined by a module not "
                               "included in the server configuration\r\n";
    Send(LN_SYNTAX_ERROR, (std::string("Syntax error on line 7 of ") + vhostsConf + ":\nx").c_str());
    ASSERT_EQ(ActiveChildTitle(run.Frame()), "httpd-vhosts.conf");

    EXPECT_EQ(Send(LN_SYNTAX_ERROR, report.c_str()), 0);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd.conf");
    EXPECT_EQ(ActiveCaretLine(), 123);
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
    EXPECT_TRUE(ShowsError("Invalid command 'Lissten', perhaps misspelled or defined by a module not included in "
                           "the server configuration"));
}

TEST_F(ScrivelLauncher, TheOneLineChainLeadsToTheInnermostFile)
{
    const std::string report = "httpd.exe: Syntax error on line 534 of " + ForwardSlashes(httpdConf) +
                               ": Syntax error on line 107 of " + ForwardSlashes(sslConf) +
                               ": </IfModule> without matching <IfModule> section\r\n";
    EXPECT_EQ(Send(LN_SYNTAX_ERROR, report.c_str()), 0);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-ssl.conf");
    EXPECT_EQ(ActiveCaretLine(), 107);
    EXPECT_TRUE(ShowsError("</IfModule> without matching <IfModule> section"));
}

TEST_F(ScrivelLauncher, AShortSpellingOfAnOpenFileJumpsInIt)
{
    Send(LN_SYNTAX_ERROR, ("Syntax error on line 2 of " + vhostsConf + ":\r\nfirst").c_str());
    char shortPath[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA(vhostsConf.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortPath), vhostsConf);
    Send(LN_SYNTAX_ERROR, ("Syntax error on line 3 of " + httpdConf + ":\r\nback").c_str());
    ASSERT_EQ(ActiveChildTitle(run.Frame()), "httpd.conf");

    Send(LN_SYNTAX_ERROR, (std::string("Syntax error on line 44 of ") + shortPath + ":\r\nshort").c_str());
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-vhosts.conf");
    EXPECT_EQ(ActiveCaretLine(), 44);
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
    EXPECT_TRUE(ShowsError("short"));
}

// "name:line:" inside a message is followed only when the name is a file: here it is not,
// and the report stays at its own file and line with its whole message.
TEST_F(ScrivelLauncher, AMessageThatOnlyLooksLikeALocationKeepsTheOuterOne)
{
    const std::string message = "Invalid command 'Alias/foo:1: x', perhaps misspelled or defined by a module not "
                                "included in the server configuration";
    Send(LN_SYNTAX_ERROR, ("Syntax error on line 2 of " + vhostsConf + ":\r\nfirst").c_str());
    ASSERT_EQ(ActiveChildTitle(run.Frame()), "httpd-vhosts.conf");

    EXPECT_EQ(Send(LN_SYNTAX_ERROR, ("Syntax error on line 12 of " + httpdConf + ":\r\n" + message).c_str()), 0);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd.conf");
    EXPECT_EQ(ActiveCaretLine(), 12);
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
    EXPECT_TRUE(ui::TopLevelWindows(run.Process().Id(), "#32770").empty());
    EXPECT_TRUE(ShowsError(message));

    // The same inner form naming a real file is followed.
    EXPECT_EQ(Send(LN_SYNTAX_ERROR, ("Syntax error on line 12 of " + httpdConf + ":\r\n" + ForwardSlashes(sslConf) +
                                     ":40: <VirtualHost> was not closed.")
                                        .c_str()),
              0);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-ssl.conf");
    EXPECT_EQ(ActiveCaretLine(), 40);
    EXPECT_TRUE(ShowsError("<VirtualHost> was not closed."));
}

TEST_F(ScrivelLauncher, AReportInNoKnownFormIsShownWhole)
{
    EXPECT_EQ(Send(LN_SYNTAX_ERROR, "Syntax error on line 12 of nowhere"), 0);
    EXPECT_TRUE(ShowsError("Syntax error on line 12 of nowhere"));
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 1u);
    EXPECT_EQ(ActiveCaretLine(), 1);
    EXPECT_EQ(run.Launcher().Text(), "");
}

TEST_F(ScrivelLauncher, AFileThatCannotBeOpenedGivesNoJumpButTheMessage)
{
    SetAMissingFileReport();
    // The framework tells the user it cannot open the file.
    std::string told;
    EXPECT_EQ(run.SendAndAnswer(LN_SYNTAX_ERROR, IDOK, &told), 0);
    EXPECT_NE(told.find(MissingConf()), std::string::npos);
    EXPECT_TRUE(ui::WaitUntil([&] { return ChildFrames(run.Frame()).size() == 1u; }));
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd.conf");
    EXPECT_TRUE(ShowsError("No such file"));
}

TEST_F(ScrivelLauncher, InfoAndErrorTextsFlashInTheirColoursAndAreCleared)
{
    EXPECT_EQ(Send(LN_STATUS_INFO, "Apache started."), 0);
    EXPECT_EQ(StatusText(run.Frame()), "Apache started.");
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusPaneColour(run.Frame()) == kInfoBack; }, 2000));
    EXPECT_EQ(run.Launcher().Text(), "");

    EXPECT_EQ(Send(LN_STATUS_ERROR, "Apache could not be started.\r\nPort 80 is in use."), 0);
    EXPECT_EQ(StatusText(run.Frame()), "Apache could not be started.  Port 80 is in use.");
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusPaneColour(run.Frame()) == kErrorBack; }, 2000));
    EXPECT_EQ(run.Launcher().Text(), "");

    const std::string long300(300, 'e');
    Send(LN_STATUS_ERROR, long300.c_str());
    EXPECT_EQ(StatusText(run.Frame()), std::string(255, 'e'));
}

TEST_F(ScrivelLauncher, ANewFlashReplacesTheOldAndRestartsTheTime)
{
    const DWORD start = ::GetTickCount();
    Send(LN_STATUS_INFO, "first");
    ui::WaitUntil([] { return false; }, 2000);
    Send(LN_STATUS_ERROR, "second");
    EXPECT_EQ(StatusText(run.Frame()), "second");

    // A prompt while the message shows is swallowed.
    ::SendMessageA(run.Frame(), WM_SETMESSAGESTRING, ID_FILE_OPEN, 0);
    EXPECT_EQ(StatusText(run.Frame()), "second");

    // The first message would have ended 3 s after it began.
    ui::WaitUntil([] { return false; }, 3600 - (::GetTickCount() - start));
    EXPECT_EQ(StatusText(run.Frame()), "second");
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(run.Frame()) == "Ready"; }, 4000));
    // The pane's text changes at once, its colour with the next paint.
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusPaneColour(run.Frame()) != kErrorBack; }, 2000));

    ::SendMessageA(run.Frame(), WM_SETMESSAGESTRING, ID_FILE_OPEN, 0);
    EXPECT_EQ(StatusText(run.Frame()), "Open a configuration file");
}

TEST_F(ScrivelLauncher, ActivateBringsTheFrameToTheFront)
{
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                   nullptr);
    ::SetForegroundWindow(other);
    ASSERT_TRUE(ui::WaitUntil([&] { return ::GetForegroundWindow() == other; }));
    EXPECT_EQ(Send(LN_ACTIVATE), 0);
    EXPECT_TRUE(ui::WaitUntil([&] { return ::GetForegroundWindow() == run.Frame(); }));
    ::DestroyWindow(other);
}

TEST_F(ScrivelLauncher, ActivateRestoresAMinimisedFrame)
{
    ::ShowWindow(run.Frame(), SW_MINIMIZE);
    ASSERT_TRUE(ui::WaitUntil([&] { return ::IsIconic(run.Frame()) != FALSE; }));
    EXPECT_EQ(Send(LN_ACTIVATE), 0);
    EXPECT_TRUE(ui::WaitUntil([&] { return ::IsIconic(run.Frame()) == FALSE; }));
}

TEST_F(ScrivelLauncher, FormatChangedAndUnknownCodesLeaveTheTextAndTheDocuments)
{
    for (unsigned code : {unsigned(LN_FORMAT_CHANGED), 2u, 7u, 99u}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Send(code, "kept"), 0);
        EXPECT_EQ(run.Launcher().Text(), "kept");
        EXPECT_TRUE(run.Process().IsRunning());
        EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd.conf");
        EXPECT_EQ(ViewText(ViewOf(ActiveChild(run.Frame()))), NumberedLines(600));
    }
}

TEST_F(ScrivelLauncher, SaveAndCloseWithoutChangesClosesAtOnce)
{
    EXPECT_EQ(Send(LN_SAVE_AND_CLOSE), 1);
    EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
    EXPECT_TRUE(run.Launcher().WaitForCode(LN_EDITOR_CLOSED, 5000));
}

TEST_F(ScrivelLauncher, SaveAndCloseAsksAndCancelKeepsScrivelOpen)
{
    Modify();
    std::string question;
    EXPECT_EQ(run.SendAndAnswer(LN_SAVE_AND_CLOSE, IDCANCEL, &question), 0);
    EXPECT_EQ(question, "Save changes to httpd.conf?");
    EXPECT_TRUE(run.Process().IsRunning());

    // "No" drops the change and closes.
    EXPECT_EQ(run.SendAndAnswer(LN_SAVE_AND_CLOSE, IDNO, &question), 1);
    EXPECT_NE(question, "");
    ExpectEndedWithoutSaving();
}

TEST_F(ScrivelLauncher, CloseNowDropsChangesWithoutAQuestion)
{
    Modify();
    EXPECT_EQ(Send(LN_CLOSE_NOW), 0);
    ExpectEndedWithoutSaving();
}

TEST_F(ScrivelLauncher, SaveAllAndTestSavesThenAsksTheLauncherToTest)
{
    Modify();
    ASSERT_TRUE(ui::PostCommand(run.Frame(), kSaveAllAndTest));
    HWND box = ui::WaitForMessageBox(run.Process().Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ui::MessageBoxText(box), "Save changes to httpd.conf?");
    ui::AnswerMessageBox(box, IDYES);
    LauncherNotice test;
    ASSERT_TRUE(run.Launcher().WaitForCode(LN_TEST_CONFIG, 5000, &test));
    EXPECT_FALSE(test.sent);
    std::string onDisk;
    ASSERT_TRUE(testpaths::ReadTextFile(httpdConf, onDisk));
    EXPECT_EQ(onDisk, "X" + NumberedLines(600));

    // Even a cancelled question still asks for the test.
    run.Launcher().ClearNotices();
    Modify();
    ASSERT_TRUE(ui::PostCommand(run.Frame(), kSaveAllAndTest));
    box = ui::WaitForMessageBox(run.Process().Id());
    ASSERT_NE(box, nullptr);
    ui::AnswerMessageBox(box, IDCANCEL);
    EXPECT_TRUE(run.Launcher().WaitForCode(LN_TEST_CONFIG, 5000));

    std::string question;  // still modified: asks again
    EXPECT_EQ(run.SendAndAnswer(LN_SAVE_AND_CLOSE, IDNO, &question), 1);
    EXPECT_NE(question, "");
    EXPECT_TRUE(run.Launcher().WaitForCode(LN_EDITOR_CLOSED_SAVED, 10000));
}

TEST_F(ScrivelLauncher, AboutAsksTheLauncherForItsBox)
{
    ASSERT_TRUE(ui::PostCommand(run.Frame(), ID_APP_ABOUT));
    LauncherNotice about;
    ASSERT_TRUE(run.Launcher().WaitForCode(LN_SHOW_ABOUT, 5000, &about));
    EXPECT_FALSE(about.sent);
    EXPECT_TRUE(ui::TopLevelWindows(run.Process().Id(), "#32770").empty());
}

TEST_F(ScrivelLauncherPicture, TwoFilesAndAnErrorAsTheUserSeesThem)
{
    ::SetWindowPos(run.Frame(), nullptr, 0, 0, 900, 640, SWP_NOZORDER);
    ASSERT_TRUE(testpaths::WriteTextFile(vhostsConf, "# Virtual hosts\r\n"
                                                     "<VirtualHost *:80>\r\n"
                                                     "    ServerAdmin webmaster@example.test\r\n"
                                                     "    DocumentRoot \"C:/Apache24/htdocs/example\"\r\n"
                                                     "    ServerNmae www.example.test\r\n"
                                                     "    ErrorLog \"logs/example-error.log\"\r\n"
                                                     "</VirtualHost>\r\n"));
    const std::string report = "AH00526: Syntax error on line 5 of " + ForwardSlashes(vhostsConf) +
                               ":\r\nInvalid command 'ServerNmae', perhaps misspelled or defined by a module not "
                               "included in the server configuration\r\n";
    Send(LN_SYNTAX_ERROR, report.c_str());
    ui::PostCommand(run.Frame(), ID_WINDOW_TILE_HORZ);
    ASSERT_TRUE(ui::WaitUntil([&] { return ChildFrames(run.Frame()).size() == 2u; }));
    ui::WaitUntil([] { return false; }, 300);
    ASSERT_TRUE(ShowsError("Invalid command 'ServerNmae', perhaps misspelled or defined by a module not included in "
                           "the server configuration"));
    EXPECT_NE(SaveWindowPng(run.Frame(), "scrivel-two-files-error"), "");
}

// Without a Launcher window "Save all and test" cannot ask for the test.
TEST(ScrivelWithoutLauncherWindow, SaveAllAndTestSaysStartLauncherFirst)
{
    CScrivelRun run;
    ASSERT_TRUE(run.StartWithoutLauncherWindow());
    HWND frame = run.Frame();
    ASSERT_TRUE(ui::PostCommand(frame, kSaveAllAndTest));
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(frame) == "Start Launcher first."; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusPaneColour(frame) == kErrorBack; }, 2000));
    EXPECT_TRUE(run.Launcher().Notices().empty());
    ::PostMessageA(frame, WM_LAUNCHER_NOTIFY, LN_CLOSE_NOW, 0);
    EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
}

// A Launcher that ended without clearing its handle in the block: "Save all and test" answers
// as when there is no Launcher.
TEST_F(ScrivelLauncher, SaveAllAndTestWithAGoneLauncherSaysStartLauncherFirst)
{
    HWND gone = ::CreateWindowExA(0, "STATIC", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    ASSERT_TRUE(::DestroyWindow(gone));
    run.Launcher().Block()->hLauncherWnd = HandleToBlock(gone);
    ASSERT_TRUE(ui::PostCommand(run.Frame(), kSaveAllAndTest));
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(run.Frame()) == "Start Launcher first."; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusPaneColour(run.Frame()) == kErrorBack; }, 2000));
    run.Launcher().Block()->hLauncherWnd = HandleToBlock(run.Launcher().Window());
}

namespace {
// The Launcher's mapping made larger than the block, as the system rounds it up to whole
// pages: what lies beyond the text field is visible to a reader that does not stop there.
class CLargerMapping {
public:
    static constexpr std::size_t kBytes = 8192;
    CLargerMapping()
        : m_mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBytes, kSharedDataName)),
          m_view(m_mapping ? ::MapViewOfFile(m_mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, kBytes) : nullptr)
    {}
    char* Bytes() { return static_cast<char*>(m_view.Get()); }

private:
    CKernelHandle m_mapping;
    CMappedView m_view;
};
}  // namespace

// A Launcher that fills all 5000 bytes of the text field leaves no terminator: Scrivel reads
// 4999 characters and nothing after them. Here the report's message lies only beyond the
// field, so the report is incomplete and shown whole, and its file is not opened.
TEST(ScrivelLauncherText, IsReadNoFurtherThanItsFirst4999Characters)
{
    const std::string folder = testpaths::MakeWorkDir("scrivel-launcher-text");
    const std::string target = testpaths::Join(folder, "httpd-beyond.conf");
    ASSERT_TRUE(testpaths::WriteTextFile(target, NumberedLines(20)));
    CLargerMapping mapping;
    ASSERT_NE(mapping.Bytes(), nullptr);
    CScrivelRun run;
    ASSERT_TRUE(run.Start());

    const std::string head = "Syntax error on line 7 of " + target + ":";
    std::string field = head + std::string(kSharedTextSize - head.size(), '\n');
    const std::string beyond = "Read past the end of the text\r\n";
    std::memcpy(run.Launcher().Block()->szText, field.data(), kSharedTextSize);
    std::memcpy(mapping.Bytes() + kSharedDataSize, beyond.c_str(), beyond.size() + 1);
    EXPECT_EQ(run.Launcher().SendCode(run.Frame(), LN_SYNTAX_ERROR), 0);

    EXPECT_TRUE(ChildFrames(run.Frame()).empty());
    EXPECT_EQ(StatusText(run.Frame()), (head + std::string(255, ' ')).substr(0, 255));
    EXPECT_EQ(run.Launcher().Text(), "");
    EXPECT_EQ(run.CloseNow(), 0);
}

// The Launcher may close Scrivel while Scrivel asks the user something.
TEST_F(ScrivelLauncher, CloseNowDuringAQuestionEndsCleanly)
{
    Modify();
    ASSERT_TRUE(ui::PostCommand(run.Frame(), kSaveAllAndTest));
    HWND box = ui::WaitForMessageBox(run.Process().Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Send(LN_CLOSE_NOW), 0);
    ExpectEndedWithoutSaving();
}

TEST_F(ScrivelLauncher, CloseNowWhileAReportedFileIsBeingOpenedEndsCleanly)
{
    SetAMissingFileReport();
    std::atomic<LRESULT> result{-1};
    std::thread sender = SendLater(LN_SYNTAX_ERROR, result);
    HWND box = ui::WaitForMessageBox(run.Process().Id());
    EXPECT_NE(box, nullptr);
    EXPECT_EQ(Send(LN_CLOSE_NOW), 0);
    sender.join();
    EXPECT_EQ(run.Process().Wait(kStartTimeoutMs), 0);
}

TEST_F(ScrivelLauncher, FormatChangedRepaintsEveryDocumentInTheStoredColours)
{
    constexpr COLORREF kYellow = RGB(255, 255, 160);
    Send(LN_SYNTAX_ERROR, ("Syntax error on line 2 of " + vhostsConf + ":\r\nopened").c_str());
    ui::PostCommand(run.Frame(), ID_WINDOW_TILE_HORZ);
    std::vector<HWND> views;
    for (HWND child : ChildFrames(run.Frame()))
        views.push_back(ViewOf(child));
    ASSERT_EQ(views.size(), 2u);
    for (HWND view : views)
        ASSERT_TRUE(
            ui::WaitUntil([&] { return ViewBackground(view) != kYellow && ViewBackground(view) != CLR_INVALID; }));

    // Options stores the colours, then the Launcher passes code 4 on.
    ASSERT_TRUE(run.Registry().Store().SetProfileInt("Settings\\Format", "Background", static_cast<int>(kYellow)));
    EXPECT_EQ(Send(LN_FORMAT_CHANGED, "kept"), 0);
    for (HWND view : views)
        EXPECT_TRUE(ui::WaitUntil([&] { return ViewBackground(view) == kYellow; }, 3000));
    EXPECT_EQ(run.Launcher().Text(), "kept");
}
