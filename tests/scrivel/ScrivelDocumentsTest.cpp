// Scrivel's documents and frame as the user meets them: the toolbar, Save
// enabled only while there are changes, New, several windows of one document, and a
// document found by any spelling of its path until it closes.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "FwIds.h"
#include "Handles.h"
#include "LauncherLink.h"
#include "Screenshot.h"
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

    void Start(bool withFile, int lines = 40)
    {
        folder = testpaths::MakeWorkDir("scrivel-documents");
        conf = testpaths::Join(folder, "httpd-default.conf");
        ASSERT_TRUE(testpaths::WriteTextFile(conf, Lines(lines)));
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
    EXPECT_TRUE(ui::WaitUntil([&] { return ButtonEnabled(ID_FILE_NEW) && ButtonEnabled(kSaveAllAndTest); }));
    // Context help and the documentation bar are not there yet.
    EXPECT_FALSE(ButtonEnabled(kApacheDocumentation));
    EXPECT_FALSE(ButtonEnabled(ID_FILE_SAVE));
}

TEST_F(ScrivelDocuments, SaveIsEnabledOnlyWhileTheDocumentHasChanges)
{
    Start(true);

    EXPECT_TRUE(ui::WaitUntil([&] { return ButtonEnabled(kSaveAllAndTest); }));
    EXPECT_FALSE(ButtonEnabled(ID_FILE_SAVE));
    HWND view = ViewOf(ActiveChild(run.Frame()));
    ui::PostText(view, "#");
    EXPECT_TRUE(ui::WaitUntil([&] { return ButtonEnabled(ID_FILE_SAVE); }));
    ui::PostCommand(run.Frame(), ID_FILE_SAVE);
    EXPECT_TRUE(ui::WaitUntil([&] { return !ButtonEnabled(ID_FILE_SAVE); }));
    std::string onDisk;
    ASSERT_TRUE(testpaths::ReadTextFile(conf, onDisk));
    EXPECT_EQ(onDisk, "#" + Lines(40));
}

TEST_F(ScrivelDocuments, NewMakesNumberedUntitledDocuments)
{
    Start(false);
    ui::PostCommand(run.Frame(), ID_FILE_NEW);
    EXPECT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "Scrivel1"; }));
    ui::PostCommand(run.Frame(), ID_FILE_NEW);
    EXPECT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "Scrivel2"; }));
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
    ASSERT_TRUE(ui::WaitUntil([&] { return ChildFrames(run.Frame()).size() == 2u; }));
    EXPECT_EQ(ActiveChildTitle(run.Frame()), "httpd-default.conf:2");
    ::SendMessageA(ActiveChild(run.Frame()), WM_CLOSE, 0, 0);
    ASSERT_TRUE(ui::WaitUntil([&] { return ChildFrames(run.Frame()).size() == 1u; }));

    Report(17, shortPath);
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 1u);
    EXPECT_EQ(CaretLine(ViewOf(ActiveChild(run.Frame()))), 17);

    // Once the document is closed, the same report opens the file again.
    ui::PostCommand(run.Frame(), ID_FILE_CLOSE);
    ASSERT_TRUE(ui::WaitUntil([&] { return ChildFrames(run.Frame()).empty(); }));
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
    EXPECT_TRUE(ui::WaitUntil([&] {
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
        ASSERT_TRUE(ui::WaitUntil([&] {
            name = ui::FindChild(dialog, "Edit");
            return name != nullptr;
        }));
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ASSERT_TRUE(ui::AnswerMessageBox(dialog, IDOK));
        ASSERT_TRUE(ui::WaitUntil([&] { return !::IsWindow(dialog); }));
    };

    chooseInOpenDialog(other);
    ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "mime.types"; }));
    EXPECT_EQ(ViewText(ViewOf(ActiveChild(run.Frame()))), "text/plain txt\r\n");

    chooseInOpenDialog(conf);
    EXPECT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "httpd-default.conf"; }));
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
}

