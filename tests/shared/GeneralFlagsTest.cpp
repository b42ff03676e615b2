#include <gtest/gtest.h>

#include "GeneralFlags.h"

using namespace general;

namespace {

// Bits 0..31 that are set in mask.
std::uint32_t Bits(std::initializer_list<int> bits)
{
    std::uint32_t mask = 0;
    for (int b : bits)
        mask |= Bit(b);
    return mask;
}

}  // namespace

TEST(GeneralFlags, DefaultWordMeansWhatTheTreeSays)
{
    const std::uint32_t d = settings::kGeneralDefault;
    EXPECT_EQ(d, 518521u);
    EXPECT_EQ(GetShutdownMode(d), ShutdownMode::Ask);
    EXPECT_TRUE(Has(d, kTestBeforeStart));
    EXPECT_TRUE(Has(d, kTestBeforeShutdown));
    EXPECT_TRUE(Has(d, kRestartAfterChange));
    EXPECT_TRUE(Has(d, kStartWithLauncher));
    EXPECT_FALSE(Has(d, kUseApacheExe));
    EXPECT_TRUE(Has(d, kHideConsole));
    EXPECT_FALSE(Has(d, kShowSplash));
    EXPECT_TRUE(Has(d, kUpdateHostsFile));
    EXPECT_TRUE(Has(d, kShowShutdownInfo));
    EXPECT_TRUE(Has(d, kShowTooltips));
    EXPECT_TRUE(Has(d, kEnableMenuHotkey));
    EXPECT_TRUE(Has(d, kSortHostsRead));
    EXPECT_TRUE(Has(d, kSortHostsWritten));
    EXPECT_TRUE(Has(d, kEnableViewHost));
    EXPECT_FALSE(Has(d, kEnableOpenProject));
}

TEST(GeneralFlags, OtherPageSaveLeavesEveryOtherWritersBitsAlone)
{
    const std::uint32_t untouched = Bits({0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 16, 17, 18, 19});
    for (std::uint32_t stored : {0u, 0xFFFFFFFFu, settings::kGeneralDefault, 0x5A5A5A5Au}) {
        for (std::uint32_t page : {0u, 0xFFFFFFFFu}) {
            const std::uint32_t merged = MergeBits(stored, kOtherPageBits, page);
            EXPECT_EQ(merged & untouched, stored & untouched);
            EXPECT_EQ(merged & kOtherPageBits, page & kOtherPageBits);
        }
    }
}

TEST(GeneralFlags, GeneralPageSaveLeavesBits5And10And13To19Alone)
{
    const std::uint32_t untouched = Bits({5, 10, 13, 14, 15, 16, 17, 18, 19});
    for (std::uint32_t stored : {0u, 0xFFFFFFFFu, settings::kGeneralDefault}) {
        const std::uint32_t merged = MergeBits(stored, kGeneralPageBits, ~stored);
        EXPECT_EQ(merged & untouched, stored & untouched);
        EXPECT_EQ(merged & kGeneralPageBits, ~stored & kGeneralPageBits);
    }
}

TEST(GeneralFlags, SortFlagIsWrittenToBothCopies)
{
    const std::uint32_t cleared = WithSortHosts(settings::kGeneralDefault, false);
    EXPECT_FALSE(Has(cleared, kSortHostsRead));
    EXPECT_FALSE(Has(cleared, kSortHostsWritten));
    EXPECT_EQ(cleared | kSortHostsRead | kSortHostsWritten, settings::kGeneralDefault);

    const std::uint32_t set = WithSortHosts(0, true);
    EXPECT_EQ(set, kSortHostsRead | kSortHostsWritten);
}

TEST(GeneralFlags, ShutdownModeReplacesOnlyBits0And1)
{
    const std::uint32_t word = WithShutdownMode(0xFFFFFFFFu, ShutdownMode::Shutdown);
    EXPECT_EQ(word, 0xFFFFFFFCu);
    EXPECT_EQ(GetShutdownMode(WithShutdownMode(word, ShutdownMode::LeaveRunning)), ShutdownMode::LeaveRunning);
}
