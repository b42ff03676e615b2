#pragma once
// The server's content-negotiation type maps: a manual page "core.html" that is a list of
// records ("URI: core.html.en", "Content-Language: en", ...) naming the page in each language
// that lies beside it, the records parted by blank lines.

#include <string>
#include <vector>

namespace typemap {

// One page a type map lists, in the languages it is written in (lower case).
struct Variant {
    std::string uri;
    std::vector<std::string> languages;
    bool IsIn(const std::string& language) const;
};

// The pages `text` lists with their languages, in its order; empty when `text` is not a
// type map (its first line does not name a URI).
std::vector<Variant> Variants(const std::string& text);

}  // namespace typemap
