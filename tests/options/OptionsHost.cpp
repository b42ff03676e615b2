#include "OptionsHost.h"

#include <thread>

#include "Handles.h"
#include "SettingsSchema.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace optionstest {

namespace {
constexpr int kTreeId = 1010;
constexpr int kPageAreaId = 1025;
constexpr DWORD kDialogTimeoutMs = 20000;
}  // namespace

DoOptionsProc OptionsExport()
{
    static CModule library(::LoadLibraryExA(testpaths::Join(testpaths::BinDir(), "Options.dll").c_str(), nullptr,
                                            LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library)
        return nullptr;
    return reinterpret_cast<DoOptionsProc>(reinterpret_cast<void*>(::GetProcAddress(library.Get(), kDoOptionsName)));
}

int OptionsRun::Run(HWND launcher, const std::function<void(HWND dialog)>& user, const HostList* hosts)
{
    DoOptionsProc doOptions = OptionsExport();
    if (!doOptions)
        return -3;
    m_dialogVariable = nullptr;
    bool ended = true;
    std::thread userThread([&] {
        HWND dialog = nullptr;
        ui::WaitUntil([&] { return (dialog = *static_cast<HWND volatile*>(&m_dialogVariable)) != nullptr; },
                      kDialogTimeoutMs);
        // The handle arrives while the dialog initialises; the user meets it once it shows.
        if (dialog && ui::WaitUntil([&] { return ::IsWindowVisible(dialog) && VisiblePage(dialog); }, kDialogTimeoutMs))
            user(dialog);
        // A user side that failed half-way still ends the call.
        if (dialog && ::IsWindow(dialog) && !ui::WaitUntil([&] { return !::IsWindow(dialog); }, 2000)) {
            ended = false;
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    const int result = doOptions(launcher, &m_dialogVariable, hosts);
    userThread.join();
    return ended ? result : -2;
}

std::vector<TreeRow> ReadTree(HWND tree)
{
    std::vector<TreeRow> rows;
    std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM first, int depth) {
        for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
            char text[128] = {};
            TVITEMA query{};
            query.mask = TVIF_TEXT | TVIF_PARAM;
            query.hItem = item;
            query.pszText = text;
            query.cchTextMax = sizeof text;
            ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
            rows.push_back(TreeRow{text, query.lParam, depth, item});
            walk(TreeView_GetChild(tree, item), depth + 1);
        }
    };
    walk(TreeView_GetRoot(tree), 0);
    return rows;
}

HWND TreeOf(HWND dialog)
{
    return ::GetDlgItem(dialog, kTreeId);
}

HWND PageAreaOf(HWND dialog)
{
    return ::GetDlgItem(dialog, kPageAreaId);
}

int SelectedPage(HWND dialog)
{
    HWND tree = TreeOf(dialog);
    HTREEITEM selected = TreeView_GetSelection(tree);
    if (!selected)
        return -1;
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = selected;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return static_cast<int>(query.lParam);
}

bool SelectPage(HWND dialog, int index)
{
    for (const TreeRow& row : ReadTree(TreeOf(dialog))) {
        if (row.data == index)
            return TreeView_SelectItem(TreeOf(dialog), row.item) != FALSE;
    }
    return false;
}

std::vector<HWND> PageWindows(HWND dialog)
{
    std::vector<HWND> pages;
    for (HWND child = ::GetWindow(PageAreaOf(dialog), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        pages.push_back(child);
    return pages;
}

HWND PageWith(HWND dialog, int controlId)
{
    for (HWND page : PageWindows(dialog)) {
        if (::GetDlgItem(page, controlId))
            return page;
    }
    return nullptr;
}

HWND VisiblePage(HWND dialog)
{
    for (HWND page : PageWindows(dialog)) {
        if (::IsWindowVisible(page))
            return page;
    }
    return nullptr;
}

void Press(HWND button)
{
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, kDialogTimeoutMs, &ignored);
}

void Press(HWND parent, int id)
{
    Press(::GetDlgItem(parent, id));
}

void Close(HWND dialog, int id)
{
    ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    ui::WaitUntil([&] { return !::IsWindow(dialog); }, kDialogTimeoutMs);
}

bool Checked(HWND parent, int id)
{
    return ::SendMessageA(::GetDlgItem(parent, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Enabled(HWND parent, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(parent, id)) != FALSE;
}

std::string Text(HWND wnd)
{
    return ui::TextOf(wnd);
}

void PressKeys(HWND dialog, WORD key, bool ctrl, bool shift)
{
    ui::BringToFront(dialog);
    ui::WaitUntil([&] { return ::GetForegroundWindow() == dialog; }, 2000);
    ui::PressKey(key, ctrl, shift);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    return ui::WaitUntil(condition, timeoutMs);
}

CRegKey VolatileSettingsKey()
{
    CRegKey key;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, settings::kSettingsKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, key.Receive(), nullptr);
    return key;
}

}  // namespace optionstest
