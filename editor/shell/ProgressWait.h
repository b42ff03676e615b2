#pragma once
// A long piece of work done on the window's own thread that the user can see and stop:
// the wait cursor at once; after a short delay a small box over the window's frame saying
// what is being done and how far it got, with the frame disabled as under a modal dialog.
// The thread's messages keep flowing (the windows repaint), input goes only to the box,
// and Esc or closing the box stops the work.
#include <windows.h>

#include <string>
#include <vector>

namespace tessaly::editor {

// The window class of the box, for tools and tests that look for it.
inline constexpr const char* kProgressBoxClass = "TessalyEditorProgress";

class ProgressWait {
public:
    // window: the editor window doing the work; what: one line on the box.
    ProgressWait(HWND window, std::string what);
    ~ProgressWait();
    ProgressWait(const ProgressWait&) = delete;
    ProgressWait& operator=(const ProgressWait&) = delete;

    // Called now and then with how far the work is (0 to 1): shows the box once the delay
    // has passed and lets the messages through. False once the user stopped the wait.
    bool Step(double fraction);
    bool Stopped() const { return m_stopped; }

    // How long a wait runs before its box shows (tests show it at once).
    static void SetShowDelay(DWORD ms);

private:
    void ShowBox();
    void PumpMessages();
    static LRESULT CALLBACK BoxProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintBox();

    HWND m_window;
    HWND m_frame;
    std::string m_what;
    HWND m_box = nullptr;
    HWND m_focus = nullptr;
    bool m_frameDisabled = false;
    HCURSOR m_cursor = nullptr;
    DWORD m_start;
    DWORD m_lastPump;
    double m_fraction = 0;
    bool m_stopped = false;
    bool m_nested = false;
    // A quit or a close asked for while waiting, passed on when the wait ends.
    bool m_quit = false;
    int m_quitCode = 0;
    std::vector<HWND> m_closes;
};

}  // namespace tessaly::editor
