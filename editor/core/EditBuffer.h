#pragma once
// One text being edited or shown, whatever holds it: an in-memory document with undo
// (configuration files, any text set by a program), or, when read-only, a file read on
// demand (logs of any size). Views watch it through BufferListener.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TextDocument.h"
#include <editor/EditorSettings.h>
#include "FileTextSource.h"
#include "FilterJob.h"
#include "SafeWrite.h"

namespace tessaly::editor {

// A watcher of a buffer: told of every change, and of a whole new text (Kind::Reset).
class BufferListener {
public:
    virtual void OnBufferChange(const DocChange& change) = 0;
    // The bytes this watcher shows now, from the start of its first line to the end of its
    // last; false when it shows none.
    virtual bool ShownRange(Pos& from, Pos& to) const
    {
        (void)from;
        (void)to;
        return false;
    }

protected:
    ~BufferListener() = default;
};

class EditBuffer : private DocListener {
public:
    // The settings are the owner's (the exported buffer's public fields).
    explicit EditBuffer(EditorSettings& settings);
    ~EditBuffer();
    EditBuffer(const EditBuffer&) = delete;
    EditBuffer& operator=(const EditBuffer&) = delete;

    // The text shown: the lines a filter let through while one is set, else the whole text.
    const TextSource& Text() const;
    // The whole text, filtered or not.
    const TextSource& WholeText() const;
    TextDocument& Doc() { return m_doc; }
    const TextDocument& Doc() const { return m_doc; }
    // The file behind a read-only text shown on demand; null for an in-memory text.
    FileTextSource* File() { return m_file.get(); }

    EditorSettings& Settings() { return m_settings; }
    const EditorSettings& Settings() const { return m_settings; }

    bool IsReadOnly() const { return m_readOnly; }
    // Making a file-backed text editable reads it into memory first.
    void SetReadOnly(bool readOnly);
    bool CanEdit() const { return !m_readOnly && !m_file; }

    // The buffer's own colouring switch (a log viewer turns it off); colouring happens
    // only while both this and the settings' switch are on.
    bool SyntaxColoring() const { return m_syntaxColoring; }
    void SetSyntaxColoring(bool on) { m_syntaxColoring = on; }
    bool ColoringActive() const { return m_syntaxColoring && m_settings.m_bColoring != 0; }

    // Reads a file: whole into memory when editable, on demand when read-only. Keeps the
    // bytes exactly. 0 on success; on failure the text is as before.
    int ReadFile(const std::string& path);
    // Hands the text, exactly as held, to sink piece by piece. False when sink refused a
    // piece, or when a file shown on demand no longer holds the bytes shown (it was cut short).
    using ChunkSink = std::function<bool(const char* data, std::size_t size)>;
    bool WriteText(const ChunkSink& sink) const;
    // Saves the text as held to path through WriteFileSafely: a file shown on demand up to
    // the length shown, never what was appended since. progress(done, total) is told the
    // bytes written now and then and stops the save with false. Saving a file shown on
    // demand onto that same file changes nothing.
    using WriteProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
    SafeWriteResult SaveTo(const std::string& path, const WriteProgress& progress = {}) const;
    // The file read last, or "" for a text set by a program.
    const std::string& FilePath() const { return m_filePath; }
    // The text as it is now was saved: the modified state is clean again.
    void MarkSaved() { m_doc.SetSavePoint(); }
    // Sets the whole text, read-only or not; forgets the undo history.
    bool SetText(std::string_view text);
    // Picks up what was appended to a file-backed text, told to the listeners as an
    // insertion at the old end (carets and scroll positions stay); a file cut short is a
    // whole new text. True when the text changed.
    bool Refresh();

    // Follows the file shown read-only as others write, rotate and delete it: appended
    // bytes as Refresh does; a file cut short, or another file at the path, is shown anew
    // from its start; a file deleted or renamed away is let go of (what the watchers show
    // is kept) and its path watched, and a file that opens there again is shown.
    enum class FollowResult { None, Appended, CutShort, Replaced, Gone, Back };
    FollowResult Follow();
    // Shows the file at path in place of the one shown, without moving carets or scrolling,
    // when it holds as many bytes (a copy just saved of it); else reads it as ReadFile does.
    int ShowCopy(const std::string& path);

    bool IsModified() const { return !m_file && m_doc.IsModified(); }

    // Shows only the lines that pass a filter, found by a thread that StartFilter starts;
    // PublishFilter shows the rows found by then. A filter that passes every line (no text)
    // shows the whole text: false then. A new text, read or set, is shown whole.
    bool StartFilter(const LineFilterOptions& options);
    void PublishFilter();
    // Shows the whole text again; the listeners see a new text.
    void ClearFilter();
    FilterJob* Filter() { return m_filter.get(); }
    const FilterJob* Filter() const { return m_filter.get(); }

    // The line end that Enter inserts: the first one in the text, CR LF when there is none.
    const std::string& LineEnding() const { return m_lineEnding; }

    void AddListener(BufferListener* listener);
    void RemoveListener(BufferListener* listener);

private:
    void OnDocChange(const DocChange& change) override;
    void NotifyReset();
    void DetectLineEnding();
    int LoadIntoDocument(const std::string& path);
    // Shows the file at m_filePath from its start; false when it will not open.
    bool ReopenFile();
    void ReleaseFile();
    // The file's text grew or was cut short: what the filter shows follows.
    FollowResult AfterUpdate(FileTextSource::Growth growth, Pos oldLength, FollowResult cutShort);
    // The whole text is another now: the filter starts again over it, on this thread.
    void RefilterHere();
    void DropFilter();
    // What the watchers show, at most 16 MiB of it: what is kept of a file let go of.
    void ShownRange(Pos& from, Pos& to) const;

    EditorSettings& m_settings;
    TextDocument m_doc;
    std::unique_ptr<FileTextSource> m_file;
    std::string m_filePath;
    unsigned m_looksSinceReopen = 0;
    bool m_readOnly = false;
    bool m_syntaxColoring = true;
    std::string m_lineEnding = "\r\n";
    std::vector<BufferListener*> m_listeners;
    std::unique_ptr<FilterJob> m_filter;
    LineFilterOptions m_filterOptions;
};

}  // namespace tessaly::editor
