#pragma once
// How the Launcher answers a configuration test: it reads what the server printed and
// picks the code and the text it hands to the editor.

#include <cstddef>
#include <string>
#include <string_view>

#include "LauncherLink.h"

struct TestAnswer {
    unsigned code;     // LN_SYNTAX_ERROR, LN_STATUS_INFO or LN_STATUS_ERROR
    std::string text;  // for szText
};

// Output that holds a syntax-error report is handed to the editor as the server printed it
// (the editor reads the servers' own forms), without surrounding blank lines; when it does
// not fit `room` characters, it starts at the line of the report and is cut to fit.
// "Syntax OK" is passed on as it was printed; anything else is an error text.
// started: false when the server program could not be run at all.
TestAnswer AnswerForTestOutput(std::string_view output, bool started, std::string_view commandLine,
                               std::size_t room = kSharedTextSize - 1);
