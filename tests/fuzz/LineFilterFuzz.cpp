// Filtering any bytes agrees with the plain filter: with pieces of a few bytes, an index that
// knows one line more each time it is asked, and the text's end appended only once the
// filter has gone over the rest (as in follow mode), with and without case, excluding or
// not, with every width of context.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FilterTestUtil.h"

using namespace tessaly::editor;
using namespace tessaly::editor::test;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Four bytes of settings, then what is typed (of the length they give), then the text.
    if (size < 4)
        return 0;
    const std::uint8_t flags = data[0];
    const std::size_t typed = data[1] % 12;
    if (size < 4 + typed)
        return 0;
    // With the small alphabet, matches, bars, escapes and line ends turn up often.
    static const char alphabet[] = "aAb|\\\r\n\0";
    std::string bytes(reinterpret_cast<const char*>(data) + 4, size - 4);
    if ((flags & 0x80) == 0) {
        for (char& c : bytes)
            c = alphabet[static_cast<unsigned char>(c) % 8];
    }
    LineFilterOptions o;
    o.text = bytes.substr(0, typed);
    o.matchCase = flags & 1;
    o.exclude = flags & 2;
    o.context = (flags >> 2) % 11;
    const std::string text = bytes.substr(typed);
    const std::size_t firstPart = text.size() * data[3] / 255;
    const Pos piece = 1 + data[2] % 16;

    GrowingText growing(text.substr(0, firstPart), flags & 0x40 ? 1 : 1 << 30);
    LineFilter filter(o);
    ShownLines shown;
    bool prefixOk = true;
    const std::string first = text.substr(0, firstPart);
    if (FilterInPieces(filter, growing, piece, shown, PlainFilter(first, o), prefixOk) != PlainFilter(first, o))
        std::abort();
    growing.Append(text.substr(firstPart));
    const std::vector<Pos> expected = PlainFilter(text, o);
    if (FilterInPieces(filter, growing, piece, shown, expected, prefixOk) != expected || !prefixOk)
        std::abort();
    return 0;
}
