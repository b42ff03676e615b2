#include "ConfPath.h"

#include <cctype>

namespace confpath {

namespace {

bool IsSlash(char c)
{
    return c == '/' || c == '\\';
}

// ASCII only, as std::tolower does in the "C" locale the programs run in, without its call
// for every byte of every name compared.
char Fold(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsAbsolute(std::string_view path)
{
    if (!path.empty() && IsSlash(path[0]))
        return true;
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::string ToForwardSlashes(std::string_view path)
{
    std::string out(path);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

std::string Trimmed(std::string_view folder)
{
    std::string out = ToForwardSlashes(folder);
    while (out.size() > 1 && out.back() == '/' && !(out.size() == 3 && out[1] == ':'))
        out.pop_back();
    return out;
}

std::string Join(std::string_view folder, std::string_view name)
{
    if (IsAbsolute(name) || folder.empty())
        return ToForwardSlashes(name);
    std::string out = Trimmed(folder);
    if (out.back() != '/')
        out += '/';
    std::string_view rest = name;
    while (rest.size() >= 2 && rest[0] == '.' && IsSlash(rest[1]))
        rest.remove_prefix(2);
    out += ToForwardSlashes(rest);
    return out;
}

std::string Folder(std::string_view path)
{
    const auto pos = path.find_last_of("/\\");
    return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos));
}

std::string FileName(std::string_view path)
{
    const auto pos = path.find_last_of("/\\");
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

bool HasWildcard(std::string_view name)
{
    return name.find_first_of("*?") != std::string_view::npos;
}

bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    // Iterative matcher with one back-track point for the last '*'.
    std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

CPathResolver::CPathResolver(std::string serverFolder) : m_folder(Trimmed(serverFolder)) {}

void CPathResolver::SetDeclaredRoot(std::string_view declaredRoot)
{
    m_declaredRoot = Trimmed(declaredRoot);
}

std::string CPathResolver::Resolve(std::string_view written) const
{
    const std::string path = ToForwardSlashes(written);
    if (!IsAbsolute(path))
        return Join(m_folder, path);
    const std::size_t n = m_declaredRoot.size();
    if (n > 0 && path.size() >= n && EqualNoCase(std::string_view(path).substr(0, n), m_declaredRoot) &&
        (path.size() == n || path[n] == '/'))
        return m_folder + path.substr(n);
    return path;
}

}  // namespace confpath
