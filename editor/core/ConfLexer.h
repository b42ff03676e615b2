#pragma once
// Colouring of server configuration text, one line at a time: each line's colours depend
// only on its own text and on whether the line before it ends in a continuation backslash,
// so only painted lines are ever coloured and an edit needs no recolouring elsewhere.
#include <cstdint>
#include <string_view>
#include <vector>

#include "TextSource.h"

namespace tessaly::editor {

enum class Style : std::uint8_t { Text, Comment, Keyword, Constant, Number, Quote, SingleQuote };

struct StyleRun {
    std::int32_t start;  // from the start of the line
    std::int32_t length;
    Style style;
};

// What the lexer asks of the keyword table.
class KeywordLookup {
public:
    virtual bool IsDirective(std::string_view word, bool caseSensitive) const = 0;
    virtual bool IsConstant(std::string_view word, bool caseSensitive) const = 0;

protected:
    ~KeywordLookup() = default;
};

// Colours one line (without its line end). `continued`: the line before it ended in a
// backslash, so this one carries on that directive's arguments.
void LexConfLine(std::string_view line, bool continued, const KeywordLookup& keywords, bool caseSensitive,
                 std::vector<StyleRun>& out);

// True when the line before `line` ends in a backslash.
bool LineIsContinued(const TextSource& text, Pos line);

}  // namespace tessaly::editor
