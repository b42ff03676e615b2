#include "ListPageDriver.h"

#include <commctrl.h>

#include "OptionsHost.h"
#include "UiDriver.h"

namespace optionstest {

int RowCount(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string CellText(HWND list, int row, int column)
{
    char text[512] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

void SelectRow(HWND list, int row)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETSELECTIONMARK, 0, row);
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

HWND ToolBarOf(HWND page)
{
    return ::FindWindowExA(page, nullptr, TOOLBARCLASSNAMEA, nullptr);
}

bool ButtonEnabled(HWND page, UINT command)
{
    return ::SendMessageA(ToolBarOf(page), TB_ISBUTTONENABLED, command, 0) != 0;
}

void SendToolCommand(HWND page, UINT command)
{
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(ToolBarOf(page)));
}

void PostToolCommand(HWND page, UINT command)
{
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(ToolBarOf(page)));
}

HWND WaitForDialog(const char* caption)
{
    return ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", caption, 10000);
}

bool ChooseInOpenDialog(const std::string& path)
{
    HWND open = WaitForDialog("Open");
    if (!open)
        return false;
    HWND name = ::GetDlgItem(open, 0x47C) ? ::GetDlgItem(open, 0x47C) : ::GetDlgItem(open, 0x480);
    ::SetWindowTextA(name, path.c_str());
    Press(open, IDOK);
    return WaitUntil([&] { return !::IsWindow(open); }, 10000);
}

}  // namespace optionstest
