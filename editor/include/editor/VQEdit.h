#pragma once
// CVQEdit: one text buffer of the editor, owned by a document (or by an editor control).
// Its public fields are the settings it is shown with; a new buffer takes them from
// m_Colors. Every editor window showing it is told of each change.
#include <windows.h>

#include <memory>

#include <editor/EditorApi.h>
#include <editor/EditorSettings.h>
#include <editor/FileResults.h>

namespace tessaly::editor {
class EditBuffer;
}

class EDITORAPI CVQEdit : public tessaly::editor::EditorSettings {
public:
    CVQEdit();
    virtual ~CVQEdit();
    CVQEdit(const CVQEdit&) = delete;
    CVQEdit& operator=(const CVQEdit&) = delete;

    // Takes the stored settings again (m_Colors, read from the store) and picks up what
    // was appended to a file shown read-only.
    virtual void Refresh();
    virtual BOOL IsModified();
    // A read-only buffer refuses every change by the user; a read-only buffer reads files
    // on demand, so logs of any size open at once.
    virtual void SetReadOnly(BOOL readOnly);

    // 0 on success. Reading keeps every byte; on failure the text is as before.
    int ReadFile(const char* path);
    // Writes through a temporary file in the same folder that then replaces the target;
    // on failure the target is untouched and the result non-zero.
    int WriteFile(const char* path);

    BOOL IsReadOnly() const;
    // The buffer's own colouring switch (a log viewer turns it off).
    void SetSyntaxColoring(BOOL on);
    BOOL GetSyntaxColoring() const;

    tessaly::editor::EditBuffer& Buffer() { return *m_pBuffer; }

private:
    std::unique_ptr<tessaly::editor::EditBuffer> m_pBuffer;
};
