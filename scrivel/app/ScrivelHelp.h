#pragma once
// Where Scrivel finds its help: the program's folder and the help file in it, the
// system's answer to whether a file exists, and the server's manual as the user reads it.

#include <string>

#include "KeywordHelp.h"

// The running program's full path with every "/" turned into "\", cut before its last "\".
std::string ProgramFolder();
// The help file beside the program.
std::string HelpFilePath();
bool HelpFileExists();
// A file (not a folder) at `path`.
bool FileExists(const std::string& path);
// The start of a file's text, "" when it cannot be read.
std::string FileStart(const std::string& path);
// At most `room` bytes from the start of a file; "" when it cannot be read.
std::string FileText(const std::string& path, unsigned long room);
// The files on disk and the manual's code of the user's interface language.
keywordhelp::ManualAccess ServerManual();
