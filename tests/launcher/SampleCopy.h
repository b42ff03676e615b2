#pragma once
// A fresh copy of the repository's sample server folder for one test, below build/test-work.

#include <string>

// The copy's folder (backslashes, as Windows gives it); "" when it could not be made.
std::string CopySampleServer(const std::string& testName);
// Appends a line to a file of the copy, or replaces the file when append is false.
bool WriteServerFile(const std::string& server, const std::string& relative, const std::string& text, bool append);
// The path as the stand-in server prints it: forward slashes.
std::string Printed(const std::string& path);
