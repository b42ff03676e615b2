#pragma once
// What the search tests compare against: a search as plain as it can be written, and a
// text in a string that hands out readers to other threads as a file-backed text does,
// noting what was read.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "TextSearch.h"
#include "TextSource.h"

namespace tessaly::editor::test {

inline bool PlainWordByte(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

inline char PlainLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// FindInText's contract, one position after the other.
inline Pos PlainFind(const std::string& s, Pos from, Pos limit, const FindOptions& o)
{
    const Pos m = static_cast<Pos>(o.what.size());
    const Pos length = static_cast<Pos>(s.size());
    if (m == 0)
        return -1;
    from = std::clamp<Pos>(from, 0, length);
    limit = std::clamp<Pos>(limit, 0, length);
    const auto at = [&](Pos p) {
        for (Pos i = 0; i < m; ++i) {
            const char a = s[static_cast<std::size_t>(p + i)];
            const char b = o.what[static_cast<std::size_t>(i)];
            if (o.matchCase ? a != b : PlainLower(a) != PlainLower(b))
                return false;
        }
        if (!o.wholeWord)
            return true;
        if (p > 0 && PlainWordByte(s[static_cast<std::size_t>(p - 1)]))
            return false;
        return p + m >= length || !PlainWordByte(s[static_cast<std::size_t>(p + m)]);
    };
    if (o.down) {
        for (Pos p = from; p + m <= limit; ++p) {
            if (at(p))
                return p;
        }
    } else {
        for (Pos p = from - m; p >= limit; --p) {
            if (at(p))
                return p;
        }
    }
    return -1;
}

// A text in a string. It gives readers unless told not to, and notes the lowest and the
// highest byte read and every read; onRead, when set, is called before each read by a
// reader (from whichever thread reads).
class StringSource : public TextSource {
public:
    explicit StringSource(std::string text, bool readers = true) : m_text(std::move(text)), m_readers(readers) {}

    Pos Length() const override { return static_cast<Pos>(m_text.size()); }
    Pos LineCount() const override { return 1; }
    Pos LineStart(Pos line) const override { return line <= 0 ? 0 : Length(); }
    Pos LineFromPosition(Pos) const override { return 0; }
    void GetBytes(Pos pos, Pos n, char* out) const override
    {
        Note(pos, n);
        std::memcpy(out, m_text.data() + pos, static_cast<std::size_t>(n));
    }
    std::unique_ptr<TextReader> NewReader() const override
    {
        if (!m_readers)
            return nullptr;
        ++readersGiven;
        return std::make_unique<Reader>(*this);
    }

    void ForgetReads()
    {
        lowestRead = Length();
        highestRead = 0;
        reads = 0;
    }

    mutable std::atomic<Pos> lowestRead{1LL << 62};
    mutable std::atomic<Pos> highestRead{0};  // one past the highest byte read
    mutable std::atomic<int> reads{0};
    mutable std::atomic<int> readersGiven{0};
    mutable std::atomic<int> readersAlive{0};
    std::function<void(Pos pos, Pos n)> onRead;

private:
    class Reader : public TextReader {
    public:
        explicit Reader(const StringSource& source) : m_source(source) { ++m_source.readersAlive; }
        ~Reader() override { --m_source.readersAlive; }
        void Read(Pos pos, Pos n, char* out) override
        {
            if (m_source.onRead)
                m_source.onRead(pos, n);
            m_source.GetBytes(pos, n, out);
        }

    private:
        const StringSource& m_source;
    };

    void Note(Pos pos, Pos n) const
    {
        ++reads;
        Pos low = lowestRead;
        while (pos < low && !lowestRead.compare_exchange_weak(low, pos)) {
        }
        Pos high = highestRead;
        while (pos + n > high && !highestRead.compare_exchange_weak(high, pos + n)) {
        }
    }

    std::string m_text;
    bool m_readers;
};

// Sizes that put seams every few bytes: pieces, blocks and shares that do not divide
// one another, so that a share ends within a block.
inline SearchSizes TinySearchSizes()
{
    SearchSizes z;
    z.firstPiece = 8;
    z.block = 64;
    z.nearBytes = 100;
    z.sharedBytes = 300;
    z.shareBytes = 200;
    return z;
}

}  // namespace tessaly::editor::test
