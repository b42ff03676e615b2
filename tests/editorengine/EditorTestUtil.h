#pragma once
// Helpers shared by the editor engine's tests: temporary folders, file bytes, and a
// plain model of line starts to compare the engine against.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "EditorTypes.h"
#include "TextSource.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tessaly::editor::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        m_path =
            std::filesystem::temp_directory_path() / ("tessaly-editor-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void AppendBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The folder of the running test program, where the build puts the keyword script.
inline std::filesystem::path TestBinaryDir()
{
#if defined(_WIN32)
    char name[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, name, MAX_PATH);
    return std::filesystem::path(std::string(name, n)).parent_path();
#else
    return std::filesystem::canonical("/proc/self/exe").parent_path();
#endif
}

// Line starts as plainly as they can be computed: after LF, after CR LF, after a lone CR.
inline std::vector<Pos> NaiveLineStarts(const std::string& s)
{
    std::vector<Pos> starts{0};
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n')
            starts.push_back(static_cast<Pos>(i + 1));
        else if (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'))
            starts.push_back(static_cast<Pos>(i + 1));
    }
    return starts;
}

inline std::vector<Pos> SourceLineStarts(const TextSource& t)
{
    std::vector<Pos> starts;
    for (Pos i = 0; i < t.LineCount(); ++i)
        starts.push_back(t.LineStart(i));
    return starts;
}

// Text of random lines with every kind of line end, NULs and long lines.
inline std::string RandomText(std::mt19937& rng, std::size_t lines)
{
    static const char* const ends[] = {"\n", "\r\n", "\r", "\n\r"};
    std::string s;
    for (std::size_t i = 0; i < lines; ++i) {
        const std::size_t length = rng() % 8 == 0 ? rng() % 200 : rng() % 20;
        for (std::size_t j = 0; j < length; ++j) {
            const unsigned r = rng() % 64;
            s += r == 0 ? '\0' : r == 1 ? '\t' : static_cast<char>('a' + r % 26);
        }
        if (rng() % 10 != 0 || i + 1 < lines)
            s += ends[rng() % 4];
    }
    return s;
}

}  // namespace tessaly::editor::test
