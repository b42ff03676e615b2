#include "Arity.h"

#include <vector>

namespace check {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The words of the syntax after the directive's name, split at blanks outside brackets;
// false when the brackets do not pair.
bool SplitTopLevel(std::string_view syntax, std::vector<std::string_view>& words)
{
    int depth = 0;
    std::size_t start = std::string_view::npos;
    for (std::size_t i = 0; i <= syntax.size(); ++i) {
        const char c = i < syntax.size() ? syntax[i] : ' ';
        if (c == '[')
            ++depth;
        else if (c == ']' && --depth < 0)
            return false;
        if (IsBlank(c) && depth == 0) {
            if (start != std::string_view::npos)
                words.push_back(syntax.substr(start, i - start));
            start = std::string_view::npos;
        } else if (start == std::string_view::npos) {
            start = i;
        }
    }
    return depth == 0;
}

// "[x]" or "[[!]x[=y]]": the whole word is one bracketed group.
bool IsOptional(std::string_view word)
{
    if (word.size() < 2 || word.front() != '[' || word.back() != ']')
        return false;
    int depth = 0;
    for (std::size_t i = 0; i < word.size(); ++i) {
        depth += word[i] == '[' ? 1 : word[i] == ']' ? -1 : 0;
        if (depth == 0 && i + 1 < word.size())
            return false;
    }
    return true;
}

// Words the manual uses for what a directive may take whole, blanks and all, however its
// syntax line counts them ("SSLRequire expression", "ExtFilterDefine filtername parameters").
bool MayRunOn(std::string_view word)
{
    for (const char* part : {"expr", "param", "args", "message", "command", "cmd"}) {
        if (word.find(part) != std::string_view::npos)
            return true;
    }
    return false;
}

const char* Number(int n)
{
    static const char* const kNumbers[] = {"no",   "one", "two",   "three", "four",
                                           "five", "six", "seven", "eight", "nine"};
    return n >= 0 && n < 10 ? kNumbers[n] : nullptr;
}

std::string Count(int n)
{
    const char* word = Number(n);
    return word != nullptr ? word : std::to_string(n);
}

}  // namespace

Arity ArityOf(std::string_view syntax)
{
    Arity arity;
    if (syntax.empty() || syntax.front() == '<' || syntax.find_first_of("\"'{}()") != std::string_view::npos ||
        syntax.find(" |") != std::string_view::npos || syntax.find("| ") != std::string_view::npos)
        return arity;
    std::vector<std::string_view> words;
    if (!SplitTopLevel(syntax, words) || words.empty())
        return arity;
    int max = 0;
    bool open = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::string_view word = words[i];
        open = open || MayRunOn(word);
        if (word.size() > 3 && word.substr(word.size() - 3) == "...") {  // "[HTTP-method]..."
            open = true;
            word.remove_suffix(3);
        }
        if (word == "...") {
            open = true;
        } else if (IsOptional(word) || word.find("optional") != std::string_view::npos) {
            ++max;
            open = open || word.find_first_of(" \t") != std::string_view::npos ||
                   word.find("...") != std::string_view::npos;
        } else {  // "[IP-address:]portnumber" too: an optional part of a word
            ++arity.min;
            ++max;
        }
    }
    arity.known = true;
    arity.max = open ? -1 : max;
    return arity;
}

std::string ArityText(const Arity& arity)
{
    const char* plural = arity.max == 1 || (arity.max < 0 && arity.min == 1) ? " argument" : " arguments";
    if (arity.max < 0)
        return "at least " + Count(arity.min) + plural;
    if (arity.min == arity.max)
        return Count(arity.min) + plural;
    if (arity.min == 0)
        return "at most " + Count(arity.max) + plural;
    if (arity.max == arity.min + 1)
        return Count(arity.min) + " or " + Count(arity.max) + " arguments";
    return Count(arity.min) + " to " + Count(arity.max) + " arguments";
}

}  // namespace check
