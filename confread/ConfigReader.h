#pragma once
// Reads a server's conf/httpd.conf and every file it includes, the way the server itself
// does at start: the files are built into one tree first (sections, includes, variables,
// loaded modules, and the bodies of conditional sections skipped where the condition
// fails), then each directive is checked. Yields the virtual hosts and log files, and, when a directive list
// is given, the first problem the server would report.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ConfPath.h"
#include "DirectiveList.h"
#include "ReadTimeState.h"
#include "ServerConfig.h"

// The first problem found, in the two stages the server reports differently.
struct ConfigProblem {
    enum class Stage { None, Build, Walk };
    Stage stage = Stage::None;
    // Build: one line, "Syntax error on line N of FILE: ..." (nested through includes), or
    // "Could not open configuration file ..." for the main file.
    // Walk: the message of the directive at file:line.
    std::string message;
    std::string file;
    int line = 0;
};

class CConfigReader {
public:
    // directives: null reads without checking directive names.
    explicit CConfigReader(const std::string& serverFolder, const CDirectiveList* directives = nullptr);

    // "-D name" on the server's command line, before Read.
    void Define(const std::string& name) { m_variables.Define(name, std::string()); }

    // "-f file" on the server's command line, before Read; relative to the server folder.
    void SetMainFile(const std::string& written) { m_mainFileWritten = written; }

    // Reads the main file (conf/httpd.conf below the server folder unless SetMainFile named
    // another). False when a problem was found; what was read until then stays available.
    bool Read();
    const ServerConfig& Config() const { return m_config; }
    const ConfigProblem& Problem() const { return m_problem; }

    static constexpr int kMaxIncludeDepth = 16;
    static constexpr const char* kMainFile = "conf/httpd.conf";

private:
    struct Open {          // a section opened in the file being read
        std::string name;  // as written, without '<'
        int line;
    };
    struct Directive {
        std::string name;  // "ServerName", "<VirtualHost", "</VirtualHost"
        std::string args;
        int line;
    };

    // The sections open in the file being read, and those whose body is being skipped
    // (outermost first).
    struct FileState {
        std::vector<Open> open;
        std::vector<std::string> skipped;
    };

    // The build error of this file, "" when none.
    std::string ReadFile(const std::string& path, int depth);
    std::string Handle(const Directive& d, const std::string& path, FileState& file, int depth);
    std::string OpenSection(const Directive& d, const std::string& path, FileState& file);
    std::string CloseSection(const Directive& d, const std::string& path, std::vector<Open>& open);
    bool ConditionHolds(const std::string& section, const SectionCondition& condition) const;
    std::string Include(const Directive& d, bool optional, int depth);
    void Apply(const Directive& d, const std::string& path);
    void AddListen(const std::string& argument, const std::string& path, int line);
    void WalkProblem(const std::string& path, int line, std::string message);

    confpath::CPathResolver m_resolver;
    std::string m_mainFileWritten = kMainFile;
    const CDirectiveList* m_directives;
    ServerConfig m_config;
    ConfigProblem m_problem;
    std::optional<VirtualHostInfo> m_host;  // the <VirtualHost> being read
    CConfigVariables m_variables;
    CLoadedModules m_modules;
};

// Splits directive arguments into words; quotes group words and are removed.
std::vector<std::string> SplitArguments(std::string_view args);
// The next argument from `pos` on as the server splits them, quotes kept, without a copy;
// empty when there is none. `pos` moves past it.
std::string_view NextArgument(std::string_view args, std::size_t& pos);
