#pragma once
// Building the command line that opens a web address with a registered shell command:
// the address quoted when it holds a blank, put in place of every "%1" (or appended in
// quotes), and runs of double quotes collapsed to one.

#include <string>

namespace browser {

// The address in double quotes when it contains a blank, else unchanged.
std::string QuoteAddress(const std::string& address);

// Every "%1" of `text` replaced by `address`; an address that itself holds "%1" is not
// substituted again.
std::string ReplacePlaceholder(const std::string& text, const std::string& address);

// Every pair of adjacent double quotes replaced by one, pass after pass, until none is left.
std::string CollapseQuotes(std::string text);

// The command line for `commandTemplate` and an (already quoted) address.
std::string BuildCommandLine(const std::string& commandTemplate, const std::string& quotedAddress);

}  // namespace browser
