#include "UiDriver.h"

#include <commctrl.h>

#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

namespace ui {

namespace {

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string MenuLabel(const char* raw)
{
    std::string label;
    for (const char* p = raw; *p && *p != '\t'; ++p) {
        if (*p != '&')
            label += *p;
    }
    return label;
}

struct MenuItem {
    HMENU menu = nullptr;
    int position = -1;
};

MenuItem FindMenuItem(HWND frame, std::initializer_list<const char*> path)
{
    HMENU menu = ::GetMenu(frame);
    MenuItem found;
    std::size_t depth = 0;
    for (const char* wanted : path) {
        if (!menu)
            return {};
        const std::string target = MenuLabel(wanted);
        const int count = ::GetMenuItemCount(menu);
        int match = -1;
        for (int i = 0; i < count && match < 0; ++i) {
            char text[256] = {};
            ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            if (MenuLabel(text) == target)
                match = i;
        }
        if (match < 0)
            return {};
        found = {menu, match};
        if (++depth < path.size())
            menu = ::GetSubMenu(menu, match);
    }
    return found;
}

}  // namespace

void SendKey(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    return WaitUntilPumping(condition, PumpMessages, timeoutMs, pollMs);
}

bool WaitUntilPumping(const std::function<bool()>& condition, const std::function<void()>& pump, DWORD timeoutMs,
                      DWORD pollMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        pump();
        ::Sleep(pollMs);
    }
}

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className, const char* caption, bool prefix)
{
    struct Query {
        DWORD processId;
        const char* className;
        const char* caption;
        bool prefix;
        std::vector<HWND> found;
    } query{processId, className, caption, prefix, {}};

    ::EnumWindows(
        [](HWND wnd, LPARAM param) __attribute__((stdcall))->BOOL {
            auto& q = *reinterpret_cast<Query*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(wnd, &owner);
            if (q.processId && owner != q.processId)
                return TRUE;
            if (!::IsWindowVisible(wnd))
                return TRUE;
            if (q.className && ClassOf(wnd) != q.className)
                return TRUE;
            if (q.caption) {
                const std::string text = TextOf(wnd);
                const bool match = q.prefix ? text.rfind(q.caption, 0) == 0 : text == q.caption;
                if (!match)
                    return TRUE;
            }
            q.found.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForTopLevel(DWORD processId, const char* className, const char* caption, DWORD timeoutMs, bool prefix)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const auto windows = TopLevelWindows(processId, className, caption, prefix);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND FindChild(HWND parent, const char* className, int id, const char* text)
{
    struct Query {
        const char* className;
        int id;
        const char* text;
        HWND found;
    } query{className, id, text, nullptr};

    ::EnumChildWindows(
        parent, [](HWND wnd, LPARAM param) __attribute__((stdcall))->BOOL {
            auto& q = *reinterpret_cast<Query*>(param);
            if (q.className && ::_stricmp(ClassOf(wnd).c_str(), q.className) != 0)
                return TRUE;
            if (q.id != -1 && ::GetDlgCtrlID(wnd) != q.id)
                return TRUE;
            if (q.text && TextOf(wnd) != q.text)
                return TRUE;
            q.found = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

std::vector<HWND> FindChildren(HWND parent, const char* className)
{
    struct Query {
        const char* className;
        std::vector<HWND> found;
    } query{className, {}};
    ::EnumChildWindows(
        parent, [](HWND wnd, LPARAM param) __attribute__((stdcall))->BOOL {
            auto& q = *reinterpret_cast<Query*>(param);
            if (!q.className || ::_stricmp(ClassOf(wnd).c_str(), q.className) == 0)
                q.found.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

std::string ClassOf(HWND wnd)
{
    char name[256] = {};
    ::GetClassNameA(wnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND wnd)
{
    static const std::string noAnswer = "<no answer>";
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return noAnswer;
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                               5000, &copied))
        return noAnswer;
    text.resize(std::strlen(text.c_str()));
    return text;
}

bool IsEnabled(HWND wnd)
{
    return ::IsWindowEnabled(wnd) != FALSE;
}

bool IsChecked(HWND button)
{
    DWORD_PTR state = 0;
    ::SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

bool Click(HWND button)
{
    return ::PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

namespace {
// Each press and release carries its point, as a mouse's do. Under Wine the thread of the
// window that the pointer enters reports it when it next reads its input; when that is
// another program's window (the desktop, once a window vanishes from under the pointer),
// the report can come after a later move and put the pointer back: a press that took the
// pointer's position would land there.
void ClickWith(HWND wnd, int x, int y, DWORD down, DWORD up, int clicks)
{
    POINT pt{x, y};
    ::ClientToScreen(wnd, &pt);
    ::SetCursorPos(pt.x, pt.y);
    for (int i = 0; i < clicks; ++i) {
        INPUT inputs[2]{MouseInputAt(pt, down), MouseInputAt(pt, up)};
        ::SendInput(2, inputs, sizeof(INPUT));
    }
}
}  // namespace

void ClickAt(HWND wnd, int x, int y, bool doubleClick)
{
    ClickWith(wnd, x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, doubleClick ? 2 : 1);
}

void RightClickAt(HWND wnd, int x, int y)
{
    ClickWith(wnd, x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

INPUT MouseInputAt(POINT screen, DWORD buttons)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = (screen.y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void PressKey(WORD virtualKey, bool ctrl, bool shift, bool alt)
{
    // Held down in this order, let go in the reverse one.
    const std::pair<bool, WORD> modifiers[] = {{ctrl, VK_CONTROL}, {shift, VK_SHIFT}, {alt, VK_MENU}};
    for (const auto& [held, key] : modifiers)
        if (held)
            SendKey(key, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        if (it->first)
            SendKey(it->second, true);
}

void TypeText(const std::string& text)
{
    for (unsigned char ch : text) {
        INPUT inputs[2]{};
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = ch;
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1] = inputs[0];
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        ::SendInput(2, inputs, sizeof(INPUT));
    }
}

void PostText(HWND wnd, const std::string& text)
{
    for (unsigned char ch : text)
        ::PostMessageA(wnd, WM_CHAR, ch, 1);
}

bool BringToFront(HWND wnd)
{
    return ::SetForegroundWindow(wnd) != FALSE;
}

void SetText(HWND wnd, const std::string& text)
{
    ::SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND FocusOf(HWND wnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(wnd, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool ClickToFocus(HWND frame, HWND target, const POINT* at)
{
    auto focused = [target] { return FocusOf(target) == target; };
    for (int attempt = 0; attempt < 3; ++attempt) {
        BringToFront(frame);
        WaitUntil([frame] { return ::GetForegroundWindow() == frame; }, 2000);
        RECT area{};
        ::GetClientRect(target, &area);
        const POINT point = at ? *at : POINT{area.right / 2, area.bottom / 2};
        ClickAt(target, point.x, point.y);
        if (WaitUntil(focused, 1000))
            return true;
    }
    return false;
}

HWND WaitForMessageBox(DWORD processId, const char* caption, DWORD timeoutMs)
{
    return WaitForTopLevel(processId, "#32770", caption, timeoutMs);
}

std::string MessageBoxText(HWND box)
{
    std::string longest;
    for (HWND label : FindChildren(box, "Static")) {
        std::string text = TextOf(label);
        if (text.size() > longest.size())
            longest = text;
    }
    return longest;
}

bool AnswerMessageBox(HWND box, int buttonId)
{
    HWND button = FindChild(box, "Button", buttonId);
    return button && Click(button);
}

bool AnswerMessageBox(DWORD processId, const char* caption, int buttonId, std::string* message, DWORD timeoutMs)
{
    HWND box = WaitForMessageBox(processId, caption, timeoutMs);
    if (!box)
        return false;
    if (message)
        *message = MessageBoxText(box);
    return AnswerMessageBox(box, buttonId) && WaitUntil([box] { return !::IsWindow(box); }, timeoutMs);
}

UINT MenuCommandId(HWND frame, std::initializer_list<const char*> path)
{
    const MenuItem item = FindMenuItem(frame, path);
    if (!item.menu)
        return 0;
    const UINT id = ::GetMenuItemID(item.menu, item.position);
    return id == static_cast<UINT>(-1) ? 0 : id;
}

bool ChooseMenu(HWND frame, std::initializer_list<const char*> path)
{
    const UINT id = MenuCommandId(frame, path);
    return id != 0 && PostCommand(frame, id);
}

bool IsMenuItemEnabled(HWND frame, std::initializer_list<const char*> path)
{
    const MenuItem item = FindMenuItem(frame, path);
    if (!item.menu)
        return false;
    const UINT state = ::GetMenuState(item.menu, static_cast<UINT>(item.position), MF_BYPOSITION);
    return (state & (MF_DISABLED | MF_GRAYED)) == 0;
}

bool IsMenuItemChecked(HWND frame, std::initializer_list<const char*> path)
{
    const MenuItem item = FindMenuItem(frame, path);
    if (!item.menu)
        return false;
    return (::GetMenuState(item.menu, static_cast<UINT>(item.position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

bool PostCommand(HWND wnd, UINT id)
{
    return ::PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

namespace {
HWND FindShownTip(DWORD processId, const std::string& text)
{
    for (HWND tip = ::GetTopWindow(nullptr); tip; tip = ::GetWindow(tip, GW_HWNDNEXT)) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(tip, &process);
        if (process == processId && ::_stricmp(ClassOf(tip).c_str(), TOOLTIPS_CLASSA) == 0 && ::IsWindowVisible(tip) &&
            (text.empty() || TextOf(tip) == text))
            return tip;
    }
    return nullptr;
}
}  // namespace

bool TipShows(const std::string& text)
{
    return FindShownTip(::GetCurrentProcessId(), text) != nullptr;
}

HWND ShownTip(DWORD processId)
{
    return FindShownTip(processId ? processId : ::GetCurrentProcessId(), std::string());
}

namespace {
void MoveMouse(int x, int y)
{
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    move.mi.dx = x * 65535 / ::GetSystemMetrics(SM_CXSCREEN);
    move.mi.dy = y * 65535 / ::GetSystemMetrics(SM_CYSCREEN);
    ::SendInput(1, &move, sizeof move);
}
}  // namespace

bool TipOver(const RECT& area, const std::string& text, DWORD timeoutMs)
{
    int step = 0;
    return WaitUntil(
        [&] {
            if (step++ % 25 == 0)
                MoveMouse((area.left + area.right) / 2 + step % 2, (area.top + area.bottom) / 2);
            return TipShows(text);
        },
        timeoutMs);
}

bool TipOver(HWND wnd, const std::string& text, DWORD timeoutMs)
{
    RECT area;
    ::GetWindowRect(wnd, &area);
    return TipOver(area, text, timeoutMs);
}

bool LeaveTips()
{
    MoveMouse(0, 0);
    return WaitUntil([] { return !TipShows(); }, 5000);
}

}  // namespace ui
