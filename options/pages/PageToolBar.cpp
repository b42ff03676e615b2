#include "PageToolBar.h"

#include <iterator>
#include <string>

#include "resource.h"

namespace {
constexpr DWORD kToolBarBarStyle = 0x15;  // hidden placeholder's bar: visible, tips, no borders
}  // namespace

bool CreatePageToolBar(CToolBar& bar, CWnd* page, UINT resourceId)
{
    if (!bar.CreateEx(page, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | kToolBarBarStyle, AFX_IDW_TOOLBAR) ||
        !bar.LoadToolBar(resourceId))
        return false;
    RECT place{};
    ::GetWindowRect(page->GetDlgItem(IDC_TOOLBAR_PLACE), &place);
    page->ScreenToClient(&place);
    bar.SetWindowPos(HWND_TOP, place.left, place.top, place.right - place.left, place.bottom - place.top, 0);
    return true;
}

void EnableToolButton(CToolBar& bar, UINT command, bool enable)
{
    if (bar.IsWindow())
        bar.SendMessage(TB_ENABLEBUTTON, command, MAKELONG(enable ? TRUE : FALSE, 0));
}

void SetToolTipText(NMHDR* header, const std::string& text)
{
    if (header->code == TTN_GETDISPINFOW) {
        auto* wide = reinterpret_cast<NMTTDISPINFOW*>(header);
        ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide->szText, static_cast<int>(std::size(wide->szText)));
        wide->szText[std::size(wide->szText) - 1] = L'\0';
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        ::lstrcpynA(info->szText, text.c_str(), static_cast<int>(sizeof(info->szText)));
    }
}

BOOL AnswerToolTipText(NMHDR* header, bool tipsOn)
{
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    const UINT_PTR id = header->idFrom;
    if (!tipsOn || (info->uFlags & TTF_IDISHWND) || id == 0)
        return FALSE;
    SetToolTipText(header, AfxLoadString(static_cast<UINT>(id)));
    // Not kept by the tooltip (no TTF_DI_SETITEM): it asks again each time it shows, so the
    // tip follows the tips bit and the page's state.
    return TRUE;
}
