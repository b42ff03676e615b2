#include "ViewerHost.h"

#include <commctrl.h>

#include <memory>
#include <thread>
#include <type_traits>

#include "Handles.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace viewertest {

namespace {
constexpr UINT kAreYouThere = WM_APP + 1;
constexpr UINT kCallAgain = WM_APP + 2;
constexpr char kLauncherClass[] = "BrenloTestLauncher";
constexpr UINT_PTR kTextViewId = 0xE901;  // the splitter's pane (0, 1)

ViewerRun* theRun = nullptr;  // the run whose Launcher window is alive
}  // namespace

void LauncherLogList::Add(const std::string& path, const std::string& group)
{
    m_entries.push_back(Entry{CGrowString(path.c_str()), CGrowString(group.c_str())});
}

const LogList* LauncherLogList::Get()
{
    m_list.entries = reinterpret_cast<const LogListEntry*>(m_entries.data());
    m_list.count = static_cast<std::int32_t>(m_entries.size());
    return &m_list;
}

DoViewLogsProc ViewerExport()
{
    static CModule library(::LoadLibraryExA(testpaths::Join(testpaths::BinDir(), "Brenlo.dll").c_str(), nullptr,
                                            LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library)
        return nullptr;
    return reinterpret_cast<DoViewLogsProc>(
        reinterpret_cast<void*>(::GetProcAddress(library.Get(), kDoViewLogsName)));
}

ViewerRun::ViewerRun() : m_thread(::GetCurrentThreadId())
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = LauncherProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kLauncherClass;
    ::RegisterClassA(&windowClass);
    theRun = this;
    m_launcher = ::CreateWindowExA(0, kLauncherClass, "Launcher", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
}

ViewerRun::~ViewerRun()
{
    if (m_launcher)
        ::DestroyWindow(m_launcher);
    theRun = nullptr;
}

LRESULT CALLBACK ViewerRun::LauncherProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (theRun && msg == 0x503) {
        theRun->m_notices.push_back(Notice{wParam, theRun->m_frameVariable});
        return 0;
    }
    if (msg == kAreYouThere)
        return 42;
    if (theRun && msg == kCallAgain) {
        HWND own = nullptr;
        HWND* variable = theRun->m_nestedSameVariable ? &theRun->m_frameVariable : &own;
        const int result = ViewerExport()(wnd, variable, theRun->m_nestedLogs);
        theRun->m_nestedVariable = *variable;
        theRun->m_nestedResult = result;
        return 0;
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

int ViewerRun::Run(const LogList* logs, const std::function<void(HWND frame)>& user)
{
    DoViewLogsProc doViewLogs = ViewerExport();
    if (!doViewLogs)
        return -1;
    m_frameVariable = nullptr;
    std::thread userThread([this, &user] {
        HWND frame = WaitForFrameVariable(&m_frameVariable);
        if (frame)
            user(frame);
    });
    int result = doViewLogs(m_launcher, &m_frameVariable, logs);
    userThread.join();
    return result;
}

void ViewerRun::PostNestedCall(const LogList* logs, bool sameVariable)
{
    m_nestedLogs = logs;
    m_nestedSameVariable = sameVariable;
    m_nestedVariable = nullptr;
    m_nestedResult = -1;
    ::PostMessageA(m_launcher, kCallAgain, 0, 0);
}

std::vector<Notice> ViewerRun::Notices() const
{
    return m_notices;
}

bool ViewerRun::LauncherAnswers() const
{
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(m_launcher, kAreYouThere, 0, 0, SMTO_NORMAL, 3000, &answer) && answer == 42;
}

HWND WaitForFrameVariable(const HWND* variable, DWORD timeoutMs)
{
    const volatile HWND* watched = variable;
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        if (HWND frame = *watched)
            return frame;
        ::Sleep(10);
    }
    return nullptr;
}

HWND TreeOf(HWND frame)
{
    return ui::FindChild(frame, WC_TREEVIEWA);
}

HWND TextViewOf(HWND frame)
{
    return ui::FindChild(frame, nullptr, static_cast<int>(kTextViewId));
}

namespace {
void ReadLevel(HWND tree, HTREEITEM first, std::vector<TreeItem>& out)
{
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        char text[512] = {};
        TVITEMA info{};
        info.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE | TVIF_HANDLE;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        info.stateMask = TVIS_EXPANDED;
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
        TreeItem read;
        read.text = text;
        read.image = info.iImage;
        read.data = info.lParam;
        read.expanded = (info.state & TVIS_EXPANDED) != 0;
        read.handle = item;
        ReadLevel(tree, TreeView_GetChild(tree, item), read.children);
        out.push_back(std::move(read));
    }
}
}  // namespace

