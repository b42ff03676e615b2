// Cut, copy and paste through the clipboard's text format.
#include <cstring>

#include "EditorWindow.h"

namespace tessaly::editor {

namespace {

// The clipboard, open for one operation; another program may hold it for a moment.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner)
    {
        for (int attempt = 0; attempt < 10 && !m_open; ++attempt) {
            m_open = ::OpenClipboard(owner) != FALSE;
            if (!m_open)
                ::Sleep(10);
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    ~OpenClipboardScope()
    {
        if (m_open)
            ::CloseClipboard();
    }
    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};

// Whether the clipboard holds text. The toolbar asks after every keystroke, and asking the
// system can take long (under Wine it may ask the X server each time): the answer is kept
// until the clipboard's sequence number says its contents changed. Without access to that
// number (0), the system is asked every time.
bool ClipboardHasText()
{
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
    explicit GlobalMemory(SIZE_T size) : m_h(::GlobalAlloc(GMEM_MOVEABLE, size)) {}
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory()
    {
        if (m_h)
            ::GlobalFree(m_h);
    }
    HGLOBAL Get() const { return m_h; }
    HGLOBAL Release()
    {
        HGLOBAL h = m_h;
        m_h = nullptr;
        return h;
    }

private:
    HGLOBAL m_h;
};

// The largest text put on the clipboard at once (a selection of a huge log may be larger).
constexpr Pos kMaxClipboardText = 256 * 1024 * 1024;

}  // namespace

bool EditorWindow::Copy()
{
    if (!m_session.HasSelection())
        return false;
    if (m_session.SelEnd() - m_session.SelStart() > kMaxClipboardText) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    const std::string text = m_session.SelectedText();
    GlobalMemory memory(text.size() + 1);
    if (!memory.Get())
        return false;
    if (void* p = ::GlobalLock(memory.Get())) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        ::GlobalUnlock(memory.Get());
    } else {
        return false;
    }
    OpenClipboardScope clipboard(m_wnd);
    if (!clipboard.IsOpen())
        return false;
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_TEXT, memory.Get()))
        return false;
    memory.Release();  // the clipboard owns it now
    return true;
}

bool EditorWindow::Cut()
{
    if (!m_session.CanCut()) {
        if (m_session.HasSelection())
            ::MessageBeep(MB_OK);
        return false;
    }
    return Copy() && DoEdit([this] { return m_session.DeleteSelection(); });
}

bool EditorWindow::Clear()
{
    return DoEdit([this] { return m_session.DeleteSelection(); });
}

bool EditorWindow::CanPaste() const
{
    return m_session.CanPaste() && ClipboardHasText();
}

bool EditorWindow::Paste()
{
    if (!m_session.CanPaste()) {
        ::MessageBeep(MB_OK);
        return false;
    }
    std::string text;
    {
        OpenClipboardScope clipboard(m_wnd);
        if (!clipboard.IsOpen())
            return false;
        HANDLE data = ::GetClipboardData(CF_TEXT);
        if (!data)
            return false;
        const char* p = static_cast<const char*>(::GlobalLock(data));
        if (!p)
            return false;
        text.assign(p, strnlen(p, ::GlobalSize(data)));
        ::GlobalUnlock(data);
    }
    return DoEdit([&] { return m_session.InsertText(text); });
}

}  // namespace tessaly::editor
