#include "ConfigReader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kNoSuchFile = "No such file or directory";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string SyntaxErrorAt(int line, const std::string& path, const std::string& message)
{
    return "Syntax error on line " + std::to_string(line) + " of " + path + ": " + message;
}

bool ReadWhole(const std::string& path, std::string& text)
{
    // Only a plain file: a folder, or a device that never ends or waits for input (a
    // console, /dev/zero), is no configuration file.
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(path), ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream out;
    out << in.rdbuf();
    text = out.str();
    return true;
}

// "www.example.com:8080" -> "www.example.com"; a bracketed IPv6 address keeps its colons.
std::string WithoutPort(const std::string& name)
{
    const auto colon = name.rfind(':');
    if (colon == std::string::npos || colon + 1 == name.size() || name.find(']', colon) != std::string::npos)
        return name;
    for (std::size_t i = colon + 1; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return name;
    return name.substr(0, colon);
}

bool IsPipedOrSystemLog(const std::string& target)
{
    return target.empty() || target[0] == '|' || target.rfind("syslog", 0) == 0;
}

std::string SectionName(std::string_view line, std::size_t from)
{
    std::string_view name = line.substr(from);
    return std::string(name.substr(0, name.find_first_of(" \t>")));
}

// One line inside the body of a conditional section whose condition failed: only the
// sections it opens and closes count, so its own end is found; a close that is not the
// innermost open one's is an error.
std::string SkipLine(std::string_view line, std::vector<std::string>& skipped)
{
    if (line.size() < 2 || line[0] != '<')
        return std::string();
    if (line[1] != '/') {
        skipped.push_back(SectionName(line, 1));
        return std::string();
    }
    const std::string closed = SectionName(line, 2);
    if (!confpath::EqualNoCase(closed, skipped.back()))
        return "Expected </" + skipped.back() + "> but saw </" + closed + ">";
    skipped.pop_back();
    return std::string();
}

std::string Canonical(const CDirectiveList* list, std::string_view name)
{
    if (list != nullptr)
        for (const DirectiveInfo& d : list->All())
            if (confpath::EqualNoCase(d.name, name))
                return d.name;
    return std::string(name);
}

}  // namespace

std::string_view NextArgument(std::string_view args, std::size_t& pos)
{
    std::size_t i = std::min(pos, args.size());
    while (i < args.size() && IsBlank(args[i]))
        ++i;
    const std::size_t start = i;
    if (i < args.size() && (args[i] == '"' || args[i] == '\'')) {
        // A backslash keeps the quote after it in the word.
        const char quote = args[i++];
        while (i < args.size() && args[i] != quote)
            i += args[i] == '\\' && i + 1 < args.size() && args[i + 1] == quote ? 2 : 1;
        i = std::min(i + 1, args.size());  // the closing quote
    } else {
        while (i < args.size() && !IsBlank(args[i]))
            ++i;
    }
    pos = i;
    return args.substr(start, i - start);
}

std::vector<std::string> SplitArguments(std::string_view args)
{
    std::vector<std::string> words;
    std::size_t pos = 0;
    for (std::string_view span; !(span = NextArgument(args, pos)).empty();) {
        if (span[0] != '"' && span[0] != '\'') {
            words.emplace_back(span);
            continue;
        }
        const char quote = span[0];
        std::string word;
        for (std::size_t i = 1; i < span.size() && span[i] != quote; ++i) {
            if (span[i] == '\\' && i + 1 < span.size() && span[i + 1] == quote)
                ++i;
            word += span[i];
        }
        words.push_back(std::move(word));
    }
    return words;
}

CConfigReader::CConfigReader(const std::string& serverFolder, const CDirectiveList* directives)
    : m_resolver(serverFolder), m_directives(directives)
{
    m_config.serverFolder = m_resolver.ServerFolder();
    m_config.serverRoot = m_resolver.ServerFolder();
}

bool CConfigReader::Read()
{
    m_config.mainFile = m_resolver.Resolve(m_mainFileWritten);
    const std::string error = ReadFile(m_config.mainFile, 0);
    if (!error.empty()) {
        m_problem = {ConfigProblem::Stage::Build, error, m_config.mainFile, 0};
        return false;
    }
    return m_problem.stage == ConfigProblem::Stage::None;
}

