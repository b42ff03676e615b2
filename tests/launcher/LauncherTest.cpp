#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "GeneralFlags.h"
#include "Handles.h"
#include "LauncherSession.h"
#include "RegistrySandbox.h"
#include "SampleCopy.h"
#include "Screenshot.h"
#include "SharedData.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace {

// Plays Scrivel's main frame: records each code the Launcher sends and the block's text
// at that moment.
class CFakeEditor {
public:
    struct Received {
        unsigned code;
        std::string text;
    };

    explicit CFakeEditor(CSharedData& block) : m_block(block)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &CFakeEditor::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "LauncherTestFakeEditor";
        ::RegisterClassA(&wc);
        m_wnd = ::CreateWindowExA(0, wc.lpszClassName, "Fake editor", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_block.SetEditorWnd(m_wnd);
    }
    ~CFakeEditor()
    {
        m_block.SetEditorWnd(nullptr);
        ::DestroyWindow(m_wnd);
    }
    CFakeEditor(const CFakeEditor&) = delete;
    CFakeEditor& operator=(const CFakeEditor&) = delete;

    HWND Window() const { return m_wnd; }
    const std::vector<Received>& Codes() const { return m_codes; }
    bool WaitForCodes(std::size_t count)
    {
        return ui::WaitUntil([&] { return m_codes.size() >= count; }, 30000);
    }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<CFakeEditor*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (self != nullptr && message == WM_LAUNCHER_NOTIFY) {
            self->m_codes.push_back({static_cast<unsigned>(wParam), self->m_block.GetText()});
            return 0;
        }
        return ::DefWindowProcA(wnd, message, wParam, lParam);
    }

    CSharedData& m_block;
    HWND m_wnd = nullptr;
    std::vector<Received> m_codes;
};

std::vector<std::string> ListBoxLines(HWND list)
{
    std::vector<std::string> lines;
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    // Wide characters: Wine hands a list box's text to another process as Unicode.
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) < 512)
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        std::string line;
        for (const wchar_t* c = text; *c; ++c)
            line += static_cast<char>(*c);
        lines.push_back(line);
    }
    return lines;
}

// Exactly this line (a list box's own search ignores case).
bool Lists(HWND list, const std::string& line)
{
    for (const std::string& l : ListBoxLines(list))
        if (l == line)
            return true;
    return false;
}

class LauncherTest : public SampleServerInSettingsTest {
protected:
    void StartLauncher() { ASSERT_TRUE(m_session.StartLauncher()); }
    void TearDown() override { m_session.Stop(); }

    // Posts code 10 as Scrivel does and returns what the fake editor received.
    CFakeEditor::Received TestThroughLauncher()
    {
        CFakeEditor editor(m_session.block);
        ::PostMessageA(m_session.block.GetLauncherWnd(), WM_LAUNCHER_NOTIFY, LN_TEST_CONFIG, 0);
        if (!editor.WaitForCodes(1))
            return {0, "no answer"};
        return editor.Codes()[0];
    }

    CLauncherSession m_session;
};

}  // namespace

