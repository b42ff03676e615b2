#include "EditorControl.h"

#include <memory>

#include "EditorWindow.h"

namespace tessaly::editor {

namespace {

// A window's editor, with the buffer and settings it owns when the host passed none.
struct EditorInstance {
    std::unique_ptr<EditorSettings> ownSettings;
    std::unique_ptr<EditBuffer> ownBuffer;
    std::unique_ptr<EditorWindow> editor;
};

EditorInstance* InstanceOf(HWND wnd)
{
    return reinterpret_cast<EditorInstance*>(::GetWindowLongPtrA(wnd, 0));
}

LRESULT Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const auto* params = static_cast<const EditorCreateParams*>(cs->lpCreateParams);
        auto instance = std::make_unique<EditorInstance>();
        EditBuffer* buffer = params ? params->buffer : nullptr;
        if (!buffer) {
            instance->ownSettings = std::make_unique<EditorSettings>();
            instance->ownBuffer = std::make_unique<EditBuffer>(*instance->ownSettings);
            buffer = instance->ownBuffer.get();
        }
        instance->editor = std::make_unique<EditorWindow>(*buffer, params ? params->keywords : nullptr);
        ::SetWindowLongPtrA(wnd, 0, reinterpret_cast<LONG_PTR>(instance.release()));
        return ::DefWindowProcA(wnd, msg, wParam, lParam);
    }
    EditorInstance* instance = InstanceOf(wnd);
    // instance is null before WM_NCCREATE and after WM_NCDESTROY.
    if (!instance)
        return ::DefWindowProcA(wnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        instance->editor->Attach(wnd);
        // ES_READONLY at creation, as for the platform's edit control.
        if (reinterpret_cast<const CREATESTRUCTA*>(lParam)->style & ES_READONLY)
            instance->editor->Buffer().SetReadOnly(true);
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(wnd, 0, 0);
        std::unique_ptr<EditorInstance> owned(instance);
        owned->editor->Detach();
        return ::DefWindowProcA(wnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (instance->editor->HandleMessage(msg, wParam, lParam, result))
        return result;
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK EditorWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Nothing may leave a window procedure by exception.
    try {
        return Dispatch(wnd, msg, wParam, lParam);
    } catch (...) {
        if (msg == WM_NCCREATE)
            return FALSE;
        ::MessageBeep(MB_ICONHAND);
        return 0;
    }
}

}  // namespace

bool RegisterEditorClass(HINSTANCE instance)
{
    WNDCLASSEXA wc{};
    if (::GetClassInfoExA(instance, kEditorClassName, &wc))
        return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = EditorWndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_IBEAM);
    wc.lpszClassName = kEditorClassName;
    return ::RegisterClassExA(&wc) != 0;
}

EditorWindow* EditorFromWindow(HWND wnd)
{
    EditorInstance* instance = wnd ? InstanceOf(wnd) : nullptr;
    return instance ? instance->editor.get() : nullptr;
}

}  // namespace tessaly::editor
