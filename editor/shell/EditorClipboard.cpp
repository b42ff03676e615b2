// Cut, copy and paste through the clipboard's text format.
#include <cstring>

#include "EditorWindow.h"

namespace tessaly::editor {

namespace {

// The clipboard, open for one operation; another program may hold it for a moment.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = ::OpenClipboard(owner) != FALSE;
            if (!open_) ::Sleep(10);
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    ~OpenClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

// Whether the clipboard holds text. The toolbar asks after every keystroke, and asking the
// system can take long (under Wine it may ask the X server each time): the answer is kept
// until the clipboard's sequence number says its contents changed. Without access to that
// number (0), the system is asked every time.
bool ClipboardHasText() {
    static DWORD seenSequence = 0;
    static bool hasText = false;
    const DWORD sequence = ::GetClipboardSequenceNumber();
    if (sequence == 0 || sequence != seenSequence) {
        hasText = ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
        seenSequence = sequence;
    }
    return hasText;
}

// Global memory until the clipboard takes it over.
class GlobalMemory {
public:
    explicit GlobalMemory(SIZE_T size) : h_(::GlobalAlloc(GMEM_MOVEABLE, size)) {}
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory() {
        if (h_) ::GlobalFree(h_);
    }
    HGLOBAL Get() const { return h_; }
    HGLOBAL Release() {
        HGLOBAL h = h_;
        h_ = nullptr;
        return h;
    }

private:
    HGLOBAL h_;
};

// The largest text put on the clipboard at once (a selection of a huge log may be larger).
constexpr Pos kMaxClipboardText = 256 * 1024 * 1024;

}  // namespace

bool EditorWindow::Copy() {
    if (!session_.HasSelection()) return false;
    if (session_.SelEnd() - session_.SelStart() > kMaxClipboardText) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    const std::string text = session_.SelectedText();
    GlobalMemory memory(text.size() + 1);
    if (!memory.Get()) return false;
    if (void* p = ::GlobalLock(memory.Get())) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        ::GlobalUnlock(memory.Get());
    } else {
        return false;
    }
    OpenClipboardScope clipboard(wnd_);
    if (!clipboard.IsOpen()) return false;
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_TEXT, memory.Get())) return false;
    memory.Release();  // the clipboard owns it now
    return true;
}

bool EditorWindow::Cut() {
    if (!session_.CanCut()) {
        if (session_.HasSelection()) ::MessageBeep(MB_OK);
        return false;
    }
    return Copy() && DoEdit([this] { return session_.DeleteSelection(); });
}

bool EditorWindow::Clear() {
    return DoEdit([this] { return session_.DeleteSelection(); });
}

bool EditorWindow::CanPaste() const {
    return session_.CanPaste() && ClipboardHasText();
}

bool EditorWindow::Paste() {
    if (!session_.CanPaste()) {
        ::MessageBeep(MB_OK);
        return false;
    }
    std::string text;
    {
        OpenClipboardScope clipboard(wnd_);
        if (!clipboard.IsOpen()) return false;
        HANDLE data = ::GetClipboardData(CF_TEXT);
        if (!data) return false;
        const char* p = static_cast<const char*>(::GlobalLock(data));
        if (!p) return false;
        text.assign(p, strnlen(p, ::GlobalSize(data)));
        ::GlobalUnlock(data);
    }
    return DoEdit([&] { return session_.InsertText(text); });
}

}  // namespace tessaly::editor
