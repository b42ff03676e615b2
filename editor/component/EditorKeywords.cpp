#include <editor/Keywords.h>

#include <windows.h>

#include <string>

#include "EditorModule.h"
#include "KeywordTable.h"

CKeywords m_Keywords;

CKeywords::CKeywords() : m_pTable(std::make_unique<tessaly::editor::KeywordTable>()) {}

CKeywords::~CKeywords() = default;

BOOL CKeywords::ReadScript()
{
    std::string path = EditorModuleFolder();
    path += '\\';
    path += tessaly::editor::kKeywordScriptName;
    return ReadScript(path.c_str());
}

BOOL CKeywords::ReadScript(const char* path)
{
    try {
        return path && m_pTable->ReadScriptFile(path) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

const NODE* CKeywords::FindNode(const char* word, int flag, int)
{
    if (!word)
        return nullptr;
    try {
        return m_pTable->Find(word, flag);
    } catch (...) {
        return nullptr;
    }
}

const tessaly::editor::KeywordLookup& CKeywords::Lookup() const
{
    return *m_pTable;
}
