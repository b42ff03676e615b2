#include <editor/VQEdit.h>

#include <algorithm>
#include <vector>

#include <editor/Colors.h>

#include "EditBuffer.h"
#include "ProgressWait.h"
#include "TextFileLoader.h"

namespace {
using tessaly::editor::LoadResult;
using tessaly::editor::SafeWriteOutcome;
static_assert(static_cast<int>(LoadResult::CannotOpen) == VQ_READ_CANNOT_OPEN);
static_assert(static_cast<int>(LoadResult::NoSize) == VQ_READ_NO_SIZE);
static_assert(static_cast<int>(LoadResult::TooLong) == VQ_READ_TOO_LONG);
static_assert(static_cast<int>(LoadResult::ReadError) == VQ_READ_FAILED);
static_assert(static_cast<int>(SafeWriteOutcome::TargetReadOnly) == VQ_WRITE_READ_ONLY);
static_assert(static_cast<int>(SafeWriteOutcome::TargetLocked) == VQ_WRITE_LOCKED);
static_assert(static_cast<int>(SafeWriteOutcome::NoTemporaryFile) == VQ_WRITE_NO_TEMPORARY);
static_assert(static_cast<int>(SafeWriteOutcome::WriteFailed) == VQ_WRITE_FAILED);
static_assert(static_cast<int>(SafeWriteOutcome::ReplaceFailed) == VQ_WRITE_REPLACE_FAILED);
static_assert(static_cast<int>(SafeWriteOutcome::DiskFull) == VQ_WRITE_DISK_FULL);
static_assert(static_cast<int>(SafeWriteOutcome::TargetIsFolder) == VQ_WRITE_IS_FOLDER);
static_assert(static_cast<int>(SafeWriteOutcome::FolderMissing) == VQ_WRITE_NO_FOLDER);
static_assert(static_cast<int>(SafeWriteOutcome::Stopped) == VQ_WRITE_STOPPED);
static_assert(static_cast<int>(SafeWriteOutcome::SourceFailed) == VQ_WRITE_SOURCE_CUT_SHORT);
}  // namespace

// Turns the buffer's changes into the lines they touched, for the program's watchers.
class CVQEdit::Watchers : private tessaly::editor::BufferListener {
public:
    explicit Watchers(tessaly::editor::EditBuffer& buffer) : m_buffer(buffer), m_lines(buffer.Text().LineCount())
    {
        m_buffer.AddListener(this);
    }
    ~Watchers() { m_buffer.RemoveListener(this); }
    Watchers(const Watchers&) = delete;
    Watchers& operator=(const Watchers&) = delete;

    std::vector<CVQEditWatcher*> m_watchers;

private:
    void OnBufferChange(const tessaly::editor::DocChange& change) override
    {
        using Kind = tessaly::editor::DocChange::Kind;
        const tessaly::editor::TextSource& text = m_buffer.Text();
        const int lines = static_cast<int>(text.LineCount());
        const int delta = lines - m_lines;
        m_lines = lines;
        int first = -1;
        if (change.kind != Kind::Reset)
            first = static_cast<int>(text.LineFromPosition(change.pos));
        const std::vector<CVQEditWatcher*> watchers = m_watchers;
        for (CVQEditWatcher* w : watchers)
            w->OnTextChanged(first, delta < 0 ? -delta : 0, delta > 0 ? delta : 0);
    }

    tessaly::editor::EditBuffer& m_buffer;
    int m_lines;
};

CVQEdit::CVQEdit() : m_pBuffer(std::make_unique<tessaly::editor::EditBuffer>(*this))
{
    m_Colors.CopyTo(*this);
}

CVQEdit::~CVQEdit() = default;

int CVQEdit::GetLineCount() const
{
    return static_cast<int>(m_pBuffer->Text().LineCount());
}

void CVQEdit::GetLineText(int line, std::string& text, int room) const
{
    text.clear();
    const tessaly::editor::TextSource& source = m_pBuffer->Text();
    if (line < 0 || line >= source.LineCount() || room <= 0)
        return;
    const tessaly::editor::Pos n = std::min<tessaly::editor::Pos>(source.LineLength(line), room);
    text.resize(static_cast<std::size_t>(n));
    if (n > 0)
        source.GetBytes(source.LineStart(line), n, text.data());
}

