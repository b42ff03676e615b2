#pragma once
// The table of the server's directives (each with its manual page) and of the constants
// their arguments take, read from the keyword script that ships beside the binaries.
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include <editor/KeywordNode.h>

#include "ConfLexer.h"

namespace tessaly::editor {

// The file name of the keyword script, beside editor.dll in the Launcher's folder.
inline constexpr const char* kKeywordScriptName = "Tessaly-keywords.txt";

class KeywordTable : public KeywordLookup {
public:
    // What a lookup's flag selects.
    enum Kind { kDirectives = 0, kConstants = 1 };

    // The script: one keyword a line, "directive<TAB>Name<TAB>help path" or
    // "constant<TAB>Name"; blank lines and lines starting with # are skipped, and so are
    // damaged ones. A script without a single directive is refused (false) and the table
    // stays as it was.
    bool ReadScriptText(std::string_view text);
    bool ReadScriptFile(const std::string& path);

    // The directive (flag 0) or constant (flag 1) of that name, in any case; null when
    // there is none.
    const NODE* Find(std::string_view word, int flag) const;
    int Count(int flag) const;

    bool IsDirective(std::string_view word, bool caseSensitive) const override;
    bool IsConstant(std::string_view word, bool caseSensitive) const override;

private:
    // Nodes by kind, found by their folded name; a deque keeps node addresses stable.
    struct Kinds {
        std::deque<NODE> nodes[2];
        std::unordered_map<std::string, const NODE*> byName[2];
    };

    const NODE* FindIn(int kind, std::string_view word, bool caseSensitive) const;
    static void Add(Kinds& kinds, int kind, std::string_view name, std::string_view help);

    Kinds m_kinds;
};

}  // namespace tessaly::editor
