// The right button in an editor window: the caret goes where a click outside the selection
// lands, and the menu offers the Edit commands enabled as they apply, and carries them out.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "EditorHost.h"
#include "UiDriver.h"

namespace shelltest {
namespace {

// A right click at a character cell, through the input queue.
void RightClickCell(HWND editor, int row, int column)
{
    const SIZE cell = CellSize(editor);
    // A quarter into the cell: the caret goes before its character.
    ui::RightClickAt(editor, 2 + column * cell.cx + cell.cx / 4, row * cell.cy + cell.cy / 2);
}

void PutOnClipboard(HWND owner, const std::string& text)
{
    if (!::OpenClipboard(owner))
        return;
    ::EmptyClipboard();
    if (HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        char* p = static_cast<char*>(::GlobalLock(mem));
        std::copy(text.begin(), text.end(), p);
        p[text.size()] = '\0';
        ::GlobalUnlock(mem);
        if (!::SetClipboardData(CF_TEXT, mem))
            ::GlobalFree(mem);
    }
    ::CloseClipboard();
}

// The menu the editor shows (its items' texts before the tab, with their enabled states),
// and then a key pressed in it: a mnemonic chooses, Esc closes.
class MenuDriver {
public:
    explicit MenuDriver(WORD key)
        : m_watcher([this, key] {
              if (m_done)
                  return;
              const auto menus = ui::TopLevelWindows(::GetCurrentProcessId(), "#32768");
              if (menus.empty())
                  return;
              HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menus.front(), MN_GETHMENU, 0, 0));
              if (!menu)
                  return;
              for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                  char text[64] = {};
                  if (::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION) <= 0)
                      continue;
                  std::string name(text);
                  name = name.substr(0, name.find('\t'));
                  m_enabled[name] =
                      !(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
              }
              m_done = true;
              ui::PressKey(key);
          })
    {}
    bool Shown() const { return m_done; }
    // Whether the item was there and enabled; items missing count as disabled.
    bool Enabled(const std::string& item) const
    {
        const auto it = m_enabled.find(item);
        return it != m_enabled.end() && it->second;
    }
    std::size_t Items() const { return m_enabled.size(); }

private:
    bool m_done = false;
    std::map<std::string, bool> m_enabled;
    WindowWatcher m_watcher;
};

class ContextMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_editor = AddEditorWithText(m_host, "Listen 80\r\nServerName www.example.com\r\n");
        ASSERT_TRUE(m_editor);
        ASSERT_TRUE(m_host.Focus(m_editor));
    }
    // Right-clicks the cell, lets the menu show and presses key in it.
    std::unique_ptr<MenuDriver> RightClick(int row, int column, WORD key)
    {
        auto driver = std::make_unique<MenuDriver>(key);
        RightClickCell(m_editor, row, column);
        ui::WaitUntil(
            [&] { return driver->Shown() && ui::TopLevelWindows(::GetCurrentProcessId(), "#32768").empty(); });
        Pump(100);
        return driver;
    }

    EditorHost m_host;
    HWND m_editor = nullptr;
};

TEST_F(ContextMenuTest, AClickOutsideTheSelectionMovesTheCaretAndTheItemsFollowTheState)
{
    PutOnClipboard(m_host.Host(), "Listen 8080");
    ::SendMessageA(m_editor, EM_SETSEL, 0, 6);
    auto menu = RightClick(1, 3, VK_ESCAPE);
    ASSERT_TRUE(menu->Shown());
    EXPECT_EQ(menu->Items(), 6u);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{14}, DWORD{14})) << "the caret went to the click";
    EXPECT_FALSE(menu->Enabled("&Undo"));
    EXPECT_FALSE(menu->Enabled("Cu&t"));
    EXPECT_FALSE(menu->Enabled("&Copy"));
    EXPECT_TRUE(menu->Enabled("&Paste"));
    EXPECT_FALSE(menu->Enabled("&Delete"));
    EXPECT_TRUE(menu->Enabled("Select &All"));
    EXPECT_EQ(Text(m_editor), "Listen 80\r\nServerName www.example.com\r\n") << "Esc did nothing";

    // Select All from the menu.
    menu = RightClick(0, 2, 'A');
    ASSERT_TRUE(menu->Shown());
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, DWORD{39}));
}

