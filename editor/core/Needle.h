#pragma once
// A literal looked for in blocks of bytes: two of its bytes are compared sixteen positions
// at a time, and only where both agree is the whole literal compared.
#include <cstddef>
#include <string>

namespace tessaly::editor {

struct FindOptions;

class Needle {
public:
    // The literal, case and whole words as the options ask; the direction plays no part.
    explicit Needle(const FindOptions& options);

    std::size_t Size() const { return m_what.size(); }

    // The first (lowest) or the last (highest) match that starts in [from, to) of the size
    // bytes at data and lies wholly within them; -1 when there is none. For whole words the
    // bytes just before and after a match are its neighbours, and the ends of data count as
    // the ends of the text.
    std::ptrdiff_t FindFirst(const char* data, std::size_t size, std::size_t from, std::size_t to) const;
    std::ptrdiff_t FindLast(const char* data, std::size_t size, std::size_t from, std::size_t to) const;
    // True when a match starts at `at`, by the same rules.
    bool MatchesAt(const char* data, std::size_t size, std::size_t at) const;

private:
    bool Filter(const char* at) const;

    std::string m_what;  // with letters in lower case when case does not matter
    bool m_matchCase;
    bool m_wholeWord;
    // The filter: the first and the last byte. A byte equals `value` once OR-ed with `fold`,
    // which is 0x20 for a letter whose case does not matter (it makes A and a alike), else 0.
    std::size_t m_lastAt;
    unsigned char m_firstValue = 0;
    unsigned char m_firstFold = 0;
    unsigned char m_lastValue = 0;
    unsigned char m_lastFold = 0;
};

}  // namespace tessaly::editor
