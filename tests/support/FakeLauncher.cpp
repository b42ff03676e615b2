#include "FakeLauncher.h"

#include <future>

namespace {

constexpr char kClassName[] = "TessalyFakeLauncher";

}  // namespace

bool CFakeLauncher::Start(bool publishWindow)
{
    if (!m_block.Create())
        return false;
    std::promise<HWND> ready;
    auto windowReady = ready.get_future();
    m_thread = std::thread(&CFakeLauncher::ThreadMain, this, &ready);
    m_window = windowReady.get();
    if (!m_window) {
        m_thread.join();
        return false;
    }
    m_block.Data()->hLauncherWnd = publishWindow ? HandleToBlock(m_window) : 0;
    return true;
}

void CFakeLauncher::Stop()
{
    if (m_thread.joinable()) {
        ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }
    m_window = nullptr;
    m_block.Close();
}

void CFakeLauncher::ThreadMain(std::promise<HWND>* ready)
{
    m_threadId = ::GetCurrentThreadId();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &CFakeLauncher::WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);  // fails harmlessly when a previous launcher registered it
    HWND wnd =
        ::CreateWindowExA(0, kClassName, "Launcher", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, this);
    ready->set_value(wnd);
    if (!wnd)
        return;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ::DestroyWindow(wnd);
}

LRESULT CALLBACK CFakeLauncher::WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CFakeLauncher*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (message == WM_LAUNCHER_NOTIFY && self)
        return self->Record(wParam, lParam);
    return ::DefWindowProcA(wnd, message, wParam, lParam);
}

LRESULT CFakeLauncher::Record(WPARAM code, LPARAM lParam)
{
    LauncherNotice notice;
    notice.code = static_cast<unsigned>(code);
    notice.lParam = lParam;
    notice.sent = (::InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
    notice.editorWndAtThatMoment = m_block.Data() ? m_block.Data()->hEditorWnd : 0;

    std::function<LRESULT(const LauncherNotice&)> responder;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        responder = m_responder;
    }
    // The responder runs before the notice is published, so a test that waits for the code
    // sees what the responder did.
    const LRESULT result = responder ? responder(notice) : 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_notices.push_back(notice);
    }
    m_arrived.notify_all();
    return result;
}

void CFakeLauncher::SetText(const char* text)
{
    if (m_block.Data())
        CopySharedText(*m_block.Data(), text);
}

std::string CFakeLauncher::Text()
{
    return m_block.Data() ? ReadSharedText(*m_block.Data()) : std::string();
}

std::vector<LauncherNotice> CFakeLauncher::Notices() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_notices;
}

void CFakeLauncher::ClearNotices()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_notices.clear();
}

bool CFakeLauncher::WaitForCode(unsigned code, DWORD timeoutMs, LauncherNotice* notice) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto find = [&] {
        for (const auto& n : m_notices) {
            if (n.code == code) {
                if (notice)
                    *notice = n;
                return true;
            }
        }
        return false;
    };
    return m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), find);
}

void CFakeLauncher::SetResponder(std::function<LRESULT(const LauncherNotice&)> responder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_responder = std::move(responder);
}

LRESULT CFakeLauncher::SendCode(HWND target, unsigned code, LPARAM lParam, DWORD timeoutMs, bool* timedOut)
{
    DWORD_PTR result = 0;
    const LRESULT ok = ::SendMessageTimeoutA(target, WM_LAUNCHER_NOTIFY, code, lParam, SMTO_NORMAL, timeoutMs, &result);
    if (timedOut)
        *timedOut = ok == 0;
    return static_cast<LRESULT>(result);
}

bool CFakeLauncher::PostCode(HWND target, unsigned code, LPARAM lParam)
{
    return ::PostMessageA(target, WM_LAUNCHER_NOTIFY, code, lParam) != FALSE;
}
