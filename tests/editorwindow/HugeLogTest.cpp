// A large log shown read-only: the first screen and the end are there at once, and what
// needs every line counted waits for the index and then answers exactly.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "EditorHost.h"
#include "Handles.h"
#include "ProgressWait.h"
#include "TestPaths.h"
#include "TextSearch.h"
#include "UiDriver.h"

namespace shelltest {
namespace {

constexpr long long kLogBytes = 256ll * 1024 * 1024;

std::string LogLine(long long n)
{
    char line[160];
    std::snprintf(line, sizeof line,
                  "127.0.0.1 - - [08/Dec/2026:10:%02lld:%02lld +0000] \"GET /page/%lld.html HTTP/1.1\" 200 %lld\r\n",
                  n / 60 % 60, n % 60, n, 1000 + n % 9000);
    return line;
}

// Writes about kLogBytes of log lines; returns the number of lines (each ends in CR LF).
long long WriteLog(const std::string& path, std::string& lastLine)
{
    CFileHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return -1;
    std::string chunk;
    long long lines = 0, bytes = 0;
    while (bytes < kLogBytes) {
        chunk.clear();
        while (chunk.size() < (1u << 20)) {
            lastLine = LogLine(lines++);
            chunk += lastLine;
        }
        DWORD written = 0;
        if (!::WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr))
            return -1;
        bytes += written;
    }
    lastLine.resize(lastLine.size() - 2);
    return lines;
}

// A line of the editor's text through EM_GETLINE, without its line end.
std::string EditorLine(HWND editor, long long index)
{
    char line[200] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    const LRESULT n = ::SendMessageA(editor, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line));
    return std::string(line, static_cast<std::size_t>(n));
}

HWND VisibleProgressBox()
{
    HWND box = ::FindWindowA(tessaly::editor::kProgressBoxClass, nullptr);
    return box && ::IsWindowVisible(box) ? box : nullptr;
}

// The platform's message box of this process showing exactly this text, or null.
HWND MessageBoxSaying(const std::string& text)
{
    for (HWND wnd : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770")) {
        if (ui::FindChild(wnd, nullptr, -1, text.c_str()))
            return wnd;
    }
    return nullptr;
}

// Control ids of the platform's find dialog.
constexpr int kFindWhat = 1152;

class HugeLogTest : public ::testing::Test {
protected:
    // The test's buffer over the log, indexing from the start, shown in an editor window.
    HWND OpenLog()
    {
        if (!ReadLog(m_buffer, m_path))
            return nullptr;
        HWND editor = m_host.AddEditor(&m_buffer, RECT{0, 0, 640, 360});
        return m_host.Focus(editor) ? editor : nullptr;
    }
    // Searches down from the caret through the find dialog, as a user does.
    HWND FindThroughDialog(HWND editor, const std::string& what)
    {
        if (!m_host.Focus(editor))
            return nullptr;
        Press(editor, 'F', true);
        HWND dialog = ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Find", 3000);
        if (!dialog)
            return nullptr;
        ::SetDlgItemTextA(dialog, kFindWhat, what.c_str());
        ui::Click(::GetDlgItem(dialog, IDOK));
        return dialog;
    }
    // A search of the whole log would often end before its box is seen on a fast machine;
    // the box shows at once.
    static void SlowSearchesShownAtOnce()
    {
        tessaly::editor::ProgressWait::SetShowDelay(0);
        tessaly::editor::SetSearchBlockPause(2);
    }
    void TearDown() override
    {
        tessaly::editor::ProgressWait::SetShowDelay(300);
        tessaly::editor::SetSearchBlockPause(0);
    }

    static void SetUpTestSuite()
    {
        m_path = testpaths::Join(testpaths::MakeWorkDir("editorwindow-hugelog"), "access.log");
        m_lines = WriteLog(m_path, m_lastLine);
    }
    static void TearDownTestSuite() { ::DeleteFileA(m_path.c_str()); }

    static std::string m_path;
    static std::string m_lastLine;
    static long long m_lines;

    EditorSettings m_settings;
    EditBuffer m_buffer{m_settings};
    EditorHost m_host;  // after the buffer: its windows go first
};

std::string HugeLogTest::m_path;
std::string HugeLogTest::m_lastLine;
long long HugeLogTest::m_lines = 0;

TEST_F(HugeLogTest, ShowsTheFirstScreenTheEndAndThenExactLineNumbers)
{
    ASSERT_GT(m_lines, 0);
    HWND editor = OpenLog();
    ASSERT_TRUE(editor);

    // The first line is painted: dark text pixels in the first row.
    const ClientImage first(editor);
    EXPECT_GT(first.Count(m_settings.m_clrText, 0, CellSize(editor).cy), 20);
    EXPECT_EQ(EditorLine(editor, 0), LogLine(0).substr(0, LogLine(0).size() - 2));

    // Ctrl+End reaches the end without counting lines first.
    Press(editor, VK_END, true);
    const auto [start, end] = Selection(editor);
    EXPECT_EQ(start, static_cast<DWORD>(m_buffer.Text().Length()));
    EXPECT_EQ(end, start);
    const ClientImage last(editor);
    EXPECT_GT(last.Count(m_settings.m_clrText, 0, last.Height()), 20) << "the last screen shows text";
    Screenshot(m_host.Host(), "editorwindow-hugelog-end");

    // A line number needs every line: the answer waits for the index and is exact.
    EXPECT_EQ(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0), m_lines + 1);
    const LRESULT lastLine = ::SendMessageA(editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(lastLine, m_lines);
    RECT client{};
    ::GetClientRect(editor, &client);
    const int rows = client.bottom / CellSize(editor).cy;
    EXPECT_GT(FirstVisibleLine(editor), m_lines - rows);
    EXPECT_EQ(EditorLine(editor, m_lines - 1), m_lastLine);
    // Typing changes nothing.
    Type(editor, "x");
    Press(editor, VK_HOME, true);
    EXPECT_EQ(::SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(m_buffer.Text().Length()));
    EXPECT_FALSE(m_buffer.IsModified());
}

}  // namespace
}  // namespace shelltest

