// The filter bar and level colours end to end: a user filters an error log, hides lines,
// asks for context, goes back to the whole log from a line, clears with Esc, saves what is
// shown and sees the levels in their colours.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Handles.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerFixture.h"

using namespace viewertest;

namespace {
constexpr int kFilterText = 1001;
constexpr int kMatchCase = 1002;
constexpr int kHideMatching = 1003;
constexpr int kContext = 1004;
constexpr char kNewNotice[] = "[Sun Oct 11 10:01:00.000001 2026] [core:notice] [pid 4242:tid 512] AH00094: later\r\n";
constexpr char kNewError[] = "[Sun Oct 11 10:01:00.000002 2026] [core:error] [pid 4242:tid 512] AH00095: later\r\n";
constexpr COLORREF kErrorColour = RGB(192, 0, 0);
constexpr COLORREF kWarningColour = RGB(176, 96, 0);
constexpr COLORREF kDebugColour = RGB(128, 128, 128);

// Twenty lines of a server's error log, the levels taking turns: error, warn, notice, debug.
std::vector<std::string> ErrorLogLines()
{
    static const char* const kLevels[] = {"core:error", "ssl:warn", "mpm_winnt:notice", "core:debug"};
    std::vector<std::string> lines;
    for (int i = 0; i < 20; ++i) {
        char line[160];
        std::snprintf(
            line, sizeof line,
            "[Sun Oct 11 10:00:%02d.123456 2026] [%s] [pid 4242:tid 512] [client ::1:6%03d] AH%05d: line %02d", i,
            kLevels[i % 4], i, 100 + i, i);
        lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, const std::vector<int>& which)
{
    std::string text;
    for (int i : which)
        text += lines[static_cast<std::size_t>(i)] + "\r\n";
    return text;
}

// Ctrl+L's command shows the bar; its text box once it shows.
HWND ShowFilterBar(HWND frame)
{
    Command(frame, kViewFilter);
    HWND text = nullptr;
    ui::WaitUntil([&] { return (text = ui::FindChild(frame, "Edit", kFilterText)) && ::IsWindowVisible(text); });
    return text;
}

using ViewerFilterTest = ViewerTest;
}  // namespace

TEST_F(ViewerFilterTest, AUserFiltersAnErrorLogGoesBackToALineAndSavesWhatIsShown)
{
    const std::vector<std::string> lines = ErrorLogLines();
    std::vector<int> all;
    for (int i = 0; i < 20; ++i)
        all.push_back(i);
    const std::string whole = Joined(lines, all);
    const std::string log = Log("error.log", whole);
    const std::string copy = testpaths::Join(m_dir, "errors.log");

    bool red = false, orange = false, grey = false, redWhenOff = true, tipShown = false;
    std::string errorsAndWarnings, pane, hidden, context, afterJump, afterEsc, saved, titleAfterSave;
    std::string shownAfterSave, followed;
    DWORD caretAfterJump = 0;
    std::string barAfterJump;
    ShowLog(log, [&](HWND frame, HWND view) {
        // Levels at a glance, by the pixels of the first lines.
        red = ui::WaitUntil([&] { return FindColourOnScreen(view, kErrorColour).count > 0; }, 3000);
        orange = FindColourOnScreen(view, kWarningColour).count > 0;
        grey = FindColourOnScreen(view, kDebugColour).count > 0;
        SaveWindowPng(frame, "brenlo-levels");

        // Typing in the bar filters after a pause.
        HWND text = ShowFilterBar(frame);
        ui::SetText(text, "ERROR|warn");
        ui::WaitUntil([&] { return ui::TextOf(view) == Joined(lines, {0, 1, 4, 5, 8, 9, 12, 13, 16, 17}); });
        errorsAndWarnings = ui::TextOf(view);
        ui::WaitUntil([&] { return PaneText(frame, 1).find("10 of 20 lines") != std::string::npos; });
        pane = PaneText(frame, 1);
        SaveWindowPng(frame, "brenlo-filtered");
        tipShown =
            ui::TipOver(ui::FindChild(frame, "Button", kMatchCase), "Tell capital letters from small ones", 5000);
        ui::LeaveTips();

        // Hiding the matching lines at once.
        ui::Click(ui::FindChild(frame, "Button", kHideMatching));
        ui::WaitUntil([&] { return ui::TextOf(view) == Joined(lines, {2, 3, 6, 7, 10, 11, 14, 15, 18, 19}); });
        hidden = ui::TextOf(view);
        ui::Click(ui::FindChild(frame, "Button", kHideMatching));

        // One line and one around it; two texts whose context windows overlap.
        ui::SetText(ui::FindChild(frame, "Edit", kContext), "1");
        ui::SetText(text, "AH00105|AH00107");
        ui::WaitUntil([&] { return ui::TextOf(view) == Joined(lines, {4, 5, 6, 7, 8}); });
        context = ui::TextOf(view);
        ui::SetText(ui::FindChild(frame, "Edit", kContext), "0");

        // A double click on the second line shown ("line 07") shows it in the whole log.
        ui::WaitUntil([&] { return ui::TextOf(view) == Joined(lines, {5, 7}); });
        HFONT font = reinterpret_cast<HFONT>(::SendMessageA(view, WM_GETFONT, 0, 0));
        HDC dc = ::GetDC(view);
        ::SelectObject(dc, font);
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        ::ReleaseDC(view, dc);
        ui::ClickAt(view, 40, metrics.tmHeight + metrics.tmHeight / 2, true);
        ui::WaitUntil([&] { return ui::TextOf(view) == whole; });
        afterJump = ui::TextOf(view);
        caretAfterJump = Selection(view).first;
        barAfterJump = ui::TextOf(text);

        // Esc in the bar clears a filter.
        Command(frame, kViewFilter);
        ui::WaitUntil([&] { return ui::FocusOf(frame) == text; });
        ui::SetText(text, "notice");
        ui::WaitUntil([&] { return ui::TextOf(view) == Joined(lines, {2, 6, 10, 14, 18}); });
        ::PostMessageA(text, WM_KEYDOWN, VK_ESCAPE, 0);
        ui::WaitUntil([&] { return ui::TextOf(view) == whole; });
        afterEsc = ui::TextOf(view);

        // Save As of the errors: the file holds them, the view stays on the log.
        ui::SetText(text, "error");
        ui::WaitUntil([&] { return ui::TextOf(view) == Joined(lines, {0, 4, 8, 12, 16}); });
        if (SaveAs(AskSaveAs(frame), copy))
            ui::WaitUntil([&] { return testpaths::ReadTextFile(copy, saved) && !saved.empty(); });
        titleAfterSave = ui::TextOf(frame);
        shownAfterSave = ui::TextOf(view);

        // The server writes on: of its new lines, the one that passes appears.
        std::ofstream(log, std::ios::binary | std::ios::app) << kNewNotice << kNewError;
        ui::WaitUntil([&] { return ui::TextOf(view) == Joined(lines, {0, 4, 8, 12, 16}) + kNewError; });
        followed = ui::TextOf(view);

        // Without highlighting, no line is red.
        Command(frame, kHighlightLevels);
        ui::WaitUntil([&] { return FindColourOnScreen(view, kErrorColour).count == 0; }, 3000);
        redWhenOff = FindColourOnScreen(view, kErrorColour).count > 0;
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });

    EXPECT_TRUE(red);
    EXPECT_TRUE(orange);
    EXPECT_TRUE(grey);
    EXPECT_TRUE(tipShown) << "the bar's controls have tips";
    EXPECT_EQ(errorsAndWarnings, Joined(lines, {0, 1, 4, 5, 8, 9, 12, 13, 16, 17}));
    EXPECT_EQ(pane, "Following, 10 of 20 lines");
    EXPECT_EQ(hidden, Joined(lines, {2, 3, 6, 7, 10, 11, 14, 15, 18, 19}));
    EXPECT_EQ(context, Joined(lines, {4, 5, 6, 7, 8}));
    EXPECT_EQ(afterJump, whole);
    EXPECT_EQ(caretAfterJump, static_cast<DWORD>(Joined(lines, {0, 1, 2, 3, 4, 5, 6}).size()));
    EXPECT_EQ(barAfterJump, "");
    EXPECT_EQ(afterEsc, whole);
    EXPECT_EQ(saved, Joined(lines, {0, 4, 8, 12, 16}));
    EXPECT_EQ(titleAfterSave, "Log Viewer - error.log");
    EXPECT_EQ(shownAfterSave, Joined(lines, {0, 4, 8, 12, 16}));
    EXPECT_EQ(followed, Joined(lines, {0, 4, 8, 12, 16}) + kNewError);
    EXPECT_FALSE(redWhenOff);
    EXPECT_EQ(StoredInt("HighlightLevels", 1), 0);
}

// A filter of a log of gigabytes shows its progress box; closing the box stops the filter,
// which keeps the lines it found and says "stopped".
TEST_F(ViewerFilterTest, AFilterStoppedInItsProgressBoxKeepsWhatItFound)
{
    const std::vector<std::string> lines = ErrorLogLines();
    std::string head;
    while (head.size() < (1u << 20))
        head += Joined(lines, {0, 1, 2, 3});
    const std::string log = Log("error.log", head);
    {
        // 24 GiB more that cost nothing to make (the gap is left unwritten) but take seconds to
        // read even where reading zeros is fast (3 GiB were read before the test could look).
        CFileHandle file(::CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER end;
        end.QuadPart = 24ll << 30;
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get()));
    }
    bool boxSeen = false, shownWhileRunning = false;
    std::string pane, firstShown, paneWhileRunning;
    ShowLog(log, [&](HWND frame, HWND view) {
        HWND text = ShowFilterBar(frame);
        // Lines are counted, not read: the whole log is too long to be read as one text.
        auto lineCount = [&] { return ::SendMessageA(view, EM_GETLINECOUNT, 0, 0); };
        const LRESULT whole = lineCount();
        ui::SetText(text, "warn");
        HWND box = ui::WaitForTopLevel(::GetCurrentProcessId(), "TessalyEditorProgress", nullptr, 30000);
        boxSeen = box != nullptr;
        // The first lines found show while the filter goes on.
        shownWhileRunning =
            ui::WaitUntil([&] { return lineCount() > 1 && lineCount() < whole; }, 30000) && ::IsWindow(box);
        ui::WaitUntil([&] { return PaneText(frame, 1).find(" of ") != std::string::npos; });
        paneWhileRunning = ::IsWindow(box) ? PaneText(frame, 1) : "the filter ended";
        if (box)
            ::PostMessageA(box, WM_CLOSE, 0, 0);
        ui::WaitUntil([&] { return PaneText(frame, 1).find("stopped") != std::string::npos; }, 30000);
        pane = PaneText(frame, 1);
        firstShown = ui::TextOf(view).substr(0, lines[1].size() + 2);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(boxSeen);
    EXPECT_TRUE(shownWhileRunning);
    EXPECT_NE(paneWhileRunning.find(" of "), std::string::npos) << paneWhileRunning;
    EXPECT_NE(pane.find(" of "), std::string::npos) << pane;
    EXPECT_NE(pane.find("stopped"), std::string::npos) << pane;
    EXPECT_EQ(firstShown, lines[1] + "\r\n");
}
