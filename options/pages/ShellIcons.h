#pragma once
// Owners of icons and directory searches, and the shell's icons of files that the list pages
// show: the icon a file is associated with, an icon named by "file,index" text, and the
// default text value of a registry key opened for reading only.

#include <windows.h>

#include <optional>
#include <string>

#include "Handles.h"

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
using CIconHandle = CUniqueHandle<IconTraits>;

// The icon the shell associates with the file (its own, or its program's); empty if none.
CIconHandle AssociatedIcon(const std::string& path);
// The icon named by "file,index" (no comma: index 0), small; empty if none.
CIconHandle IconFromLocation(const std::string& location);
// A small icon of this library's resources.
CIconHandle LibrarySmallIcon(UINT id);
// The default value of root\path as text; nothing when the key cannot be opened for reading.
std::optional<std::string> DefaultValueText(HKEY root, const std::string& path);
