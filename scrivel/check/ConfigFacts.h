#pragma once
// What the checks of one file need to know of the configuration it belongs to: the modules
// loaded and the LoadModule lines put out of action with '#', the names defined (by -D on
// the server's command line and by Define), and the files the server reads, each with the
// context of the Include that reaches it. Read from the main file the server reads,
// following every Include outside the sections the server skips, the way the server reads
// its configuration at start.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ReadTimeState.h"

namespace check {

// "#LoadModule ssl_module modules/mod_ssl.so" at line 141 of conf/httpd.conf.
struct CommentedLoad {
    std::string file;
    int line = 0;      // from 1
    std::string text;  // the line without '#' and blanks
};

struct ConfigFacts {
    CLoadedModules modules;
    CConfigVariables defined;
    bool loadsModules = false;  // a LoadModule line was seen, active or commented out
    // An Include named a file or folder that could not be read: what it loads is unknown.
    bool missesIncludes = false;
    // By the module's file name without extension, folded: "mod_ssl".
    std::map<std::string, CommentedLoad> commented;
    // By path (PathKey): the context (a bit of directives::Context) of the Include that
    // reaches the file, 0 when it is unknown or not the same from every Include.
    std::map<std::string, unsigned> reached;

    bool Reaches(std::string_view path) const;
    unsigned ContextOf(std::string_view path) const;
    const CommentedLoad* CommentedFor(std::string_view moduleName) const;
};

// Where the configuration starts and what the server is told on its command line.
struct ConfigStart {
    std::string serverFolder;          // relative paths of the configuration lie below it
    std::string mainFile;              // the file the server reads first
    std::vector<std::string> defines;  // -D names
};

// The text of a file: an open document's own, else the file's on disk.
class TextSource {
public:
    virtual bool Read(const std::string& path, std::string& text) const = 0;

protected:
    ~TextSource() = default;
};

// Reads the configuration from `start`; a main file that cannot be read gives facts that
// reach nothing.
std::shared_ptr<const ConfigFacts> ReadConfigFacts(const ConfigStart& start, const TextSource& texts);

// Paths compared as the server's Windows file system does: either slash, any case.
std::string PathKey(std::string_view path);

}  // namespace check
