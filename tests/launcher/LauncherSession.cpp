#include "LauncherSession.h"

#include "LauncherIds.h"
#include "ScrivelDriver.h"
#include "TestPaths.h"
#include "UiDriver.h"

bool CLauncherSession::StartLauncher()
{
    if (!launcher.Start(testpaths::Join(testpaths::BinDir(), "Launcher.exe")))
        return false;
    main = ui::WaitForTopLevel(launcher.Id(), nullptr, kMainCaption, 20000);
    if (main == nullptr)
        return false;
    notices = ::GetDlgItem(main, IDC_NOTICES);
    return notices != nullptr &&
           ui::WaitUntil([&] { return block.Open() && block.GetLauncherWnd() != nullptr; }, 10000);
}

std::string CLauncherSession::StartScrivel()
{
    HWND edit = ::GetDlgItem(main, IDC_EDIT_CONFIGURATION);
    if (!ui::WaitUntil([&] { return ui::IsEnabled(edit); }, 5000))
        return "\"Edit configuration\" stays disabled: Scrivel.exe is not beside the Launcher";
    if (!ui::Click(edit))
        return "\"Edit configuration\" could not be pressed";
    if (!ui::WaitUntil([&] { return ListsLine("5 LN_EDITOR_STARTED"); }, scriveltest::kStartTimeoutMs))
        return "the Launcher did not hear of Scrivel's start";
    frame = block.GetEditorWnd();
    if (frame == nullptr || !::IsWindowVisible(frame))
        return "Scrivel's frame is not in the block, or not shown";
    DWORD processId = 0;
    ::GetWindowThreadProcessId(frame, &processId);
    if (processId == launcher.Id())
        return "Scrivel runs inside the Launcher's process";
    scrivel.Reset(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    return scrivel.Get() != nullptr ? std::string() : "Scrivel's process cannot be opened";
}

void CLauncherSession::Stop()
{
    if (scrivel.Get() != nullptr && ::WaitForSingleObject(scrivel.Get(), 0) == WAIT_TIMEOUT) {
        if (frame != nullptr && ::IsWindow(frame))
            ::PostMessageA(frame, WM_LAUNCHER_NOTIFY, LN_CLOSE_NOW, 0);
        if (::WaitForSingleObject(scrivel.Get(), 10000) != WAIT_OBJECT_0)
            ::TerminateProcess(scrivel.Get(), 1);
    }
    scrivel.Reset();
    if (main != nullptr && ::IsWindow(main))
        ::PostMessageA(main, WM_CLOSE, 0, 0);
    main = nullptr;
    launcher.Wait(10000);
}

bool CLauncherSession::ListsLine(const char* line) const
{
    return ::SendMessageA(notices, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line)) >= 0;
}
