#pragma once
// CVQEdit: one text buffer of the editor, owned by a document (or by an editor control).
// Its public fields are the settings it is shown with; a new buffer takes them from
// m_Colors. Every editor window showing it is told of each change.
#include <windows.h>

#include <memory>
#include <string>

#include <editor/EditorApi.h>
#include <editor/EditorSettings.h>
#include <editor/FileResults.h>

namespace tessaly::editor {
class EditBuffer;
}

// A watcher of a buffer's text (a program's index of its lines): told after each change
// which lines it touched. Told on the buffer's thread; a watcher must not throw.
class CVQEditWatcher {
public:
    // Line `firstLine` (from 0) changed, `linesRemoved` line ends after it went and
    // `linesAdded` came; a whole new text comes as firstLine -1.
    virtual void OnTextChanged(int firstLine, int linesRemoved, int linesAdded) = 0;

protected:
    ~CVQEditWatcher() = default;
};

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

    // VQ_FILE_OK on success. Reading keeps every byte; on failure the text is as before.
    // An editable buffer first removes what an interrupted save of that file left beside it.
    int ReadFile(const char* path);
    // Writes the text as held (a file shown read-only: up to the length shown) through a
    // temporary file beside the target that then takes its place; on failure the target is
    // untouched, nothing is left beside it and the result says why. With a window, a long
    // write shows the progress box over its frame, where the user may stop it.
    int WriteFile(const char* path);
    int WriteFile(const char* path, HWND progressWindow);

    // Follows the file shown read-only as others write, rotate or delete it (see
    // VQFileChange); a file let go of is watched for until one opens at its path again.
    // The file is asked through its open handle, so writers that keep theirs open are seen
    // at once. VQ_FILE_UNCHANGED for a text in memory.
    int FollowFile();
    // Shows a copy just written of the file shown (WriteFile's target) in its place, keeping
    // carets and scroll positions; the copy is what the buffer reads from then on.
    int ShowCopy(const char* path);
    // Bytes of the whole text (filtered or not).
    LONGLONG GetLength() const;

    // Filtering (see CVQEditor::SetFilter): the text shown is then the lines that pass.
    BOOL IsFiltered() const;
    BOOL IsFilterRunning() const;
    // The filter was stopped before it had read the whole text.
    BOOL IsFilterStopped() const;
    // Lines shown: the rows of a filtered text, else the whole text's lines; an empty last
    // line (after the last line end) is not counted.
    LONGLONG GetShownLineCount() const;
    // Lines of the whole text, counted alike.
    LONGLONG GetWholeLineCount() const;
    // At most maxBytes bytes of a line of the whole text (from 0), without its line end;
    // FALSE beyond the lines known.
    BOOL GetWholeLine(LONGLONG line, std::string& text, int maxBytes) const;

    BOOL IsReadOnly() const;
    // The buffer's own colouring switch (a log viewer turns it off).
    void SetSyntaxColoring(BOOL on);
    BOOL GetSyntaxColoring() const;

    // The text's lines: how many, and the start of one (at most `room` bytes, without its
    // line end; "" beyond the last).
    int GetLineCount() const;
    void GetLineText(int line, std::string& text, int room = 0x7FFFFFFF) const;
    // A watcher is told of every change until it is removed; it must be removed before it
    // ends. FALSE when there is no memory for it.
    BOOL AddWatcher(CVQEditWatcher* watcher);
    void RemoveWatcher(CVQEditWatcher* watcher);

    tessaly::editor::EditBuffer& Buffer() { return *m_pBuffer; }

private:
    class Watchers;
    std::unique_ptr<tessaly::editor::EditBuffer> m_pBuffer;
    std::unique_ptr<Watchers> m_pWatchers;
};
