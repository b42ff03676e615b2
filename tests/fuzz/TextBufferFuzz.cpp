// Edits of every kind on a text of any bytes: the buffer keeps exactly the bytes a plain
// string would, and its line table agrees with a line-by-line count of them (CR, LF and
// CR LF ends, split and joined by the edits).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "LineEnds.h"
#include "TextBuffer.h"

using tessaly::editor::LineStartScanner;
using tessaly::editor::Pos;
using tessaly::editor::TextBuffer;

namespace {

std::vector<Pos> PlainLineStarts(const std::string& s)
{
    std::vector<Pos> starts{0};
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n')))
            starts.push_back(static_cast<Pos>(i + 1));
    }
    return starts;
}

void Check(const TextBuffer& buffer, const std::string& model)
{
    if (buffer.Length() != static_cast<Pos>(model.size()))
        std::abort();
    std::string bytes(model.size(), '\0');
    buffer.GetBytes(0, static_cast<Pos>(model.size()), bytes.data());
    if (bytes != model)
        std::abort();
    const std::vector<Pos> starts = PlainLineStarts(model);
    if (buffer.LineCount() != static_cast<Pos>(starts.size()))
        std::abort();
    for (std::size_t line = 0; line < starts.size(); ++line) {
        if (buffer.LineStart(static_cast<Pos>(line)) != starts[line])
            std::abort();
        if (buffer.LineFromPosition(starts[line]) != static_cast<Pos>(line))
            std::abort();
    }
}

// The scanner fed in pieces of the sizes the input gives finds the same starts.
void CheckScannerInPieces(const std::string& text, const std::uint8_t* sizes, std::size_t n)
{
    std::vector<Pos> found{0};
    LineStartScanner scanner(0);
    std::size_t at = 0;
    for (std::size_t i = 0; at < text.size(); ++i) {
        const std::size_t piece = std::min<std::size_t>(text.size() - at, n ? sizes[i % n] % 70 + 1 : text.size());
        scanner.Feed(text.data() + at, piece, found);
        at += piece;
    }
    scanner.Finish(found);
    if (found != PlainLineStarts(text))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first half is the starting text; the rest is a list of edits, four bytes each:
    // kind, where, how much, and which byte to insert.
    const std::size_t half = size / 2;
    std::string model(reinterpret_cast<const char*>(data), half);
    CheckScannerInPieces(model, data + half, size - half);
    TextBuffer buffer;
    if (!buffer.SetText(model))
        std::abort();
    Check(buffer, model);
    for (std::size_t i = half; i + 4 <= size; i += 4) {
        const std::size_t where = model.empty() ? 0 : data[i + 1] % (model.size() + 1);
        const std::size_t count = data[i + 2] % 9;
        const char byte = "\r\n\r\nab\t "[data[i + 3] % 8];
        if (data[i] % 2 == 0) {
            const std::string text(count, byte);
            if (!buffer.Insert(static_cast<Pos>(where), text))
                std::abort();
            model.insert(where, text);
        } else {
            const std::size_t n = std::min(count, model.size() - where);
            if (!buffer.Delete(static_cast<Pos>(where), static_cast<Pos>(n)))
                std::abort();
            model.erase(where, n);
        }
        Check(buffer, model);
    }
    return 0;
}
