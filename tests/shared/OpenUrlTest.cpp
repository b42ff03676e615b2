// Browser launching under Wine: the "http" class registered by the test points at the
// stand-in browser, which records the command line it gets, and a DDE server inside the
// test plays a running browser.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DdeClient.h"
#include "DdeTestServer.h"
#include "Handles.h"
#include "HttpClassSandbox.h"
#include "OpenUrl.h"

namespace {
constexpr char kCommandKey[] = "shell\\open\\command";
constexpr char kDdeExecKey[] = "shell\\open\\ddeexec";
constexpr char kApplicationKey[] = "shell\\open\\ddeexec\\application";
constexpr char kTopicKey[] = "shell\\open\\ddeexec\\topic";
constexpr char kService[] = "TessalyTestBrowser";
constexpr char kTopic[] = "WWW_OpenURL";
constexpr char kDdeTemplate[] = "\"%1\",,-1,0,,,,";

std::string Quoted(const std::string& text)
{
    return '"' + text + '"';
}

// The kernel handles this process holds, found by probing the handle values (Wine's
// GetProcessHandleCount always answers 0).
DWORD HandleCount()
{
    DWORD count = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

class OpenUrlTest : public ::testing::Test {
protected:
    void RegisterCommand(const std::string& command) { m_http.SetText(kCommandKey, command); }
    void RegisterDde(const std::string& service, const std::string& topic)
    {
        m_http.SetText(kDdeExecKey, kDdeTemplate);
        m_http.SetText(kApplicationKey, service);
        m_http.SetText(kTopicKey, topic);
    }
    // Opens `address` and returns the command line the stand-in browser received.
    std::string CommandLineFor(const std::string& address)
    {
        // The machine's own browser must never be started by a test.
        if (CHttpClassSandbox::Text(kCommandKey).find(m_recorder) == std::string::npos) {
            ADD_FAILURE() << "the stand-in browser is not the registered one";
            return std::string();
        }
        m_http.StartRecording(::testing::UnitTest::GetInstance()->current_test_info()->name());
        OpenUrl(address.c_str());
        std::string received;
        EXPECT_TRUE(m_http.WaitForRecord(received)) << "no browser was started";
        return received;
    }

    CHttpClassSandbox m_http;
    const std::string m_recorder = CHttpClassSandbox::RecorderPath();
};

// Every test starts without the machine's registration and ends with it back.
TEST(HttpClassSandboxTest, TheMachinesRegistrationIsPutAsideAndBack)
{
    const std::string machine = CHttpClassSandbox::Text(kCommandKey);
    {
        CHttpClassSandbox http;
        EXPECT_EQ(CHttpClassSandbox::Text(kCommandKey), "");
        http.SetText(kCommandKey, "b.exe");
        EXPECT_EQ(CHttpClassSandbox::Text(kCommandKey), "b.exe");
    }
    EXPECT_EQ(CHttpClassSandbox::Text(kCommandKey), machine);
}

TEST_F(OpenUrlTest, TheCommandLineIsBuiltFromTheRegisteredTemplate)
{
    RegisterCommand(Quoted(m_recorder) + " -nohome");
    EXPECT_EQ(CommandLineFor("http://example.org/"), Quoted(m_recorder) + " -nohome \"http://example.org/\"");

    RegisterCommand(Quoted(m_recorder) + " %1 -also %1");
    EXPECT_EQ(CommandLineFor("http://example.org/x"),
              Quoted(m_recorder) + " http://example.org/x -also http://example.org/x");
}

TEST_F(OpenUrlTest, AnAddressWithBlanksArrivesQuotedOnce)
{
    RegisterCommand(Quoted(m_recorder) + " \"%1\"");
    EXPECT_EQ(CommandLineFor("http://example.org/a b"), Quoted(m_recorder) + " \"http://example.org/a b\"");
    // Quoted by the caller, quoted for its blank and quoted by the template: still one pair.
    EXPECT_EQ(CommandLineFor("\"http://example.org/a b\""), Quoted(m_recorder) + " \"http://example.org/a b\"");

    RegisterCommand(Quoted(m_recorder));
    EXPECT_EQ(CommandLineFor("http://example.org/a b"), Quoted(m_recorder) + " \"http://example.org/a b\"");
}

TEST_F(OpenUrlTest, ABrowserAnsweringOnDdeGetsTheAddressAndNoProcessStarts)
{
    CDdeTestServer browser(kService, kTopic);
    ASSERT_TRUE(browser.IsRunning());
    RegisterCommand(Quoted(m_recorder) + " \"%1\"");
    RegisterDde(kService, kTopic);
    m_http.StartRecording("dde");
    const DWORD handles = HandleCount();

    OpenUrl("http://example.org/");

    ASSERT_EQ(browser.Executes().size(), 1u);
    EXPECT_EQ(browser.Executes()[0], std::string("\"http://example.org/\",,-1,0,,,,") + '\0');
    EXPECT_TRUE(m_http.NothingStarted());
    EXPECT_EQ(CDdeClient::InstanceId(), 0u) << "DDE is still initialised";
    EXPECT_EQ(HandleCount(), handles);
}

TEST_F(OpenUrlTest, WithoutAnAnsweringDdeServiceTheCommandLineIsUsed)
{
    CDdeTestServer browser(kService, kTopic);
    ASSERT_TRUE(browser.IsRunning());
    RegisterCommand(Quoted(m_recorder) + " \"%1\"");
    const std::string expected = Quoted(m_recorder) + " \"http://example.org/\"";

    RegisterDde("NoSuchBrowser", kTopic);  // nobody answers
    EXPECT_EQ(CommandLineFor("http://example.org/"), expected);

    RegisterDde(kService, kTopic);
    m_http.SetNumber(kApplicationKey, 7);  // not a string: an empty service, no conversation
    EXPECT_EQ(CommandLineFor("http://example.org/"), expected);

    RegisterDde(kService, kTopic);
    m_http.RemoveKey(kTopicKey);
    EXPECT_EQ(CommandLineFor("http://example.org/"), expected);  // no topic: no DDE at all

    EXPECT_EQ(browser.Connections(), 0);
    EXPECT_TRUE(browser.Executes().empty());
}

TEST_F(OpenUrlTest, WithoutACommandNothingHappensEvenWhenDdeIsOffered)
{
    CDdeTestServer browser(kService, kTopic);
    ASSERT_TRUE(browser.IsRunning());
    m_http.MakeKey(kCommandKey);
    RegisterDde(kService, kTopic);
    m_http.StartRecording("no-command");

    OpenUrl("http://example.org/");

    EXPECT_TRUE(browser.Executes().empty());
    EXPECT_TRUE(m_http.NothingStarted());
}

// The request gives up after 1000 ms. Ending the conversation afterwards waits under Wine
// until the busy server takes its messages again, so only the request itself is timed.
TEST_F(OpenUrlTest, ASlowDdeServerIsGivenUpOnAfterTheTimeOutAndCountsAsDone)
{
    CDdeTestServer browser(kService, kTopic);
    ASSERT_TRUE(browser.IsRunning());
    browser.SetAnswerDelay(2500);
    {
        CDdeClient client;
        ASSERT_TRUE(client.Initialize());
        ASSERT_TRUE(client.Connect(kService, kTopic));
        const DWORD start = ::GetTickCount();
        EXPECT_TRUE(client.Execute("[slow]"));
        const DWORD elapsed = ::GetTickCount() - start;
        EXPECT_GE(elapsed, 900u);
        EXPECT_LT(elapsed, 2000u) << "the request waited for the server's late answer";
    }

    RegisterCommand(Quoted(m_recorder) + " \"%1\"");
    RegisterDde(kService, kTopic);
    m_http.StartRecording("slow-dde");
    OpenUrl("http://example.org/");
    EXPECT_EQ(browser.Executes().size(), 2u);
    EXPECT_TRUE(m_http.NothingStarted());
    EXPECT_EQ(CDdeClient::InstanceId(), 0u);
}

TEST_F(OpenUrlTest, StartingABrowserLeavesNoHandleOpen)
{
    RegisterCommand(Quoted(m_recorder) + " \"%1\"");
    CommandLineFor("http://example.org/warm-up");  // the first start loads what stays loaded
    const DWORD handles = HandleCount();
    {
        CKernelHandle probe(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        ASSERT_EQ(HandleCount(), handles + 1) << "the handle count does not see new handles";
    }
    CommandLineFor("http://example.org/");
    EXPECT_EQ(HandleCount(), handles);
}

TEST_F(OpenUrlTest, AnAddressOpenedWhileAnotherClientHoldsDdeOpensNothingAndLeavesTheHolderAlone)
{
    CDdeTestServer browser(kService, kTopic);
    ASSERT_TRUE(browser.IsRunning());
    RegisterCommand(Quoted(m_recorder) + " \"%1\"");
    m_http.StartRecording("held");

    CDdeClient holder;
    ASSERT_TRUE(holder.Initialize());
    const DWORD instance = CDdeClient::InstanceId();
    OpenUrl("http://example.org/");
    {
        CDdeClient refused;
        EXPECT_FALSE(refused.Initialize());
    }

    EXPECT_TRUE(m_http.NothingStarted());
    EXPECT_EQ(CDdeClient::InstanceId(), instance);
    ASSERT_TRUE(holder.Connect(kService, kTopic)) << "the refused clients ended the holder's DDE";
    EXPECT_TRUE(holder.Execute("[still here]"));
    holder.Disconnect();
    EXPECT_EQ(browser.Executes().size(), 1u);
}
}  // namespace
