// Scrivel's knowledge of the directives, driven as a user does: the syntax of the directive
// under the caret in the status bar, completion with Ctrl+Space and by itself after three
// letters (what it offers inside <Directory> and at the top level, inserting an item, "</"
// closing the innermost section), the switch in the View menu, and included files opened
// from their Include line (Ctrl+Enter or the context menu).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FwIds.h"
#include "Screenshot.h"
#include "ScrivelDriver.h"
#include "SettingsSchema.h"
#include "TestPaths.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {

constexpr UINT kAutoComplete = 32795;
constexpr char kAllowOverrideSyntax[] = "AllowOverride All|None|directive-type [directive-type] ...  (core)";

class ScrivelDirectives : public ::testing::Test {
protected:
    // Scrivel on this configuration, the caret in its text.
    void StartOn(const std::string& conf)
    {
        ASSERT_NE(m_run.StartOn({conf}), nullptr);
        FocusActiveView();
    }
    void StartWith(const std::string& name, const std::string& text)
    {
        StartOn(WorkFile("directives-conf", name, text));
    }
    // The active document's view, clicked into.
    void FocusActiveView()
    {
        m_view = ViewOf(ActiveChild(Frame()));
        ASSERT_TRUE(ui::ClickToFocus(Frame(), m_view));
    }
    HWND Frame() const { return m_run.Frame(); }
    void CaretToEndOf(int line) { ASSERT_TRUE(scriveltest::CaretToEndOf(m_view, line)); }
    std::string Line(int line)
    {
        char text[512] = {};
        *reinterpret_cast<WORD*>(text) = sizeof text - 1;
        const LRESULT n = ::SendMessageA(m_view, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
        return std::string(text, static_cast<std::size_t>(n > 0 ? n : 0));
    }
    HWND List() { return ui::FindChild(m_view, "ListBox"); }
    bool ListShown() { return List() && ::IsWindowVisible(List()); }
    // The names the completion list offers, once it shows.
    std::vector<std::string> Offered()
    {
        std::vector<std::string> names;
        if (!ui::WaitUntil([&] { return ListShown(); }))
            return names;
        const LRESULT count = ::SendMessageA(List(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            // Asked in UTF-16: that is how the text crosses between processes.
            wchar_t text[1024] = {};
            ::SendMessageW(List(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            std::string name;
            for (const wchar_t* c = text; *c && *c != L'\t'; ++c)
                name += static_cast<char>(*c);
            names.push_back(name);
        }
        return names;
    }
    static bool Has(const std::vector<std::string>& names, const char* name)
    {
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    CScrivelRun m_run;
    HWND m_view = nullptr;
};

}  // namespace

TEST_F(ScrivelDirectives, TheStatusBarShowsTheSyntaxOfTheDirectiveAtTheCaret)
{
    StartWith("httpd.conf", "Listen 80\r\n<Directory \"C:/x\">\r\n    AllowOverride None \\\r\n"
                            "        # continued\r\n</Directory>\r\n# AllowOverride\r\n");
    CaretToEndOf(3);  // the continuation of the AllowOverride line
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(Frame()) == kAllowOverrideSyntax; })) << StatusText(Frame());
    SaveWindowPng(StatusBar(Frame()), "scrivel-syntax-at-caret");
    CaretToEndOf(5);  // a comment
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(Frame()) == "Ready"; })) << StatusText(Frame());
    CaretToEndOf(4);
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(Frame()).rfind("<Directory directory-path>", 0) == 0; }));
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelDirectives, CompletionOffersWhatMayStandInTheSectionAroundTheCaret)
{
    StartWith("httpd.conf", "Listen 80\r\n<VirtualHost *:80>\r\n    <Directory \"C:/x\">\r\n        Allo\r\n"
                            "    </Directory>\r\n    ");
    // Inside <Directory>: AllowOverride and its kin, never Listen.
    CaretToEndOf(3);
    ui::PressKey(VK_SPACE, true);
    const std::vector<std::string> inDirectory = Offered();
    EXPECT_EQ(inDirectory, (std::vector<std::string>{"Allow", "AllowMethods", "AllowOverride", "AllowOverrideList"}));
    SaveWindowPng(Frame(), "scrivel-completion");
    ui::PressKey(VK_DOWN);
    ui::PressKey(VK_DOWN);
    ui::PressKey(VK_RETURN);
    EXPECT_TRUE(ui::WaitUntil([&] { return Line(3) == "        AllowOverride"; })) << Line(3);
    EXPECT_FALSE(ListShown());
    ui::TypeText(" L");
    ui::PressKey(VK_HOME);
    ui::PressKey(VK_SPACE, true);
    EXPECT_FALSE(Has(Offered(), "Listen"));
    ui::PressKey(VK_ESCAPE);
    EXPECT_TRUE(ui::WaitUntil([&] { return !ListShown(); }));

    // "</" closes the innermost open section, the virtual host.
    CaretToEndOf(5);
    ui::TypeText("</");
    ui::PressKey(VK_SPACE, true);
    EXPECT_TRUE(ui::WaitUntil([&] { return Line(5) == "    </VirtualHost>"; })) << Line(5);

    // At the top level, by itself after three letters: Listen, and no AllowOverride.
    ui::PressKey(VK_RETURN);
    ui::PressKey(VK_HOME, false, true);
    ui::TypeText("Lis");
    const std::vector<std::string> listen = Offered();
    ASSERT_FALSE(listen.empty());
    EXPECT_EQ(listen.front(), "Listen");
    ui::PressKey(VK_TAB);
    EXPECT_TRUE(ui::WaitUntil([&] { return Line(6) == "Listen"; })) << Line(6);
    ui::PressKey(VK_RETURN);
    ui::TypeText("All");
    ui::PressKey(VK_SPACE, true);
    const std::vector<std::string> top = Offered();
    EXPECT_FALSE(Has(top, "AllowOverride"));
    EXPECT_TRUE(Has(top, "AllowCONNECT"));
    ui::PressKey(VK_ESCAPE);

    // The switch in the View menu is remembered.
    ASSERT_TRUE(ui::PostCommand(Frame(), kAutoComplete));
    EXPECT_TRUE(ui::WaitUntil(
        [&] { return m_run.Registry().Store().ProfileInt(settings::kSection, settings::kAutoComplete, 1) == 0; }));
    EXPECT_FALSE(ui::IsMenuItemChecked(Frame(), {"View", "Automatic completion"}));
    EXPECT_EQ(m_run.CloseNow(), 0);
}

