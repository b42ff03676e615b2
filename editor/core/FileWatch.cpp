#include "FileWatch.h"

namespace tessaly::editor {

FileChange DecideFileChange(const FileLook& look)
{
    // The path first: what the file has become counts more than what it still holds. A
    // file whose name refuses even its attributes is on its way out; letting go of it costs
    // nothing, since its path is watched until a file opens there again.
    if (look.deletePending || look.path == PathLook::Missing || look.path == PathLook::Refused)
        return FileChange::Gone;
    if (look.path == PathLook::Other)
        return FileChange::Replaced;
    if (look.openSize < 0 || look.openSize == look.shownLength)
        return FileChange::None;
    return look.openSize < look.shownLength ? FileChange::CutShort : FileChange::Appended;
}

}  // namespace tessaly::editor
