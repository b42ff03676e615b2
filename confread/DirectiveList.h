#pragma once
// The directives the stand-in server knows, each with the module that provides it. Read
// from the editor component's keyword script ("directive<TAB>Name<TAB>manual page"; the
// module is the page's file name), or a small built-in list when the script is missing.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct DirectiveInfo {
    std::string name;      // as the script spells it, without '<'
    std::string module;    // source file of the module, e.g. "mod_log_config.c"
    std::string helpPath;  // its manual page below the server folder; may be empty
};

// Directives written as sections, <Name ...> ... </Name>.
bool IsSectionDirective(std::string_view name);

class CDirectiveList {
public:
    // False (and the list unchanged) when the text names no directive at all.
    bool ReadScriptText(std::string_view text);
    bool ReadScriptFile(const std::string& path);
    // The directives of the Windows server's compiled-in modules and of the modules its
    // stock configuration loads.
    void UseBuiltIn();
    // Those added to the list read from the script, which may lack some of them.
    void AddBuiltIn();
    bool FromScript() const { return m_fromScript; }

    bool IsKnown(std::string_view name) const;                           // without regard to case
    const std::vector<DirectiveInfo>& All() const { return m_entries; }  // sorted by name
    // The modules that provide the directives, core first, each once.
    std::vector<std::string> Modules() const;

private:
    void Add(std::string_view name, std::string_view module, std::string_view helpPath = {});
    void Finish();

    std::vector<DirectiveInfo> m_entries;
    std::unordered_map<std::string, std::size_t> m_byFoldedName;
    bool m_fromScript = false;
};

// "htdocs/manual/mod/mod_alias.html#alias" -> "mod_alias.c"; the pages that describe
// several modules' directives at once name the Windows module that carries them.
std::string ModuleFromHelpPath(std::string_view helpPath);

// The keyword script's name; it lies beside the programs that read it.
constexpr const char* kKeywordScriptName = "Tessaly-keywords.txt";
// The directives of the keyword script in `folder` and the server's own modules; the
// built-in list when the script cannot be read.
CDirectiveList LoadDirectiveList(const std::string& folder);
