#pragma once
// Where Scrivel finds its help: the program's folder and the help file in it, and the
// system's answer to whether a file exists.

#include <string>

// The running program's full path with every "/" turned into "\", cut before its last "\".
std::string ProgramFolder();
// The help file beside the program.
std::string HelpFilePath();
bool HelpFileExists();
// A file (not a folder) at `path`.
bool FileExists(const std::string& path);
