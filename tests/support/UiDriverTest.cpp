#include <gtest/gtest.h>

#include <string>

#include "ChildProcess.h"
#include "PngWriter.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace {

class UiDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(probe.Start(testpaths::Join(testpaths::TestBinDir(), "LauncherProbe.exe"), "window"));
        frame = ui::WaitForTopLevel(probe.Id(), nullptr, "Probe", 10000);
        ASSERT_NE(frame, nullptr);
    }

    CChildProcess probe;
    HWND frame = nullptr;
};

}  // namespace

TEST_F(UiDriverTest, FindsControlsByClassIdAndText)
{
    HWND button = ui::FindChild(frame, "Button", 100);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ui::TextOf(button), "Press");
    EXPECT_EQ(ui::FindChild(frame, nullptr, -1, "Press"), button);
    EXPECT_EQ(ui::FindChild(frame, "Button", 999), nullptr);
    EXPECT_EQ(ui::FindChildren(frame, "Edit").size(), 1u);
    EXPECT_TRUE(ui::IsEnabled(button));
}

TEST_F(UiDriverTest, TypesIntoAnotherProcessesEdit)
{
    HWND edit = ui::FindChild(frame, "Edit", 101);
    ASSERT_NE(edit, nullptr);
    ui::PostText(edit, "Listen 8080");
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(edit) == "Listen 8080"; }, 5000));
}

TEST_F(UiDriverTest, ClickingTheButtonReachesTheProgram)
{
    ASSERT_TRUE(ui::Click(ui::FindChild(frame, "Button", 100)));
    EXPECT_EQ(probe.Wait(10000), 7);
}

TEST_F(UiDriverTest, SavesThePictureOfAWindow)
{
    ASSERT_TRUE(ui::WaitUntil([&] { return ::IsWindowVisible(frame) != FALSE; }, 5000));
    const std::string path = SaveWindowPng(frame, "ui-driver-probe");
    ASSERT_FALSE(path.empty());
    std::string bytes;
    ASSERT_TRUE(testpaths::ReadTextFile(path, bytes));
    RECT rect;
    ::GetWindowRect(frame, &rect);
    const auto expected =
        png::Encode(rect.right - rect.left, rect.bottom - rect.top,
                    std::vector<std::uint8_t>((rect.right - rect.left) * (rect.bottom - rect.top) * 3));
    EXPECT_EQ(bytes.size(), expected.size());  // stored blocks: the size follows from the dimensions
    EXPECT_EQ(bytes.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
}
