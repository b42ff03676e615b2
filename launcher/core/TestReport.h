#pragma once
// How the Launcher answers a configuration test: it reads what the server printed and
// picks the code and the text it hands to the editor.

#include <string>
#include <string_view>

struct TestAnswer {
    unsigned code;     // LN_SYNTAX_ERROR, LN_STATUS_INFO or LN_STATUS_ERROR
    std::string text;  // for szText
};

// A syntax-error report becomes "Syntax error on line N of PATH:\nMESSAGE" for the file the
// error is in (the innermost of a chain of includes), which is what the editor reads to jump
// to the line. "Syntax OK" is passed on as it was printed; anything else is an error text.
// started: false when the server program could not be run at all.
TestAnswer AnswerForTestOutput(std::string_view output, bool started, std::string_view commandLine);
