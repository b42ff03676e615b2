#include "WinApp.h"

#include "DocTemplate.h"
#include "FwIds.h"
#include "FwMessages.h"
#include "ModelessDialogs.h"
#include "ModuleCalls.h"
#include "Wnd.h"

namespace {
std::string ModuleBaseName(HINSTANCE module)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(module, path, MAX_PATH);
    std::string name = path;
    std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp(const char* appName, CModuleState* module) : m_pModuleState(module)
{
    module->m_pCurrentWinApp = this;
    m_hInstance = module->m_hCurrentInstanceHandle;
    if (appName) {
        m_pszAppName = appName;
    } else {
        char text[256];
        int length = ::LoadStringA(module->m_hCurrentResourceHandle, AFX_IDS_APP_TITLE, text, sizeof(text));
        m_pszAppName = length > 0 ? std::string(text, static_cast<std::size_t>(length)) : ModuleBaseName(m_hInstance);
    }
    if (m_hInstance == ::GetModuleHandleA(nullptr))
        AfxSetProcessModuleState(module);
}

CWinApp::~CWinApp()
{
    if (m_pModuleState && m_pModuleState->m_pCurrentWinApp == this)
        m_pModuleState->m_pCurrentWinApp = nullptr;
}

bool CWinApp::InitInstance()
{
    return true;
}

int CWinApp::ExitInstance()
{
    m_templates.clear();
    return static_cast<int>(m_msgCur.wParam);
}

bool CWinApp::PreTranslateMessage(MSG* msg)
{
    return CWnd::WalkPreTranslateTree(msg) || AfxPreTranslateModelessDialog(msg);
}

bool CWinApp::PumpMessage()
{
    if (::GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0)
        return false;
    if (!AfxGuarded(this)->PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return true;
}

bool CWinApp::IsIdleMessage(const MSG* msg)
{
    static POINT lastMouse{-1, -1};
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
        POINT at = msg->pt;
        bool moved = at.x != lastMouse.x || at.y != lastMouse.y;
        lastMouse = at;
        return moved;
    }
    return msg->message != WM_PAINT && msg->message != 0x0118 /* caret blink */ && msg->message != WM_TIMER;
}

bool CWinApp::OnIdle(LONG count)
{
    if (count == 0 && m_pMainWnd && m_pMainWnd->IsWindow()) {
        m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, true);
    }
    return count < 1;
}

int CWinApp::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    MSG peek;
    for (;;) {
        while (idle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!AfxGuarded(this)->OnIdle(idleCount++))
                idle = false;
        }
        do {
            if (!PumpMessage())
                return AfxGuarded(this)->ExitInstance();
            if (AfxGuarded(this)->IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

bool CWinApp::HandleCommand(UINT id, UINT)
{
    switch (id) {
        case ID_FILE_NEW:
            OnFileNew();
            return true;
        case ID_FILE_OPEN:
            OnFileOpen();
            return true;
        case ID_FILE_PRINT_SETUP:
            OnFilePrintSetup();
            return true;
        case ID_APP_EXIT:
            OnAppExit();
            return true;
        default:
            return false;
    }
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && m_pMainWnd->IsWindow())
        m_pMainWnd->SendMessage(WM_CLOSE);
}

int AfxWinMain(HINSTANCE instance, const char* commandLine, int show)
{
    CModuleState* module = AfxGetModuleState();
    CWinApp* app = module->m_pCurrentWinApp;
    if (!app)
        return -1;
    AfxSetProcessModuleState(module);
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine ? commandLine : "";
    app->m_nCmdShow = show;
    if (!AfxGuarded(app)->InitInstance()) {
        AfxGuarded(app)->ExitInstance();
        return 0;
    }
    return AfxGuarded(app)->Run();
}

bool AfxLibraryAttach(CModuleState* module)
{
    CWinApp* app = module->m_pCurrentWinApp;
    if (!app)
        return true;
    CModuleStateGuard guard(module);
    return AfxGuarded(app)->InitInstance();
}

void AfxLibraryDetach(CModuleState* module)
{
    CWinApp* app = module->m_pCurrentWinApp;
    if (!app)
        return;
    CModuleStateGuard guard(module);
    AfxGuarded(app)->ExitInstance();
}
