#pragma once
// The Scrivel page's file list: the working copy the user edits, the rules for its tool bar
// buttons, and how it is read from and written to Settings\Files. Window-free.

#include <string>
#include <vector>

#include "SettingsStore.h"

namespace editorfiles {

// The page keeps File0 to File98; Add refuses a hundredth entry, so what the page writes
// always fits what it reads back.
inline constexpr int kMaxEntries = 99;

// The server's access.conf and httpd.conf below `apachePath` (which may be empty).
std::vector<std::string> DefaultFiles(const std::string& apachePath);

struct LoadedFiles {
    std::vector<std::string> files;
    // No Files key yet: `files` are the defaults, which the caller stores at once.
    bool defaultsUsed = false;
};
// File0 upwards until the first missing or empty value, at most kMaxEntries.
LoadedFiles Load(const CSettingsStore& store);

// Writes the non-empty entries as File0, File1, … and deletes the values numbered from the
// first unused one until a deletion fails. False (nothing written) when the key cannot be made.
bool Save(CSettingsStore& store, const std::vector<std::string>& files);

// Every "/" as "\".
std::string WithBackslashes(std::string path);

struct ButtonStates {
    bool add = false;
    bool edit = false;
    bool remove = false;
    bool up = false;
    bool down = false;
};

// The working copy; rows are indices into it, -1 for none.
class CFileList {
public:
    CFileList() = default;
    explicit CFileList(std::vector<std::string> files);

    const std::vector<std::string>& Files() const { return m_files; }
    int Count() const { return static_cast<int>(m_files.size()); }
    bool Full() const { return Count() >= kMaxEntries; }

    // The new row, or -1 when the list is full.
    int Add(const std::string& path);
    bool Replace(int row, const std::string& path);
    bool Remove(int row);
    // The row's new index, or -1 when it cannot move that way.
    int MoveUp(int row);
    int MoveDown(int row);

    ButtonStates ButtonsFor(int selectedRow) const;

private:
    bool Valid(int row) const { return row >= 0 && row < Count(); }

    std::vector<std::string> m_files;
};

}  // namespace editorfiles
