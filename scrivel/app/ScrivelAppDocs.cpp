// The files opened at start-up and the registry of open documents by short path.
#include <windows.h>

#include <mbstring.h>

#include <algorithm>
#include <cstdio>

#include "Document.h"
#include "Handles.h"
#include "ScrivelApp.h"
#include "ScrivelTexts.h"
#include "SettingsSchema.h"
#include "StatusTexts.h"
#include "Wnd.h"

namespace {
constexpr char kFilesSection[] = "Settings\\Files";
constexpr DWORD kRegisteredPathRoom = 1024;  // a registered short path: at most 1023 characters
constexpr DWORD kLookupPathRoom = MAX_PATH;   // a looked-up one: at most 259

// The system's short (8.3) form of `path`; the path itself when it has none (the file is
// gone), so that it never matches another file's entry.
std::string ShortPathOf(const char* path, DWORD room)
{
    std::string spelled = path ? path : "";
    std::replace(spelled.begin(), spelled.end(), '/', '\\');
    std::string shortPath(room, '\0');
    DWORD length = ::GetShortPathNameA(spelled.c_str(), shortPath.data(), room);
    if (length == 0 || length >= room)
        return spelled;
    shortPath.resize(length);
    return shortPath;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return ::_mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                      reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
}
}  // namespace

void CScrivelApp::OpenConfiguredFiles()
{
    for (int i = 0; i < settings::kMaxFiles; ++i) {
        char entry[16];
        std::snprintf(entry, sizeof(entry), settings::kFileValueFormat, i);
        const std::string path = GetProfileString(kFilesSection, entry, "");
        if (path.empty())
            return;
        OpenOrCreate(path.c_str());
    }
}

void CScrivelApp::OpenOrCreate(const char* path)
{
    if (::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        OpenDocumentFile(path);
        return;
    }
    if (AfxMessageBox(WithPath(texts::kFileNotFound, path).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CFileHandle created(
        ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created) {
        AfxMessageBox(WithPath(texts::kErrorCreatingFile, path).c_str(), MB_OK);
        return;
    }
    created.Reset();
    OpenDocumentFile(path);
}

void CScrivelApp::RegisterDocument(const char* path, CDocument* document)
{
    m_openDocuments.push_back({document, ShortPathOf(path, kRegisteredPathRoom)});
}

void CScrivelApp::UnregisterDocument(const char* path, CDocument* document)
{
    const std::string shortPath = ShortPathOf(path, kRegisteredPathRoom);
    auto found = std::find_if(m_openDocuments.begin(), m_openDocuments.end(),
                              [&](const RegisteredDocument& entry) { return SamePath(entry.shortPath, shortPath); });
    if (found != m_openDocuments.end())
        m_openDocuments.erase(found);
    // A document whose file vanished, or that was saved under another name, no longer
    // reaches its entry by path; it must not stay behind once the document is gone.
    std::erase_if(m_openDocuments, [&](const RegisteredDocument& entry) { return entry.document == document; });
}

CDocument* CScrivelApp::FindDocument(const char* path) const
{
    const std::string shortPath = ShortPathOf(path, kLookupPathRoom);
    for (const RegisteredDocument& entry : m_openDocuments) {
        if (SamePath(entry.shortPath, shortPath))
            return entry.document;
    }
    return nullptr;
}
