#pragma once
// A window this program created: destroyed with its owner object, movable, not copyable.

#include <windows.h>

#include <utility>

class CWindow {
public:
    CWindow() = default;
    explicit CWindow(HWND wnd) : m_wnd(wnd) {}
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    CWindow(CWindow&& other) noexcept : m_wnd(std::exchange(other.m_wnd, nullptr)) {}
    CWindow& operator=(CWindow&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_wnd, nullptr));
        return *this;
    }
    ~CWindow() { Reset(); }

    HWND Get() const { return m_wnd; }
    // The window was destroyed by someone else (for example by its parent).
    void Forget() { m_wnd = nullptr; }
    void Reset(HWND wnd = nullptr)
    {
        if (m_wnd != nullptr && ::IsWindow(m_wnd))
            ::DestroyWindow(m_wnd);
        m_wnd = wnd;
    }

private:
    HWND m_wnd = nullptr;
};