// The editor remembers whether the clipboard holds text until the clipboard changes: every
// change, from any window, shows in the next menu.
TEST_F(ContextMenuTest, PasteFollowsEveryChangeOfTheClipboard)
{
    PutOnClipboard(m_host.Host(), "Listen 8080");
    auto menu = RightClick(0, 2, VK_ESCAPE);
    ASSERT_TRUE(menu->Shown());
    EXPECT_TRUE(menu->Enabled("&Paste"));

    ASSERT_TRUE(::OpenClipboard(m_host.Host()));
    ::EmptyClipboard();
    ::CloseClipboard();
    menu = RightClick(0, 2, VK_ESCAPE);
    ASSERT_TRUE(menu->Shown());
    EXPECT_FALSE(menu->Enabled("&Paste")) << "the clipboard was emptied";

    // Copied in the editor itself.
    ::SendMessageA(m_editor, EM_SETSEL, 0, 6);
    ::SendMessageA(m_editor, WM_COPY, 0, 0);
    menu = RightClick(0, 2, VK_ESCAPE);
    ASSERT_TRUE(menu->Shown());
    EXPECT_TRUE(menu->Enabled("&Paste"));
}

TEST_F(ContextMenuTest, AClickInsideTheSelectionKeepsItForCutAndUndo)
{
    ::SendMessageA(m_editor, EM_SETSEL, 0, 6);
    auto menu = RightClick(0, 2, 'T');  // Cu&t
    ASSERT_TRUE(menu->Shown());
    EXPECT_TRUE(menu->Enabled("Cu&t"));
    EXPECT_TRUE(menu->Enabled("&Copy"));
    EXPECT_TRUE(menu->Enabled("&Delete"));
    EXPECT_EQ(Text(m_editor), " 80\r\nServerName www.example.com\r\n");
    EXPECT_TRUE(menu->Enabled("&Paste"));

    // Paste at another place, then Undo takes the paste back.
    menu = RightClick(1, 0, 'P');
    ASSERT_TRUE(menu->Shown());
    EXPECT_EQ(Text(m_editor), " 80\r\nListenServerName www.example.com\r\n");
    menu = RightClick(1, 3, 'U');
    ASSERT_TRUE(menu->Shown());
    EXPECT_TRUE(menu->Enabled("&Undo"));
    EXPECT_EQ(Text(m_editor), " 80\r\nServerName www.example.com\r\n");

    // Delete removes the selection without touching the clipboard.
    ::SendMessageA(m_editor, EM_SETSEL, 0, 3);
    menu = RightClick(0, 1, 'D');
    ASSERT_TRUE(menu->Shown());
    EXPECT_EQ(Text(m_editor), "\r\nServerName www.example.com\r\n");
    menu = RightClick(0, 0, 'P');
    EXPECT_EQ(Text(m_editor), "Listen\r\nServerName www.example.com\r\n");

    // A read-only buffer offers only what leaves the text alone.
    ::SendMessageA(m_editor, EM_SETREADONLY, TRUE, 0);
    ::SendMessageA(m_editor, EM_SETSEL, 0, 6);
    menu = RightClick(0, 2, 'C');
    ASSERT_TRUE(menu->Shown());
    EXPECT_FALSE(menu->Enabled("Cu&t"));
    EXPECT_FALSE(menu->Enabled("&Paste"));
    EXPECT_FALSE(menu->Enabled("&Delete"));
    EXPECT_FALSE(menu->Enabled("&Undo"));
    EXPECT_TRUE(menu->Enabled("&Copy"));
}

}  // namespace
}  // namespace shelltest
