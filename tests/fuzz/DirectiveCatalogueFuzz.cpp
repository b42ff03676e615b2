// Any catalogue file: Scrivel's reader never crashes, takes it whole or not at all, and every
// directive it keeps can be found by its name and has a context.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "DirectiveCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    directives::Catalogue catalogue;
    const bool read = catalogue.ReadText(text);
    if (read == catalogue.Empty())
        std::abort();
    for (const directives::Directive& d : catalogue.All()) {
        if (d.contexts == 0 || !catalogue.Find(d.name) || text.find(d.syntax) == std::string_view::npos)
            std::abort();
    }
    return 0;
}
