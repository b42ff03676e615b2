#include "ConfigFacts.h"

#include <algorithm>
#include <filesystem>

#include "ConfPath.h"
#include "ConfigReader.h"
#include "DirectiveCatalogue.h"
#include "LogicalLines.h"
#include "Sections.h"

namespace check {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxDepth = 16;

// The configuration's files read one after another, as the server reads them.
class Walker {
public:
    Walker(const ConfigStart& start, const TextSource& texts, ConfigFacts& facts)
        : m_resolver(start.serverFolder), m_texts(texts), m_facts(facts)
    {
        for (const std::string& name : start.defines)
            m_facts.defined.Define(name, std::string());
    }

    // False when the file's text cannot be had.
    bool ReadFile(const std::string& path, unsigned context, int depth);

private:
    struct Open {
        std::string name;
        SectionRole role;
        bool skipped;   // the server skips its body
        bool doubtful;  // its condition is not known here
    };

    void Handle(std::string_view line, std::vector<Open>& open);
    void Include(std::string_view args, unsigned context, int depth);
    void NoteCommented(const std::string& path, int lineNumber, std::string_view comment);
    unsigned ContextIn(const std::vector<Open>& open, unsigned top) const;
    bool Holds(std::string_view section, std::string_view args, bool& doubtful) const;

