#include "EditorFileList.h"

#include <algorithm>
#include <utility>

namespace editorfiles {

using settings::FileValueName;

std::vector<std::string> DefaultFiles(const std::string& apachePath)
{
    return {apachePath + "\\conf\\access.conf", apachePath + "\\conf\\httpd.conf"};
}

LoadedFiles Load(const CSettingsStore& store)
{
    LoadedFiles loaded;
    if (!store.KeyExists(settings::kFilesKey)) {
        loaded.files = DefaultFiles(store.ReadApachePath());
        loaded.defaultsUsed = true;
        return loaded;
    }
    for (int i = 0; i < kMaxEntries; ++i) {
        auto path = store.GetString(settings::kFilesKey, FileValueName(i));
        if (!path || path->empty())
            break;
        loaded.files.push_back(std::move(*path));
    }
    return loaded;
}

bool Save(CSettingsStore& store, const std::vector<std::string>& files)
{
    if (!store.CreateKey(settings::kFilesKey))
        return false;
    int next = 0;
    for (const std::string& path : files) {
        if (path.empty())
            continue;
        store.WriteString(settings::kFilesKey, FileValueName(next), path);
        ++next;
    }
    // The values beyond the list end at the first number that has none: a gap left by an
    // older list keeps what lies past it, which Scrivel does not read either.
    while (store.DeleteValue(settings::kFilesKey, FileValueName(next)))
        ++next;
    return true;
}

std::string WithBackslashes(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

CFileList::CFileList(std::vector<std::string> files) : m_files(std::move(files))
{
    if (Count() > kMaxEntries)
        m_files.resize(kMaxEntries);
}

int CFileList::Add(const std::string& path)
{
    if (Full())
        return -1;
    m_files.push_back(path);
    return Count() - 1;
}

bool CFileList::Replace(int row, const std::string& path)
{
    if (!Valid(row))
        return false;
    m_files[static_cast<std::size_t>(row)] = path;
    return true;
}

bool CFileList::Remove(int row)
{
    if (!Valid(row))
        return false;
    m_files.erase(m_files.begin() + row);
    return true;
}

int CFileList::MoveUp(int row)
{
    if (!Valid(row) || row == 0)
        return -1;
    std::swap(m_files[static_cast<std::size_t>(row)], m_files[static_cast<std::size_t>(row - 1)]);
    return row - 1;
}

int CFileList::MoveDown(int row)
{
    if (!Valid(row) || row == Count() - 1)
        return -1;
    std::swap(m_files[static_cast<std::size_t>(row)], m_files[static_cast<std::size_t>(row + 1)]);
    return row + 1;
}

ButtonStates CFileList::ButtonsFor(int selectedRow) const
{
    ButtonStates states;
    states.add = !Full();
    if (!Valid(selectedRow))
        return states;
    states.edit = true;
    states.remove = true;
    states.up = selectedRow > 0;
    states.down = selectedRow < Count() - 1;
    return states;
}

}  // namespace editorfiles
