// The HTML Help loader under Wine: which engine it loads for each state of the engine's
// class registration, and that the help call reaches the engine's HtmlHelpA (the stand-in
// records what it was asked).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "DefaultValueKeeper.h"
#include "HtmlHelpLoader.h"
#include "SettingsSchema.h"
#include "TestPaths.h"

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class HtmlHelpLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ::DeleteFileA(m_calls.c_str()); }
    void TearDown() override { ::DeleteFileA(m_calls.c_str()); }

    std::string Calls()
    {
        std::string text;
        testpaths::ReadTextFile(m_calls, text);
        return text;
    }

    const std::string m_standIn = testpaths::Join(testpaths::TestBinDir(), "FakeHtmlHelp.dll");
    const std::string m_calls = testpaths::Join(testpaths::TestBinDir(), "help-calls.txt");
    // The engine's class registration, given a chosen state by each test and put back afterwards.
    CDefaultValueKeeper m_registration{settings::kHtmlHelpServerKey};
};

TEST_F(HtmlHelpLoaderTest, TheRegisteredEngineIsLoadedAndAskedForTheTopic)
{
    m_registration.SetText(m_standIn);
    CHtmlHelpEngine engine = CHtmlHelpEngine::Load();
    ASSERT_TRUE(engine.IsLoaded());
    EXPECT_EQ(Lower(engine.Path()), Lower(m_standIn));
    engine.HtmlHelp(nullptr, "C:\\Help\\Tessaly.chm::/editor_home.htm", kHtmlHelpDisplayTopic, 7);
    EXPECT_NE(Calls().find("|C:\\Help\\Tessaly.chm::/editor_home.htm|0|7\n"), std::string::npos) << Calls();
}

TEST_F(HtmlHelpLoaderTest, AnUnusableRegistrationFallsBackToThePlainName)
{
    m_registration.SetText(testpaths::Join(testpaths::TestBinDir(), "no-such-engine.ocx"));
    EXPECT_TRUE(EndsWith(Lower(CHtmlHelpEngine::Load().Path()), "\\hhctrl.ocx"));

    m_registration.SetNumber(1);
    EXPECT_TRUE(EndsWith(Lower(CHtmlHelpEngine::Load().Path()), "\\hhctrl.ocx"));

    m_registration.SetText("");
    EXPECT_TRUE(EndsWith(Lower(CHtmlHelpEngine::Load().Path()), "\\hhctrl.ocx"));

    m_registration.RemoveKey();
    EXPECT_TRUE(EndsWith(Lower(CHtmlHelpEngine::Load().Path()), "\\hhctrl.ocx"));
}

TEST_F(HtmlHelpLoaderTest, AnEngineWithoutTheHelpEntryAnswersNothing)
{
    // A library that loads but exports no HtmlHelpA, neither by name nor by ordinal 14.
    m_registration.SetText(testpaths::Join(testpaths::TestBinDir(), "SharedHelpTest.exe"));
    CHtmlHelpEngine engine = CHtmlHelpEngine::Load();
    ASSERT_TRUE(engine.IsLoaded());
    EXPECT_EQ(engine.HtmlHelp(nullptr, "x.chm", kHtmlHelpDisplayTopic, 0), nullptr);
    EXPECT_EQ(Calls(), "");
}

TEST_F(HtmlHelpLoaderTest, TheProcessKeepsTheEngineItLoadedFirst)
{
    m_registration.SetText(m_standIn);
    CallHtmlHelp(nullptr, "first.chm::/log_viewer.htm", kHtmlHelpDisplayTopic, 0);
    m_registration.SetText(testpaths::Join(testpaths::TestBinDir(), "no-such-engine.ocx"));
    CallHtmlHelp(nullptr, "second.chm::/log_viewer.htm", kHtmlHelpDisplayTopic, 0);
    const std::string calls = Calls();
    EXPECT_NE(calls.find("|first.chm::/log_viewer.htm|0|0\n"), std::string::npos) << calls;
    EXPECT_NE(calls.find("|second.chm::/log_viewer.htm|0|0\n"), std::string::npos) << calls;
}

}  // namespace