TEST_F(ScrivelDirectives, CtrlEnterOpensIncludedFilesAndChecksPaths)
{
    const std::string server = testpaths::MakeWorkDir("directives-server");
    for (const char* folder : {"conf", "conf\\extra"})
        ::CreateDirectoryA(testpaths::Join(server, folder).c_str(), nullptr);
    testpaths::WriteTextFile(testpaths::Join(server, "conf\\extra\\httpd-vhosts.conf"), "    Allo");
    testpaths::WriteTextFile(testpaths::Join(server, "conf\\extra\\httpd-ssl.conf"), "");
    m_run.Registry().Store().SetProfileString(settings::kSection, settings::kApachePath, server.c_str());
    const std::string conf = testpaths::Join(server, "conf\\httpd.conf");
    testpaths::WriteTextFile(conf, "Define SRVROOT \"C:/Apache24\"\r\nServerRoot \"${SRVROOT}\"\r\n"
                                   "<VirtualHost *:80>\r\nInclude ${SRVROOT}/conf/extra/httpd-vhosts.conf\r\n"
                                   "</VirtualHost>\r\nInclude conf/extra/*.conf\r\n"
                                   "LoadModule rewrite_module modules/mod_rewrite.so\r\nIncludeOptional x.conf\r\n");
    StartOn(conf);
    HWND main = ActiveChild(Frame());

    // From its Include line inside <VirtualHost> the file is a virtual host's: no AllowOverride.
    CaretToEndOf(3);
    ui::PressKey(VK_RETURN, true);
    ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(Frame()) == "httpd-vhosts.conf"; }));
    FocusActiveView();
    CaretToEndOf(0);
    ui::PressKey(VK_SPACE, true);
    EXPECT_EQ(Offered(), (std::vector<std::string>{"AllowCONNECT", "AllowEncodedSlashes"}));
    ui::PressKey(VK_ESCAPE);
    ASSERT_TRUE(ui::PostCommand(Frame(), ID_FILE_CLOSE));
    ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChild(Frame()) == main; }));
    FocusActiveView();

    // A module's path is checked, not opened; here from the editor's context menu (its last item).
    CaretToEndOf(6);
    ui::PressKey(VK_F10, false, true);
    ASSERT_TRUE(ui::WaitUntil([&] { return !ui::TopLevelWindows(m_run.Process().Id(), "#32768").empty(); }));
    ui::PressKey(VK_UP);
    ui::PressKey(VK_RETURN);
    const std::string missing = server + "\\modules\\mod_rewrite.so does not exist.";
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(Frame()) == missing; })) << StatusText(Frame());
    // A missing included file is offered for creation.
    CaretToEndOf(7);
    ui::PressKey(VK_RETURN, true);
    std::string question;
    EXPECT_TRUE(ui::AnswerMessageBox(m_run.Process().Id(), nullptr, IDNO, &question));
    EXPECT_NE(question.find("x.conf not found. Do you wish to create new file?"), std::string::npos) << question;

    // A wildcard lists its files: the second (by name, httpd-vhosts.conf) is chosen.
    CaretToEndOf(5);
    ui::PressKey(VK_RETURN, true);
    ASSERT_TRUE(ui::WaitUntil([&] { return !ui::TopLevelWindows(m_run.Process().Id(), "#32768").empty(); }));
    SaveScreenPng("scrivel-included-files");
    ui::PressKey(VK_DOWN);
    ui::PressKey(VK_DOWN);
    ui::PressKey(VK_RETURN);
    EXPECT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(Frame()) == "httpd-vhosts.conf"; }));
    EXPECT_EQ(m_run.CloseNow(), 0);
}
