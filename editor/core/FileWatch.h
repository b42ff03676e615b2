#pragma once
// What became of a file shown while others write it: the answers gathered about the open
// file and its path, and the one change they add up to. Window-free, so that the rules can
// be tried out on every combination natively.
#include "EditorTypes.h"
#include "FileIO.h"

namespace tessaly::editor {

struct FileLook {
    Pos shownLength = 0;         // bytes the text shows
    Pos openSize = -1;           // the open file's size now, -1 when it would not say
    bool deletePending = false;  // the open file was deleted; its name goes with its last handle
    PathLook path = PathLook::Unknown;
};

enum class FileChange {
    None,
    Appended,  // the open file grew: the new bytes follow the text shown
    CutShort,  // the open file is shorter (emptied, or cut by a rotation): show it anew
    Replaced,  // another file has the path now (a rotation by rename): show that one
    Gone,      // deleted or renamed away: let go of it, so that a new one can take the name
};

FileChange DecideFileChange(const FileLook& look);

}  // namespace tessaly::editor
