// The Launcher's form against the C library's own scan of the same format, on generated
// texts: whatever the scan reads, the report reads the same.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "SyntaxReport.h"

namespace {

const std::vector<std::string> kBlanks = {"", " ", "  ", "\t", "\n", "\r\n", " \r\n\r\n ", "\v", "\f"};
const std::vector<std::string> kNumbers = {"12", "-3", "+4", "0", "007", "-", "x", "1x"};
const std::vector<std::string> kPaths = {"C:/Apache24/conf/httpd.conf",
                                         "C:/Program Files/a b/c.conf",
                                         "httpd.conf",
                                         ":",
                                         "c:\\x\\y.conf",
                                         "C:/a.conf  ",
                                         "of"};
const std::vector<std::string> kEnds = {"", ":", "::", ":\r", ": \r", ":\r\r"};
const std::vector<std::string> kMessages = {"Invalid command 'Foo'",      "x", "  padded", "of of", "a: b", "", "\r",
                                            "<Directory> was not closed."};

template <typename T>
const T& Pick(std::mt19937& rng, const std::vector<T>& from)
{
    return from[rng() % from.size()];
}

// Mostly reports close to the form, with the blanks, numbers and endings varied.
std::string Generate(std::mt19937& rng)
{
    std::string text = rng() % 10 == 0 ? " " : "";
    const char* words[] = {"Syntax", "error", "on", "line"};
    for (int i = 0; i < 4; ++i) {
        text += rng() % 12 == 0 ? "lime" : words[i];
        text += rng() % 3 == 0 ? Pick(rng, kBlanks) : " ";
    }
    text += Pick(rng, kNumbers);
    text += rng() % 3 == 0 ? Pick(rng, kBlanks) : " ";
    text += "of";
    text += rng() % 3 == 0 ? Pick(rng, kBlanks) : " ";
    text += Pick(rng, kPaths) + Pick(rng, kEnds);
    text += rng() % 2 == 0 ? "\n" : Pick(rng, kBlanks);
    text += Pick(rng, kMessages);
    if (rng() % 3 == 0)
        text += "\r\nmore text";
    return text;
}

std::string WithoutEnd(std::string s, const char* drop)
{
    while (!s.empty() && std::string(drop).find(s.back()) != std::string::npos)
        s.pop_back();
    return s;
}

}  // namespace

TEST(SyntaxReportScan, ReadsWhatTheScanFormatReads)
{
    std::mt19937 rng(20261208);
    int matched = 0;
    int unmatched = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string text = Generate(rng);
        int line = 0;
        char path[1024] = "";
        char message[1024] = "";
        const int fields =
            std::sscanf(text.c_str(), "Syntax error on line %d of %1023[^\n]\n%1023[^\n]", &line, path, message);
        const SyntaxReport report = ReadSyntaxReport(text, [](const std::string&) { return true; });
        if (fields == 3) {
            const std::string expectedPath = WithoutEnd(path, ":\r\n");
            if (expectedPath.find(": ") != std::string::npos)
                continue;  // a one-line report in the path: read as the server's form
            ++matched;
            EXPECT_EQ(report.hasLocation, !expectedPath.empty()) << text;
            if (!expectedPath.empty()) {
                EXPECT_EQ(report.path, expectedPath) << text;
                EXPECT_EQ(report.line, line) << text;
            }
            EXPECT_EQ(report.message, WithoutEnd(message, "\r")) << text;
        } else if (text.find("Syntax error on line ") == std::string::npos) {
            ++unmatched;
            EXPECT_FALSE(report.hasLocation) << text;
            EXPECT_EQ(report.message, text);
        }
    }
    EXPECT_GT(matched, 2000);
    EXPECT_GT(unmatched, 2000);
}