std::vector<TreeItem> ReadTree(HWND tree)
{
    std::vector<TreeItem> items;
    ReadLevel(tree, TreeView_GetRoot(tree), items);
    return items;
}

const TreeItem* FindItem(const std::vector<TreeItem>& items, const std::string& text)
{
    for (const TreeItem& item : items) {
        if (item.text == text)
            return &item;
    }
    return nullptr;
}

bool SelectItem(HWND tree, HTREEITEM item)
{
    bool selected = ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
    // A sent message does not wake the viewer's loop as a click would; a posted one does,
    // and the command states follow when it goes idle again.
    ::PostMessageA(::GetAncestor(tree, GA_ROOT), WM_NULL, 0, 0);
    return selected;
}

std::string WindowText(HWND wnd)
{
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000,
                          &copied);
    text.resize(copied);
    return text;
}

void Command(HWND frame, UINT id)
{
    ::PostMessageA(frame, WM_COMMAND, id, 0);
}

bool AnswerMessageBox(const char* caption, int button, std::string* text, DWORD timeoutMs)
{
    HWND box = ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", caption, timeoutMs);
    if (!box)
        return false;
    if (text) {
        HWND label = ui::FindChild(box, "Static", 0xFFFF);
        *text = label ? WindowText(label) : std::string();
    }
    HWND press = ::GetDlgItem(box, button);
    if (!press)
        return false;
    ui::Click(press);
    return WaitUntil([box] { return !::IsWindow(box); });
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(20);
    }
    return true;
}

bool ClickToFocus(HWND frame, HWND target, const POINT* at)
{
    auto focused = [target] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(target, nullptr), &info) && info.hwndFocus == target;
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        ui::BringToFront(frame);
        WaitUntil([frame] { return ::GetForegroundWindow() == frame; }, 2000);
        RECT area{};
        ::GetClientRect(target, &area);
        POINT point = at ? *at : POINT{area.right / 2, area.bottom / 2};
        ui::ClickAt(target, point.x, point.y);
        if (WaitUntil(focused, 1000))
            return true;
    }
    return false;
}

std::uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return ~0ull;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {
// The window's drawing surface, released with the guard.
struct WindowDcRelease {
    HWND wnd;
    void operator()(HDC dc) const { ::ReleaseDC(wnd, dc); }
};
struct DcDelete {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct GdiObjectDelete {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
}  // namespace

std::vector<COLORREF> ClientPixels(HWND wnd)
{
    RECT client{};
    ::GetClientRect(wnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    std::unique_ptr<std::remove_pointer_t<HDC>, WindowDcRelease> screen(::GetDC(wnd), WindowDcRelease{wnd});
    std::unique_ptr<std::remove_pointer_t<HDC>, DcDelete> memory(::CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiObjectDelete> bitmap(
        ::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen || !memory || !bitmap || !bits)
        return pixels;
    HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* raw = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
        std::uint32_t bgra = raw[i];
        pixels.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    }
    ::SelectObject(memory.get(), old);
    return pixels;
}

}  // namespace viewertest
