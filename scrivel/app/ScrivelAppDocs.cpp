// The files opened at start-up and the registry of open documents by short path.
#include <windows.h>

#include <mbstring.h>

#include <algorithm>

#include "DocTemplate.h"
#include "Document.h"
#include "Handles.h"
#include "LongPath.h"
#include "ScrivelApp.h"
#include "ScrivelTexts.h"
#include "SettingsStore.h"
#include "SettingsSchema.h"
#include "StatusTexts.h"
#include "Wnd.h"

namespace {
constexpr char kFilesSection[] = "Settings\\Files";

// The name a document is registered and found under: the short (8.3) form of its path, of
// any length; the path itself when it has none (the file is gone), so that it never matches
// another file's entry.
std::string RegisteredName(const char* path)
{
    std::string spelled = path ? path : "";
    std::replace(spelled.begin(), spelled.end(), '/', '\\');
    std::string shortPath = ShortPathOf(spelled.c_str());
    return shortPath.empty() ? spelled : shortPath;
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
        const std::string path = GetProfileString(kFilesSection, settings::FileValueName(i).c_str(), "");
        if (path.empty())
            return;
        OpenOrCreate(path.c_str());
    }
}

CDocument* CScrivelApp::OpenOrCreate(const char* path)
{
    if (FileAttributesOf(path) != INVALID_FILE_ATTRIBUTES)
        return OpenDocumentFile(path);
    if (AfxMessageBox(WithPath(texts::kFileNotFound, path).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return nullptr;
    // The question may have stayed open for minutes: a file that appeared meanwhile is
    // opened as it is, never emptied.
    CFileHandle created(::CreateFileW(WideFilePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created && ::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        AfxMessageBox(WithPath(texts::kErrorCreatingFile, path).c_str(), MB_OK);
        return nullptr;
    }
    created.Reset();
    return OpenDocumentFile(path);
}

void CScrivelApp::RegisterDocument(const char* path, CDocument* document)
{
    // A document is known under one name, the one of its path: after Save As its old name
    // belongs to the file it left.
    UnregisterDocument(document);
    m_openDocuments.push_back({document, RegisteredName(path)});
}

void CScrivelApp::UnregisterDocument(CDocument* document)
{
    std::erase_if(m_openDocuments, [&](const RegisteredDocument& entry) { return entry.document == document; });
}

CDocument* CScrivelApp::FindDocument(const char* path) const
{
    const std::string name = RegisteredName(path);
    for (const RegisteredDocument& entry : m_openDocuments) {
        if (SamePath(entry.shortPath, name))
            return entry.document;
    }
    return nullptr;
}

bool CScrivelApp::IsKnownFile(const char* path) const
{
    if (IsExistingFile(path) || FindDocument(path))
        return true;
    const std::string full = FullPathOf(path);
    for (const auto& docTemplate : DocTemplates()) {
        if (docTemplate->FindOpenDocument(full.c_str()))
            return true;
    }
    return false;
}
