#pragma once
// A fresh copy of the repository's sample server folder for one test, below build/test-work.

#include <gtest/gtest.h>

#include <string>

#include "RegistrySandbox.h"

// The copy's folder (backslashes, as Windows gives it); "" when it could not be made.
std::string CopySampleServer(const std::string& testName);
// Appends a line to a file of the copy, or replaces the file when append is false.
bool WriteServerFile(const std::string& server, const std::string& relative, const std::string& text, bool append);
// The path as the stand-in server prints it: forward slashes.
std::string Printed(const std::string& path);

// A test on its own copy of the sample server, named after the test.
class SampleServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server = CopySampleServer(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_FALSE(m_server.empty());
    }
    std::string m_server;
};

// The same, with the copy as the settings' server ("ApachePath") and nothing else set.
class SampleServerInSettingsTest : public SampleServerTest {
protected:
    void SetUp() override
    {
        SampleServerTest::SetUp();
        m_sandbox.Store().SetProfileString("Settings", "ApachePath", m_server.c_str());
    }
    CRegistrySandbox m_sandbox;
};
