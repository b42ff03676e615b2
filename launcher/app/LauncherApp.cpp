#include "LauncherApp.h"

#include <cstdio>
#include <string>

#include "ConfigReader.h"
#include "ConfigTest.h"
#include "GeneralFlags.h"
#include "LauncherIds.h"
#include "LibraryEntries.h"
#include "NoticeNames.h"
#include "ProcessRunner.h"
#include "ProductVersion.h"
#include "RegistrySettingsBackend.h"

namespace {

constexpr UINT_PTR kButtonTimer = 1;
constexpr UINT kButtonCheckMs = 1000;
constexpr DWORD kEditorAnswerMs = 5000;

CLauncherApp* AppOf(HWND wnd)
{
    return reinterpret_cast<CLauncherApp*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

void Attach(HWND wnd, LPARAM createParam)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(createParam);
    ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

}  // namespace

CLauncherApp::CLauncherApp() : m_folder(ModuleFolder()), m_settings(UserSettingsBackend()) {}

bool CLauncherApp::RegisterClasses(HINSTANCE instance)
{
    WNDCLASSA main{};
    main.lpfnWndProc = &CLauncherApp::MainProc;
    main.hInstance = instance;
    main.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    main.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kMainClass;
    WNDCLASSA messages{};
    messages.lpfnWndProc = &CLauncherApp::MessageProc;
    messages.hInstance = instance;
    messages.lpszClassName = kMessageClass;
    return ::RegisterClassA(&main) != 0 && ::RegisterClassA(&messages) != 0;
}

bool CLauncherApp::Create(HINSTANCE instance, int showCommand)
{
    if (!m_block.Create() || !RegisterClasses(instance))
        return false;
    m_messages.Reset(::CreateWindowExA(0, kMessageClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this));
    m_main.Reset(::CreateWindowExA(0, kMainClass, kMainCaption,
                                   WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, 470, 250, nullptr, nullptr, instance, this));
    if (!m_messages.Get() || !m_main.Get())
        return false;
    CreateControls();
    m_block.Data()->hLauncherWnd = HandleToBlock(m_messages.Get());
    UpdateButtons();
    ::SetTimer(m_main.Get(), kButtonTimer, kButtonCheckMs, nullptr);
    ::ShowWindow(m_main.Get(), showCommand);
    ::UpdateWindow(m_main.Get());
    return true;
}

void CLauncherApp::CreateControls()
{
    struct Button {
        int id;
        const char* text;
    };
    static constexpr Button kButtons[] = {
        {IDC_EDIT_CONFIGURATION, "Edit configuration"}, {IDC_OPTIONS, "Options..."}, {IDC_VIEW_LOGS, "View logs..."},
        {IDC_TEST_CONFIGURATION, "Test configuration"}, {IDC_EXIT, "Exit"},
    };
    const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(m_main.Get(), GWLP_HINSTANCE));
    int y = 10;
    for (const Button& b : kButtons) {
        HWND button =
            ::CreateWindowExA(0, "BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10, y, 140, 28,
                              m_main.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance, nullptr);
        ::SendMessageA(button, WM_SETFONT, font, TRUE);
        y += 36;
    }
    m_notices = ::CreateWindowExA(
        WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, 160, 10,
        290, 172, m_main.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_NOTICES)), instance, nullptr);
    ::SendMessageA(m_notices, WM_SETFONT, font, TRUE);
}

void CLauncherApp::PressEditConfiguration()
{
    if (FileExists(Beside(kScrivelExe)))
        ::PostMessageA(m_main.Get(), WM_COMMAND, IDC_EDIT_CONFIGURATION, 0);
}

int CLauncherApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageA(m_main.Get(), &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (m_block.Data())
        m_block.Data()->hLauncherWnd = 0;
    return 0;
}

LRESULT CALLBACK CLauncherApp::MainProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_NCCREATE)
            Attach(wnd, lParam);
        CLauncherApp* app = AppOf(wnd);
        if (app != nullptr) {
            switch (message) {
                case WM_COMMAND:
                    app->OnCommand(LOWORD(wParam));
                    return 0;
                case WM_TIMER:
                    app->UpdateButtons();
                    return 0;
                case WM_CLOSE:
                    app->OnExit();
                    return 0;
                case WM_DESTROY:
                    ::KillTimer(wnd, kButtonTimer);
                    app->m_main.Release();
                    ::PostQuitMessage(0);
                    return 0;
                case WM_LAUNCHER_NOTIFY:
                    return app->OnLauncherNotify(wParam, lParam);
                default:
                    break;
            }
        }
    } catch (...) {
        return 0;
    }
    return ::DefWindowProcA(wnd, message, wParam, lParam);
}

