#include "CompletionList.h"

#include <algorithm>

namespace {
constexpr int kShownItems = 10;
constexpr int kMaxWidth = 640;
constexpr UINT kListId = 0x5C01;
}  // namespace

bool CCompletionList::Show(HWND view, POINT at, int lineTop, HFONT font, const std::vector<Item>& items)
{
    Close();
    if (items.empty())
        return false;
    m_list.Reset(::CreateWindowExA(
        WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT, 0,
        0, 0, 0, view, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), ::GetModuleHandleA(nullptr), nullptr));
    if (!m_list)
        return false;
    HWND list = m_list.Get();
    ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    m_items = items;
    std::size_t widestName = 0;
    for (const Item& item : m_items) {
        widestName = std::max(widestName, item.name.size());
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((item.name + "\t" + item.syntax).c_str()));
    }
    // Tab stops are in quarters of the average character: the syntax starts after the
    // longest name.
    int stop = static_cast<int>(widestName + 2) * 4;
    ::SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    ::SendMessageA(list, LB_SETCURSEL, 0, 0);

    RECT client{};
    ::GetClientRect(view, &client);
    const int itemHeight = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int height = itemHeight * std::min<int>(kShownItems, static_cast<int>(m_items.size())) + 4;
    const int width = std::min<int>(kMaxWidth, std::max<int>(120, static_cast<int>(client.right - client.left)));
    int x = std::max<int>(0, std::min<int>(at.x, static_cast<int>(client.right) - width));
    int y = at.y;
    if (y + height > client.bottom && lineTop - height >= 0)
        y = lineTop - height;
    ::SetWindowPos(list, HWND_TOP, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return true;
}

void CCompletionList::Close()
{
    m_list.Reset();
    m_items.clear();
}

bool CCompletionList::MoveSelection(WPARAM key)
{
    if (!IsShown())
        return false;
    const int count = static_cast<int>(m_items.size());
    const int current = static_cast<int>(::SendMessageA(m_list.Get(), LB_GETCURSEL, 0, 0));
    int next = current;
    switch (key) {
        case VK_UP:
            next = current - 1;
            break;
        case VK_DOWN:
            next = current + 1;
            break;
        case VK_PRIOR:
            next = current - kShownItems;
            break;
        case VK_NEXT:
            next = current + kShownItems;
            break;
        default:
            return false;
    }
    ::SendMessageA(m_list.Get(), LB_SETCURSEL, static_cast<WPARAM>(std::clamp(next, 0, count - 1)), 0);
    return true;
}

std::string CCompletionList::Chosen() const
{
    if (!IsShown())
        return std::string();
    const LRESULT at = ::SendMessageA(m_list.Get(), LB_GETCURSEL, 0, 0);
    return at >= 0 && static_cast<std::size_t>(at) < m_items.size() ? m_items[static_cast<std::size_t>(at)].name
                                                                    : std::string();
}
