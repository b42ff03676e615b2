#include <gtest/gtest.h>

#include <cstring>

#include "PngWriter.h"

namespace {

std::uint32_t Be32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Walks the chunks, checks every CRC and collects IDAT's zlib stream.
std::vector<std::uint8_t> CheckChunks(const std::vector<std::uint8_t>& file, int& width, int& height)
{
    std::vector<std::uint8_t> zlib;
    std::size_t pos = 8;
    bool ended = false;
    while (pos + 12 <= file.size()) {
        const std::uint32_t length = Be32(&file[pos]);
        const std::string type(reinterpret_cast<const char*>(&file[pos + 4]), 4);
        EXPECT_EQ(png::Crc32(&file[pos + 4], 4 + length), Be32(&file[pos + 8 + length])) << type;
        if (type == "IHDR") {
            width = static_cast<int>(Be32(&file[pos + 8]));
            height = static_cast<int>(Be32(&file[pos + 12]));
        } else if (type == "IDAT") {
            zlib.insert(zlib.end(), &file[pos + 8], &file[pos + 8] + length);
        } else if (type == "IEND") {
            ended = true;
        }
        pos += 12 + length;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(pos, file.size());
    return zlib;
}

// Unpacks a zlib stream made of stored blocks, checking each block's length pair and the Adler sum.
std::vector<std::uint8_t> Unstore(const std::vector<std::uint8_t>& z)
{
    std::vector<std::uint8_t> raw;
    std::size_t pos = 2;
    for (;;) {
        const bool last = z[pos] & 1;
        const unsigned n = z[pos + 1] | z[pos + 2] << 8;
        const unsigned check = z[pos + 3] | z[pos + 4] << 8;
        EXPECT_EQ(n ^ 0xFFFFu, check);
        raw.insert(raw.end(), &z[pos + 5], &z[pos + 5] + n);
        pos += 5 + n;
        if (last)
            break;
    }
    EXPECT_EQ(Be32(&z[pos]), png::Adler32(raw.data(), raw.size()));
    return raw;
}

}  // namespace

TEST(PngWriter, ChecksumsMatchKnownValues)
{
    const std::uint8_t iend[] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(png::Crc32(iend, 4), 0xAE426082u);
    const char* wiki = "Wikipedia";
    EXPECT_EQ(png::Adler32(reinterpret_cast<const std::uint8_t*>(wiki), std::strlen(wiki)), 0x11E60398u);
}

TEST(PngWriter, PixelsSurviveEncodingAcrossSeveralBlocks)
{
    const int width = 300, height = 100;  // 90,100 bytes of rows: two stored blocks
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 13);

    const auto file = png::Encode(width, height, rgb);
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    int w = 0, h = 0;
    const auto raw = Unstore(CheckChunks(file, w, h));
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    ASSERT_EQ(raw.size(), static_cast<std::size_t>(height) * (width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = &raw[static_cast<std::size_t>(y) * (width * 3 + 1)];
        EXPECT_EQ(row[0], 0);
        EXPECT_EQ(std::memcmp(row + 1, &rgb[static_cast<std::size_t>(y) * width * 3], width * 3), 0) << y;
    }
}

TEST(PngWriter, RefusesPixelsThatDoNotMatchTheSize)
{
    EXPECT_TRUE(png::Encode(2, 2, std::vector<std::uint8_t>(11)).empty());
    EXPECT_TRUE(png::Encode(0, 2, {}).empty());
}