std::string CConfigReader::ReadFile(const std::string& path, int depth)
{
    std::string text;
    if (!ReadWhole(path, text))
        return "Could not open configuration file " + path + ": " + kNoSuchFile;
    m_config.filesRead.push_back(path);

    FileState file;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // One logical line: physical lines ending in a backslash continue on the next.
        const int firstLine = ++lineNumber;
        std::string logical;
        for (;;) {
            auto end = text.find('\n', pos);
            std::string_view physical(text.data() + pos, (end == std::string::npos ? text.size() : end) - pos);
            pos = end == std::string::npos ? text.size() : end + 1;
            physical = TrimBlanks(physical);
            if (!physical.empty() && physical.back() == '\\' && pos < text.size()) {
                physical.remove_suffix(1);
                logical.append(physical).push_back(' ');
                ++lineNumber;
                continue;
            }
            logical.append(physical);
            break;
        }
        const std::string_view written = TrimBlanks(logical);
        if (written.empty() || written[0] == '#')
            continue;
        if (!file.skipped.empty()) {
            const std::string error = SkipLine(written, file.skipped);
            if (!error.empty())
                return SyntaxErrorAt(lineNumber, path, error);
            continue;
        }
        // Variables are put in before the line is read as a directive.
        const std::string expanded = m_variables.Expand(written);
        const std::string_view line = TrimBlanks(expanded);
        if (line.empty())
            continue;

        Directive d;
        d.line = firstLine;
        const auto nameEnd = line.find_first_of(" \t");
        d.name = std::string(line.substr(0, nameEnd));
        d.args = nameEnd == std::string_view::npos ? std::string() : std::string(TrimBlanks(line.substr(nameEnd)));
        const std::string error = Handle(d, path, file, depth);
        if (!error.empty())
            return SyntaxErrorAt(d.line, path, error);
    }
    if (!file.skipped.empty())
        return SyntaxErrorAt(lineNumber, path, "Expected </" + file.skipped.front() + "> before end of configuration");
    if (!file.open.empty()) {
        const Open& last = file.open.back();
        return SyntaxErrorAt(last.line, path,
                             path + ":" + std::to_string(last.line) + ": <" + last.name + "> was not closed.");
    }
    return std::string();
}

std::string CConfigReader::Handle(const Directive& d, const std::string& path, FileState& file, int depth)
{
    if (d.name.rfind("</", 0) == 0)
        return CloseSection(d, path, file.open);
    if (d.name[0] == '<')
        return OpenSection(d, path, file);
    if (m_directives != nullptr && !m_directives->IsKnown(d.name)) {
        WalkProblem(path, d.line,
                    "Invalid command '" + d.name +
                        "', perhaps misspelled or defined by a module not included in the server configuration");
        return std::string();
    }
    if (confpath::EqualNoCase(d.name, "Include"))
        return Include(d, false, depth);
    if (confpath::EqualNoCase(d.name, "IncludeOptional"))
        return Include(d, true, depth);
    Apply(d, path);
    return std::string();
}

std::string CConfigReader::OpenSection(const Directive& d, const std::string& path, FileState& file)
{
    std::vector<Open>& open = file.open;
    // "<VirtualHost *:80>": the name runs to a blank or the '>'; the line must end in '>'.
    std::string name = d.name.substr(1);
    std::string args = d.args;
    const auto gt = name.find('>');
    if (gt != std::string::npos) {
        args = name.substr(gt);
        name.resize(gt);
    }
    if (args.empty() || args.back() != '>')
        return "<" + name + "> directive missing closing '>'";
    args.pop_back();
    open.push_back({name, d.line});

    if (m_directives != nullptr && !m_directives->IsKnown(name)) {
        WalkProblem(path, d.line,
                    "Invalid command '<" + name +
                        "', perhaps misspelled or defined by a module not included in the server configuration");
        return std::string();
    }
    if (IsConditionalSection(name)) {
        const std::optional<SectionCondition> condition = ParseCondition(args);
        if (!condition)
            return "<" + name + "> directive requires additional arguments";
        // The server skips the body of a section whose condition fails without reading it.
        if (!ConditionHolds(name, *condition)) {
            open.pop_back();
            file.skipped.push_back(name);
        }
        return std::string();
    }
    if (confpath::EqualNoCase(name, "VirtualHost")) {
        if (m_host) {
            WalkProblem(path, d.line, "<VirtualHost> cannot occur within <VirtualHost> section");
            return std::string();
        }
        m_host.emplace();
        m_host->address = std::string(TrimBlanks(args));
        m_host->file = path;
        m_host->line = d.line;
    }
    return std::string();
}

bool CConfigReader::ConditionHolds(const std::string& section, const SectionCondition& condition) const
{
    const std::string& subject = condition.subject;
    bool holds = true;
    if (confpath::EqualNoCase(section, "IfModule")) {
        holds = m_modules.IsLoaded(subject);
    } else if (confpath::EqualNoCase(section, "IfDefine")) {
        holds = m_variables.IsDefined(subject);
    } else if (confpath::EqualNoCase(section, "IfDirective")) {
        holds = m_directives == nullptr || m_directives->IsKnown(subject);
    } else if (confpath::EqualNoCase(section, "IfSection")) {
        holds = m_directives == nullptr || (IsSectionDirective(subject) && m_directives->IsKnown(subject));
    } else if (confpath::EqualNoCase(section, "IfFile")) {
        std::error_code ec;
        holds = fs::exists(fs::path(m_resolver.Resolve(subject)), ec);
    }
    return holds != condition.negated;
}