namespace {

// The editor views directly inside a splitter.
std::vector<HWND> PanesOf(HWND splitter)
{
    std::vector<HWND> panes;
    for (HWND wnd : ui::FindChildren(splitter, nullptr)) {
        if (::GetParent(wnd) == splitter && ::SendMessageA(wnd, EM_GETLINECOUNT, 0, 0) > 0)
            panes.push_back(wnd);
    }
    return panes;
}

// The splitter's scroll bars of one direction, from top to bottom or left to right.
std::vector<HWND> SharedBars(HWND splitter, bool vertical)
{
    std::vector<std::pair<int, HWND>> found;
    for (HWND bar : ui::FindChildren(splitter, "ScrollBar")) {
        const bool isVertical = (::GetWindowLongA(bar, GWL_STYLE) & SBS_VERT) != 0;
        RECT r{};
        ::GetWindowRect(bar, &r);
        if (::GetParent(bar) == splitter && ::IsWindowVisible(bar) && isVertical == vertical)
            found.emplace_back(vertical ? r.top : r.left, bar);
    }
    std::sort(found.begin(), found.end());
    std::vector<HWND> bars;
    for (const auto& bar : found)
        bars.push_back(bar.second);
    return bars;
}

int FirstVisibleLine(HWND view)
{
    return static_cast<int>(::SendMessageA(view, EM_GETFIRSTVISIBLELINE, 0, 0));
}

// A click on a vertical bar's track just above its down arrow: a page down.
void PageDownWith(HWND bar)
{
    RECT r{};
    ::GetClientRect(bar, &r);
    ui::ClickAt(bar, r.right / 2, r.bottom - ::GetSystemMetrics(SM_CYVSCROLL) - 4);
}

void Drag(HWND wnd, POINT from, POINT to)
{
    ::PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::PostMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    ::PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

}  // namespace

// Panes side by side show the same lines: the row's one vertical bar scrolls them together,
// and so does the wheel over either. Panes one above the other have a bar each and scroll
// apart.
TEST_F(ScrivelDocuments, SplitPanesShareTheScrollBarsOfTheirRowAndColumn)
{
    Start(true, 400);
    HWND child = ActiveChild(run.Frame());
    ::SendMessageA(MdiClient(run.Frame()), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    HWND view = ViewOf(child);
    ASSERT_NE(view, nullptr);
    HWND splitter = ::GetParent(view);
    ASSERT_TRUE(ui::WaitUntil([&] { return SharedBars(splitter, true).size() == 1u; }));
    EXPECT_EQ(::GetWindowLongA(view, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);

    // The column split box is the strip along the splitter's left edge.
    Drag(splitter, POINT{2, 120}, POINT{200, 120});
    ASSERT_TRUE(ui::WaitUntil([&] { return PanesOf(splitter).size() == 2u; }));
    ASSERT_EQ(SharedBars(splitter, true).size(), 1u);
    EXPECT_EQ(SharedBars(splitter, false).size(), 2u);
    std::vector<HWND> row = PanesOf(splitter);
    for (HWND pane : row)
        ASSERT_EQ(FirstVisibleLine(pane), 0);

    HWND rowBar = SharedBars(splitter, true)[0];
    PageDownWith(rowBar);
    ASSERT_TRUE(ui::WaitUntil([&] { return FirstVisibleLine(row[0]) > 0; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return FirstVisibleLine(row[1]) == FirstVisibleLine(row[0]); }));
    EXPECT_TRUE(ui::WaitUntil([&] { return ::GetScrollPos(rowBar, SB_CTL) == FirstVisibleLine(row[0]); }));

    // Scrolled another way, with the wheel over one of them, they still move together.
    const int paged = FirstVisibleLine(row[0]);
    ::PostMessageA(row[1], WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    ASSERT_TRUE(ui::WaitUntil([&] { return FirstVisibleLine(row[1]) > paged; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return FirstVisibleLine(row[0]) == FirstVisibleLine(row[1]); }));
    EXPECT_TRUE(ui::WaitUntil([&] { return ::GetScrollPos(rowBar, SB_CTL) == FirstVisibleLine(row[1]); }));

    // A row split box at the top: the lower row gets a bar of its own.
    Drag(splitter, POINT{300, 2}, POINT{300, 150});
    ASSERT_TRUE(ui::WaitUntil([&] { return PanesOf(splitter).size() == 4u; }));
    std::vector<HWND> bars = SharedBars(splitter, true);
    ASSERT_EQ(bars.size(), 2u);
    std::vector<HWND> upper, lower;
    RECT divide{};
    ::GetWindowRect(bars[1], &divide);
    for (HWND pane : PanesOf(splitter)) {
        RECT r{};
        ::GetWindowRect(pane, &r);
        (r.top < divide.top ? upper : lower).push_back(pane);
    }
    ASSERT_EQ(upper.size(), 2u);
    ASSERT_EQ(lower.size(), 2u);
    const int upperLine = FirstVisibleLine(upper[0]);
    const int lowerLine = FirstVisibleLine(lower[0]);
    PageDownWith(bars[1]);
    ASSERT_TRUE(ui::WaitUntil([&] { return FirstVisibleLine(lower[0]) > lowerLine; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return FirstVisibleLine(lower[1]) == FirstVisibleLine(lower[0]); }));
    EXPECT_EQ(FirstVisibleLine(upper[0]), upperLine);
    EXPECT_EQ(FirstVisibleLine(upper[1]), upperLine);
    EXPECT_NE(SaveWindowPng(run.Frame(), "scrivel-split-shared-bars"), "");
}

namespace {

// The Linux path of a file on Wine's drive Z:, where the build tree lies.
std::string UnixPath(std::string path)
{
    if (path.size() > 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':')
        path.erase(0, 2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Drops files at a screen point of a top-level window as a Linux file manager does: a
// helper speaks the X server's drag-and-drop protocol to the window's X window. Wine gives
// no exit code for a Linux program: what the drop did is seen in the window.
bool DropFromLinux(HWND topLevel, POINT at, const std::vector<std::string>& paths)
{
    const auto xWindow = reinterpret_cast<ULONG_PTR>(::GetPropA(topLevel, "__wine_x11_whole_window"));
    if (!xWindow)
        return false;
    std::string command = "Z:\\usr\\bin\\python3 " SCRIVEL_XDND_DROP_SCRIPT " " + std::to_string(xWindow) + " " +
                          std::to_string(at.x) + " " + std::to_string(at.y);
    for (const std::string& path : paths)
        command += " " + UnixPath(path);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CKernelHandle process(info.hProcess);
    CKernelHandle thread(info.hThread);
    return true;
}

}  // namespace

// Files dragged from the desktop onto the frame open one by one, whether they land on the
// empty client area or on a document; a file already open is activated, not loaded twice.
TEST_F(ScrivelDocuments, FilesDroppedOnTheFrameOpenOneByOne)
{
    Start(true);
    const std::string mime = testpaths::Join(folder, "mime.types");
    const std::string magic = testpaths::Join(folder, "magic");
    const std::string ssl = testpaths::Join(folder, "httpd-ssl.conf");
    ASSERT_TRUE(testpaths::WriteTextFile(mime, "text/plain txt\r\n"));
    ASSERT_TRUE(testpaths::WriteTextFile(magic, "0 string GIF image/gif\r\n"));
    ASSERT_TRUE(testpaths::WriteTextFile(ssl, "Listen 443\r\n"));
    ::SetWindowPos(run.Frame(), nullptr, 0, 0, 900, 640, SWP_NOZORDER);
    HWND first = ActiveChild(run.Frame());
    ::MoveWindow(first, 0, 0, 300, 200, TRUE);

    RECT client{};
    ::GetWindowRect(MdiClient(run.Frame()), &client);
    const POINT empty{client.right - 60, client.bottom - 60};  // below and beside the document
    ASSERT_TRUE(DropFromLinux(run.Frame(), empty, {mime, magic, conf}));

    ASSERT_TRUE(ui::WaitUntil([&] { return ChildFrames(run.Frame()).size() == 3u; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "httpd-default.conf"; }));
    std::vector<std::string> titles;
    for (HWND child : ChildFrames(run.Frame()))
        titles.push_back(ui::TextOf(child));
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::string>{"httpd-default.conf", "magic", "mime.types"}));

    // Onto the text of a document: the file opens beside it, the text stays as it was.
    HWND view = ViewOf(first);
    RECT text{};
    ::GetWindowRect(view, &text);
    ASSERT_TRUE(DropFromLinux(run.Frame(), POINT{text.left + 40, text.top + 30}, {ssl}));
    ASSERT_TRUE(ui::WaitUntil([&] { return ChildFrames(run.Frame()).size() == 4u; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(run.Frame()) == "httpd-ssl.conf"; }));
    EXPECT_EQ(ViewText(view), Lines(40));
}

