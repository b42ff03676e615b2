#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "StoredRecords.h"

namespace {

std::vector<std::uint8_t> Counting(std::size_t n)
{
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    return bytes;
}

// The record as stored and read back.
template <class Record>
std::optional<Record> RoundTrip(const Record& record)
{
    const auto encoded = record.Encode();
    return Record::Decode(std::vector<std::uint8_t>(encoded.begin(), encoded.end()));
}

}  // namespace

TEST(StoredRecords, PlacementShorterThan44BytesIsAbsent)
{
    EXPECT_FALSE(PlacementRecord::Decode({}).has_value());
    EXPECT_FALSE(PlacementRecord::Decode(Counting(43)).has_value());
    EXPECT_TRUE(PlacementRecord::Decode(Counting(44)).has_value());
}

TEST(StoredRecords, PlacementFieldsAreLittleEndianInStoredOrder)
{
    const auto r = PlacementRecord::Decode(Counting(44));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->length, 0x03020100);
    EXPECT_EQ(r->flags, 0x07060504);
    EXPECT_EQ(r->showCmd, 0x0B0A0908);
    EXPECT_EQ(r->minX, 0x0F0E0D0C);
    EXPECT_EQ(r->maxY, 0x1B1A1918);
    EXPECT_EQ(r->left, 0x1F1E1D1C);
    EXPECT_EQ(r->bottom, 0x2B2A2928);
}

TEST(StoredRecords, LongerPlacementReadsItsFirst44Bytes)
{
    auto bytes = Counting(60);
    const auto r = PlacementRecord::Decode(bytes);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->bottom, 0x2B2A2928);
}

TEST(StoredRecords, PlacementRoundTrip)
{
    const auto decoded =
        RoundTrip(PlacementRecord{.showCmd = 3, .minX = -32000, .left = 10, .top = 20, .right = 810, .bottom = 620});
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->length, 44);
    EXPECT_EQ(decoded->showCmd, 3);
    EXPECT_EQ(decoded->minX, -32000);
    EXPECT_EQ(decoded->right, 810);
    EXPECT_EQ(decoded->bottom, 620);
}

TEST(StoredRecords, BarStateNeeds48Bytes)
{
    EXPECT_FALSE(BarStateRecord::Decode(Counting(47)).has_value());
    const BarStateRecord b{.horzCx = 200, .vertCy = 400, .style = 0x1000, .right = 640, .floating = 1};
    const auto encoded = b.Encode();
    ASSERT_EQ(encoded.size(), 48u);
    EXPECT_EQ(encoded[24], 0x00);
    EXPECT_EQ(encoded[25], 0x10);
    EXPECT_EQ(encoded[44], 1);
    const auto decoded = RoundTrip(b);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->horzCx, 200);
    EXPECT_EQ(decoded->vertCy, 400);
    EXPECT_EQ(decoded->right, 640);
    EXPECT_EQ(decoded->floating, 1);
}
