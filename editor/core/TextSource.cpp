#include "TextSource.h"

#include <algorithm>

namespace tessaly::editor {

std::string TextSource::Text(Pos pos, Pos n) const
{
    pos = std::clamp<Pos>(pos, 0, Length());
    n = std::clamp<Pos>(n, 0, Length() - pos);
    std::string s(static_cast<std::size_t>(n), '\0');
    if (n > 0)
        GetBytes(pos, n, s.data());
    return s;
}

char TextSource::ByteAt(Pos pos) const
{
    if (pos < 0 || pos >= Length())
        return '\0';
    char c;
    GetBytes(pos, 1, &c);
    return c;
}

Pos TextSource::LineEnd(Pos line) const
{
    const Pos start = LineStart(line);
    Pos end = LineStart(line + 1);
    char tail[2];
    const Pos n = std::min<Pos>(2, end - start);
    if (n > 0)
        GetBytes(end - n, n, tail + 2 - n);
    if (n >= 1 && tail[1] == '\n') {
        --end;
        if (n == 2 && tail[0] == '\r')
            --end;
    } else if (n >= 1 && tail[1] == '\r') {
        --end;
    }
    return end;
}

}  // namespace tessaly::editor
