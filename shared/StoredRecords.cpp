#include "StoredRecords.h"

namespace {

std::int32_t ReadLe32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                     std::uint32_t{p[3]} << 24);
}

void WriteLe32(std::uint8_t* p, std::int32_t value)
{
    auto v = static_cast<std::uint32_t>(value);
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// Fields in stored order, so that decoding and encoding cannot disagree.
template <typename Visit>
void ForEachField(PlacementRecord& r, Visit visit)
{
    for (std::int32_t* f :
         {&r.length, &r.flags, &r.showCmd, &r.minX, &r.minY, &r.maxX, &r.maxY, &r.left, &r.top, &r.right, &r.bottom})
        visit(*f);
}

template <typename Visit>
void ForEachField(BarStateRecord& r, Visit visit)
{
    for (std::int32_t* f : {&r.horzCx, &r.horzCy, &r.vertCx, &r.vertCy, &r.floatCx, &r.floatCy, &r.style, &r.left,
                            &r.top, &r.right, &r.bottom, &r.floating})
        visit(*f);
}

template <typename Record>
std::optional<Record> DecodeRecord(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < Record::kSize)
        return std::nullopt;
    Record r;
    const std::uint8_t* p = bytes.data();
    ForEachField(r, [&p](std::int32_t& field) {
        field = ReadLe32(p);
        p += 4;
    });
    return r;
}

template <typename Record>
std::array<std::uint8_t, Record::kSize> EncodeRecord(Record r)
{
    std::array<std::uint8_t, Record::kSize> out{};
    std::uint8_t* p = out.data();
    ForEachField(r, [&p](std::int32_t& field) {
        WriteLe32(p, field);
        p += 4;
    });
    return out;
}

}  // namespace

std::optional<PlacementRecord> PlacementRecord::Decode(const std::vector<std::uint8_t>& bytes)
{
    return DecodeRecord<PlacementRecord>(bytes);
}

std::array<std::uint8_t, PlacementRecord::kSize> PlacementRecord::Encode() const
{
    return EncodeRecord(*this);
}

std::optional<BarStateRecord> BarStateRecord::Decode(const std::vector<std::uint8_t>& bytes)
{
    return DecodeRecord<BarStateRecord>(bytes);
}

std::array<std::uint8_t, BarStateRecord::kSize> BarStateRecord::Encode() const
{
    return EncodeRecord(*this);
}
