// Scrivel's documents and frame as the user meets them: the toolbar, Save
// enabled only while there are changes, New, several windows of one document, and a
// document found by any spelling of its path until it closes.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "FwIds.h"
#include "LauncherLink.h"
#include "ScrivelDriver.h"
#include "TestPaths.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {

constexpr UINT kSaveAllAndTest = 32778;
constexpr UINT kApacheDocumentation = 32790;

std::string Lines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "Listen " + std::to_string(8000 + i) + "\r\n";
    return text;
}

class ScrivelDocuments : public ::testing::Test {
protected:
    CScrivelRun run;
    std::string folder;
    std::string conf;

    void Start(bool withFile)
    {
        folder = testpaths::MakeWorkDir("scrivel-documents");
        conf = testpaths::Join(folder, "httpd-default.conf");
        ASSERT_TRUE(testpaths::WriteTextFile(conf, Lines(40)));
        if (withFile)
            run.Registry().Store().WriteScrivelFiles({conf});
        ASSERT_TRUE(run.Start());
    }

    void TearDown() override
    {
        if (run.Process().IsRunning()) {
            EXPECT_EQ(run.CloseNow(), 0);
        }
    }

    HWND Toolbar() { return ui::FindChild(run.Frame(), "ToolbarWindow32"); }
    bool ButtonEnabled(UINT id) { return ::SendMessageA(Toolbar(), TB_ISBUTTONENABLED, id, 0) != 0; }
    bool HasButton(UINT id) { return ::SendMessageA(Toolbar(), TB_COMMANDTOINDEX, id, 0) >= 0; }

    void Report(int line, const std::string& path)
    {
        run.Launcher().SetText(("Syntax error on line " + std::to_string(line) + " of " + path + ":\r\nmessage").c_str());
        run.Launcher().SendCode(run.Frame(), LN_SYNTAX_ERROR);
    }
};

}  // namespace

TEST_F(ScrivelDocuments, TheToolbarHoldsItsButtonsAndDisablesWhatCannotRunYet)
{
    Start(false);

    for (UINT id : {UINT(ID_FILE_NEW), UINT(ID_FILE_OPEN), UINT(ID_FILE_SAVE), UINT(ID_EDIT_UNDO), UINT(ID_EDIT_REDO),
                    UINT(ID_EDIT_CUT), UINT(ID_EDIT_COPY), UINT(ID_EDIT_PASTE), UINT(ID_EDIT_FIND), 45026u,
                    kSaveAllAndTest, kApacheDocumentation, UINT(ID_APP_ABOUT)})
        EXPECT_TRUE(HasButton(id)) << id;
    EXPECT_TRUE(Eventually([&] { return ButtonEnabled(ID_FILE_NEW) && ButtonEnabled(kSaveAllAndTest); }));
    // Context help and the documentation bar are not there yet.
    EXPECT_FALSE(ButtonEnabled(kApacheDocumentation));
    EXPECT_FALSE(ButtonEnabled(ID_FILE_SAVE));
}

TEST_F(ScrivelDocuments, SaveIsEnabledOnlyWhileTheDocumentHasChanges)
{
    Start(true);

    EXPECT_TRUE(Eventually([&] { return ButtonEnabled(kSaveAllAndTest); }));
    EXPECT_FALSE(ButtonEnabled(ID_FILE_SAVE));
    HWND view = ViewOf(ActiveChild(run.Frame()));
    ui::PostText(view, "#");
    EXPECT_TRUE(Eventually([&] { return ButtonEnabled(ID_FILE_SAVE); }));
    ui::PostCommand(run.Frame(), ID_FILE_SAVE);
    EXPECT_TRUE(Eventually([&] { return !ButtonEnabled(ID_FILE_SAVE); }));
    std::string onDisk;
    ASSERT_TRUE(testpaths::ReadTextFile(conf, onDisk));
    EXPECT_EQ(onDisk, "#" + Lines(40));
}

