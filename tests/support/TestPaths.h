#pragma once
// Where an end-to-end test finds things: test programs run from build/test-bin, the shipped
// binaries are in build/bin, and what tests write goes below build/.

#include <cstdint>
#include <string>

namespace testpaths {

std::string TestBinDir();     // folder of the running test program
std::string BinDir();         // the shipped binaries, as a user installs them
std::string BuildDir();       // the build tree
std::string ScreenshotDir();  // build/screenshots, created on demand
// A fresh, empty folder below build/test-work for one test.
std::string MakeWorkDir(const std::string& name);
std::string Join(const std::string& folder, const std::string& name);

bool WriteTextFile(const std::string& path, const std::string& content);
bool ReadTextFile(const std::string& path, std::string& content);
// The file's content; empty when it cannot be read.
std::string FileText(const std::string& path);
// The size of a file in bytes; ~0 when it does not exist.
std::uint64_t FileSize(const std::string& path);

}  // namespace testpaths