TEST_F(LauncherTest, MainWindowOffersItsButtonsWhileTheirBinariesExist)
{
    StartLauncher();
    const std::string bin = testpaths::BinDir();
    const struct {
        const char* text;
        const char* binary;
    } buttons[] = {
        {"Edit configuration", "Scrivel.exe"},
        {"Options...", "Options.dll"},
        {"View logs...", "Brenlo.dll"},
        {"Test configuration", "stub.exe"},
    };
    for (const auto& b : buttons) {
        HWND button = ui::FindChild(m_session.main, "Button", -1, b.text);
        ASSERT_NE(button, nullptr) << b.text;
        const bool present = ::GetFileAttributesA(testpaths::Join(bin, b.binary).c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(ui::IsEnabled(button), present) << b.text;
    }
    EXPECT_NE(ui::FindChild(m_session.main, "Button", -1, "Exit"), nullptr);
    EXPECT_EQ(ui::TextOf(m_session.main), "Launcher");
    SaveWindowPng(m_session.main, "launcher-main");

    // With bit 7 of "General" the server's own apache.exe runs the test; there is none.
    m_sandbox.Store().WriteGeneralBits(general::kUseApacheExe, general::kUseApacheExe);
    HWND test = ui::FindChild(m_session.main, "Button", -1, "Test configuration");
    EXPECT_TRUE(ui::WaitUntil([&] { return !ui::IsEnabled(test); }, 5000));
}

TEST_F(LauncherTest, CodesFromTheDeliverablesAreListed)
{
    StartLauncher();
    for (unsigned code : {LN_COMMANDS_CHANGED, LN_HOSTS_CHANGED, LN_BROWSER_CHANGED, LN_EDITOR_STARTED,
                          LN_EDITOR_CLOSED, LN_EDITOR_CLOSED_SAVED})
        ::PostMessageA(m_session.block.GetLauncherWnd(), WM_LAUNCHER_NOTIFY, code, 0);
    EXPECT_TRUE(ui::WaitUntil([&] { return Lists(m_session.notices, "14 LN_EDITOR_CLOSED_SAVED"); }, 10000));
    for (const char* line : {"16 LN_COMMANDS_CHANGED", "17 LN_HOSTS_CHANGED", "18 LN_BROWSER_CHANGED",
                             "5 LN_EDITOR_STARTED", "6 LN_EDITOR_CLOSED"})
        EXPECT_TRUE(Lists(m_session.notices, line))
            << line << " in " << ::testing::PrintToString(ListBoxLines(m_session.notices));
}

TEST_F(LauncherTest, AboutBoxSplashCheckBoxAndFormatChange)
{
    StartLauncher();
    ::PostMessageA(m_session.block.GetLauncherWnd(), WM_LAUNCHER_NOTIFY, LN_SHOW_ABOUT, 0);
    HWND about = ui::WaitForTopLevel(m_session.launcher.Id(), "#32770", "About Launcher", 10000);
    ASSERT_NE(about, nullptr);
    EXPECT_NE(ui::MessageBoxText(about).find("Tools beside it: Tessaly " TESSALY_VERSION), std::string::npos)
        << "the release of Scrivel.exe beside it: " << ui::MessageBoxText(about);
    EXPECT_TRUE(Lists(m_session.notices, "19 LN_SHOW_ABOUT"));
    ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ui::WaitUntil([&] { return !::IsWindow(about); }, 5000));

    // Code 20 is sent with the check box to enable; it is enabled when the call returns.
    HWND checkBox = ::CreateWindowExA(0, "BUTTON", "Show splash screen", WS_POPUP | BS_AUTOCHECKBOX | WS_DISABLED, 0, 0,
                                      150, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_FALSE(ui::IsEnabled(checkBox));
    DWORD_PTR result = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(m_session.block.GetLauncherWnd(), WM_LAUNCHER_NOTIFY, LN_SPLASH_CONTROL,
                                      reinterpret_cast<LPARAM>(checkBox), SMTO_NORMAL, 10000, &result));
    EXPECT_EQ(result, 1u);
    EXPECT_TRUE(ui::IsEnabled(checkBox));
    ::DestroyWindow(checkBox);

    // Code 4 is passed on to the editor.
    CFakeEditor editor(m_session.block);
    ::PostMessageA(m_session.block.GetLauncherWnd(), WM_LAUNCHER_NOTIFY, LN_FORMAT_CHANGED, 0);
    ASSERT_TRUE(editor.WaitForCodes(1));
    EXPECT_EQ(editor.Codes()[0].code, LN_FORMAT_CHANGED);
}

TEST_F(LauncherTest, TestRequestOnAGoodConfigurationAnswersWithTheStubsOutput)
{
    StartLauncher();
    const CFakeEditor::Received answer = TestThroughLauncher();
    EXPECT_EQ(answer.code, LN_STATUS_INFO);
    EXPECT_EQ(answer.text, "Syntax OK");
    EXPECT_TRUE(Lists(m_session.notices, "10 LN_TEST_CONFIG"));
}

TEST_F(LauncherTest, TestRequestOnABrokenConfigurationSendsTheSyntaxReport)
{
    ASSERT_TRUE(WriteServerFile(m_server, "conf/access.conf",
                                "<Directory \"C:/Apache24/cgi-bin\">\nFoo on\n</Directory>\n", true));
    StartLauncher();
    const CFakeEditor::Received answer = TestThroughLauncher();
    EXPECT_EQ(answer.code, LN_SYNTAX_ERROR);
    // Passed on as the stub printed it, in the server's two-line form with CR LF.
    EXPECT_EQ(answer.text, "AH00526: Syntax error on line 30 of " + Printed(m_server) +
                               "/conf/access.conf:\r\nInvalid command 'Foo', perhaps misspelled or defined by a module "
                               "not included in the server configuration");
}

TEST_F(LauncherTest, TestRequestWithTheStoredSwitchAndAMissingProgram)
{
    // A stored "Test" switch that the stub does not answer: an error text, not a report.
    m_sandbox.Store().WriteCommandLine(settings::CommandLine::Test, "-k start");
    StartLauncher();
    CFakeEditor::Received answer = TestThroughLauncher();
    EXPECT_EQ(answer.code, LN_STATUS_ERROR);
    EXPECT_NE(answer.text.find("only -v, -l, -L, -t and -S are answered"), std::string::npos) << answer.text;

    // Bit 7 chooses apache.exe in the server folder, which the sample does not have.
    m_sandbox.Store().WriteGeneralBits(general::kUseApacheExe, general::kUseApacheExe);
    answer = TestThroughLauncher();
    EXPECT_EQ(answer.code, LN_STATUS_ERROR);
    EXPECT_EQ(answer.text, "The configuration test could not be run: " + m_server + "\\apache.exe -k start");
}
