#include "ScrivelDriver.h"

#include "FwIds.h"
#include "LauncherLink.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace scriveltest {

std::string ScrivelPath()
{
    return testpaths::Join(testpaths::BinDir(), "Scrivel.exe");
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

bool CScrivelRun::WaitStarted()
{
    if (!m_launcher.WaitForCode(LN_EDITOR_STARTED, kStartTimeoutMs))
        return false;
    m_frame = HandleFromBlock(m_launcher.Block()->hEditorWnd);
    return m_frame && ::IsWindow(m_frame);
}

int CScrivelRun::CloseNow()
{
    if (m_frame && ::IsWindow(m_frame))
        m_launcher.SendCode(m_frame, LN_CLOSE_NOW);
    return m_process.Wait(kStartTimeoutMs);
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

COLORREF StatusPaneColour(HWND frame)
{
    HWND bar = StatusBar(frame);
    RECT rect{};
    if (!bar || !::GetWindowRect(bar, &rect))
        return CLR_INVALID;
    // The message pane takes all but the three indicators at the right end; its text starts
    // at the left end, so this point shows the pane's background.
    HDC screen = ::GetDC(nullptr);
    COLORREF colour = ::GetPixel(screen, rect.right - 200, (rect.top + rect.bottom) / 2);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    return ui::WaitForTopLevel(processId, "#32770", nullptr, timeoutMs);
}

std::string MessageBoxText(HWND box)
{
    std::string longest;  // the message; the icon's static has no text
    for (HWND label : ui::FindChildren(box, "Static")) {
        std::string text = ui::TextOf(label);
        if (text.size() > longest.size())
            longest = text;
    }
    return longest;
}

bool AnswerMessageBox(HWND box, int buttonId)
{
    HWND button = ui::FindChild(box, "Button", buttonId);
    return button && ui::Click(button);
}

bool Eventually(const std::function<bool()>& condition, DWORD timeoutMs)
{
    return ui::WaitUntil(condition, timeoutMs);
}

}  // namespace scriveltest
