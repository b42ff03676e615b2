// A window hook the bench puts on Scrivel's thread: it times, inside Scrivel, each step from
// the key message leaving the queue to the end of the view's repaint that follows, and
// signals the bench. Elsewhere it changes nothing.
#include <windows.h>

#include "KeyWatchBlock.h"

namespace {

constexpr char kOriginalProc[] = "ScrivelBenchOriginalProc";

// The block, mapped once per process.
KeyWatchBlock* Block()
{
    static KeyWatchBlock* block = [] {
        HANDLE mapping = ::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kKeyWatchBlockName);
        return mapping ? static_cast<KeyWatchBlock*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
    }();
    return block;
}

HANDLE PaintedEvent()
{
    static HANDLE event = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, kKeyWatchPaintedEvent);
    return event;
}

LRESULT CALLBACK WatchView(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(::GetPropA(wnd, kOriginalProc));
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ::RemovePropA(wnd, kOriginalProc);
        return ::CallWindowProcA(original, wnd, msg, wParam, lParam);
    }
    const LRESULT result = ::CallWindowProcA(original, wnd, msg, wParam, lParam);
    KeyWatchBlock* block = Block();
    const bool watched = block && (block->child ? ::GetParent(wnd) == block->view : block->view == wnd);
    if (msg == WM_PAINT && watched && block->armed && block->keyAt.QuadPart != 0) {
        ::QueryPerformanceCounter(&block->paintedAt);
        block->armed = 0;
        ::SetEvent(PaintedEvent());
    }
    return result;
}

void WatchIfNew(HWND view)
{
    if (!view || ::GetPropA(view, kOriginalProc) || ::GetWindowThreadProcessId(view, nullptr) != ::GetCurrentThreadId())
        return;
    ::SetPropA(view, kOriginalProc, reinterpret_cast<HANDLE>(::GetWindowLongPtrA(view, GWLP_WNDPROC)));
    ::SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchView));
}

}  // namespace

// Called for every message Scrivel's thread takes from its queue.
extern "C" __declspec(dllexport) LRESULT CALLBACK WatchKeys(int code, WPARAM wParam, LPARAM lParam)
{
    KeyWatchBlock* block = Block();
    if (code == HC_ACTION && wParam == PM_REMOVE && block) {
        WatchIfNew(block->view);
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        // A list shown on the view is watched from its first repaint on.
        if (block->child && msg->message == WM_PAINT && ::GetParent(msg->hwnd) == block->view)
            WatchIfNew(msg->hwnd);
        const bool key = msg->message == WM_KEYDOWN || msg->message == WM_CHAR;
        if (block->armed && block->keyAt.QuadPart == 0 && key && msg->hwnd == block->view &&
            (block->startKey == 0 || (msg->message == WM_KEYDOWN && msg->wParam == block->startKey)))
            ::QueryPerformanceCounter(&block->keyAt);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
