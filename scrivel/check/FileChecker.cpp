#include "FileChecker.h"

#include <algorithm>
#include <limits>

#include "CheckMessages.h"
#include "ConfPath.h"
#include "ConfigReader.h"
#include "LogicalLines.h"
#include "ReadTimeState.h"

namespace check {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// The arguments as the server splits them: quotes group words; -1 when a variable stands
// there, since what it stands for may be any number of words.
int CountArguments(std::string_view args)
{
    if (args.find("${") != std::string_view::npos)
        return -1;
    int count = 0;
    for (std::size_t pos = 0; !NextArgument(args, pos).empty();)
        ++count;
    return std::min(count, static_cast<int>(std::numeric_limits<std::int16_t>::max()));
}

std::string_view TrimEnd(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

FileSetting SettingFor(const std::string& path, const std::shared_ptr<const ConfigFacts>& configuration,
                       const std::shared_ptr<const ConfigFacts>& own)
{
    FileSetting setting;
    setting.path = path;
    setting.htaccess = confpath::EqualNoCase(confpath::FileName(confpath::ToForwardSlashes(path)), ".htaccess");
    // A configuration whose Include names what cannot be read may load more than is seen.
    if (configuration && configuration->Reaches(path)) {
        setting.facts = configuration;
        setting.topContext = configuration->ContextOf(path);
        setting.checkModules = !configuration->missesIncludes;
    } else if (own && own->loadsModules) {
        setting.facts = own;
        setting.checkModules = !own->missesIncludes;
    } else {
        setting.facts = configuration;
    }
    return setting;
}

bool FileChecker::Tag::SameAs(const Tag& other) const
{
    return open == other.open && confpath::EqualNoCase(name, other.name) && condition == other.condition;
}

FileChecker::FileChecker(const DirectiveIndex& directives) : m_directives(directives)
{
    Walk();
}

void FileChecker::SetSetting(FileSetting setting)
{
    m_setting = std::move(setting);
    Walk();
}

void FileChecker::SetText(std::string_view text, bool check)
{
    m_lines.clear();
    std::size_t pos = 0;
    for (;;) {
        const std::size_t end = text.find('\n', pos);
        m_lines.emplace_back(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
    }
    m_facts.assign(m_lines.size(), LineFacts());
    Parse(0, LineCount() - 1);
    m_tags.clear();
    ReadTags(0, LineCount(), m_tags);
    if (check)
        Walk();
}

void FileChecker::ReplaceLines(int first, int removed, std::vector<std::string> added)
{
    first = std::clamp(first, 0, LineCount());
    removed = std::clamp(removed, 0, LineCount() - first);
    const int count = static_cast<int>(added.size());
    const int shift = count - removed;
    // Typing in a line replaces it in place; only a change of the line count moves the rest.
    const int inPlace = std::min(count, removed);
    if (shift < 0) {
        m_lines.erase(m_lines.begin() + first + inPlace, m_lines.begin() + first + removed);
        m_facts.erase(m_facts.begin() + first + inPlace, m_facts.begin() + first + removed);
    } else if (shift > 0) {
        m_lines.insert(m_lines.begin() + first + inPlace, static_cast<std::size_t>(shift), std::string());
        m_facts.insert(m_facts.begin() + first + inPlace, static_cast<std::size_t>(shift), LineFacts());
    }
    for (int i = 0; i < count; ++i) {
        m_lines[static_cast<std::size_t>(first + i)] = std::move(added[static_cast<std::size_t>(i)]);
        m_facts[static_cast<std::size_t>(first + i)] = LineFacts();
    }
    if (m_lines.empty()) {
        m_lines.emplace_back();
        m_facts.emplace_back();
    }
    int from = std::min(first, LineCount() - 1);
    while (from > 0 && m_facts[static_cast<std::size_t>(from)].continued)
        --from;
    while (from > 0 && m_facts[static_cast<std::size_t>(from - 1)].goesOn)
        --from;
    const int to = Parse(from, std::max(from, first + count - 1));

    // The tags of the lines read again, against those the same lines held before.
    auto byLine = [](const Tag& tag, int line) { return tag.line < line; };
    const auto oldBegin = std::lower_bound(m_tags.begin(), m_tags.end(), from, byLine);
    const auto oldEnd = std::lower_bound(oldBegin, m_tags.end(), to - shift, byLine);
    std::vector<Tag> fresh;
    ReadTags(from, to, fresh);
    const int oldEndLine = first + removed;
    const bool sameNesting = std::equal(fresh.begin(), fresh.end(), oldBegin, oldEnd, [&](const Tag& a, const Tag& b) {
        return a.SameAs(b) && a.line == (b.line >= oldEndLine ? b.line + shift : b.line);
    });
    const std::ptrdiff_t at = oldBegin - m_tags.begin();
    m_tags.erase(oldBegin, oldEnd);
    m_tags.insert(m_tags.begin() + at, fresh.begin(), fresh.end());
    for (auto tag = m_tags.begin() + at + static_cast<std::ptrdiff_t>(fresh.size()); tag != m_tags.end(); ++tag)
        tag->line += shift;
    if (!sameNesting) {
        Walk();
        return;
    }
    // The same sections: only the lines read again can say something new.
    for (Problem& p : m_sectionProblems) {
        if (p.line >= oldEndLine)
            p.line += shift;
        if (p.line >= from && p.line < to) {  // the tag may have moved in its line
            p.start = m_facts[static_cast<std::size_t>(p.line)].nameStart;
            p.end = m_facts[static_cast<std::size_t>(p.line)].nameEnd;
        }
    }
    auto byProblemLine = [](const Problem& p, int line) { return p.line < line; };
    const auto gone = std::lower_bound(m_lineProblems.begin(), m_lineProblems.end(), from, byProblemLine);
    const auto kept = std::lower_bound(gone, m_lineProblems.end(), to - shift, byProblemLine);
    for (auto p = kept; p != m_lineProblems.end(); ++p)
        p->line += shift;
    std::vector<Problem> renewed;
    CheckLines(from, to, renewed);
    const auto where = m_lineProblems.erase(gone, kept);
    m_lineProblems.insert(where, renewed.begin(), renewed.end());
}

int FileChecker::Parse(int first, int last)
{
    std::string joined;
    int head = first;
    while (head < LineCount()) {
        const bool wasHead = !m_facts[static_cast<std::size_t>(head)].continued;
        if (head > last && wasHead)
            break;
        head = ParseLogical(head, joined);
    }
    return head;
}

int FileChecker::ParseLogical(int head, std::string& joined)
{
    joined.clear();
    int next = head;
    bool goesOn = true;
    while (goesOn && next < LineCount()) {
        const std::string& physical = m_lines[static_cast<std::size_t>(next)];
        goesOn = GoesOn(physical);
        joined.append(Body(physical));
        LineFacts& facts = m_facts[static_cast<std::size_t>(next)];
        facts = LineFacts();
        facts.goesOn = goesOn;
        facts.continued = next > head;
        ++next;
    }
    LineFacts& facts = m_facts[static_cast<std::size_t>(head)];
    const std::string_view line(joined);
    const int headLength = static_cast<int>(Body(m_lines[static_cast<std::size_t>(head)]).size());
    auto column = [headLength](std::size_t at) { return std::min(static_cast<int>(at), headLength); };

    // The server passes over the byte-order mark that some editors put at a file's start;
    // passed over on any line, a line moved to the start needs no second reading.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::size_t textStart = line.substr(0, 3) == kByteOrderMark ? 3 : 0;
    std::size_t at = line.find_first_not_of(" \t\r", textStart);
    if (at == std::string_view::npos || line[at] == '#')
        return next;
    const std::size_t start = at;
    facts.kind = LineFacts::kDirective;
    if (line[at] == '<') {
        const bool closing = at + 1 < line.size() && line[at + 1] == '/';
        facts.kind = closing ? LineFacts::kClose : LineFacts::kOpen;
        at += closing ? 2 : 1;
    }
    std::size_t nameEnd = at;
    while (nameEnd < line.size() && !IsBlank(line[nameEnd]) &&
           (facts.kind == LineFacts::kDirective || line[nameEnd] != '>'))
        ++nameEnd;
    const std::string_view name = line.substr(at, nameEnd - at);
    if (name.empty() && facts.kind != LineFacts::kDirective)
        facts.kind = LineFacts::kDirective;
    facts.nameStart = column(start);
    facts.nameEnd = column(nameEnd);
    facts.directive = m_directives.Find(name);
    std::string_view args = TrimEnd(line.substr(nameEnd));
    const std::size_t argsAt = args.find_first_not_of(" \t");
    facts.argsStart = column(argsAt == std::string_view::npos ? nameEnd : nameEnd + argsAt);
    facts.argsEnd = column(nameEnd + args.size());
    if (facts.kind == LineFacts::kOpen) {
        facts.missingGt = args.empty() || args.back() != '>';
        if (!facts.missingGt)
            args.remove_suffix(1);
    }
    facts.argCount = static_cast<std::int16_t>(CountArguments(args));
    return next;
}

std::string FileChecker::Name(int line) const
{
    const LineFacts& facts = m_facts[static_cast<std::size_t>(line)];
    const std::string& text = m_lines[static_cast<std::size_t>(line)];
    const std::size_t skip = facts.kind == LineFacts::kOpen ? 1 : facts.kind == LineFacts::kClose ? 2 : 0;
    const std::size_t start = static_cast<std::size_t>(facts.nameStart) + skip;
    if (start >= static_cast<std::size_t>(facts.nameEnd))
        return std::string();
    return text.substr(start, static_cast<std::size_t>(facts.nameEnd) - start);
}

void FileChecker::ReadTags(int from, int to, std::vector<Tag>& tags) const
{
    for (int line = from; line < to; ++line) {
        const LineFacts& facts = m_facts[static_cast<std::size_t>(line)];
        if (facts.kind != LineFacts::kOpen && facts.kind != LineFacts::kClose)
            continue;
        Tag tag{line, facts.kind == LineFacts::kOpen, Name(line), std::string()};
        if (tag.open && IsStartCondition(tag.name)) {
            const std::string& text = m_lines[static_cast<std::size_t>(line)];
            tag.condition = text.substr(static_cast<std::size_t>(facts.argsStart),
                                        static_cast<std::size_t>(facts.argsEnd - facts.argsStart));
        }
        tags.push_back(std::move(tag));
    }
}

FileChecker::Scope FileChecker::Evaluate(const Tag& tag, const Scope& outer, SectionRole role) const
{
    Scope inner = outer;
    const int index = static_cast<int>(&tag - m_tags.data());
    const unsigned directory = m_setting.htaccess ? directives::kHtaccess : directives::kDirectory;
    switch (role) {
        case SectionRole::kTransparent:
            if (IsStartCondition(tag.name)) {
                std::string args = tag.condition;
                if (!args.empty() && args.back() == '>')
                    args.pop_back();
                const ConfigFacts* facts = m_setting.facts.get();
                const std::optional<SectionCondition> condition =
                    ParseCondition(facts != nullptr ? facts->defined.Expand(args) : args);
                bool holds = false;
                if (facts != nullptr && condition && confpath::EqualNoCase(tag.name, "IfModule"))
                    holds = facts->modules.IsLoaded(condition->subject) != condition->negated;
                else if (facts != nullptr && condition && confpath::EqualNoCase(tag.name, "IfDefine"))
                    holds = facts->defined.IsDefined(condition->subject) != condition->negated;
                inner.quiet = inner.quiet || !holds;
            }
            break;
        case SectionRole::kVirtualHost:
            inner.context = m_setting.htaccess ? directives::kHtaccess : directives::kVirtualHost;
            inner.section = index;
            break;
        case SectionRole::kDirectory:
            inner.context = outer.context == 0 ? 0 : directory;
            inner.section = index;
            break;
        case SectionRole::kProxy:
            inner.context = outer.context == 0 ? 0 : m_setting.htaccess ? directory : directives::kProxySection;
            inner.section = index;
            break;
        case SectionRole::kMacro:
            inner.macro = true;
            break;
        case SectionRole::kOpaque:
            inner.context = 0;
            inner.quiet = inner.quiet || m_directives.Find(tag.name) == nullptr;
            break;
    }
    return inner;
}

void FileChecker::Walk()
{
    m_top = Scope();
    m_top.context = m_setting.htaccess ? directives::kHtaccess : m_setting.topContext;
    m_after.assign(m_tags.size(), Scope());
    m_sectionProblems.clear();
    struct Entry {
        int tag;
        Scope inside;
    };
    std::vector<Entry> open;
    auto current = [&]() -> const Scope& { return open.empty() ? m_top : open.back().inside; };
    auto at = [&](int tag, Severity severity, std::string message) {
        const LineFacts& facts = m_facts[static_cast<std::size_t>(m_tags[static_cast<std::size_t>(tag)].line)];
        m_sectionProblems.push_back(
            {m_tags[static_cast<std::size_t>(tag)].line, facts.nameStart, facts.nameEnd, severity, std::move(message)});
    };
    for (std::size_t i = 0; i < m_tags.size(); ++i) {
        const Tag& tag = m_tags[i];
        const int index = static_cast<int>(i);
        const bool macroTag = RoleOf(tag.name) == SectionRole::kMacro;
        if (current().macro && !macroTag) {
            m_after[i] = current();
        } else if (tag.open) {
            open.push_back({index, Evaluate(tag, current(), RoleOf(tag.name))});
        } else {
            auto match = std::find_if(open.rbegin(), open.rend(), [&](const Entry& e) {
                return confpath::EqualNoCase(m_tags[static_cast<std::size_t>(e.tag)].name, tag.name);
            });
            if (match == open.rend()) {
                at(index, Severity::kError, messages::CloseWithoutOpen(tag.name));
            } else {
                if (match != open.rbegin())
                    at(index, Severity::kError,
                       messages::CloseOfOther(m_tags[static_cast<std::size_t>(open.back().tag)].name, tag.name));
                open.erase(std::next(match).base(), open.end());
            }
        }
        m_after[i] = current();
    }
    for (const Entry& e : open)
        at(e.tag, Severity::kError, messages::NotClosed(m_tags[static_cast<std::size_t>(e.tag)].name));
    std::sort(m_sectionProblems.begin(), m_sectionProblems.end(),
              [](const Problem& a, const Problem& b) { return a.line < b.line; });
    m_lineProblems.clear();
    CheckLines(0, LineCount(), m_lineProblems);
}

const FileChecker::Scope& FileChecker::ScopeAt(int line) const
{
    const auto after =
        std::lower_bound(m_tags.begin(), m_tags.end(), line, [](const Tag& tag, int l) { return tag.line < l; });
    return after == m_tags.begin() ? m_top : m_after[static_cast<std::size_t>(after - m_tags.begin() - 1)];
}

void FileChecker::CheckLines(int from, int to, std::vector<Problem>& out) const
{
    auto next =
        std::lower_bound(m_tags.begin(), m_tags.end(), from, [](const Tag& tag, int l) { return tag.line < l; });
    const Scope* scope = &ScopeAt(from);
    Problem problem;
    for (int line = from; line < to; ++line) {
        if (next != m_tags.end() && next->line < line) {
            scope = &m_after[static_cast<std::size_t>(next - m_tags.begin())];
            ++next;
        }
        if (m_facts[static_cast<std::size_t>(line)].kind != LineFacts::kNone && CheckLine(line, *scope, problem))
            out.push_back(std::move(problem));
    }
}

bool FileChecker::CheckLine(int line, const Scope& scope, Problem& problem) const
{
    const LineFacts& facts = m_facts[static_cast<std::size_t>(line)];
    if (scope.macro || facts.kind == LineFacts::kClose)
        return false;
    problem = Problem{line, facts.nameStart, facts.nameEnd, Severity::kError, std::string()};
    const std::string name = Name(line);
    if (facts.kind == LineFacts::kOpen && facts.missingGt) {
        problem.message = messages::MissingGt(name);
        return true;
    }
    const DirectiveFacts* d = facts.directive;
    if (d == nullptr) {
        if (scope.quiet || name.empty() || name.find('$') != std::string::npos)
            return false;
        problem.severity = Severity::kWarning;
        problem.message = messages::Unknown(facts.kind == LineFacts::kOpen ? "<" + name : name);
        return true;
    }
    if (!AllowedIn(d->contexts, scope.context)) {
        const std::string section =
            scope.section < 0 ? std::string() : m_tags[static_cast<std::size_t>(scope.section)].name;
        problem.message = messages::Misplaced(facts.kind == LineFacts::kOpen ? "<" + name + ">" : name, d->contexts,
                                              scope.context, section);
        return true;
    }
    const ConfigFacts* config = m_setting.facts.get();
    if (m_setting.checkModules && !scope.quiet && !d->modules.empty() && config != nullptr && config->loadsModules &&
        std::none_of(d->modules.begin(), d->modules.end(),
                     [&](const std::string& m) { return config->modules.IsLoaded(m + ".c"); })) {
        const CommentedLoad* commented = nullptr;
        for (const std::string& m : d->modules)
            commented = commented != nullptr ? commented : config->CommentedFor(m);
        problem.message = messages::NotLoaded(name, d->modules, commented, m_setting.path);
        return true;
    }
    if (facts.kind == LineFacts::kDirective && facts.argCount >= 0 && !d->arity.Accepts(facts.argCount)) {
        if (facts.argsEnd > facts.argsStart) {
            problem.start = facts.argsStart;
            problem.end = facts.argsEnd;
        }
        problem.message = messages::WrongCount(name, d->arity, d->directive->syntax);
        return true;
    }
    return false;
}

std::vector<Problem> FileChecker::Problems() const
{
    std::vector<Problem> all;
    all.reserve(m_sectionProblems.size() + m_lineProblems.size());
    std::merge(m_sectionProblems.begin(), m_sectionProblems.end(), m_lineProblems.begin(), m_lineProblems.end(),
               std::back_inserter(all), [](const Problem& a, const Problem& b) {
                   return a.line != b.line ? a.line < b.line : a.start < b.start;
               });
    return all;
}

}  // namespace check
