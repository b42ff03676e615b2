// Any bytes stored as a host's HostsOpt value or as a Browser%d value: decoding reads none
// past what was stored, and what decodes encodes to a value that decodes the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "BrowserRecords.h"
#include "HostOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);

    const hosts::HostOptions host = hosts::HostOptions::Decode(bytes);
    const hosts::HostOptions hostAgain = hosts::HostOptions::Decode(host.Encode());
    if (hostAgain.Flags() != host.Flags() || hostAgain.projectPath != host.projectPath ||
        host.projectPath.size() + 1 > (size == 0 ? 1 : size))
        std::abort();

    if (const auto browser = browsers::BrowserRecord::Decode(bytes)) {
        const auto encoded = browser->Encode();
        const auto again = browsers::BrowserRecord::Decode(encoded);
        if (!again || again->Encode() != encoded || encoded.size() > size + 1)
            std::abort();
    }

    for (const std::string& piece : hosts::SplitExtensions(std::string(bytes.begin(), bytes.end())))
        if (piece.find(',') != std::string::npos)
            std::abort();
    return 0;
}
