#pragma once
// Writing a file so that it is never found half written, with one implementation per
// platform: the new content goes to a temporary file beside the target, is flushed to the
// disk, takes the target's attributes (and on Windows its creation time) and then its name
// in one rename. At every moment the target is the old file or the new one, whole; on any
// failure it is left exactly as it was and the temporary file is removed.
//
// The temporary file is named after its target (SaveTemporaryPath), so that one left by a
// save that was cut short (the program was killed, the machine stopped) is known for ours
// and removed before the next save of that file, or when an editor opens it. Nothing else
// is ever removed.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tessaly::editor {

enum class SafeWriteOutcome : int {
    Ok = 0,
    TargetReadOnly = 1,   // the target is marked read-only
    TargetLocked = 2,     // another program holds the target open without sharing it
    NoTemporaryFile = 3,  // no temporary file could be made in the target's folder
    WriteFailed = 4,      // writing or flushing the temporary file failed
    ReplaceFailed = 5,    // the temporary file could not take the target's name
    DiskFull = 6,
    TargetIsFolder = 7,  // a folder has the target's name
    FolderMissing = 8,   // the target's folder does not exist
    Stopped = 9,         // the content gave up: the user stopped it
    SourceFailed = 10,   // the content could not be read whole (a file shown was cut short)
};

struct SafeWriteResult {
    SafeWriteOutcome outcome = SafeWriteOutcome::Ok;
    unsigned long systemError = 0;  // the system's error code of the failing call, if any
    std::uint64_t bytes = 0;        // bytes written to the temporary file

    bool Ok() const { return outcome == SafeWriteOutcome::Ok; }
};

// Takes one piece of the new content; false when it could not be written.
using ContentSink = std::function<bool(const char* data, std::size_t size)>;
// Gives the whole new content to the sink piece by piece; false to give up (Stopped).
using ContentSource = std::function<bool(const ContentSink& sink)>;

SafeWriteResult WriteFileSafely(const std::string& path, const ContentSource& content);

// The temporary file a save of path goes through: in the same folder, the target's name
// followed by kSaveTemporarySuffix (a name too long for the file system is shortened and
// told apart by a hash of the whole name).
std::string SaveTemporaryPath(const std::string& path);
inline constexpr const char* kSaveTemporarySuffix = ".~tessaly-save";
// The folder of a path as the file system takes it: "C:\" for a file at a drive's root,
// "\" or "/" at the root, "." for a bare name.
std::string FolderOfPath(const std::string& path);

// Removes the temporary file an interrupted save of path left behind, when there is one
// and it is a plain file that may be deleted. True when one was removed.
bool RemoveSaveLeftover(const std::string& path);

// True when both paths name the same existing file (through links, case or 8.3 names).
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace tessaly::editor
