#pragma once
// Where editor.dll itself lies: its module handle (window classes are registered for it)
// and its folder (the keyword script lies beside it).
#include <windows.h>

#include <string>

std::string EditorModuleFolder();
HINSTANCE EditorModuleHandle();