namespace shelltest {
namespace {

TEST_F(HugeLogTest, AJumpThatNeedsEveryLineWaitsInAProgressBoxAndLandsOnTheLine)
{
    ASSERT_GT(m_lines, 1000);
    tessaly::editor::ProgressWait::SetShowDelay(0);
    // Counted slowly from the start, so that the jump comes well before every line is
    // known however fast the machine reads.
    struct SlowIndexing {
        SlowIndexing() { tessaly::editor::FileTextSource::SetIndexPauseForNewSources(20); }
        ~SlowIndexing() { tessaly::editor::FileTextSource::SetIndexPauseForNewSources(0); }
    } slowIndexing;
    HWND editor = OpenLog();
    ASSERT_TRUE(editor);
    ASSERT_FALSE(m_buffer.Text().IsIndexComplete());
    std::string caption;
    bool frameDisabled = false;
    bool shot = false;
    WindowWatcher watcher([&] {
        if (HWND box = VisibleProgressBox()) {
            caption = ui::TextOf(box);
            if (!shot) {
                shot = true;  // the screenshot pumps messages, this timer's among them
                Screenshot(box, "editorwindow-progress-box");
            }
            frameDisabled = frameDisabled || !::IsWindowEnabled(m_host.Host());
        }
    });
    ASSERT_TRUE(watcher.Started());
    const long long target = m_lines - 12345;  // one-based, as a report gives it
    EditorWindow* window = EditorWindow::FromWindow(editor);
    ASSERT_TRUE(window);
    window->GotoLine(target);
    EXPECT_EQ(caption, "Please wait") << "the box showed while every line was counted";
    EXPECT_TRUE(frameDisabled);
    EXPECT_FALSE(VisibleProgressBox());
    EXPECT_TRUE(::IsWindowEnabled(m_host.Host()));
    EXPECT_TRUE(m_buffer.Text().IsIndexComplete());
    EXPECT_EQ(::SendMessageA(editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), target - 1);
    EXPECT_EQ(EditorLine(editor, target - 1), LogLine(target - 1).substr(0, LogLine(target - 1).size() - 2));
    EXPECT_EQ(Selection(editor).first,
              static_cast<DWORD>(::SendMessageA(editor, EM_LINEINDEX, static_cast<WPARAM>(target - 1), 0)));
    EXPECT_EQ(::GetFocus(), editor) << "the focus is back in the editor";
}

TEST_F(HugeLogTest, AFindThroughTheWholeLogShowsProgressFindsTheLastLineAndSaysWhenNothingIsThere)
{
    SlowSearchesShownAtOnce();
    HWND editor = OpenLog();
    ASSERT_TRUE(editor);
    bool boxSeen = false;
    std::string notFound;
    const std::string absent = "GET /nowhere.html";
    const std::string notFoundText = "Cannot find \"" + absent + "\".";
    WindowWatcher watcher([&] {
        boxSeen = boxSeen || VisibleProgressBox() != nullptr;
        if (HWND box = MessageBoxSaying(notFoundText)) {
            notFound = notFoundText;
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    });
    ASSERT_TRUE(watcher.Started());

    // Only the last line holds this text.
    const std::string what = "GET /page/" + std::to_string(m_lines - 1) + ".html";
    HWND dialog = FindThroughDialog(editor, what);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(ui::WaitUntil([&] { return Selection(editor).first != 0; }, 60000));
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(::SendMessageA(editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), m_lines - 1);
    const auto [start, end] = Selection(editor);
    EXPECT_EQ(m_buffer.Text().Text(start, end - start), what);
    ::SendMessageA(dialog, WM_CLOSE, 0, 0);

    // Nothing further on: the message says so, and the selection stays.
    boxSeen = false;
    ::SendMessageA(editor, EM_SETSEL, 0, 0);
    dialog = FindThroughDialog(editor, absent);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(ui::WaitUntil([&] { return !notFound.empty(); }, 60000));
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(Selection(editor), std::make_pair(DWORD{0}, DWORD{0}));
    ::SendMessageA(dialog, WM_CLOSE, 0, 0);
}

TEST_F(HugeLogTest, EscStopsALongFindWithoutAMessage)
{
    SlowSearchesShownAtOnce();
    HWND editor = OpenLog();
    ASSERT_TRUE(editor);
    const std::string absent = "GET /nowhere.html";
    bool escSent = false;
    bool messageShown = false;
    WindowWatcher watcher([&] {
        if (HWND box = VisibleProgressBox(); box && !escSent) {
            escSent = ::PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0) != FALSE;
        }
        if (HWND box = MessageBoxSaying("Cannot find \"" + absent + "\".")) {
            messageShown = true;
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    });
    ASSERT_TRUE(watcher.Started());
    HWND dialog = FindThroughDialog(editor, absent);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(ui::WaitUntil([&] { return escSent && !VisibleProgressBox(); }, 60000));
    Pump(200);
    EXPECT_FALSE(messageShown) << "a stopped search found nothing to report";
    EXPECT_EQ(Selection(editor), std::make_pair(DWORD{0}, DWORD{0}));
    EXPECT_TRUE(::IsWindowEnabled(m_host.Host()));
    ::SendMessageA(dialog, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace shelltest
