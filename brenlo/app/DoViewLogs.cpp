// The library's export: shows the viewer for the Launcher's list of logs and runs its own
// message loop until the viewer's window is gone.
#include <windows.h>

#include "LauncherExports.h"
#include "LogDocTemplate.h"
#include "LogViewerApp.h"
#include "ModuleActivation.h"
#include "ModuleState.h"
#include "Wnd.h"

namespace {
// The framework's application loop, bound to the frame's lifetime. It takes the messages of
// every window of the thread, so the Launcher's own windows stay responsive. False when the
// quit message arrived: it was meant for the Launcher's loop, which is waiting outside this
// call (the Launcher's Exit posts it while the viewer is open).
bool RunViewerLoop(CLogViewerApp& app, HWND frame)
{
    bool idle = true;
    LONG idleCount = 0;
    MSG peek;
    while (::IsWindow(frame)) {
        while (idle && !::PeekMessageA(&peek, frame, 0, 0, PM_NOREMOVE)) {
            if (!app.OnIdle(idleCount++))
                idle = false;
        }
        do {
            if (!app.PumpMessage())
                return false;
            if (app.IsIdleMessage(&app.m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::IsWindow(frame) && ::PeekMessageA(&peek, frame, 0, 0, PM_NOREMOVE));
    }
    return true;
}

void BringForward(CWnd& viewer)
{
    if (viewer.IsIconic())
        viewer.ShowWindow(SW_RESTORE);
    ::SetForegroundWindow(viewer.m_hWnd);
}

void ShowViewer(HWND launcherWindow, HWND* frameWindowOut)
{
    CLogViewerApp& app = LogViewerApp();
    app.m_hLauncherWnd = launcherWindow;
    CLogDocTemplate* docTemplate = app.StartTemplate();
    docTemplate->m_pCreatedFrame = nullptr;
    if (!docTemplate->OpenDocumentFile(nullptr, true) || !docTemplate->m_pCreatedFrame)
        return;
    CFrameWnd* frame = docTemplate->m_pCreatedFrame;
    if (!frame->IsWindow())
        return;
    HWND frameWindow = frame->m_hWnd;
    app.m_pMainWnd = frame;
    // After the stored placement: the frame opens normal at its stored normal rectangle.
    frame->ShowWindow(SW_SHOWNORMAL);
    ::UpdateWindow(frameWindow);
    if (frameWindowOut)
        *frameWindowOut = frameWindow;
    if (!RunViewerLoop(app, frameWindow)) {
        // The viewer ends with its host: closed as by the user (its placement is stored),
        // and the quit message posted again for the host's own loop.
        const int exitCode = static_cast<int>(app.m_msgCur.wParam);
        if (::IsWindow(frameWindow))
            ::SendMessageA(frameWindow, WM_CLOSE, 0, 0);
        if (::IsWindow(frameWindow))
            ::DestroyWindow(frameWindow);
        ::PostQuitMessage(exitCode);
    }
}
}  // namespace

extern "C" int __cdecl DoViewLogs(HWND launcherWindow, HWND* frameWindowOut, const LogList* logs)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    // The Launcher may have no manifest: the windows of this call use the library's own.
    CModuleActivation activation;
    CLogViewerApp& app = LogViewerApp();
    // A call from inside the loop of a call that runs (the caller's window procedure runs
    // there) finds the viewer open: it comes to the front, and the caller's variable holds
    // the open viewer's frame, as the Launcher may pass the same variable both times and
    // still needs it to reach the viewer.
    if (CWnd* running = app.RunningViewer()) {
        BringForward(*running);
        if (frameWindowOut)
            *frameWindowOut = running->m_hWnd;
        return 1;
    }
    SetCurrentLogList(logs);
    try {
        ShowViewer(launcherWindow, frameWindowOut);
    } catch (...) {
        // Nothing may cross into the Launcher; the call ends as after a closed window.
    }
    app.m_pMainWnd = nullptr;
    if (frameWindowOut)
        *frameWindowOut = nullptr;
    return 1;
}
