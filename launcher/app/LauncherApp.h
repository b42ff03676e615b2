#pragma once
// The Launcher stand-in: owns the shared-data block, the message window the deliverables
// talk to, the main window with its buttons and notice pane, the libraries it loaded and
// the host and log lists it hands them.

#include <windows.h>

#include <string>

#include "Handles.h"
#include "LauncherListsBuilder.h"
#include "SettingsStore.h"
#include "SharedData.h"

class CLauncherApp {
public:
    CLauncherApp();
    CLauncherApp(const CLauncherApp&) = delete;
    CLauncherApp& operator=(const CLauncherApp&) = delete;

    // Creates the block and both windows; false when any of them cannot be made.
    bool Create(HINSTANCE instance, int showCommand);
    int Run();
    // As if the user pressed "Edit configuration", once the message loop runs.
    void PressEditConfiguration();

private:
    static LRESULT CALLBACK MainProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MessageProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool RegisterClasses(HINSTANCE instance);
    void CreateControls();

    LRESULT OnLauncherNotify(WPARAM code, LPARAM lParam);
    void OnCommand(int id);
    void OnEditConfiguration();
    void OnOptions();
    void OnViewLogs();
    void OnTestConfiguration();
    void OnExit();
    void OnTestRequest();
    void UpdateButtons();

    void Note(const std::string& line);
    HWND EditorWindow();
    ServerConfig ReadServerConfig() const;
    // A library beside the Launcher, loaded on first use and kept while we run.
    void* Export(CModule& module, const char* file, const char* name);
    std::string Beside(const char* name) const { return m_folder + "\\" + name; }

    std::string m_folder;
    CSettingsStore m_settings;
    CSharedDataOwner m_block;
    CWindowHandle m_main;
    CWindowHandle m_messages;
    HWND m_notices = nullptr;  // child of m_main
    CModule m_options;
    CModule m_brenlo;
    HWND m_optionsDialog = nullptr;
    HWND m_logViewer = nullptr;
    bool m_inOptions = false;
    CLauncherLists m_hostLists;  // what DoOptions was given
    CLauncherLists m_logLists;   // what DoViewLogs was given
};
