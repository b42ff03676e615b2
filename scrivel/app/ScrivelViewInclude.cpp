// Ctrl+Enter (and the context menu's "Open included file") on a configuration line: an
// Include line's file opens in Scrivel, a folder's or a wildcard's files are offered in a
// menu to choose from; a LoadModule, DocumentRoot or ServerRoot line's path is checked and
// the status bar says whether it exists. Nothing else is ever opened (logs stay out).
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Completion.h"
#include "ConfLine.h"
#include "ConfPath.h"
#include "Handles.h"
#include "IncludedPath.h"
#include "MainFrm.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "ScrivelTexts.h"
#include "ScrivelView.h"
#include "SettingsSchema.h"
#include "StatusTexts.h"
#include "resource.h"

namespace {

constexpr UINT kFirstChoice = 1;
// A menu longer than a screen is no choice: the first files are offered.
constexpr std::size_t kMaxChoices = 200;

std::string WindowsPath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The files a folder holds, or those of its files a wildcard names, by name.
std::vector<std::string> FilesNamed(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found{};
    CFindHandle search(::FindFirstFileA(WindowsPath(folder + "/*").c_str(), &found));
    if (!search)
        return files;
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            (pattern.empty() || confpath::WildcardMatch(pattern, name)))
            files.push_back(WindowsPath(folder + "/" + name));
    } while (::FindNextFileA(search.Get(), &found));
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::string CScrivelView::ServerFolder()
{
    std::string folder = AfxGetApp()->GetProfileString(settings::kSection, settings::kApachePath, "");
    if (folder.empty() && GetDocument()) {
        // No server known: the folder above the file's (conf\httpd.conf lies in the server's).
        folder = confpath::Folder(confpath::Folder(confpath::ToForwardSlashes(GetDocument()->GetPathName())));
    }
    return folder;
}

bool CScrivelView::LineNamesPath(int line)
{
    const std::string text = LineText(line, 512);
    const conf::LineHead head = conf::HeadOf(text);
    for (const char* name : {"Include", "IncludeOptional", "LoadModule", "DocumentRoot", "ServerRoot"}) {
        if (head.kind == conf::LineHead::kDirective && confpath::EqualNoCase(head.name, name))
            return true;
    }
    return false;
}

void CScrivelView::OpenIncluded()
{
    CScrivelDoc* doc = GetDocument();
    auto* frame = static_cast<CMainFrame*>(AfxGetApp()->m_pMainWnd);
    if (!doc || !frame)
        return;
    const int line = CaretLine();
    CEditLines lines(doc->m_Edit);
    const includes::LinePath named = includes::PathAt(lines, line, doc->m_pathState, ServerFolder());
    if (named.kind == includes::LinePath::kNone) {
        frame->ShowError(texts::kNoPathOnLine);
        return;
    }
    const std::string path = WindowsPath(named.path);
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (named.kind == includes::LinePath::kPath) {
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
        if (exists)
            frame->ShowInfo(WithPath(texts::kPathExists, path).c_str());
        else
            frame->ShowError(WithPath(texts::kPathMissing, path).c_str());
        return;
    }
    std::string chosen = path;
    const std::string pattern = confpath::FileName(named.path);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder || confpath::HasWildcard(pattern)) {
        const std::vector<std::string> files =
            folder ? FilesNamed(named.path, "") : FilesNamed(confpath::Folder(named.path), pattern);
        chosen = ChooseFile(files);
        if (files.empty())
            frame->ShowError(WithPath(texts::kNoIncludedFile, path).c_str());
        if (chosen.empty())
            return;
    }
    // The included file stands where its Include line does.
    const unsigned context = conf::ContextAt(doc->m_sections.EnclosingAt(line), doc->m_nFileContext);
    auto* opened = dynamic_cast<CScrivelDoc*>(ScrivelApp().OpenOrCreate(chosen.c_str()));
    if (opened && opened != doc) {
        opened->m_nFileContext = context;
        opened->m_pathState = named.stateAbove;
    }
}

std::string CScrivelView::ChooseFile(const std::vector<std::string>& files)
{
    if (files.size() <= 1)
        return files.empty() ? std::string() : files.front();
    CMenuHandle menu(::CreatePopupMenu());
    if (!menu)
        return std::string();
    for (std::size_t i = 0; i < files.size() && i < kMaxChoices; ++i)
        ::AppendMenuA(menu.Get(), MF_STRING, kFirstChoice + i, files[i].c_str());
    POINT at{};
    ::GetCaretPos(&at);
    at.y += 16;
    ::ClientToScreen(m_hWnd, &at);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, m_hWnd, nullptr));
    return chosen >= kFirstChoice && chosen - kFirstChoice < files.size() ? files[chosen - kFirstChoice]
                                                                         : std::string();
}
