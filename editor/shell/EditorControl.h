#pragma once
// The editor as a plain window class, for hosts without the framework's views: each
// window of the class owns an EditorWindow over the buffer passed at creation, or over a
// buffer of its own when none is passed.
#include <windows.h>

#include "ConfLexer.h"
#include "EditBuffer.h"

namespace tessaly::editor {

inline constexpr const char* kEditorClassName = "TessalyEditor";

// What CreateWindowEx passes as its creation parameter (it may be null).
struct EditorCreateParams {
    EditBuffer* buffer = nullptr;             // null: the window keeps a buffer of its own
    const KeywordLookup* keywords = nullptr;  // null: no keyword colouring
};

// Registers the class in this module (repeated calls are harmless); false on failure.
bool RegisterEditorClass(HINSTANCE instance);

class EditorWindow;
// The editor object behind a window of the class, or null.
EditorWindow* EditorFromWindow(HWND wnd);

}  // namespace tessaly::editor
