#pragma once
// The server's lines: a physical line whose last character before its line end is a
// backslash goes on in the next one; the backslash and the line end are dropped and
// nothing is put in their place.

#include <string>
#include <string_view>

namespace check {

// True when `physical` (without its line feed; a carriage return may end it) goes on in
// the next line.
bool GoesOn(std::string_view physical);

// `physical` without its carriage return and, when it goes on, its backslash.
std::string_view Body(std::string_view physical);

// Calls fn(first line number from 1, logical line) for each logical line of `text`.
template <class Fn>
void ForEachLogicalLine(std::string_view text, Fn&& fn)
{
    std::string joined;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const int first = number + 1;
        joined.clear();
        bool more = true;
        while (more && pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string_view::npos)
                end = text.size();
            const std::string_view physical = text.substr(pos, end - pos);
            pos = end + 1;
            ++number;
            more = GoesOn(physical);
            joined.append(Body(physical));
        }
        fn(first, std::string_view(joined));
    }
}

}  // namespace check
