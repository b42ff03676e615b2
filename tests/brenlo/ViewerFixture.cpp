#include "ViewerFixture.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "TestPaths.h"
#include "UiDriver.h"

namespace viewertest {

std::string Lines(char letter)
{
    std::string text;
    for (int i = 0; i < 24; ++i) {
        std::string line = "[line " + std::to_string(100 + i) + "] GET /index.html HTTP/1.1 200 ";
        line.append(62 - line.size(), letter);
        text += line + "\r\n";
    }
    return text;
}

bool ToolbarEnabled(HWND frame, UINT id)
{
    HWND toolbar = ui::FindChild(frame, TOOLBARCLASSNAMEA);
    return toolbar && ::SendMessageA(toolbar, TB_ISBUTTONENABLED, id, 0) != 0;
}

std::pair<DWORD, DWORD> Selection(HWND view)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(view, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

UINT MenuState(HWND frame, int popupIndex, UINT id)
{
    HMENU popup = ::GetSubMenu(::GetMenu(frame), popupIndex);
    ::SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), popupIndex);
    return ::GetMenuState(popup, id, MF_BYCOMMAND);
}

DWORD LastLineStart(HWND view)
{
    LRESULT lines = ::SendMessageA(view, EM_GETLINECOUNT, 0, 0);
    return static_cast<DWORD>(::SendMessageA(view, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0));
}

POINT ItemCentre(HWND tree, HTREEITEM item)
{
    RECT rect{};
    std::memcpy(&rect, &item, sizeof(item));  // the message takes the item in the rectangle
    ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HTREEITEM SelectedItem(HWND tree)
{
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::string PaneText(HWND frame, int pane)
{
    char text[256] = {};
    ::SendMessageA(ui::FindChild(frame, STATUSCLASSNAMEA), SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(text));
    return text;
}

void ViewerTest::SetUp()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = testpaths::MakeWorkDir(std::string("brenlo-") + info->name());
    ASSERT_NE(ViewerExport(), nullptr) << "Brenlo.dll not found in " << testpaths::BinDir();
}

std::string ViewerTest::Log(const std::string& name, const std::string& content)
{
    std::string path = testpaths::Join(m_dir, name);
    EXPECT_TRUE(testpaths::WriteTextFile(path, content));
    return path;
}

std::string ViewerTest::Slashed(std::string path)
{
    for (char& ch : path) {
        if (ch == '\\')
            ch = '/';
    }
    return path;
}

std::string ViewerTest::Missing(const std::string& name) const
{
    return testpaths::Join(m_dir, name);
}

int ViewerTest::StoredInt(const char* entry, int fallback)
{
    return m_registry.Store().ProfileInt("Settings", entry, fallback);
}

bool ViewerTest::OpenLog(HWND frame, HTREEITEM item, const std::string& name)
{
    SelectItem(TreeOf(frame), item);
    Command(frame, kOpenSelected);
    return ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - " + name; });
}

HWND ViewerTest::OpenFirstLog(HWND frame, const std::string& name)
{
    const std::vector<TreeItem> items = ReadTree(TreeOf(frame));
    return !items.empty() && OpenLog(frame, items[0].handle, name) ? TextViewOf(frame) : nullptr;
}

bool ViewerTest::AnswerBox(const char* caption, int button, std::string* message)
{
    return ui::AnswerMessageBox(::GetCurrentProcessId(), caption, button, message);
}

int ViewerTest::ShowLog(const std::string& log, const std::function<void(HWND frame, HWND view)>& user)
{
    LauncherLogList list;
    list.Add(log);
    ViewerRun run;
    return run.Run(list.Get(), [&](HWND frame) {
        if (HWND view = OpenFirstLog(frame, log.substr(log.find_last_of("\\/") + 1))) {
            user(frame, view);
        } else {
            ADD_FAILURE() << log << " did not open";
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        }
    });
}

HWND ViewerTest::AskSaveAs(HWND frame)
{
    Command(frame, kFileSaveAs);
    return ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Save As", 5000);
}

bool ViewerTest::SaveAs(HWND dialog, const std::string& target)
{
    if (!dialog)
        return false;
    ui::SetText(ui::FindChild(dialog, "Edit"), target);
    ui::Click(::GetDlgItem(dialog, IDOK));
    return true;
}

}  // namespace viewertest
