#pragma once
// The list of completions shown at the caret: a list box on the editor view, below the
// caret's line (above it near the bottom). It never keeps the keyboard: the view passes it
// the keys that move its selection and asks which item is chosen.

#include <windows.h>

#include <string>
#include <vector>

#include "Handles.h"

class CCompletionList {
public:
    struct Item {
        std::string name;
        std::string syntax;
    };

    // Shows `items` (at least one) in `view` with its top-left corner at `at` (client
    // coordinates; above `lineTop` when there is no room below), in `font`.
    bool Show(HWND view, POINT at, int lineTop, HFONT font, const std::vector<Item>& items);
    void Close();
    bool IsShown() const { return m_list.Get() != nullptr; }
    HWND Window() const { return m_list.Get(); }

    // Up, Down, Page Up, Page Down: the selection moves; true when the key was one of them.
    bool MoveSelection(WPARAM key);
    // The name of the selected item, "" when none.
    std::string Chosen() const;

private:
    CWindowHandle m_list;
    std::vector<Item> m_items;
};
