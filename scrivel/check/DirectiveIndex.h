#pragma once
// The catalogue's directives as the checks ask for them: found by a name in any case
// without building a string, each with the arguments its syntax allows and the modules
// that must be loaded for it.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Arity.h"
#include "DirectiveCatalogue.h"

namespace check {

struct DirectiveFacts {
    const directives::Directive* directive = nullptr;
    // Where it may stand: the catalogue's contexts, widened where the manual's own text
    // allows more than its context line says.
    unsigned contexts = 0;
    Arity arity;
    // The modules of which one must be loaded ("mod_cgi", "mod_cgid"); empty when the
    // directive is always there (core, the Windows server's compiled-in modules) or belongs
    // to the server's processing modules, which no LoadModule line loads.
    std::vector<std::string> modules;
};

class DirectiveIndex {
public:
    // The catalogue must outlive the index.
    explicit DirectiveIndex(const directives::Catalogue& catalogue);
    // Null when the catalogue does not know the name.
    const DirectiveFacts* Find(std::string_view name) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::vector<DirectiveFacts> m_facts;
    std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> m_byFoldedName;
};

}  // namespace check
