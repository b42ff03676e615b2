#include "ScrivelDriver.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

#include "Gdi.h"
#include "FwIds.h"
#include "LauncherLink.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace scriveltest {

std::string ScrivelPath()
{
    return testpaths::Join(testpaths::BinDir(), "Scrivel.exe");
}

std::string WorkFile(const std::string& folder, const std::string& name, const std::string& text)
{
    const std::string path = testpaths::Join(testpaths::MakeWorkDir(folder), name);
    testpaths::WriteTextFile(path, text);
    return path;
}

CScrivelRun::~CScrivelRun()
{
    m_process.Kill();
    m_launcher.Stop();
}

bool CScrivelRun::StartLauncher(bool publishWindow)
{
    return m_launcher.Start(publishWindow);
}

bool CScrivelRun::StartScrivel(const std::string& arguments)
{
    return m_process.Start(ScrivelPath(), arguments);
}

bool CScrivelRun::Start(const std::string& arguments)
{
    return StartLauncher() && StartScrivel(arguments) && WaitStarted();
}

HWND CScrivelRun::StartOn(const std::vector<std::string>& files)
{
    m_registry.Store().WriteScrivelFiles(files);
    return Start() ? ViewOf(ActiveChild(m_frame)) : nullptr;
}

bool CScrivelRun::WaitStarted()
{
    if (!m_launcher.WaitForCode(LN_EDITOR_STARTED, kStartTimeoutMs))
        return false;
    m_frame = HandleFromBlock(m_launcher.Block()->hEditorWnd);
    // Start-up ends by taking a pending text from the block: a text the test writes must
    // come after that.
    return m_frame && ::IsWindow(m_frame) && m_process.WaitForIdle(kStartTimeoutMs);
}

bool CScrivelRun::StartWithoutLauncherWindow()
{
    if (!StartLauncher(false) || !StartScrivel() ||
        !ui::WaitUntil([&] { return m_launcher.Block()->hEditorWnd != 0; }, kStartTimeoutMs))
        return false;
    m_frame = HandleFromBlock(m_launcher.Block()->hEditorWnd);
    return ui::WaitUntil([&] { return ::IsWindowVisible(m_frame) != FALSE; });
}

LRESULT CScrivelRun::SendAndAnswer(unsigned code, int button, std::string* question)
{
    std::atomic<LRESULT> result{-1};
    std::thread sender([&] { result = m_launcher.SendCode(m_frame, code, 0, 60000); });
    HWND box = ui::WaitForMessageBox(m_process.Id());
    if (question)
        *question = box ? ui::MessageBoxText(box) : std::string();
    if (box)
        ui::AnswerMessageBox(box, button);
    sender.join();
    return result;
}

int CScrivelRun::CloseNow()
{
    if (m_frame && ::IsWindow(m_frame))
        m_launcher.SendCode(m_frame, LN_CLOSE_NOW);
    return m_process.Wait(kStartTimeoutMs);
}

HWND ChooseInFileDialog(CScrivelRun& run, UINT command, const char* caption, const std::string& path)
{
    if (!ui::PostCommand(run.Frame(), command))
        return nullptr;
    HWND dialog = ui::WaitForTopLevel(run.Process().Id(), "#32770", caption, 10000);
    HWND name = nullptr;
    if (!dialog || !ui::WaitUntil([&] { return (name = ui::FindChild(dialog, "Edit")) != nullptr; }))
        return nullptr;
    ui::SetText(name, path);
    return ui::AnswerMessageBox(dialog, IDOK) ? dialog : nullptr;
}

HWND MdiClient(HWND frame)
{
    return ui::FindChild(frame, "MDIClient");
}

HWND ActiveChild(HWND frame)
{
    HWND client = MdiClient(frame);
    return client ? reinterpret_cast<HWND>(::SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

std::string ActiveChildTitle(HWND frame)
{
    HWND child = ActiveChild(frame);
    return child ? ui::TextOf(child) : std::string();
}

std::vector<HWND> ChildFrames(HWND frame)
{
    std::vector<HWND> children;
    HWND client = MdiClient(frame);
    for (HWND wnd = client ? ::GetWindow(client, GW_CHILD) : nullptr; wnd; wnd = ::GetWindow(wnd, GW_HWNDNEXT))
        children.push_back(wnd);
    return children;
}

HWND ViewOf(HWND child)
{
    // The splitter and its first pane share the first pane's id; the view is the one that
    // holds lines.
    for (HWND wnd : ui::FindChildren(child, nullptr)) {
        if (::GetDlgCtrlID(wnd) == AFX_IDW_PANE_FIRST && ::SendMessageA(wnd, EM_GETLINECOUNT, 0, 0) > 0)
            return wnd;
    }
    return nullptr;
}

int CaretLine(HWND view)
{
    return static_cast<int>(::SendMessageA(view, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0)) + 1;
}

bool CaretToEndOf(HWND view, int line)
{
    const LRESULT start = ::SendMessageA(view, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    ui::PressKey(VK_HOME, true);
    for (int i = 0; i < line; ++i)
        ui::PressKey(VK_DOWN);
    ui::PressKey(VK_END);
    const LRESULT end = start + ::SendMessageA(view, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    return ui::WaitUntil([&] { return LOWORD(::SendMessageA(view, EM_GETSEL, 0, 0)) == end; });
}

std::string ViewText(HWND view)
{
    return ui::TextOf(view);
}

HWND StatusBar(HWND frame)
{
    return ui::FindChild(frame, "msctls_statusbar32");
}

std::string StatusText(HWND frame)
{
    HWND bar = StatusBar(frame);
    return bar ? ui::TextOf(bar) : std::string();
}

namespace {
// The colour seen most often at `count` screen points from `from` on, `step` apart.
COLORREF MostSeenAlong(POINT from, POINT step, int count)
{
    std::map<COLORREF, int> seen;
    CClientDC screen(nullptr);
    for (int i = 0; i < count; ++i)
        ++seen[screen.GetPixel(from.x + i * step.x, from.y + i * step.y)];
    if (seen.empty())
        return CLR_INVALID;
    return std::max_element(seen.begin(), seen.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}
}  // namespace

COLORREF StatusPaneColour(HWND frame)
{
    HWND bar = StatusBar(frame);
    RECT rect{};
    if (!bar || !::GetWindowRect(bar, &rect))
        return CLR_INVALID;
    // Along the middle of the message pane (all but the three indicators at the right end)
    // the background shows more often than the letters.
    const int x = rect.left + 2;
    return MostSeenAlong({x, (rect.top + rect.bottom) / 2}, {3, 0}, (rect.right - 200 - x + 2) / 3);
}

COLORREF ViewBackground(HWND view)
{
    RECT rect{};
    if (!view || !::GetWindowRect(view, &rect))
        return CLR_INVALID;
    const int y = rect.top + 4;
    return MostSeenAlong({rect.right - 40, y}, {0, 3}, (rect.bottom - 4 - y + 2) / 3);
}

}  // namespace scriveltest
