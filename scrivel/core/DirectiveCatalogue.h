#pragma once
// The server's directives as the catalogue beside the binaries lists them (generated from
// the server's manual by tools/gen-directives.py): for each its modules, the contexts where
// it may stand, the override classes that let it stand in .htaccess, its status, syntax line
// and default. Scrivel shows the syntax at the caret and completes names from it; checks of
// a configuration ask it where a directive may stand and which module provides it.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace directives {

// The file name of the catalogue, beside Scrivel.exe in the Launcher's folder.
inline constexpr const char* kCatalogueName = "Tessaly-directives.txt";

// The contexts of the manual, as bits.
enum Context : unsigned {
    kServerConfig = 1,
    kVirtualHost = 2,
    kDirectory = 4,
    kHtaccess = 8,
    kProxySection = 16,
};

struct Directive {
    std::string name;      // as the manual spells it, a section without its angle brackets
    bool section = false;  // written <Name ...> ... </Name>
    std::string modules;   // "core"; several separated by commas ("event,worker")
    unsigned contexts = 0;
    std::string overrides;  // "AuthConfig,Limit"; "" when none
    std::string status;     // Core, MPM, Base, Extension, Experimental or Deprecated
    std::string syntax;
    std::string defaultValue;  // "" when the manual gives none

    bool AllowedIn(unsigned context) const { return (contexts & context) != 0; }
    // What the status bar shows: the syntax line and, in brackets, the modules.
    std::string SyntaxLine() const;
};

class Catalogue {
public:
    // The catalogue's text: a "#format 1" line, then one directive a line (tab-separated
    // fields, see tools/gen-directives.py); other # lines and blank lines are skipped. A text
    // without the format line, with a damaged line or without a directive is refused
    // (false) and the catalogue stays as it was.
    bool ReadText(std::string_view text);

    // The directive or section of that name, in any case ("directory" finds <Directory>);
    // null when there is none.
    const Directive* Find(std::string_view name) const;
    // Every directive, by name in any case.
    const std::vector<Directive>& All() const { return m_all; }
    bool Empty() const { return m_all.empty(); }

private:
    std::vector<Directive> m_all;
    std::unordered_map<std::string, std::size_t> m_byName;  // folded name to index
};

// `text` in lower case (ASCII letters only, as directive names are).
std::string Folded(std::string_view text);

}  // namespace directives
