#include "ConfLine.h"

namespace conf {

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

LineHead HeadOf(std::string_view line)
{
    LineHead head;
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string_view::npos || line[at] == '\r' || line[at] == '\n')
        return head;
    if (line[at] == '#') {
        head.kind = LineHead::kComment;
        return head;
    }
    head.kind = LineHead::kDirective;
    if (line[at] == '<') {
        ++at;
        head.kind = LineHead::kSectionOpen;
        if (at < line.size() && line[at] == '/') {
            ++at;
            head.kind = LineHead::kSectionClose;
        }
    }
    std::size_t end = at;
    while (end < line.size() && IsNameChar(line[end]))
        ++end;
    head.nameStart = at;
    head.name = line.substr(at, end - at);
    if (head.name.empty())
        head.kind = LineHead::kDirective;
    return head;
}

}  // namespace conf
