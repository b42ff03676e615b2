// A library on the framework with its own application object, strings and settings key, so
// that tests can see which module's state an export runs in.
#include <cstring>
#include <stdexcept>
#include <string>

#include "DocTemplate.h"
#include "Document.h"
#include "ModuleProbe.h"
#include "View.h"
#include "ModuleState.h"
#include "ProbeIds.h"
#include "ThrowProbe.h"
#include "WinApp.h"
#include "Wnd.h"

namespace {
class CProbeLibraryApp : public CWinApp {
public:
    bool InitInstance() override
    {
        SetRegistryKey("FwTestLibrary");
        m_bInitialised = true;
        return true;
    }
    int ExitInstance() override
    {
        WriteProfileInt("Settings", "Exited", 1);
        return CWinApp::ExitInstance();
    }
    bool m_bInitialised = false;
};

CProbeLibraryApp theLibraryApp;

void CopyText(char* out, std::size_t size, const std::string& text)
{
    std::strncpy(out, text.c_str(), size - 1);
    out[size - 1] = '\0';
}
}  // namespace

extern "C" __declspec(dllexport) int __stdcall ProbeModule(ModuleProbeAnswer* answer, int value)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    auto* app = static_cast<CProbeLibraryApp*>(AfxGetApp());
    CopyText(answer->appName, sizeof(answer->appName), AfxGetAppName());
    CopyText(answer->probeText, sizeof(answer->probeText), AfxLoadString(IDS_PROBE_TEXT));
    CopyText(answer->registryRoot, sizeof(answer->registryRoot), app->GetRegistryRoot());
    answer->initialised = app->m_bInitialised ? 1 : 0;
    answer->mainWnd = AfxGetMainWnd();
    answer->app = app;
    app->WriteProfileInt("Settings", "Probe", value);
    return 1;
}

namespace {
class CProbeDoc : public CDocument {
    DECLARE_DYNCREATE(CProbeDoc)
};
IMPLEMENT_DYNCREATE(CProbeDoc)

class CProbeView : public CView {
    DECLARE_DYNCREATE(CProbeView)
};
IMPLEMENT_DYNCREATE(CProbeView)
}  // namespace

extern "C" __declspec(dllexport) int __stdcall ShowProbeViewer(HWND* frameOut)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CWinApp* app = AfxGetApp();
    CSingleDocTemplate viewer(IDR_PROBE_FRAME, RUNTIME_CLASS(CProbeDoc), RUNTIME_CLASS(CFrameWnd),
                              RUNTIME_CLASS(CProbeView));
    CDocument* doc = viewer.OpenDocumentFile(nullptr);
    CFrameWnd* frame = doc ? doc->GetFirstView()->GetParentFrame() : nullptr;
    if (!frame)
        return 0;
    HWND hwnd = frame->m_hWnd;
    app->m_pMainWnd = frame;
    *frameOut = hwnd;
    // The loop lives as long as the frame; it takes every message of the thread, so the
    // caller's windows go on working.
    bool idle = true;
    LONG idleCount = 0;
    MSG peek;
    while (::IsWindow(hwnd)) {
        while (idle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!app->OnIdle(idleCount++))
                idle = false;
        }
        if (!app->PumpMessage())
            break;
        if (app->IsIdleMessage(&app->m_msgCur)) {
            idle = true;
            idleCount = 0;
        }
    }
    app->m_pMainWnd = nullptr;
    *frameOut = nullptr;
    return 1;
}

namespace {
// A window whose handlers throw. Its own WindowProc hands each message to the base class in
// editor.dll, which calls OnSize back here: the throw must end in this library, below that
// call, so that WindowProc goes on after it.
class CThrowingWnd : public CWnd {
public:
    int m_nContinuedAfterBase = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CWnd::WindowProc(msg, wParam, lParam);
        if (msg == WM_SIZE)
            ++m_nContinuedAfterBase;
        return result;
    }
    void OnSize(UINT, int, int) override { throw std::runtime_error("size failed in the library"); }
    bool OnCmdMsg(UINT id, UINT code, CCmdUI* ui) override
    {
        if (id == THROW_PROBE_COMMAND && !ui)
            throw std::runtime_error("command failed in the library");
        return CWnd::OnCmdMsg(id, code, ui);
    }
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (msg == WM_APP) {
            *result = 7;
            return true;
        }
        return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
};
}  // namespace

extern "C" __declspec(dllexport) int __stdcall ProbeThrowingHandlers(ThrowProbeAnswer* answer)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CThrowingWnd wnd;
    if (!wnd.CreateEx(0, nullptr, "throwing", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr))
        return 0;
    wnd.m_nContinuedAfterBase = 0;
    answer->sizeResult = static_cast<int>(wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80)));
    answer->continuedAfterBase = wnd.m_nContinuedAfterBase;
    answer->commandResult = static_cast<int>(wnd.SendMessage(WM_COMMAND, THROW_PROBE_COMMAND));
    answer->windowAlive = wnd.IsWindow() ? 1 : 0;
    answer->afterwardsResult = static_cast<int>(wnd.SendMessage(WM_APP));
    wnd.DestroyWindow();
    return 1;
}
