#pragma once
// CKeywords: the keyword table behind colouring and context help, read from the keyword
// script beside editor.dll. The global m_Keywords is the one table.
#include <windows.h>

#include <memory>

#include <editor/EditorApi.h>
#include <editor/KeywordNode.h>

namespace tessaly::editor {
class KeywordLookup;
class KeywordTable;
}  // namespace tessaly::editor

class EDITORAPI CKeywords {
public:
    CKeywords();
    ~CKeywords();
    CKeywords(const CKeywords&) = delete;
    CKeywords& operator=(const CKeywords&) = delete;

    // Reads the script that ships beside editor.dll; FALSE when it is missing or holds no
    // directive (the table then stays as it was).
    BOOL ReadScript();
    BOOL ReadScript(const char* path);
    // flag 0: a directive, 1: a constant; the last argument is not used. Null when the
    // word is not in the table.
    const NODE* FindNode(const char* word, int flag, int reserved);

    const tessaly::editor::KeywordLookup& Lookup() const;

private:
    std::unique_ptr<tessaly::editor::KeywordTable> m_pTable;
};

extern EDITORAPI CKeywords m_Keywords;