BOOL CVQEdit::AddWatcher(CVQEditWatcher* watcher)
{
    try {
        if (!m_pWatchers)
            m_pWatchers = std::make_unique<Watchers>(*m_pBuffer);
        m_pWatchers->m_watchers.push_back(watcher);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

void CVQEdit::RemoveWatcher(CVQEditWatcher* watcher)
{
    if (m_pWatchers)
        std::erase(m_pWatchers->m_watchers, watcher);
}

void CVQEdit::Refresh()
{
    try {
        m_Colors.ReadSettings();
        m_Colors.CopyTo(*this);
        m_pBuffer->Refresh();
    } catch (...) {
        // The buffer stays as it was.
    }
}

BOOL CVQEdit::IsModified()
{
    return m_pBuffer->IsModified() ? TRUE : FALSE;
}

void CVQEdit::SetReadOnly(BOOL readOnly)
{
    try {
        m_pBuffer->SetReadOnly(readOnly != FALSE);
    } catch (...) {
        // Reading a shown file into memory failed: it stays read-only.
    }
}

int CVQEdit::FollowFile()
{
    using Result = tessaly::editor::EditBuffer::FollowResult;
    try {
        switch (m_pBuffer->Follow()) {
            case Result::None:
                return VQ_FILE_UNCHANGED;
            case Result::Appended:
                return VQ_FILE_APPENDED;
            case Result::CutShort:
                return VQ_FILE_CUT_SHORT;
            case Result::Replaced:
                return VQ_FILE_REPLACED;
            case Result::Gone:
                return VQ_FILE_GONE;
            case Result::Back:
                return VQ_FILE_BACK;
        }
    } catch (...) {
        // Out of memory or threads: the text stays as it was, and the next look tries again.
    }
    return VQ_FILE_UNCHANGED;
}

int CVQEdit::ShowCopy(const char* path)
{
    if (!path || !*path)
        return VQ_FILE_NO_PATH;
    try {
        return m_pBuffer->ShowCopy(path);
    } catch (...) {
        return VQ_FILE_OUT_OF_MEMORY;
    }
}

LONGLONG CVQEdit::GetLength() const
{
    return m_pBuffer->WholeText().Length();
}

BOOL CVQEdit::IsReadOnly() const
{
    return m_pBuffer->IsReadOnly() ? TRUE : FALSE;
}

void CVQEdit::SetSyntaxColoring(BOOL on)
{
    m_pBuffer->SetSyntaxColoring(on != FALSE);
}

BOOL CVQEdit::GetSyntaxColoring() const
{
    return m_pBuffer->SyntaxColoring() ? TRUE : FALSE;
}

int CVQEdit::ReadFile(const char* path)
{
    if (!path || !*path)
        return VQ_FILE_NO_PATH;
    try {
        if (!m_pBuffer->IsReadOnly())
            tessaly::editor::RemoveSaveLeftover(path);
        return m_pBuffer->ReadFile(path);
    } catch (...) {
        return VQ_FILE_OUT_OF_MEMORY;
    }
}

int CVQEdit::WriteFile(const char* path)
{
    return WriteFile(path, nullptr);
}

int CVQEdit::WriteFile(const char* path, HWND progressWindow)
{
    if (!path || !*path)
        return VQ_FILE_NO_PATH;
    try {
        tessaly::editor::SafeWriteResult result;
        if (progressWindow) {
            // The file's name alone: a full path would not fit the box.
            const std::string target = path;
            const std::string name = target.substr(target.find_last_of("\\/") + 1);
            tessaly::editor::ProgressWait wait(progressWindow, "Saving " + name + "...");
            result = m_pBuffer->SaveTo(path, [&](std::uint64_t done, std::uint64_t total) {
                return wait.Step(total ? static_cast<double>(done) / static_cast<double>(total) : 1.0);
            });
        } else {
            result = m_pBuffer->SaveTo(path);
        }
        if (result.Ok())
            m_pBuffer->MarkSaved();
        ::SetLastError(result.systemError);
        return static_cast<int>(result.outcome);
    } catch (...) {
        return VQ_FILE_OUT_OF_MEMORY;
    }
}

BOOL CVQEdit::IsFiltered() const
{
    return m_pBuffer->Filter() ? TRUE : FALSE;
}

BOOL CVQEdit::IsFilterRunning() const
{
    const tessaly::editor::FilterJob* job = m_pBuffer->Filter();
    return job && job->Running() ? TRUE : FALSE;
}

BOOL CVQEdit::IsFilterStopped() const
{
    const tessaly::editor::FilterJob* job = m_pBuffer->Filter();
    return job && job->Halted() ? TRUE : FALSE;
}

namespace {
LONGLONG LinesWithoutEmptyLast(const tessaly::editor::TextSource& text)
{
    const tessaly::editor::Pos count = text.LineCount();
    if (count > 0 && text.IsIndexComplete() && text.LineStart(count - 1) == text.Length())
        return count - 1;
    return count;
}
}  // namespace

LONGLONG CVQEdit::GetShownLineCount() const
{
    if (const tessaly::editor::FilterJob* job = m_pBuffer->Filter())
        return job->Shown().Rows();
    return LinesWithoutEmptyLast(m_pBuffer->WholeText());
}

LONGLONG CVQEdit::GetWholeLineCount() const
{
    return LinesWithoutEmptyLast(m_pBuffer->WholeText());
}

BOOL CVQEdit::GetWholeLine(LONGLONG line, std::string& text, int maxBytes) const
{
    const tessaly::editor::TextSource& whole = m_pBuffer->WholeText();
    if (line < 0 || line >= whole.LineCount() || maxBytes < 0)
        return FALSE;
    try {
        text = whole.Text(whole.LineStart(line), std::min<LONGLONG>(whole.LineLength(line), maxBytes));
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}