std::string CConfigReader::CloseSection(const Directive& d, const std::string& path, std::vector<Open>& open)
{
    std::string name = d.name.substr(2);
    if (!name.empty() && name.back() == '>')
        name.pop_back();
    if (open.empty()) {
        if (m_directives != nullptr && !m_directives->IsKnown(name)) {
            WalkProblem(path, d.line,
                        "Invalid command '</" + name +
                            ">', perhaps misspelled or defined by a module not included in the server configuration");
        } else {
            const std::string canonical = Canonical(m_directives, name);
            WalkProblem(path, d.line, "</" + canonical + "> without matching <" + canonical + "> section");
        }
        return std::string();
    }
    if (!confpath::EqualNoCase(open.back().name, name))
        return "Expected </" + open.back().name + "> but saw </" + name + ">";
    open.pop_back();
    if (confpath::EqualNoCase(name, "VirtualHost") && m_host) {
        m_config.hosts.push_back(std::move(*m_host));
        m_host.reset();
    }
    return std::string();
}

std::string CConfigReader::Include(const Directive& d, bool optional, int depth)
{
    const std::vector<std::string> words = SplitArguments(d.args);
    if (words.empty())
        return d.name + " takes one argument, Name of the config file to be included";
    if (depth + 1 > kMaxIncludeDepth)
        return "Exceeded the maximum include directory nesting level of " + std::to_string(kMaxIncludeDepth) +
               ". You have probably a recursion somewhere.";

    const std::string target = m_resolver.Resolve(words[0]);
    std::vector<std::string> files;
    const std::string pattern = confpath::FileName(target);
    std::error_code ec;
    if (confpath::HasWildcard(pattern) || fs::is_directory(fs::path(target), ec)) {
        const bool whole = !confpath::HasWildcard(pattern);
        const std::string folder = whole ? target : confpath::Folder(target);
        for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (it->is_regular_file(ec) && (whole || confpath::WildcardMatch(pattern, name)))
                files.push_back(confpath::Join(folder, name));
        }
        std::sort(files.begin(), files.end());
        if (files.empty() && !optional && !whole)
            return "No matches for the wildcard '" + pattern + "' in '" + folder +
                   "', failing (use IncludeOptional if required)";
    } else if (!optional || fs::exists(fs::path(target), ec)) {
        files.push_back(target);
    }
    for (const std::string& file : files) {
        const std::string error = ReadFile(file, depth + 1);
        if (!error.empty())
            return error;
    }
    return std::string();
}

void CConfigReader::Apply(const Directive& d, const std::string& path)
{
    const std::vector<std::string> words = SplitArguments(d.args);
    if (words.empty())
        return;
    const std::string& first = words[0];
    if (confpath::EqualNoCase(d.name, "Define")) {
        m_variables.Define(first, words.size() > 1 ? words[1] : std::string());
    } else if (confpath::EqualNoCase(d.name, "UnDefine")) {
        m_variables.Undefine(first);
    } else if (confpath::EqualNoCase(d.name, "LoadModule")) {
        if (words.size() > 1)
            m_modules.Load(first, words[1]);
    } else if (confpath::EqualNoCase(d.name, "Listen")) {
        if (!m_host)  // the server refuses it inside a host
            AddListen(first, path, d.line);
    } else if (confpath::EqualNoCase(d.name, "ServerRoot")) {
        if (!m_host) {
            m_resolver.SetDeclaredRoot(first);
            m_config.serverRoot = confpath::Trimmed(first);
        }
    } else if (confpath::EqualNoCase(d.name, "DocumentRoot")) {
        (m_host ? m_host->documentRoot : m_config.documentRoot) = m_resolver.Resolve(first);
    } else if (confpath::EqualNoCase(d.name, "ServerName")) {
        if (m_host)
            m_host->serverName = WithoutPort(first);
    } else if (confpath::EqualNoCase(d.name, "ErrorLog") || confpath::EqualNoCase(d.name, "CustomLog") ||
               confpath::EqualNoCase(d.name, "TransferLog")) {
        if (IsPipedOrSystemLog(first))
            return;
        const std::string file = m_resolver.Resolve(first);
        std::vector<std::string>& logs = m_host ? m_host->logs : m_config.logs;
        if (std::find(logs.begin(), logs.end(), file) == logs.end())
            logs.push_back(file);
        if (!m_host && confpath::EqualNoCase(d.name, "ErrorLog"))
            m_config.errorLog = file;
    }
}

void CConfigReader::AddListen(const std::string& argument, const std::string& path, int line)
{
    std::optional<ListenAddress> listen = ParseListenArgument(argument);
    if (!listen)
        return;
    for (const ListenAddress& known : m_config.listens)
        if (known.port == listen->port && confpath::EqualNoCase(known.host, listen->host))
            return;
    listen->file = path;
    listen->line = line;
    m_config.listens.push_back(std::move(*listen));
}

void CConfigReader::WalkProblem(const std::string& path, int line, std::string message)
{
    // The server checks directives only after the whole tree is built, and stops at the first.
    if (m_problem.stage == ConfigProblem::Stage::None)
        m_problem = {ConfigProblem::Stage::Walk, std::move(message), path, line};
}
