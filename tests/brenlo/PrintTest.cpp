// Printing the shown log. Wine here has no printer, so Print is tested for its answer to
// that, and the pages themselves through print preview, which renders every page with the
// same printing operations of the text view that a printer's page loop calls.
#include <windows.h>

#include <gtest/gtest.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerHost.h"

using namespace viewertest;

namespace {

constexpr UINT kOpenSelected = 32776;
constexpr UINT kPrint = 57607;
constexpr UINT kPrintPreview = 57609;
constexpr int kPreviewBarHeight = 40;  // the preview's buttons and page number above the sheet

bool PrinterInstalled()
{
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    return needed > 0;
}

std::string NumberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        char line[120];
        std::snprintf(line, sizeof line,
                      "10.0.0.%d - - [08/Dec/2026:10:00:%02d +0000] \"GET /n/%d HTTP/1.1\" 200 %d\r\n", i % 250, i % 60,
                      i, 100 + i);
        text += line;
    }
    return text;
}

// Dark pixels of the preview's sheet area: the ink of the page shown.
int Ink(HWND preview)
{
    RECT client{};
    ::GetClientRect(preview, &client);
    const std::vector<COLORREF> pixels = ClientPixels(preview);
    int ink = 0;
    for (std::size_t i = static_cast<std::size_t>(kPreviewBarHeight) * client.right; i < pixels.size(); ++i) {
        const COLORREF c = pixels[i];
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300)
            ++ink;
    }
    return ink;
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir = testpaths::MakeWorkDir("brenlo-print"); }

    std::string Log(const std::string& name, const std::string& content)
    {
        std::string path = testpaths::Join(m_dir, name);
        EXPECT_TRUE(testpaths::WriteTextFile(path, content));
        return path;
    }

    // Opens the log at the tree's position `index` (top level) and waits for its title.
    static bool Open(HWND frame, std::size_t index, const std::string& name)
    {
        HWND tree = TreeOf(frame);
        std::vector<TreeItem> items = ReadTree(tree);
        if (items.size() <= index || !SelectItem(tree, items[index].handle))
            return false;
        Command(frame, kOpenSelected);
        return ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - " + name; });
    }

    CRegistrySandbox m_registry;
    std::string m_dir;
};

// What the user saw of one print preview.
struct PreviewVisit {
    std::vector<std::string> numbers;  // the page number text on each page visited
    std::vector<int> ink;              // the ink of each page visited
    bool previousOnFirst = true;
    bool nextOnLast = true;
    bool closed = false;
};

// Opens print preview, reads every page from the first to the last with Next Page, and
// closes it.
PreviewVisit VisitPreview(HWND frame, const std::string& shotName)
{
    PreviewVisit visit;
    Command(frame, kPrintPreview);
    HWND preview = ui::WaitForTopLevel(::GetCurrentProcessId(), nullptr, "Print Preview", 5000);
    if (!preview)
        return visit;
    ::SetForegroundWindow(preview);
    HWND number = ui::FindChild(preview, "Static");
    HWND previous = ui::FindChild(preview, "Button", -1, "&Prev Page");
    HWND next = ui::FindChild(preview, "Button", -1, "&Next Page");
    // The buttons' states are set when the first page is shown.
    ui::WaitUntil([&] { return ui::TextOf(number).rfind("Page 1 of ", 0) == 0; }, 5000);
    visit.previousOnFirst = ::IsWindowEnabled(previous) != FALSE;
    for (int page = 0; page < 50; ++page) {
        ::RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        visit.numbers.push_back(ui::TextOf(number));
        visit.ink.push_back(Ink(preview));
        if (page == 1 && !shotName.empty())
            SaveWindowPng(preview, shotName.c_str());
        if (!::IsWindowEnabled(next))
            break;
        const std::string before = visit.numbers.back();
        ui::Click(next);
        ui::WaitUntil([&] { return ui::TextOf(number) != before; });
    }
    visit.nextOnLast = ::IsWindowEnabled(next) != FALSE;
    ui::Click(ui::FindChild(preview, "Button", -1, "&Close"));
    visit.closed = ui::WaitUntil([&] { return !::IsWindow(preview); });
    return visit;
}

}  // namespace

TEST_F(PrintTest, PrintWithoutAPrinterSaysSoAndTheViewerGoesOn)
{
    if (PrinterInstalled())
        GTEST_SKIP() << "a printer is installed here; this test is for a machine without one";
    std::string log = Log("access.log", NumberedLines(5));
    LauncherLogList list;
    list.Add(log);
    ViewerRun run;
    bool opened = false, told = false;
    std::string text, titleAfter, shownAfter;
    int result = run.Run(list.Get(), [&](HWND frame) {
        opened = Open(frame, 0, "access.log");
        Command(frame, kPrint);
        told = ui::AnswerMessageBox(::GetCurrentProcessId(), "Tessaly", IDOK, &text);
        titleAfter = ui::TextOf(frame);
        shownAfter = ui::TextOf(TextViewOf(frame));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(told);
    EXPECT_EQ(text, "No printer is installed. Install a printer to print.");
    EXPECT_EQ(titleAfter, "Log Viewer - access.log");
    EXPECT_EQ(shownAfter, NumberedLines(5));
}

TEST_F(PrintTest, PreviewPagesCarryTheShownLogPageByPage)
{
    std::string one = Log("a-one.log", NumberedLines(1));
    std::string many = Log("b-many.log", NumberedLines(400));
    LauncherLogList list;
    list.Add(one);
    list.Add(many);
    ViewerRun run;
    PreviewVisit short1, long1;
    int result = run.Run(list.Get(), [&](HWND frame) {
        if (Open(frame, 0, "a-one.log"))
            short1 = VisitPreview(frame, "");
        if (Open(frame, 1, "b-many.log"))
            long1 = VisitPreview(frame, "brenlo-print-preview-page-2");
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);

    ASSERT_EQ(short1.numbers.size(), 1u);
    EXPECT_EQ(short1.numbers[0], "Page 1 of 1");
    EXPECT_FALSE(short1.previousOnFirst);
    EXPECT_FALSE(short1.nextOnLast);
    EXPECT_TRUE(short1.closed);

    // 400 lines take several pages; each is visited once, in order, and numbered.
    const std::size_t pages = long1.numbers.size();
    ASSERT_GE(pages, 3u);
    for (std::size_t i = 0; i < pages; ++i)
        EXPECT_EQ(long1.numbers[i], "Page " + std::to_string(i + 1) + " of " + std::to_string(pages));
    EXPECT_FALSE(long1.previousOnFirst);
    EXPECT_FALSE(long1.nextOnLast);
    EXPECT_TRUE(long1.closed);

    // A page of the one-line log holds its header and one line; every full page of the long
    // log holds many lines, and its last page no more than a full one.
    ASSERT_EQ(short1.ink.size(), 1u);
    for (std::size_t i = 0; i + 1 < pages; ++i)
        EXPECT_GT(long1.ink[i], 3 * short1.ink[0]) << "page " << i + 1;
    EXPECT_GT(long1.ink[pages - 1], short1.ink[0]);
    EXPECT_LE(long1.ink[pages - 1], long1.ink[0] + long1.ink[0] / 10);
}
