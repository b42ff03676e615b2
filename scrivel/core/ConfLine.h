#pragma once
// What starts a line of a server configuration: nothing, a comment, a directive, or the
// opening or closing tag of a section (<Directory ...>, </Directory>), with its name.

#include <cstddef>
#include <string_view>

namespace conf {

struct LineHead {
    enum Kind { kBlank, kComment, kDirective, kSectionOpen, kSectionClose };
    Kind kind = kBlank;
    std::string_view name;  // the directive's or the section's name, in `line`
    std::size_t nameStart = 0;
};

// Leading blanks are passed over; a name runs over letters, digits, '_' and '-'. A '<' or
// "</" followed by no name counts as a directive without a name.
LineHead HeadOf(std::string_view line);

bool IsNameChar(char c);

}  // namespace conf
