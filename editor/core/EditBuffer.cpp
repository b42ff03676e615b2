#include "EditBuffer.h"

#include <algorithm>

#include "TextFileLoader.h"

namespace tessaly::editor {

EditBuffer::EditBuffer(EditorSettings& settings) : settings_(settings) { doc_.AddListener(this); }

EditBuffer::~EditBuffer() { doc_.RemoveListener(this); }

const TextSource& EditBuffer::Text() const {
    if (file_) return *file_;
    return doc_.Text();
}

void EditBuffer::AddListener(BufferListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) listeners_.push_back(listener);
}

void EditBuffer::RemoveListener(BufferListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void EditBuffer::OnDocChange(const DocChange& change) {
    const std::vector<BufferListener*> listeners = listeners_;
    for (BufferListener* l : listeners) l->OnBufferChange(change);
}

void EditBuffer::NotifyReset() { OnDocChange({DocChange::Kind::Reset, 0, Text().Length()}); }

void EditBuffer::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    doc_.SetReadOnly(readOnly);
    if (!readOnly && file_) {
        // An editable text must be in memory: read the shown file whole.
        const std::string path = filePath_;
        if (LoadIntoDocument(path) != 0) {
            readOnly_ = true;
            doc_.SetReadOnly(true);
        }
    }
}

void EditBuffer::DetectLineEnding() {
    static const std::string kCrLf = "\r\n", kLf = "\n", kCr = "\r";
    const TextSource& text = Text();
    const std::string head = text.Text(0, std::min<Pos>(text.Length(), 64 * 1024));
    const std::size_t at = head.find_first_of("\r\n");
    if (at == std::string::npos) lineEnding_ = kCrLf;
    else if (head[at] == '\n') lineEnding_ = kLf;
    else if (at + 1 < head.size() && head[at + 1] == '\n') lineEnding_ = kCrLf;
    else lineEnding_ = kCr;
}

int EditBuffer::LoadIntoDocument(const std::string& path) {
    TextBuffer fresh;
    const LoadResult result = LoadTextFile(path, fresh);
    if (result != LoadResult::Ok) return static_cast<int>(result);
    doc_.ReplaceText(std::move(fresh));
    file_.reset();
    filePath_ = path;
    DetectLineEnding();
    return 0;
}

int EditBuffer::ReadFile(const std::string& path) {
    if (!readOnly_) {
        const int result = LoadIntoDocument(path);
        if (result == 0) NotifyReset();
        return result;
    }
    auto file = std::make_unique<FileTextSource>();
    if (!file->Open(path)) return static_cast<int>(LoadResult::CannotOpen);
    file_ = std::move(file);
    filePath_ = path;
    doc_.ReplaceText(TextBuffer());
    DetectLineEnding();
    NotifyReset();
    return 0;
}

bool EditBuffer::WriteText(const ChunkSink& sink) const {
    if (!file_) {
        const TextBuffer& text = doc_.Text();
        return sink(text.Part1().data(), text.Part1().size()) && sink(text.Part2().data(), text.Part2().size());
    }
    // A file shown on demand is copied in pieces, never held whole.
    std::vector<char> chunk(1 << 20);
    for (Pos pos = 0; pos < file_->Length();) {
        const Pos n = std::min<Pos>(static_cast<Pos>(chunk.size()), file_->Length() - pos);
        if (file_->CopyBytes(pos, n, chunk.data()) != n) return false;
        if (!sink(chunk.data(), static_cast<std::size_t>(n))) return false;
        pos += n;
    }
    return true;
}

SafeWriteResult EditBuffer::SaveTo(const std::string& path, const WriteProgress& progress) const {
    const auto total = static_cast<std::uint64_t>(Text().Length());
    if (file_ && IsSameFile(path, filePath_)) {
        SafeWriteResult same;
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
                if (!sink(data, piece)) return false;
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
    if (result.outcome == SafeWriteOutcome::Stopped && !stopped) result.outcome = SafeWriteOutcome::SourceFailed;
    return result;
}

bool EditBuffer::SetText(std::string_view text) {
    TextBuffer fresh;
    if (!fresh.SetText(text)) return false;
    doc_.ReplaceText(std::move(fresh));
    file_.reset();
    filePath_.clear();
    DetectLineEnding();
    NotifyReset();
    return true;
}

bool EditBuffer::Refresh() {
    if (!file_) return false;
    const Pos oldLength = file_->Length();
    switch (file_->Update()) {
        case FileTextSource::Growth::None: return false;
        case FileTextSource::Growth::Appended:
            OnDocChange({DocChange::Kind::Insert, oldLength, file_->Length() - oldLength});
            return true;
        case FileTextSource::Growth::Replaced:
            DetectLineEnding();
            NotifyReset();
            return true;
    }
    return false;
}

}  // namespace tessaly::editor
