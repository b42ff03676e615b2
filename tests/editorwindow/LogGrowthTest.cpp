// A log that the server goes on writing while it is shown: after Refresh the views keep
// their place, caret and selection, and learn of the new lines; a log cut short starts over.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "EditorHost.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace shelltest {
namespace {

std::string Entries(int from, int to)
{
    std::string text;
    for (int i = from; i < to; ++i)
        text += "[notice] entry " + std::to_string(i) + "\r\n";
    return text;
}

void WriteFileBytes(const std::string& path, const std::string& bytes, bool append)
{
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int ScrollMax(HWND editor)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE;
    ::GetScrollInfo(editor, SB_VERT, &si);
    return si.nMax;
}

TEST(LogGrowthTest, ViewsKeepTheirPlaceWhenTheLogGrowsAndStartOverWhenItIsCut)
{
    const std::string path = testpaths::Join(testpaths::MakeWorkDir("editorwindow-loggrowth"), "error.log");
    const std::string first = Entries(0, 2000);
    WriteFileBytes(path, first, false);
    EditorSettings settings;
    EditBuffer buffer(settings);
    ASSERT_TRUE(ReadLog(buffer, path));
    EditorHost host;
    HWND middle = host.AddEditor(&buffer, RECT{0, 0, 320, 300});
    HWND end = host.AddEditor(&buffer, RECT{330, 0, 650, 300});
    ASSERT_TRUE(ui::WaitUntil([&] { return buffer.Text().IsIndexComplete(); }, 10000));

    // One view in the middle with a word selected, the other at the end.
    ASSERT_TRUE(host.Focus(middle));
    const LRESULT line1000 = ::SendMessageA(middle, EM_LINEINDEX, 1000, 0);
    ::SendMessageA(middle, EM_SETSEL, static_cast<WPARAM>(line1000 + 1), line1000 + 7);
    ::SendMessageA(middle, EM_SCROLLCARET, 0, 0);
    const int top = FirstVisibleLine(middle);
    ASSERT_GT(top, 950);
    ASSERT_TRUE(host.Focus(end));
    Press(end, VK_END, true);
    const int endTop = FirstVisibleLine(end);
    const int scrollMax = ScrollMax(end);

    WriteFileBytes(path, Entries(2000, 2500), true);
    EXPECT_TRUE(buffer.Refresh());
    Pump(100);
    EXPECT_EQ(FirstVisibleLine(middle), top);
    EXPECT_EQ(Selection(middle), std::make_pair(static_cast<DWORD>(line1000 + 1), static_cast<DWORD>(line1000 + 7)));
    EXPECT_EQ(FirstVisibleLine(end), endTop);
    EXPECT_EQ(Selection(end).first, static_cast<DWORD>(first.size()));
    EXPECT_EQ(LineCount(end), 2501);
    // The view at the end learns of the new lines: its scroll bar reaches further.
    EXPECT_TRUE(ui::WaitUntil([&] { return ScrollMax(end) >= scrollMax + 500; }));
    Press(end, VK_END, true);
    EXPECT_GT(FirstVisibleLine(end), 2400);

    // Emptied and written anew: both views start over at the top, inside the new text.
    WriteFileBytes(path, Entries(0, 3), false);
    EXPECT_TRUE(buffer.Refresh());
    Pump(100);
    EXPECT_EQ(FirstVisibleLine(middle), 0);
    EXPECT_EQ(Selection(middle), std::make_pair(DWORD{0}, DWORD{0}));
    EXPECT_EQ(LineCount(end), 4);
    EXPECT_EQ(Text(end), Entries(0, 3));
}

}  // namespace
}  // namespace shelltest
