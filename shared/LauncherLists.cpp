#include "LauncherLists.h"

std::string TextOf(const GrowStringLayout& s)
{
    if (s.text == nullptr || s.length <= 0)
        return std::string();
    return std::string(s.text, static_cast<std::size_t>(s.length));
}

int CHostListView::Count() const
{
    if (m_list == nullptr || m_list->entries == nullptr || m_list->count < 0)
        return 0;
    return m_list->count;
}

int CLogListView::Count() const
{
    if (m_list == nullptr || m_list->entries == nullptr || m_list->count < 0)
        return 0;
    return m_list->count;
}
