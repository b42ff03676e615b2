#include "VQEdit.h"

#include "Colors.h"
#include "SafeFileWrite.h"

CVQEdit::CVQEdit() : m_pBuffer(std::make_unique<tessaly::editor::EditBuffer>(*this)) { m_Colors.CopyTo(*this); }

CVQEdit::~CVQEdit() = default;

void CVQEdit::Refresh() {
    try {
        m_Colors.ReadSettings();
        m_Colors.CopyTo(*this);
        m_pBuffer->Refresh();
    } catch (...) {
        // The buffer stays as it was.
    }
}

BOOL CVQEdit::IsModified() { return m_pBuffer->IsModified() ? TRUE : FALSE; }

void CVQEdit::SetReadOnly(BOOL readOnly) {
    try {
        m_pBuffer->SetReadOnly(readOnly != FALSE);
    } catch (...) {
        // Reading a shown file into memory failed: it stays read-only.
    }
}

BOOL CVQEdit::IsReadOnly() const { return m_pBuffer->IsReadOnly() ? TRUE : FALSE; }

void CVQEdit::SetSyntaxColoring(BOOL on) { m_pBuffer->SetSyntaxColoring(on != FALSE); }

BOOL CVQEdit::GetSyntaxColoring() const { return m_pBuffer->SyntaxColoring() ? TRUE : FALSE; }

int CVQEdit::ReadFile(const char* path) {
    if (!path || !*path) return 1;
    try {
        return m_pBuffer->ReadFile(path);
    } catch (...) {
        return 100;
    }
}

int CVQEdit::WriteFile(const char* path) {
    if (!path || !*path) return 1;
    try {
        const auto result = tessaly::editor::WriteBufferToFile(*m_pBuffer, path);
        if (result == tessaly::editor::WriteResult::Ok) m_pBuffer->MarkSaved();
        return static_cast<int>(result);
    } catch (...) {
        return 100;
    }
}
