#pragma once
// The product and version a binary's version resource names ("Tessaly 1.0.0"), for the
// About box: the tools beside the Launcher say which release they are.

#include <string>

// "" when the file is missing or has no version resource.
std::string ProductVersionOf(const std::string& path);
