#include "EditBuffer.h"

#include <algorithm>
#include <limits>

#include "TextFileLoader.h"

namespace tessaly::editor {

EditBuffer::EditBuffer(EditorSettings& settings) : m_settings(settings)
{
    m_doc.AddListener(this);
}

EditBuffer::~EditBuffer()
{
    m_doc.RemoveListener(this);
}

const TextSource& EditBuffer::Text() const
{
    if (m_filter)
        return m_filter->Shown();
    return WholeText();
}

const TextSource& EditBuffer::WholeText() const
{
    if (m_file)
        return *m_file;
    return m_doc.Text();
}

void EditBuffer::AddListener(BufferListener* listener)
{
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void EditBuffer::RemoveListener(BufferListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void EditBuffer::OnDocChange(const DocChange& change)
{
    const std::vector<BufferListener*> listeners = m_listeners;
    for (BufferListener* l : listeners)
        l->OnBufferChange(change);
}

void EditBuffer::NotifyReset()
{
    OnDocChange({DocChange::Kind::Reset, 0, Text().Length()});
}

void EditBuffer::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_doc.SetReadOnly(readOnly);
    if (!readOnly && m_file) {
        // An editable text must be in memory: read the shown file whole.
        const std::string path = m_filePath;
        if (LoadIntoDocument(path) != 0) {
            m_readOnly = true;
            m_doc.SetReadOnly(true);
        }
    }
}

void EditBuffer::DetectLineEnding()
{
    static const std::string kCrLf = "\r\n", kLf = "\n", kCr = "\r";
    const TextSource& text = Text();
    const std::string head = text.Text(0, std::min<Pos>(text.Length(), 64 * 1024));
    const std::size_t at = head.find_first_of("\r\n");
    if (at == std::string::npos)
        m_lineEnding = kCrLf;
    else if (head[at] == '\n')
        m_lineEnding = kLf;
    else if (at + 1 < head.size() && head[at + 1] == '\n')
        m_lineEnding = kCrLf;
    else
        m_lineEnding = kCr;
}

int EditBuffer::LoadIntoDocument(const std::string& path)
{
    TextBuffer fresh;
    const LoadResult result = LoadTextFile(path, fresh);
    if (result != LoadResult::Ok)
        return static_cast<int>(result);
    DropFilter();
    m_doc.ReplaceText(std::move(fresh));
    m_file.reset();
    m_filePath = path;
    DetectLineEnding();
    return 0;
}

int EditBuffer::ReadFile(const std::string& path)
{
    if (!m_readOnly) {
        const int result = LoadIntoDocument(path);
        if (result == 0)
            NotifyReset();
        return result;
    }
    auto file = std::make_unique<FileTextSource>();
    if (!file->Open(path))
        return static_cast<int>(LoadResult::CannotOpen);
    DropFilter();
    m_file = std::move(file);
    m_filePath = path;
    m_doc.ReplaceText(TextBuffer());
    DetectLineEnding();
    NotifyReset();
    return 0;
}

bool EditBuffer::WriteText(const ChunkSink& sink) const
{
    if (m_filter) {
        // The rows shown, read through the log's own index, never held whole.
        const TextSource& shown = m_filter->Shown();
        std::vector<char> chunk(1 << 20);
        for (Pos pos = 0; pos < shown.Length();) {
            const Pos n = std::min<Pos>(static_cast<Pos>(chunk.size()), shown.Length() - pos);
            shown.GetBytes(pos, n, chunk.data());
            if (!sink(chunk.data(), static_cast<std::size_t>(n)))
                return false;
            pos += n;
        }
        return true;
    }
    if (!m_file) {
        const TextBuffer& text = m_doc.Text();
        return sink(text.Part1().data(), text.Part1().size()) && sink(text.Part2().data(), text.Part2().size());
    }
    // A file shown on demand is copied in pieces, never held whole.
    std::vector<char> chunk(1 << 20);
    for (Pos pos = 0; pos < m_file->Length();) {
        const Pos n = std::min<Pos>(static_cast<Pos>(chunk.size()), m_file->Length() - pos);
        if (m_file->CopyBytes(pos, n, chunk.data()) != n)
            return false;
        if (!sink(chunk.data(), static_cast<std::size_t>(n)))
            return false;
        pos += n;
    }
    return true;
}

SafeWriteResult EditBuffer::SaveTo(const std::string& path, const WriteProgress& progress) const
{
    const auto total = static_cast<std::uint64_t>(Text().Length());
    if (m_file && IsSameFile(path, m_filePath)) {
        SafeWriteResult same;
        // The lines shown would take the place of the log they are read from.
        if (m_filter) {
            same.outcome = SafeWriteOutcome::TargetLocked;
            return same;
        }
        same.bytes = total;
        return same;
    }
    constexpr std::size_t kPiece = 1 << 20;
    bool stopped = false;
    SafeWriteResult result = WriteFileSafely(path, [&](const ContentSink& sink) {
        std::uint64_t done = 0;
        if (progress && !progress(0, total)) {
            stopped = true;
            return false;
        }
        return WriteText([&](const char* data, std::size_t size) {
            // In pieces, so that a long text in memory tells its progress too.
            while (size > 0) {
                const std::size_t piece = std::min(size, kPiece);
                if (!sink(data, piece))
                    return false;
                done += piece;
                data += piece;
                size -= piece;
                if (progress && !progress(done, total)) {
                    stopped = true;
                    return false;
                }
            }
            return true;
        });
    });
    if (result.outcome == SafeWriteOutcome::Stopped && !stopped)
        result.outcome = SafeWriteOutcome::SourceFailed;
    return result;
}

bool EditBuffer::SetText(std::string_view text)
{
    TextBuffer fresh;
    if (!fresh.SetText(text))
        return false;
    DropFilter();
    m_doc.ReplaceText(std::move(fresh));
    m_file.reset();
    m_filePath.clear();
    DetectLineEnding();
    NotifyReset();
    return true;
}

bool EditBuffer::Refresh()
{
    if (!m_file)
        return false;
    if (m_filter && m_filter->Running())
        return false;
    const Pos oldLength = m_file->Length();
    return AfterUpdate(m_file->Update(), oldLength, FollowResult::CutShort) != FollowResult::None;
}

EditBuffer::FollowResult EditBuffer::AfterUpdate(FileTextSource::Growth growth, Pos oldLength, FollowResult cutShort)
{
    switch (growth) {
        case FileTextSource::Growth::None:
            if (m_filter && !m_filter->Finished()) {
                // The lines indexed since are filtered now.
                m_filter->Continue();
                PublishFilter();
            }
            return FollowResult::None;
        case FileTextSource::Growth::Appended:
            if (m_filter) {
                m_filter->Continue();
                PublishFilter();
            } else {
                OnDocChange({DocChange::Kind::Insert, oldLength, m_file->Length() - oldLength});
            }
            return FollowResult::Appended;
        case FileTextSource::Growth::Replaced:
            DetectLineEnding();
            if (m_filter)
                RefilterHere();
            else
                NotifyReset();
            return cutShort;
    }
    return FollowResult::None;
}

bool EditBuffer::StartFilter(const LineFilterOptions& options)
{
    DropFilter();
    auto job = std::make_unique<FilterJob>(WholeText(), options);
    if (job->ShowsEveryLine()) {
        NotifyReset();
        return false;
    }
    m_filterOptions = options;
    m_filter = std::move(job);
    m_filter->Start();
    PublishFilter();
    NotifyReset();
    return true;
}

void EditBuffer::PublishFilter()
{
    if (!m_filter)
        return;
    const DocChange change = m_filter->Shown().Publish();
    if (change.kind == DocChange::Kind::Reset)
        NotifyReset();
    else if (change.length > 0)
        OnDocChange(change);
}

void EditBuffer::ClearFilter()
{
    if (!m_filter)
        return;
    DropFilter();
    NotifyReset();
}

void EditBuffer::DropFilter()
{
    // The thread ends before the text it reads can go.
    m_filter.reset();
}

void EditBuffer::RefilterHere()
{
    m_filter.reset();
    m_filter = std::make_unique<FilterJob>(WholeText(), m_filterOptions);
    m_filter->Continue();
    m_filter->Shown().Publish();
    NotifyReset();
}

bool EditBuffer::ReopenFile()
{
    auto file = std::make_unique<FileTextSource>();
    if (!file->Open(m_filePath))
        return false;
    const bool filtered = m_filter != nullptr;
    DropFilter();
    m_file = std::move(file);
    DetectLineEnding();
    if (filtered)
        RefilterHere();
    else
        NotifyReset();
    return true;
}

void EditBuffer::ShownRange(Pos& from, Pos& to) const
{
    // What every watcher shows is kept, within reason: a page of very long lines is cut.
    constexpr Pos kMostKept = 16 * 1024 * 1024;
    from = std::numeric_limits<Pos>::max();
    to = 0;
    for (const BufferListener* l : m_listeners) {
        Pos a = 0, b = 0;
        if (l->ShownRange(a, b)) {
            from = std::min(from, a);
            to = std::max(to, b);
        }
    }
    if (from > to) {
        from = to = m_file->Length();
    } else if (m_filter && m_filter->Shown().Rows() > 0) {
        // The watchers show rows of the filter: the log's lines from the first to the last.
        const FilteredText& shown = m_filter->Shown();
        const Pos first = shown.LogLineAt(from);
        const Pos last = shown.LogLineAt(to);
        from = m_file->LineStart(first);
        to = m_file->LineStart(std::min(last + 1, m_file->LineCount()));
    }
    to = std::min(to, from + kMostKept);
}

void EditBuffer::ReleaseFile()
{
    Pos from = 0, to = 0;
    ShownRange(from, to);
    m_file->Release(from, to);
}

EditBuffer::FollowResult EditBuffer::Follow()
{
    if (!m_file)
        return FollowResult::None;
    // The file is not asked while a filter's thread reads it.
    if (m_filter && m_filter->Running())
        return FollowResult::None;
    if (m_file->IsReleased())
        return ReopenFile() ? FollowResult::Back : FollowResult::None;
    const Pos oldLength = m_file->Length();
    FileChange change = DecideFileChange(m_file->Look());
    // Every few looks the file is let go of for a moment: a deletion that waits for the
    // last handle shows only so. A file cut short or replaced meanwhile is found next time.
    constexpr unsigned kLooksPerReopen = 5;
    if (change == FileChange::None && ++m_looksSinceReopen >= kLooksPerReopen) {
        m_looksSinceReopen = 0;
        Pos from = 0, to = 0;
        ShownRange(from, to);
        change = m_file->Reopen(from, to);
        if (change == FileChange::Gone)
            return FollowResult::Gone;
    }
    switch (change) {
        case FileChange::None:
            return AfterUpdate(FileTextSource::Growth::None, oldLength, FollowResult::CutShort);
        case FileChange::Appended:
        case FileChange::CutShort:
            return AfterUpdate(m_file->Update(), oldLength, FollowResult::CutShort);
        case FileChange::Replaced:
            if (ReopenFile())
                return FollowResult::Replaced;
            ReleaseFile();
            return FollowResult::Gone;
        case FileChange::Gone:
            ReleaseFile();
            return FollowResult::Gone;
    }
    return FollowResult::None;
}

int EditBuffer::ShowCopy(const std::string& path)
{
    if (!m_file || !m_readOnly)
        return ReadFile(path);
    auto file = std::make_unique<FileTextSource>();
    if (!file->Open(path))
        return static_cast<int>(LoadResult::CannotOpen);
    const bool wasFiltered = m_filter != nullptr;
    DropFilter();
    if (wasFiltered || file->Length() != m_file->Length()) {
        m_file = std::move(file);
        m_filePath = path;
        DetectLineEnding();
        NotifyReset();
        return 0;
    }
    // The same bytes: the watchers keep their places, and see a new index being made.
    m_file = std::move(file);
    m_filePath = path;
    OnDocChange({DocChange::Kind::Insert, m_file->Length(), 0});
    return 0;
}

}  // namespace tessaly::editor
