#pragma once
// The lines of a data file that ships beside the binaries (the keyword script, the directive
// catalogue): a line ends at LF or CR LF, the end is not part of it, and a last line without
// an end counts too. Window-free and header-only, so that every library can read them alike.

#include <cstddef>
#include <string_view>

class DataLines {
public:
    explicit DataLines(std::string_view text) : m_text(text) {}

    // The next line; false after the last.
    bool Next(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

    // A line that carries no data: empty, or a comment ('#' first).
    static bool IsBlankOrComment(std::string_view line) { return line.empty() || line[0] == '#'; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};
