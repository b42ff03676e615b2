// Scrivel's documents and frame as the user meets them: the toolbar, Save
// enabled only while there are changes, New, several windows of one document, and a
// document found by any spelling of its path until it closes.
#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

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
        run.Launcher().SetText(
            ("Syntax error on line " + std::to_string(line) + " of " + path + ":\r\nmessage").c_str());
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
    // The documentation bar can always be shown; Save waits for a change.
    EXPECT_TRUE(ButtonEnabled(kApacheDocumentation));
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

// Return in the find dialog runs Find Next through Scrivel's own loop, and the match shows
// highlighted among the first lines, which the dialog leaves in sight.
TEST_F(ScrivelDocuments, ReturnInTheFindDialogFindsAndTheMatchShows)
{
    Start(true);
    HWND view = ViewOf(ActiveChild(run.Frame()));
    ASSERT_TRUE(ui::ClickToFocus(run.Frame(), view));
    ui::PressKey(VK_HOME, true);
    ui::PressKey('F', true);
    HWND dialog = ui::WaitForTopLevel(run.Process().Id(), "#32770", "Find", 5000);
    ASSERT_TRUE(dialog);
    ::SendDlgItemMessageA(dialog, 1152, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Listen 8002"));
    ui::PressKey(VK_RETURN);
    EXPECT_TRUE(ui::WaitUntil([&] { return ::SendMessageA(view, EM_GETSEL, 0, 0) == MAKELONG(13, 24); }));
    ColourOnScreen match;
    EXPECT_TRUE(ui::WaitUntil(
        [&] { return (match = FindColourOnScreen(view, ::GetSysColor(COLOR_HIGHLIGHT), 64)).count > 0; }));
    RECT box{}, overlap{};
    ::GetWindowRect(dialog, &box);
    EXPECT_FALSE(::IntersectRect(&overlap, &match.bounds, &box));
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
        HWND dialog = ChooseInFileDialog(run, ID_FILE_OPEN, "Open", path);
        ASSERT_NE(dialog, nullptr);
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

namespace {

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// The wide calls with "\\?\" take paths beyond 259 characters.
std::wstring Extended(const std::string& path)
{
    return L"\\\\?\\" + Wide(path);
}

bool WriteLongFile(const std::string& path, const std::string& text)
{
    CFileHandle file(::CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

std::string ReadLongFile(const std::string& path)
{
    CFileHandle file(
        ::CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return "(cannot be read)";
    std::string text(1 << 16, '\0');
    DWORD read = 0;
    ::ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    text.resize(read);
    return text;
}

// Folders of 100-character names below `folder`, made on the way, and a file name that
// brings the whole path to `length` characters.
std::string LongPathBelow(const std::string& folder, std::size_t length, char fill)
{
    std::string path = folder;
    for (char name = 'a'; length - path.size() > 120; ++name) {
        path += "\\" + std::string(100, name);
        ::CreateDirectoryW(Extended(path).c_str(), nullptr);
    }
    return path + "\\httpd-" + std::string(length - path.size() - 12, fill) + ".conf";
}

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.find_last_of('\\') + 1);
}

}  // namespace

// A configured file whose path has 365 characters opens without a question, is found by a
// report in another spelling and is saved in place; a missing one of that length is created.
TEST_F(ScrivelDocuments, FilesWithPathsOf365CharactersOpenAreFoundAndSaved)
{
    folder = testpaths::MakeWorkDir("scrivel-long-paths");
    const std::string present = LongPathBelow(folder, 365, 'p');
    const std::string missing = LongPathBelow(folder, 365, 'm');
    ASSERT_EQ(present.size(), 365u);
    ASSERT_EQ(missing.size(), 365u);
    ::DeleteFileW(Extended(missing).c_str());  // the work folder is emptied by calls that stop at 259 characters
    ASSERT_TRUE(WriteLongFile(present, Lines(10)));
    run.Registry().Store().WriteScrivelFiles({present, missing});
    ASSERT_TRUE(run.StartLauncher());
    ASSERT_TRUE(run.StartScrivel());

    HWND box = ui::WaitForMessageBox(run.Process().Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ui::MessageBoxText(box), "File " + missing + " not found. Do you wish to create new file?");
    ui::AnswerMessageBox(box, IDYES);
    ASSERT_TRUE(run.WaitStarted());
    EXPECT_TRUE(ui::TopLevelWindows(run.Process().Id(), "#32770").empty());
    EXPECT_EQ(ReadLongFile(missing), "");
    ASSERT_EQ(ChildFrames(run.Frame()).size(), 2u);
    EXPECT_EQ(ActiveChildTitle(run.Frame()), FileNameOf(missing));

    std::string otherSpelling = present;
    std::replace(otherSpelling.begin(), otherSpelling.end(), '\\', '/');
    for (char& c : otherSpelling)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    Report(6, otherSpelling);
    EXPECT_EQ(ChildFrames(run.Frame()).size(), 2u);
    ASSERT_EQ(ActiveChildTitle(run.Frame()), FileNameOf(present));
    HWND view = ViewOf(ActiveChild(run.Frame()));
    EXPECT_EQ(CaretLine(view), 6);
    EXPECT_EQ(ViewText(view), Lines(10));

    ::SendMessageA(view, EM_SETSEL, 0, 0);
    ui::PostText(view, "#");
    ASSERT_TRUE(ui::WaitUntil([&] { return ::SendMessageA(view, EM_GETMODIFY, 0, 0) != 0; }));
    ui::PostCommand(run.Frame(), ID_FILE_SAVE);
    EXPECT_TRUE(ui::WaitUntil([&] { return ::SendMessageA(view, EM_GETMODIFY, 0, 0) == 0; }));
    EXPECT_TRUE(ui::TopLevelWindows(run.Process().Id(), "#32770").empty());
    EXPECT_EQ(ReadLongFile(present), "#" + Lines(10));
}

namespace {

// A small description of a black-and-white PostScript printer, enough for Wine's driver.
constexpr char kPrinterDescription[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n*PCFileName: \"TESSALY.PPD\"\n*Manufacturer: \"Tessaly\"\n"
    "*ModelName: \"Tessaly Test Printer\"\n*ShortNickName: \"Tessaly Test Printer\"\n"
    "*NickName: \"Tessaly Test Printer\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
    "*ColorDevice: False\n*DefaultColorSpace: Gray\n*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
    "*OpenUI *PageSize/Media Size: PickOne\n*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n*CloseUI: *PageSize\n"
    "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n*DefaultResolution: 300dpi\n"
    "*DefaultFont: Courier\n*Font Courier: Standard \"(002.004S)\" Standard ROM\n";

// Two printers in Wine's spooler while a test runs (there is none here otherwise), the first
// the default one; both are removed again, and the default with them.
class CTestPrinters {
public:
    static constexpr const char* kNames[] = {"Tessaly Test A", "Tessaly Test B"};

    CTestPrinters()
    {
        Remove();
        // The driver reads the description from the spooler's folder of drivers.
        std::string description = DescriptionPath();
        if (description.empty() || !testpaths::WriteTextFile(description, kPrinterDescription))
            return;
        bool added = true;
        for (const char* name : kNames) {
            DRIVER_INFO_3A driver{};
            driver.cVersion = 3;
            driver.pName = const_cast<char*>(name);
            driver.pEnvironment = const_cast<char*>(kEnvironment);
            driver.pDriverPath = const_cast<char*>("wineps.drv");
            driver.pConfigFile = const_cast<char*>("wineps.drv");
            driver.pDataFile = const_cast<char*>(kDescriptionName);
            driver.pDefaultDataType = const_cast<char*>("RAW");
            PRINTER_INFO_2A printer{};
            printer.pPrinterName = const_cast<char*>(name);
            printer.pPortName = const_cast<char*>("FILE:");
            printer.pDriverName = const_cast<char*>(name);
            printer.pPrintProcessor = const_cast<char*>("WinPrint");
            printer.pDatatype = const_cast<char*>("RAW");
            HANDLE made = ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))
                              ? ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer))
                              : nullptr;
            added = added && made;
            if (made)
                ::ClosePrinter(made);
        }
        m_installed = added && ::SetDefaultPrinterA(kNames[0]);
    }
    ~CTestPrinters() { Remove(); }
    CTestPrinters(const CTestPrinters&) = delete;
    CTestPrinters& operator=(const CTestPrinters&) = delete;

    bool Installed() const { return m_installed; }

private:
    static constexpr char kEnvironment[] = "Windows NT x86";
    static constexpr char kDescriptionName[] = "tessaly-test.ppd";

    static std::string DescriptionPath()
    {
        char folder[MAX_PATH] = {};
        DWORD needed = 0;
        if (!::GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(kEnvironment), 1, reinterpret_cast<BYTE*>(folder),
                                          sizeof folder, &needed))
            return {};
        return testpaths::Join(folder, kDescriptionName);
    }

    static void Remove()
    {
        for (const char* name : kNames) {
            HANDLE printer = nullptr;
            if (::OpenPrinterA(const_cast<char*>(name), &printer, nullptr)) {
                ::DeletePrinter(printer);
                ::ClosePrinter(printer);
            }
            ::DeletePrinterDriverA(nullptr, const_cast<char*>(kEnvironment), const_cast<char*>(name));
        }
        const std::string description = DescriptionPath();
        if (!description.empty())
            ::DeleteFileA(description.c_str());
        CRegKey windows;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0,
                            KEY_SET_VALUE, windows.Receive()) == ERROR_SUCCESS)
            ::RegDeleteValueA(windows.Get(), "Device");
    }

    bool m_installed = false;
};

