#pragma once
// Paths in the system's code page, of any length. The narrow file calls stop at 259
// characters; these give the wide calls a form that has no such limit, and turn their
// answers back into the code page.

#include <windows.h>

#include <string>

// The full form of `path` ("/" turned into "\", "." and ".." resolved), of any length;
// `path` itself when it has none.
std::string FullPathOf(const char* path);
// `path` for the wide file calls: its full form, with "\\?\" (or "\\?\UNC\" for a share) in
// front when it is too long for the plain form.
std::wstring WideFilePath(const char* path);
// The system's short (8.3) form of `path`, of any length; empty when there is none (the
// file does not exist).
std::string ShortPathOf(const char* path);
// The attributes of the file or folder `path` names, INVALID_FILE_ATTRIBUTES when none.
DWORD FileAttributesOf(const char* path);
// Whether `path` names an existing file (not a folder).
bool IsExistingFile(const char* path);