LRESULT CALLBACK CLauncherApp::MessageProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_NCCREATE)
            Attach(wnd, lParam);
        CLauncherApp* app = AppOf(wnd);
        if (app != nullptr && message == WM_LAUNCHER_NOTIFY)
            return app->OnLauncherNotify(wParam, lParam);
    } catch (...) {
        return 0;
    }
    return ::DefWindowProcA(wnd, message, wParam, lParam);
}

LRESULT CLauncherApp::OnLauncherNotify(WPARAM code, LPARAM lParam)
{
    Note(NoticeLine(static_cast<unsigned>(code)));
    switch (code) {
        case LN_TEST_CONFIG:
            OnTestRequest();
            return 0;
        case LN_FORMAT_CHANGED:
            // Open editors follow the new colours and font.
            if (HWND editor = EditorWindow())
                ::PostMessageA(editor, WM_LAUNCHER_NOTIFY, LN_FORMAT_CHANGED, 0);
            if (m_logViewer != nullptr && ::IsWindow(m_logViewer))
                ::PostMessageA(m_logViewer, WM_LAUNCHER_NOTIFY, LN_FORMAT_CHANGED, 0);
            return 0;
        case LN_SHOW_ABOUT: {
            std::string text = kAboutText;
            const std::string tools = ProductVersionOf(Beside(kScrivelExe));
            if (!tools.empty())
                text += std::string("\n\n") + kAboutToolsPrefix + tools;
            ::MessageBoxA(m_main.Get(), text.c_str(), kAboutCaption, MB_OK | MB_ICONINFORMATION);
            return 0;
        }
        case LN_SPLASH_CONTROL: {
            // This Launcher can show a splash screen, so the option is offered.
            HWND checkBox = reinterpret_cast<HWND>(lParam);
            if (checkBox != nullptr && ::IsWindow(checkBox))
                ::EnableWindow(checkBox, TRUE);
            return 1;
        }
        case LN_COMMANDS_CHANGED:
            UpdateButtons();
            return 0;
        default:
            return 0;
    }
}

void CLauncherApp::OnCommand(int id)
{
    switch (id) {
        case IDC_EDIT_CONFIGURATION:
            return OnEditConfiguration();
        case IDC_OPTIONS:
            return OnOptions();
        case IDC_VIEW_LOGS:
            return OnViewLogs();
        case IDC_TEST_CONFIGURATION:
            return OnTestConfiguration();
        case IDC_EXIT:
            return OnExit();
        default:
            return;
    }
}

void CLauncherApp::OnEditConfiguration()
{
    if (HWND editor = EditorWindow()) {
        ::PostMessageA(editor, WM_LAUNCHER_NOTIFY, LN_ACTIVATE, 0);
        return;
    }
    // No report is pending for the new editor.
    CopySharedText(*m_block.Data(), "");
    const std::string program = Beside(kScrivelExe);
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(),
                          &startup, &info)) {
        Note("Cannot start " + program);
        return;
    }
    CKernelHandle process(info.hProcess), thread(info.hThread);
    Note("Started Scrivel");
}

void CLauncherApp::OnOptions()
{
    if (m_inOptions) {
        if (m_optionsDialog != nullptr && ::IsWindow(m_optionsDialog))
            ::SetForegroundWindow(m_optionsDialog);
        return;
    }
    const auto doOptions = reinterpret_cast<DoOptionsProc>(Export(m_options, kOptionsDll, kDoOptionsName));
    if (doOptions == nullptr)
        return;
    m_hostLists.Build(ReadServerConfig());
    m_inOptions = true;
    const int result = doOptions(m_messages.Get(), &m_optionsDialog, m_hostLists.Hosts());
    m_inOptions = false;
    m_optionsDialog = nullptr;
    Note("Options closed (" + std::to_string(result) + ")");
    UpdateButtons();
}

