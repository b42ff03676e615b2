// The window-free rules of the Hosts and projects and Browsers pages: the extension list's
// pieces, the HostsOpt and Browser%d values (damaged ones read within their bytes), what
// "..." makes of a chosen file and how the default browser follows the list.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BrowserRecords.h"
#include "HostOptions.h"

namespace {
std::vector<std::uint8_t> Bytes(const std::string& s)
{
    return {s.begin(), s.end()};
}
}  // namespace

TEST(ProjectExtensions, PiecesAreKeptAsWrittenAndOnlyATrailingCommaAddsNone)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(hosts::SplitExtensions("htm,php"), (V{"htm", "php"}));
    EXPECT_EQ(hosts::SplitExtensions("a,,b,"), (V{"a", "", "b"}));
    EXPECT_EQ(hosts::SplitExtensions("prj, htm"), (V{"prj", " htm"}));
    EXPECT_EQ(hosts::SplitExtensions(""), V{});
    EXPECT_EQ(hosts::SplitExtensions(","), V{""});
}

TEST(HostOptionsValue, RoundTripsAndReadsDamagedValuesWithinTheirBytes)
{
    hosts::HostOptions manual;
    manual.showHost = false;
    manual.automatic = false;
    manual.projectPath = "C:\\www\\a.prj";
    const auto bytes = manual.Encode();
    ASSERT_EQ(bytes.size(), manual.projectPath.size() + 2);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes.back(), 0);
    const auto back = hosts::HostOptions::Decode(bytes);
    EXPECT_TRUE(back.showProject);
    EXPECT_FALSE(back.showHost);
    EXPECT_FALSE(back.automatic);
    EXPECT_EQ(back.projectPath, manual.projectPath);

    EXPECT_TRUE(hosts::HostOptions::Decode({}).AllFlagsSet()) << "an empty value reads as absent";
    const auto oneByte = hosts::HostOptions::Decode({0x02});
    EXPECT_EQ(oneByte.Flags(), 0x02);
    EXPECT_EQ(oneByte.projectPath, "");
    const auto noNul = hosts::HostOptions::Decode(Bytes("\xF8x.prj"));
    EXPECT_EQ(noNul.Flags(), 0) << "bits above the three are ignored";
    EXPECT_EQ(noNul.projectPath, "x.prj");
}

TEST(BrowserValue, RoundTripsAndADamagedValueReadsAsNothing)
{
    const browsers::BrowserRecord opera{"Opera", "C:\\Opera\\opera.exe", "opera", true};
    const auto bytes = opera.Encode();
    EXPECT_EQ(bytes, Bytes(std::string("Opera\0C:\\Opera\\opera.exe\0opera\0\1", 32)));
    const auto back = browsers::BrowserRecord::Decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Encode(), bytes);

    EXPECT_FALSE(browsers::BrowserRecord::Decode(Bytes(std::string("a\0b", 3))));
    EXPECT_FALSE(browsers::BrowserRecord::Decode({}));
    const auto noDdeByte = browsers::BrowserRecord::Decode(Bytes(std::string("a\0b\0c\0", 6)));
    ASSERT_TRUE(noDdeByte);
    EXPECT_EQ(noDdeByte->service, "c");
    EXPECT_FALSE(noDdeByte->useDde);
}

TEST(ChooseBrowserFile, KnownBrowsersNotepadAndOtherFiles)
{
    const auto opera = browsers::DescribeChosenFile("C:/Progs/OPERA.EXE", "", false);
    EXPECT_EQ(opera.path, "C:\\Progs\\OPERA.EXE");
    EXPECT_EQ(opera.label, "Opera");
    EXPECT_EQ(opera.service, "opera");
    EXPECT_TRUE(opera.useDde);

    const auto viewer = browsers::DescribeChosenFile("C:\\v.1\\viewer.exe", "keep", true);
    EXPECT_EQ(viewer.label, "viewer");
    EXPECT_EQ(viewer.service, "keep");
    EXPECT_TRUE(viewer.useDde);

    const auto notepad = browsers::DescribeChosenFile("C:\\Windows\\NotePad.exe", "x", true);
    EXPECT_EQ(notepad.label, "Cool browser!");
    EXPECT_EQ(notepad.service, "");
    EXPECT_FALSE(notepad.useDde);

    EXPECT_EQ(browsers::DescribeChosenFile("C:\\bin\\run", "", false).label, "run");
}

TEST(DefaultBrowserIndex, FollowsRemoveMovesAndSaving)
{
    EXPECT_EQ(browsers::DefaultAfterRemove(2, 2, 3), 0) << "the default removed: the first";
    EXPECT_EQ(browsers::DefaultAfterRemove(2, 0, 3), 1);
    EXPECT_EQ(browsers::DefaultAfterRemove(1, 2, 2), 1);
    EXPECT_EQ(browsers::DefaultAfterRemove(0, 0, 0), -1);
    EXPECT_EQ(browsers::DefaultAfterMoveUp(2, 2), 1);
    EXPECT_EQ(browsers::DefaultAfterMoveUp(1, 2), 2);
    EXPECT_EQ(browsers::DefaultAfterMoveUp(0, 2), 0);
    EXPECT_EQ(browsers::DefaultAfterMoveDown(1, 1), 2);
    EXPECT_EQ(browsers::DefaultAfterMoveDown(2, 1), 1);

    EXPECT_EQ(browsers::StoredDefaultIndex(2, {true, false, true}), 1) << "the same browser";
    EXPECT_EQ(browsers::StoredDefaultIndex(1, {true, false, true}), 0) << "a dropped default: the first";
    EXPECT_EQ(browsers::StoredDefaultIndex(5, {true, true}), 0);
    EXPECT_EQ(browsers::StoredDefaultIndex(-1, {true}), 0) << "stored browsers always have a default";
    EXPECT_EQ(browsers::StoredDefaultIndex(0, {false}), -1);
}
