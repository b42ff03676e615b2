#pragma once
// What CVQEdit::ReadFile and CVQEdit::WriteFile return: 0 on success; any other value is a
// failure and says why.
enum VQFileResult : int {
    VQ_FILE_OK = 0,

    // ReadFile (the text is as before).
    VQ_READ_CANNOT_OPEN = 1,  // missing, a folder, or held by a program that shares nothing
    VQ_READ_NO_SIZE = 2,      // its size could not be learnt
    VQ_READ_TOO_LONG = 3,     // bigger than the memory at hand
    VQ_READ_FAILED = 4,       // a read failed halfway

    // WriteFile (the file named is as before, and no temporary file is left). The system's
    // error code of the failing call, when there is one, is left for GetLastError.
    VQ_WRITE_READ_ONLY = 1,       // the file is marked read-only, or is a folder
    VQ_WRITE_LOCKED = 2,          // another program holds it open without sharing it
    VQ_WRITE_NO_TEMPORARY = 3,    // the folder is missing or cannot be written
    VQ_WRITE_FAILED = 4,          // writing or flushing the new text failed
    VQ_WRITE_REPLACE_FAILED = 5,  // the new text could not take the file's place
    VQ_WRITE_DISK_FULL = 6,
    VQ_WRITE_IS_FOLDER = 7,          // a folder has the name
    VQ_WRITE_NO_FOLDER = 8,          // the folder named does not exist
    VQ_WRITE_STOPPED = 9,            // the user stopped it in the progress box
    VQ_WRITE_SOURCE_CUT_SHORT = 10,  // the file shown was cut short while it was copied

    // Either.
    VQ_FILE_NO_PATH = 99,  // no path was given
    VQ_FILE_OUT_OF_MEMORY = 100,
};

// What CVQEdit::FollowFile found of the file shown read-only.
enum VQFileChange : int {
    VQ_FILE_UNCHANGED = 0,
    VQ_FILE_APPENDED = 1,   // new bytes follow the text (carets and scroll positions stay)
    VQ_FILE_CUT_SHORT = 2,  // the file got shorter: it is shown anew from its start
    VQ_FILE_REPLACED = 3,   // another file has the path now: that one is shown from its start
    VQ_FILE_GONE = 4,       // deleted or renamed away: let go of, what was shown is kept
    VQ_FILE_BACK = 5,       // a file opened at the path of one gone: it is shown from its start
};
