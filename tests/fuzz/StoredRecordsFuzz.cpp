// Any bytes stored as the frame's placement or the documentation bar's state: decoding
// reads none past what was stored, and what decodes encodes back to the same fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "StoredRecords.h"

namespace {

template <typename Record>
void RoundTrip(const std::vector<std::uint8_t>& bytes)
{
    const std::optional<Record> decoded = Record::Decode(bytes);
    if (!decoded)
        return;
    if (bytes.size() < Record::kSize)
        std::abort();  // a shorter value reads as absent
    const auto encoded = decoded->Encode();
    const std::optional<Record> again = Record::Decode(std::vector<std::uint8_t>(encoded.begin(), encoded.end()));
    if (!again || again->Encode() != encoded)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    RoundTrip<PlacementRecord>(bytes);
    RoundTrip<BarStateRecord>(bytes);
    return 0;
}
