#include "ViewerHost.h"

#include <commctrl.h>

#include <thread>

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
    return reinterpret_cast<DoViewLogsProc>(reinterpret_cast<void*>(::GetProcAddress(library.Get(), kDoViewLogsName)));
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

void Command(HWND frame, UINT id)
{
    ::PostMessageA(frame, WM_COMMAND, id, 0);
}

}  // namespace viewertest
