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
    bool Stopped() const { return stopped_; }

    // How long a wait runs before its box shows (tests show it at once).
    static void SetShowDelay(DWORD ms);

private:
    void ShowBox();
    void PumpMessages();
    static LRESULT CALLBACK BoxProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintBox();

    HWND window_;
    HWND frame_;
    std::string what_;
    HWND box_ = nullptr;
    HWND focus_ = nullptr;
    bool frameDisabled_ = false;
    HCURSOR cursor_ = nullptr;
    DWORD start_;
    DWORD lastPump_;
    double fraction_ = 0;
    bool stopped_ = false;
    bool nested_ = false;
    // A quit or a close asked for while waiting, passed on when the wait ends.
    bool quit_ = false;
    int quitCode_ = 0;
    std::vector<HWND> closes_;
};

}  // namespace tessaly::editor
