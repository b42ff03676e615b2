#pragma once
// The checks of one configuration file, kept up to date as its lines change: directives the
// manual does not know, directives where they may not stand, sections that do not pair,
// directives of modules that are not loaded and arguments that do not fit the syntax.
//
// Each logical line is read once into a few facts. The sections' nesting comes from the
// lines that open or close one; an edit that leaves those as they were re-checks only the
// lines it touched, any other re-walks the sections and re-checks every directive from the
// facts, without reading the text again. Nothing is said where the server would not read a
// line for sure (a section whose condition fails or cannot be told here, a <Macro> body).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ConfigFacts.h"
#include "DirectiveIndex.h"
#include "Sections.h"
#include "Problem.h"

namespace check {

// What the configuration says of the file.
struct FileSetting {
    std::string path;
    bool htaccess = false;
    unsigned topContext = 1;  // the context of its lines outside sections; 0 when unknown
    bool checkModules = false;
    std::shared_ptr<const ConfigFacts> facts;  // null: no condition can be told
};

// `configuration`: the facts of the configuration the server reads (may be null); `own`:
// those read from the file itself as if it were the main file (may be null).
FileSetting SettingFor(const std::string& path, const std::shared_ptr<const ConfigFacts>& configuration,
                       const std::shared_ptr<const ConfigFacts>& own);

class FileChecker {
public:
    // The index must outlive the checker.
    explicit FileChecker(const DirectiveIndex& directives);

    void SetSetting(FileSetting setting);
    const FileSetting& Setting() const { return m_setting; }
    // `check`: false when a SetSetting follows at once, which checks the text then.
    void SetText(std::string_view text, bool check = true);
    // Lines [first, first + removed) replaced by `added` (each without its line feed).
    void ReplaceLines(int first, int removed, std::vector<std::string> added);

    int LineCount() const { return static_cast<int>(m_lines.size()); }
    const std::string& Line(int line) const { return m_lines[static_cast<std::size_t>(line)]; }
    // Every problem, by line and column.
    std::vector<Problem> Problems() const;

private:
    struct LineFacts {
        enum Kind : std::uint8_t { kNone, kDirective, kOpen, kClose };
        Kind kind = kNone;
        bool goesOn = false;         // ends in a backslash
        bool continued = false;      // carries on the line before
        bool missingGt = false;      // a section opened without its '>'
        std::int16_t argCount = -1;  // -1: not counted (a variable stands there)
        std::int32_t nameStart = 0;  // in the line, the '<' of a tag included
        std::int32_t nameEnd = 0;
        std::int32_t argsStart = 0;
        std::int32_t argsEnd = 0;
        const DirectiveFacts* directive = nullptr;
    };
    struct Tag {
        int line;
        bool open;
        std::string name;       // as written
        std::string condition;  // of a section read only when it holds
        bool SameAs(const Tag& other) const;
    };
    struct Scope {
        unsigned context = 0;  // 0: unknown
        bool quiet = false;    // the server may not read these lines
        bool macro = false;
        int section = -1;  // the tag of the section that gives the context
    };

    // Reads the logical lines from the one holding `first` on, at least up to `last`, and
    // until a line that began a logical line before begins one again; returns the end.
    int Parse(int first, int last);
    int ParseLogical(int head, std::string& joined);
    void ReadTags(int from, int to, std::vector<Tag>& tags) const;
    void Walk();
    Scope Evaluate(const Tag& tag, const Scope& outer, SectionRole role) const;
    const Scope& ScopeAt(int line) const;
    void CheckLines(int from, int to, std::vector<Problem>& out) const;
    bool CheckLine(int line, const Scope& scope, Problem& problem) const;
    std::string Name(int line) const;

    const DirectiveIndex& m_directives;
    FileSetting m_setting;
    std::vector<std::string> m_lines{std::string()};
    std::vector<LineFacts> m_facts{LineFacts()};
    std::vector<Tag> m_tags;
    std::vector<Scope> m_after;  // the scope after each tag
    Scope m_top;
    std::vector<Problem> m_sectionProblems;
    std::vector<Problem> m_lineProblems;  // by line
};

}  // namespace check
