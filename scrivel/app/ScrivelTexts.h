#pragma once
// Every text Scrivel shows in a message box or its status bar, in one place. "%s" stands
// for a file's path.

namespace texts {

constexpr char kUninstallSwitch[] = "/uninstall";
constexpr char kCompany[] = "Quorlane";

constexpr char kUseLauncher[] = "Please use Launcher.exe for start this module.";
constexpr char kNeedCommonControls[] = "Please install Common Controls (comctl32.dll) version 4.71 or higher.";
constexpr char kErrorCaption[] = "Error";
constexpr char kFileNotFound[] = "File %s not found. Do you wish to create new file?";
constexpr char kErrorCreatingFile[] = "Error creating file %s.";
constexpr char kStartLauncherFirst[] = "Start Launcher first.";

// Paths named by a configuration line (Ctrl+Enter).
constexpr char kPathExists[] = "%s exists.";
constexpr char kPathMissing[] = "%s does not exist.";
constexpr char kNoIncludedFile[] = "No file matches %s.";
constexpr char kNoPathOnLine[] = "This line names no included file or path.";

// Help.
constexpr char kDocBarTitle[] = "Apache documentation";
constexpr char kHelpFile[] = "\\Tessaly.chm";
constexpr char kHelpTopic[] = "::/editor_home.htm";
constexpr char kManualNotFound[] = "The server's manual was not found under %s";

// Why a save failed; the file on disk is left as it was in every case.
constexpr char kSaveReadOnly[] = "%s is read-only. It was not saved.";
constexpr char kSaveLocked[] = "%s is in use by another program. It was not saved; the file on disk is unchanged.";
constexpr char kSaveNoTemporary[] =
    "%s was not saved: its folder is missing or cannot be written. The file on disk is unchanged.";
constexpr char kSaveWriteFailed[] =
    "%s was not saved: writing failed (the disk may be full). The file on disk is unchanged.";
constexpr char kSaveReplaceFailed[] =
    "%s was not saved: the saved text could not take the file's place. The file on disk is unchanged.";
// F8 with nothing to go to.
constexpr char kNoProblems[] = "No problems found";
constexpr char kSaveFailed[] = "%s was not saved. The file on disk is unchanged.";

}  // namespace texts
