// Find and replace through the platform's dialogs, as a user fills them in.
#include <gtest/gtest.h>

#include "EditorHost.h"
#include "UiDriver.h"

namespace shelltest {
namespace {

// Control ids of the platform's find and replace dialogs.
constexpr int kFindWhat = 1152;
constexpr int kReplaceWith = 1153;
constexpr int kReplaceAll = 1025;

class FindDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_editor = AddEditorWithText(m_host, "Listen 80\r\nListen 443\r\n#Listen 80\r\n");
        ASSERT_TRUE(m_host.Focus(m_editor));
    }
    HWND WaitForDialog(const char* caption)
    {
        return ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", caption, 3000);
    }

    EditorHost m_host;
    HWND m_editor = nullptr;
};

TEST_F(FindDialogTest, FindNextSelectsEachMatchInTurn)
{
    Press(m_editor, 'F', true);
    HWND dialog = WaitForDialog("Find");
    ASSERT_TRUE(dialog);
    ::SetDlgItemTextA(dialog, kFindWhat, "listen");
    HWND findNext = ::GetDlgItem(dialog, IDOK);
    ASSERT_TRUE(findNext);
    ui::Click(findNext);
    ASSERT_TRUE(ui::WaitUntil([&] { return Selection(m_editor) == std::make_pair(DWORD{0}, DWORD{6}); }))
        << "without case, from the caret";
    ui::Click(findNext);
    ASSERT_TRUE(ui::WaitUntil([&] { return Selection(m_editor) == std::make_pair(DWORD{11}, DWORD{17}); }));
    // F3 goes on with the same search, and wraps around at the end.
    ::SendMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_host.Focus(m_editor));
    Press(m_editor, VK_F3);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{24}, DWORD{30}));
    Press(m_editor, VK_F3);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, DWORD{6}));
}

TEST_F(FindDialogTest, ReplaceAllIsOneUndoStep)
{
    Press(m_editor, 'H', true);
    HWND dialog = WaitForDialog("Replace");
    ASSERT_TRUE(dialog);
    ::SetDlgItemTextA(dialog, kFindWhat, "80");
    ::SetDlgItemTextA(dialog, kReplaceWith, "8080");
    HWND all = ::GetDlgItem(dialog, kReplaceAll);
    ASSERT_TRUE(all);
    ui::Click(all);
    ASSERT_TRUE(ui::WaitUntil([&] { return Text(m_editor) == "Listen 8080\r\nListen 443\r\n#Listen 8080\r\n"; }));
    ::SendMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_host.Focus(m_editor));
    Press(m_editor, 'Z', true);
    EXPECT_EQ(Text(m_editor), "Listen 80\r\nListen 443\r\n#Listen 80\r\n");
}

}  // namespace
}  // namespace shelltest
