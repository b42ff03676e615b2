// Finding text in any bytes agrees with the plain search: with the pieces, blocks and shares
// of a long search made small, each input crosses many of their seams, with a second thread
// and without, in both directions, with and without case and whole words.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "SearchTestUtil.h"
#include "TextSearch.h"

using tessaly::editor::FindInText;
using tessaly::editor::FindOptions;
using tessaly::editor::MatchesAt;
using tessaly::editor::Pos;
using tessaly::editor::SearchSizes;
using tessaly::editor::test::PlainFind;
using tessaly::editor::test::StringSource;
using tessaly::editor::test::TinySearchSizes;

namespace {

// With the small alphabet, matches, near misses in the other case, word edges and line
// ends turn up often; without it, every byte can.
std::string Bytes(const std::uint8_t* data, std::size_t n, bool smallAlphabet)
{
    static const char alphabet[] = "aAbB_ \r\xE9";
    std::string s(reinterpret_cast<const char*>(data), n);
    if (smallAlphabet) {
        for (char& c : s)
            c = alphabet[static_cast<unsigned char>(c) % 8];
    }
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Five bytes of settings, then the needle (of the length they give), then the text.
    if (size < 5)
        return 0;
    const std::uint8_t flags = data[0];
    const std::size_t m = 1 + data[1] % 8;
    if (size < 5 + m)
        return 0;
    const bool smallAlphabet = (flags & 0x80) == 0;
    FindOptions o;
    o.what = Bytes(data + 5, m, smallAlphabet);
    o.matchCase = flags & 1;
    o.wholeWord = flags & 2;
    o.down = flags & 4;
    const std::string text = Bytes(data + 5 + m, size - 5 - m, smallAlphabet);
    const Pos length = static_cast<Pos>(text.size());
    // Anywhere, and a little beyond either end.
    const Pos from = length * data[2] / 240 - 2;
    const Pos limit = length * data[3] / 240 - 2;
    SearchSizes sizes = TinySearchSizes();
    sizes.block = 1 + data[4] % 97;
    sizes.shareBytes = 1 + data[4] / 2;
    const StringSource source(text, flags & 8);
    const Pos found = FindInText(source, from, limit, o, {}, sizes);
    if (found != PlainFind(text, from, limit, o))
        std::abort();
    if (found >= 0 && !MatchesAt(source, found, o))
        std::abort();
    return 0;
}