void CLauncherApp::OnViewLogs()
{
    // The viewer runs its own loop inside DoViewLogs; a second press while it is open
    // arrives through that loop and only brings the viewer forward.
    if (m_logViewer != nullptr && ::IsWindow(m_logViewer)) {
        if (::IsIconic(m_logViewer))
            ::ShowWindow(m_logViewer, SW_RESTORE);
        ::SetForegroundWindow(m_logViewer);
        return;
    }
    const auto doViewLogs = reinterpret_cast<DoViewLogsProc>(Export(m_brenlo, kBrenloDll, kDoViewLogsName));
    if (doViewLogs == nullptr)
        return;
    m_logLists.Build(ReadServerConfig());
    doViewLogs(m_messages.Get(), &m_logViewer, m_logLists.Logs());
    m_logViewer = nullptr;
}

void CLauncherApp::OnTestConfiguration()
{
    const TestAnswer answer = RunConfigTest(m_settings, m_folder);
    Note("Test: " + std::string(answer.text.substr(0, answer.text.find('\n'))));
    if (HWND editor = EditorWindow()) {
        CopySharedText(*m_block.Data(), answer.text.c_str());
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(editor, WM_LAUNCHER_NOTIFY, answer.code, 0, SMTO_NORMAL, kEditorAnswerMs, &ignored);
        return;
    }
    ::MessageBoxA(m_main.Get(), answer.text.c_str(), "Test configuration",
                  answer.code == LN_STATUS_INFO ? MB_ICONINFORMATION : MB_ICONERROR);
}

void CLauncherApp::OnTestRequest()
{
    const TestAnswer answer = RunConfigTest(m_settings, m_folder);
    HWND editor = EditorWindow();
    Note("  answered " + NoticeLine(answer.code));
    if (editor == nullptr)
        return;
    // The editor reads szText while it handles the code, and clears it.
    CopySharedText(*m_block.Data(), answer.text.c_str());
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(editor, WM_LAUNCHER_NOTIFY, answer.code, 0, SMTO_NORMAL, kEditorAnswerMs, &ignored);
}

void CLauncherApp::OnExit()
{
    // An open editor is asked to save and close first; it may refuse.
    if (HWND editor = EditorWindow()) {
        DWORD_PTR closed = 0;
        if (!::SendMessageTimeoutA(editor, WM_LAUNCHER_NOTIFY, LN_SAVE_AND_CLOSE, 0, SMTO_NORMAL, 60000, &closed) ||
            closed == 0)
            return;
    }
    m_main.Reset();
}

void CLauncherApp::UpdateButtons()
{
    if (!m_main.Get())
        return;
    const auto enable = [this](int id, bool on) { ::EnableWindow(::GetDlgItem(m_main.Get(), id), on ? TRUE : FALSE); };
    enable(IDC_EDIT_CONFIGURATION, FileExists(Beside(kScrivelExe)));
    enable(IDC_OPTIONS, FileExists(Beside(kOptionsDll)));
    enable(IDC_VIEW_LOGS, FileExists(Beside(kBrenloDll)));
    enable(IDC_TEST_CONFIGURATION, FileExists(ConfigTestProgram(m_settings, m_folder)));
}

void CLauncherApp::Note(const std::string& line)
{
    if (m_notices == nullptr)
        return;
    const LRESULT index = ::SendMessageA(m_notices, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (index >= 0)
        ::SendMessageA(m_notices, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

HWND CLauncherApp::EditorWindow()
{
    HWND editor = HandleFromBlock(m_block.Data()->hEditorWnd);
    return editor != nullptr && ::IsWindow(editor) ? editor : nullptr;
}

ServerConfig CLauncherApp::ReadServerConfig() const
{
    // The lists show what can be read even when the configuration has an error.
    const std::string folder = m_settings.ReadApachePath();
    CConfigReader reader(folder);
    if (!folder.empty())
        reader.Read();
    return reader.Config();
}

void* CLauncherApp::Export(CModule& module, const char* file, const char* name)
{
    if (!module)
        module.Reset(::LoadLibraryA(Beside(file).c_str()));
    void* proc = module ? reinterpret_cast<void*>(::GetProcAddress(module.Get(), name)) : nullptr;
    if (proc == nullptr)
        Note(std::string("Cannot call ") + name + " in " + file);
    return proc;
}