// The combo box of a printer dialog that lists the printers, and the printer it shows.
HWND PrinterList(HWND dialog)
{
    for (HWND combo : ui::FindChildren(dialog, "ComboBox")) {
        if (::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(CTestPrinters::kNames[1])) >= 0)
            return combo;
    }
    return nullptr;
}

std::string ShownPrinter(HWND dialog)
{
    HWND list = PrinterList(dialog);
    return list ? ui::TextOf(list) : std::string("(no printer list)");
}

}  // namespace

// The printer chosen in Print Setup is the one Print starts from, and Print Setup shows it
// when asked again.
TEST_F(ScrivelDocuments, PrintStartsFromThePrinterChosenInPrintSetup)
{
    CTestPrinters printers;
    ASSERT_TRUE(printers.Installed());
    Start(true);
    const DWORD process = run.Process().Id();

    ASSERT_TRUE(ui::PostCommand(run.Frame(), ID_FILE_PRINT_SETUP));
    HWND setup = ui::WaitForTopLevel(process, "#32770", "Print Setup", 15000);
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(ui::WaitUntil([&] { return PrinterList(setup) != nullptr; }));
    EXPECT_EQ(ShownPrinter(setup), CTestPrinters::kNames[0]);
    HWND list = PrinterList(setup);
    ASSERT_GE(::SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(CTestPrinters::kNames[1])),
              0);
    ::SendMessageA(setup, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    ASSERT_EQ(ShownPrinter(setup), CTestPrinters::kNames[1]);
    ASSERT_TRUE(ui::AnswerMessageBox(setup, IDOK));
    ASSERT_TRUE(ui::WaitUntil([&] { return !::IsWindow(setup); }));

    ASSERT_TRUE(ui::PostCommand(run.Frame(), ID_FILE_PRINT));
    HWND print = ui::WaitForTopLevel(process, "#32770", "Print", 15000);
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(ui::WaitUntil([&] { return PrinterList(print) != nullptr; }));
    EXPECT_EQ(ShownPrinter(print), CTestPrinters::kNames[1]);
    ASSERT_TRUE(ui::AnswerMessageBox(print, IDCANCEL));
    ASSERT_TRUE(ui::WaitUntil([&] { return !::IsWindow(print); }));

    ASSERT_TRUE(ui::PostCommand(run.Frame(), ID_FILE_PRINT_SETUP));
    setup = ui::WaitForTopLevel(process, "#32770", "Print Setup", 15000);
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(ui::WaitUntil([&] { return PrinterList(setup) != nullptr; }));
    EXPECT_EQ(ShownPrinter(setup), CTestPrinters::kNames[1]);
    ASSERT_TRUE(ui::AnswerMessageBox(setup, IDCANCEL));
    EXPECT_TRUE(ui::WaitUntil([&] { return !::IsWindow(setup); }));
}