    confpath::CPathResolver m_resolver;
    const TextSource& m_texts;
    ConfigFacts& m_facts;
    std::vector<std::string> m_reading;  // the files being read, to stop a loop
    int m_depth = 0;
    unsigned m_fileContext = 0;
};

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string ModuleKey(std::string_view file)
{
    std::string name = confpath::FileName(file);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return directives::Folded(name);
}

bool Walker::ReadFile(const std::string& path, unsigned context, int depth)
{
    const std::string key = PathKey(path);
    const auto known = m_facts.reached.find(key);
    if (known != m_facts.reached.end() && known->second != context)
        known->second = 0;
    else
        m_facts.reached.emplace(key, context);
    if (depth > kMaxDepth || std::find(m_reading.begin(), m_reading.end(), key) != m_reading.end())
        return true;
    std::string text;
    if (!m_texts.Read(path, text))
        return false;
    m_reading.push_back(key);
    const unsigned outerContext = m_fileContext;
    const int outerDepth = m_depth;
    m_fileContext = context;
    m_depth = depth;
    std::vector<Open> open;
    ForEachLogicalLine(text, [&](int lineNumber, std::string_view logical) {
        const std::string_view line = Trim(logical);
        if (!line.empty() && line.front() == '#')
            NoteCommented(path, lineNumber, line.substr(1));
        else if (!line.empty())
            Handle(line, open);
    });
    m_fileContext = outerContext;
    m_depth = outerDepth;
    m_reading.pop_back();
    return true;
}

void Walker::NoteCommented(const std::string& path, int lineNumber, std::string_view comment)
{
    comment = Trim(comment);
    // Most comments are prose: only one that begins with the word is split.
    constexpr std::string_view kWord = "LoadModule";
    if (comment.size() <= kWord.size() || !confpath::EqualNoCase(comment.substr(0, kWord.size()), kWord))
        return;
    const std::vector<std::string> words = SplitArguments(comment);
    if (words.size() != 3 || !confpath::EqualNoCase(words[0], "LoadModule"))
        return;
    m_facts.loadsModules = true;
    m_facts.commented.emplace(ModuleKey(words[2]), CommentedLoad{path, lineNumber, std::string(comment)});
}

unsigned Walker::ContextIn(const std::vector<Open>& open, unsigned top) const
{
    unsigned context = top;
    for (const Open& o : open) {
        switch (o.role) {
            case SectionRole::kTransparent:
                break;
            case SectionRole::kVirtualHost:
                context = directives::kVirtualHost;
                break;
            case SectionRole::kDirectory:
                context = directives::kDirectory;
                break;
            case SectionRole::kProxy:
                context = directives::kProxySection;
                break;
            default:
                return 0;
        }
    }
    return context;
}

bool Walker::Holds(std::string_view section, std::string_view args, bool& doubtful) const
{
    doubtful = false;
    const std::optional<SectionCondition> condition = ParseCondition(args);
    if (!condition)
        return true;
    bool holds;
    if (confpath::EqualNoCase(section, "IfModule")) {
        holds = m_facts.modules.IsLoaded(condition->subject);
    } else if (confpath::EqualNoCase(section, "IfDefine")) {
        holds = m_facts.defined.IsDefined(condition->subject);
    } else {
        doubtful = true;
        return true;
    }
    return holds != condition->negated;
}

void Walker::Handle(std::string_view written, std::vector<Open>& open)
{
    const bool skipping = !open.empty() && (open.back().skipped || open.back().role == SectionRole::kMacro);
    if (written.size() > 1 && written[0] == '<') {
        const bool closing = written[1] == '/';
        std::string_view rest = written.substr(closing ? 2 : 1);
        const std::size_t nameEnd = std::min(rest.find_first_of(" \t>"), rest.size());
        const std::string_view name = rest.substr(0, nameEnd);
        if (closing) {
            if (!open.empty())
                open.pop_back();
            return;
        }
        std::string_view args = Trim(rest.substr(nameEnd));
        if (!args.empty() && args.back() == '>')
            args.remove_suffix(1);
        Open o{std::string(name), RoleOf(name), skipping, false};
        if (!skipping && IsStartCondition(name)) {
            const std::string expanded = m_facts.defined.Expand(args);
            o.skipped = !Holds(name, expanded, o.doubtful);
        }
        o.doubtful = o.doubtful || (!open.empty() && open.back().doubtful);
        open.push_back(std::move(o));
        return;
    }
    if (skipping)
        return;
    // Expanded only where a ${VAR} may stand.
    std::string expanded;
    std::string_view line = written;
    if (written.find('$') != std::string_view::npos) {
        expanded = m_facts.defined.Expand(written);
        line = expanded;
    }
    const std::size_t nameEnd = std::min(line.find_first_of(" \t"), line.size());
    const std::string_view name(line.data(), nameEnd);
    const std::string_view args = Trim(std::string_view(line).substr(nameEnd));
    const bool doubtful = !open.empty() && open.back().doubtful;
    if (confpath::EqualNoCase(name, "Include") || confpath::EqualNoCase(name, "IncludeOptional")) {
        // An Include that may not be read reaches nothing for sure: its files are not
        // counted as read, so nothing is said of their modules.
        if (!doubtful)
            Include(args, ContextIn(open, m_fileContext), m_depth + 1);
        return;
    }
    // Only these few directives matter here: the others' arguments are not split.
    const bool loads = confpath::EqualNoCase(name, "LoadModule");
    const bool defines = confpath::EqualNoCase(name, "Define") || confpath::EqualNoCase(name, "UnDefine");
    if (!loads && !defines && !confpath::EqualNoCase(name, "ServerRoot"))
        return;
    const std::vector<std::string> words = SplitArguments(args);
    if (words.empty())
        return;
    // Lines that may not be read still load and define, so that nothing is called missing.
    if (confpath::EqualNoCase(name, "LoadModule") && words.size() > 1) {
        m_facts.loadsModules = true;
        m_facts.modules.Load(words[0], words[1]);
    } else if (confpath::EqualNoCase(name, "Define")) {
        m_facts.defined.Define(words[0], words.size() > 1 ? words[1] : std::string());
    } else if (confpath::EqualNoCase(name, "UnDefine") && !doubtful) {
        m_facts.defined.Undefine(words[0]);
    } else if (confpath::EqualNoCase(name, "ServerRoot") && open.empty()) {
        m_resolver.SetDeclaredRoot(words[0]);
    }
}

void Walker::Include(std::string_view args, unsigned context, int depth)
{
    const std::vector<std::string> words = SplitArguments(args);
    if (words.empty())
        return;
    const std::string target = m_resolver.Resolve(words[0]);
    const std::string pattern = confpath::FileName(target);
    std::error_code ec;
    const bool wildcard = confpath::HasWildcard(pattern);
    if (!wildcard && !fs::is_directory(fs::path(target), ec)) {
        if (!ReadFile(target, context, depth))
            m_facts.missesIncludes = true;
        return;
    }
    const std::string folder = wildcard ? confpath::Folder(target) : target;
    std::vector<std::string> files;
    if (!fs::is_directory(fs::path(folder), ec))
        m_facts.missesIncludes = true;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(ec) && (!wildcard || confpath::WildcardMatch(pattern, name)))
            files.push_back(confpath::Join(folder, name));
    }
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        ReadFile(file, context, depth);
}

}  // namespace

std::string PathKey(std::string_view path)
{
    return directives::Folded(confpath::ToForwardSlashes(path));
}

bool ConfigFacts::Reaches(std::string_view path) const
{
    return reached.count(PathKey(path)) != 0;
}

unsigned ConfigFacts::ContextOf(std::string_view path) const
{
    const auto found = reached.find(PathKey(path));
    return found == reached.end() ? 0 : found->second;
}

const CommentedLoad* ConfigFacts::CommentedFor(std::string_view moduleName) const
{
    const auto found = commented.find(directives::Folded(moduleName));
    return found == commented.end() ? nullptr : &found->second;
}

std::shared_ptr<const ConfigFacts> ReadConfigFacts(const ConfigStart& start, const TextSource& texts)
{
    auto facts = std::make_shared<ConfigFacts>();
    Walker walker(start, texts, *facts);
    walker.ReadFile(confpath::ToForwardSlashes(start.mainFile), directives::kServerConfig, 0);
    return facts;
}

}  // namespace check
