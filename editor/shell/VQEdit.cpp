#include <editor/VQEdit.h>

#include <editor/Colors.h>

#include "EditBuffer.h"
#include "SafeFileWrite.h"
#include "TextFileLoader.h"

namespace {
using tessaly::editor::LoadResult;
using tessaly::editor::WriteResult;
static_assert(static_cast<int>(LoadResult::CannotOpen) == VQ_READ_CANNOT_OPEN);
static_assert(static_cast<int>(LoadResult::NoSize) == VQ_READ_NO_SIZE);
static_assert(static_cast<int>(LoadResult::TooLong) == VQ_READ_TOO_LONG);
static_assert(static_cast<int>(LoadResult::ReadError) == VQ_READ_FAILED);
static_assert(static_cast<int>(WriteResult::TargetReadOnly) == VQ_WRITE_READ_ONLY);
static_assert(static_cast<int>(WriteResult::TargetLocked) == VQ_WRITE_LOCKED);
static_assert(static_cast<int>(WriteResult::NoTemporaryFile) == VQ_WRITE_NO_TEMPORARY);
static_assert(static_cast<int>(WriteResult::WriteFailed) == VQ_WRITE_FAILED);
static_assert(static_cast<int>(WriteResult::ReplaceFailed) == VQ_WRITE_REPLACE_FAILED);
}  // namespace

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
    if (!path || !*path) return VQ_FILE_NO_PATH;
    try {
        return m_pBuffer->ReadFile(path);
    } catch (...) {
        return VQ_FILE_OUT_OF_MEMORY;
    }
}

int CVQEdit::WriteFile(const char* path) {
    if (!path || !*path) return VQ_FILE_NO_PATH;
    try {
        const auto result = tessaly::editor::WriteBufferToFile(*m_pBuffer, path);
        if (result == tessaly::editor::WriteResult::Ok) m_pBuffer->MarkSaved();
        return static_cast<int>(result);
    } catch (...) {
        return VQ_FILE_OUT_OF_MEMORY;
    }
}
