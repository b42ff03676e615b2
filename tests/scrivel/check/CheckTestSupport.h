#pragma once
// The catalogue and files the checker's tests read, and a text source that lets a test put
// edited texts in place of files.

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "ConfigFacts.h"
#include "DirectiveCatalogue.h"
#include "DirectiveIndex.h"

namespace checktest {

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline const check::DirectiveIndex& Directives()
{
    static const directives::Catalogue catalogue = [] {
        directives::Catalogue c;
        c.ReadText(ReadFile(TESSALY_DIRECTIVES_FILE));
        return c;
    }();
    static const check::DirectiveIndex index(catalogue);
    return index;
}

// Files on disk, or the text a test gave for a path.
class Texts : public check::TextSource {
public:
    std::map<std::string, std::string> edited;  // by PathKey
    bool Read(const std::string& path, std::string& text) const override
    {
        const auto found = edited.find(check::PathKey(path));
        if (found != edited.end()) {
            text = found->second;
            return true;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        text = ReadFile(path);
        return true;
    }
};

}  // namespace checktest
