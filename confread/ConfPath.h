#pragma once
// Path arithmetic for the server's configuration as the server does it on Windows: either
// slash separates, a drive letter or a leading slash makes a path absolute, and names
// compare without regard to case. Pure string work, so it behaves the same in both builds.

#include <string>
#include <string_view>

namespace confpath {

bool IsAbsolute(std::string_view path);
// Forward slashes throughout, as the server prints its paths.
std::string ToForwardSlashes(std::string_view path);
// Forward slashes, no trailing slash (except a bare root), for joining and comparing.
std::string Trimmed(std::string_view folder);
// folder/name; name unchanged when it is absolute.
std::string Join(std::string_view folder, std::string_view name);
std::string Folder(std::string_view path);    // everything before the last slash
std::string FileName(std::string_view path);  // everything after it
bool EqualNoCase(std::string_view a, std::string_view b);
bool HasWildcard(std::string_view name);
// '*' and '?' against a file name, without regard to case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// Resolves a path written in the configuration. Relative paths lie below the server
// folder; an absolute path below the ServerRoot the configuration declares (for example
// "C:/Apache24") is moved below the folder the server was actually found in, so a server
// folder copied elsewhere still reads its own files.
class CPathResolver {
public:
    explicit CPathResolver(std::string serverFolder);
    void SetDeclaredRoot(std::string_view declaredRoot);
    const std::string& ServerFolder() const { return m_folder; }
    const std::string& DeclaredRoot() const { return m_declaredRoot; }
    std::string Resolve(std::string_view written) const;

private:
    std::string m_folder;
    std::string m_declaredRoot;
};

}  // namespace confpath