TEST_F(ScrivelDocuments, NewMakesNumberedUntitledDocuments)
{
    Start(false);
    ui::PostCommand(run.Frame(), ID_FILE_NEW);
    EXPECT_TRUE(Eventually([&] { return ActiveChildTitle(run.Frame()) == "Scrivel1"; }));
    ui::PostCommand(run.Frame(), ID_FILE_NEW);
    EXPECT_TRUE(Eventually([&] { return ActiveChildTitle(run.Frame()) == "Scrivel2"; }));
    EXPECT_EQ(ViewText(ViewOf(ActiveChild(run.Frame()))), "");
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
}

TEST_F(ScrivelDocuments, ADocumentIsFoundByAnySpellingUntilItsLastWindowCloses)
{
    Start(true);
    char shortPath[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA(conf.c_str(), shortPath, MAX_PATH), 0u);

    // A second window of the same document; closing it leaves the document open.
    ui::PostCommand(run.Frame(), ID_WINDOW_NEW);
    ASSERT_TRUE(Eventually([&] { return ChildFrames(run.Frame()).size() == 2u; }));
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-default.conf:2");
    ::SendMessageA(ActiveChild(run.Frame()), WM_CLOSE, 0, 0);
    ASSERT_TRUE(Eventually([&] { return ChildFrames(run.Frame()).size() == 1u; }));

    Report(17, shortPath);
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 1u);
    EXPECT_EQ(CaretLine(ViewOf(ActiveChild(run.Frame()))), 17);

    // Once the document is closed, the same report opens the file again.
    ui::PostCommand(run.Frame(), ID_FILE_CLOSE);
    ASSERT_TRUE(Eventually([&] { return ChildFrames(run.Frame()).empty(); }));
    Report(23, shortPath);
    ASSERT_EQ(ChildFrames(run.Frame()).size(), 1u);
    EXPECT_EQ(CaretLine(ViewOf(ActiveChild(run.Frame()))), 23);
}

TEST_F(ScrivelDocuments, DraggingTheSplitBoxShowsTheDocumentInTwoPanes)
{
    Start(true);
    HWND child = ActiveChild(run.Frame());
    HWND view = ViewOf(child);
    ASSERT_NE(view, nullptr);
    HWND splitter = ::GetParent(view);
    ASSERT_NE(splitter, child);
    // The row split box is the strip along the splitter's top; drag it half-way down.
    ::PostMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 2));
    ::PostMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 120));
    ::PostMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(60, 120));
    std::vector<HWND> panes;
    EXPECT_TRUE(Eventually([&] {
        panes.clear();
        for (HWND wnd : ui::FindChildren(splitter, nullptr)) {
            if (::GetParent(wnd) == splitter && ::SendMessageA(wnd, EM_GETLINECOUNT, 0, 0) > 0)
                panes.push_back(wnd);
        }
        return panes.size() == 2u;
    }));
    for (HWND pane : panes)
        EXPECT_EQ(ViewText(pane), Lines(40));
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 1u);
}

// The open dialog offers all files; a file already open is activated, not loaded twice.
TEST_F(ScrivelDocuments, OpenLoadsAChosenFileAndActivatesOneAlreadyOpen)
{
    Start(true);
    const std::string other = testpaths::Join(folder, "mime.types");
    ASSERT_TRUE(testpaths::WriteTextFile(other, "text/plain txt\r\n"));

    auto chooseInOpenDialog = [&](const std::string& path) {
        ASSERT_TRUE(ui::PostCommand(run.Frame(), ID_FILE_OPEN));
        HWND dialog = ui::WaitForTopLevel(run.Process().Id(), "#32770", "Open", 10000);
        ASSERT_NE(dialog, nullptr);
        HWND name = nullptr;
        ASSERT_TRUE(Eventually([&] {
            name = ui::FindChild(dialog, "Edit");
            return name != nullptr;
        }));
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ASSERT_TRUE(AnswerMessageBox(dialog, IDOK));
        ASSERT_TRUE(Eventually([&] { return !::IsWindow(dialog); }));
    };

    chooseInOpenDialog(other);
    ASSERT_TRUE(Eventually([&] { return ActiveChildTitle(run.Frame()) == "mime.types"; }));
    EXPECT_EQ(ViewText(ViewOf(ActiveChild(run.Frame()))), "text/plain txt\r\n");

    chooseInOpenDialog(conf);
    EXPECT_TRUE(Eventually([&] { return ActiveChildTitle(run.Frame()) == "httpd-default.conf"; }));
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
}
