// The enclosing sections of every line, kept up to date through random edits, against a
// plain reading of the whole text: nested, unclosed, mismatched and commented sections.
#include <gtest/gtest.h>

#include <random>

#include "ConfLine.h"
#include "SectionIndex.h"

using namespace conf;

namespace {

class Lines : public LineReader {
public:
    std::vector<std::string> lines{""};
    int LineCount() const override { return static_cast<int>(lines.size()); }
    void ReadHead(int line, std::string& text) const override { text = lines[static_cast<std::size_t>(line)]; }
};

// The plain reading: a stack over every line before the one asked for.
std::vector<std::string> Reference(const Lines& text, int line)
{
    std::vector<std::string> stack;
    std::vector<int> at;
    for (int i = 0; i < line; ++i) {
        const LineHead head = HeadOf(text.lines[static_cast<std::size_t>(i)]);
        if (head.kind == LineHead::kSectionOpen) {
            stack.emplace_back(head.name);
            at.push_back(i);
        } else if (head.kind == LineHead::kSectionClose) {
            for (std::size_t k = stack.size(); k-- > 0;) {
                if (strcasecmp(stack[k].c_str(), std::string(head.name).c_str()) == 0) {
                    stack.resize(k);
                    at.resize(k);
                    break;
                }
            }
        }
    }
    for (std::size_t k = 0; k < stack.size(); ++k)
        stack[k] += "@" + std::to_string(at[k]);
    return stack;
}

std::vector<std::string> Found(const SectionIndex& index, int line)
{
    std::vector<std::string> names;
    for (const OpenSection& s : index.EnclosingAt(line))
        names.push_back(s.name + "@" + std::to_string(s.line));
    return names;
}

const char* const kPool[] = {"<VirtualHost *:80>", "</VirtualHost>",     "  <Directory \"/x\">",
                             "</directory>",       "<IfModule mod_a.c>", "  </IfModule>",
                             "# <Directory /y>",   "Listen 80",          "",
                             "<Files x>",          "</Files>",           "\t</Location>"};

}  // namespace

TEST(SectionIndexTest, EveryLineHasTheSectionsAPlainReadingFindsThroughRandomEdits)
{
    std::mt19937 random(7);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 20; ++round) {
        Lines text;
        text.lines.clear();
        for (int i = 0; i < 60; ++i)
            text.lines.push_back(kPool[pick(12)]);
        SectionIndex index;
        index.Rebuild(text);
        for (int edit = 0; edit < 80; ++edit) {
            const int at = pick(text.LineCount());
            int removed = 0;
            int added = 0;
            switch (pick(3)) {
                case 0:  // lines typed at `at`, the line's head replaced
                    added = pick(3);
                    text.lines[static_cast<std::size_t>(at)] = kPool[pick(12)];
                    for (int i = 0; i < added; ++i)
                        text.lines.insert(text.lines.begin() + at + 1, kPool[pick(12)]);
                    break;
                case 1:  // lines after `at` deleted into it
                    removed = std::min(pick(4), text.LineCount() - 1 - at);
                    text.lines.erase(text.lines.begin() + at + 1, text.lines.begin() + at + 1 + removed);
                    break;
                default:  // a letter typed on a line
                    text.lines[static_cast<std::size_t>(at)] += "x";
                    break;
            }
            index.OnLinesChanged(text, at, removed, added);
            // Asked in an order that leaves some nesting unsettled between edits.
            for (int line = text.LineCount(); line >= 0; line -= 1 + pick(5))
                ASSERT_EQ(Found(index, line), Reference(text, line)) << "round " << round << " edit " << edit;
        }
    }
}
