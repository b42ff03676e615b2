#pragma once
// How many arguments a directive takes, read from its syntax line in the server's manual
// ("Listen [IP-address:]portnumber [protocol]": one or two). Only a plain shape gives a count:
// alternatives written with blanks around '|', quotes, braces, parentheses or brackets that
// do not pair leave it unknown, and an optional group holding several words or "..." leaves
// the upper bound open, and so does a word for what may run on over blanks ("expression",
// "parameters"), so that a form the manual writes loosely is never called wrong.

#include <string>
#include <string_view>

namespace check {

struct Arity {
    bool known = false;
    int min = 0;
    int max = -1;  // -1: no upper bound

    // A form without an upper bound may take its first words from the section around it
    // (ProxySet's url inside <Proxy>): for it only no argument at all is too few.
    bool Accepts(int count) const
    {
        return !known || ((count >= min || (max < 0 && count > 0)) && (max < 0 || count <= max));
    }
};

Arity ArityOf(std::string_view syntax);

// "one argument", "one or two arguments", "at least two arguments", "one to three arguments".
std::string ArityText(const Arity& arity);

}  // namespace check
