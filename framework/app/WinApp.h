#pragma once
// CWinApp: the application object of one module (the program, or a library with its own
// resources). It runs the message loop with idle processing and the PreTranslateMessage
// chain, keeps the main window and the document templates, and reads and writes the
// module's settings under HKEY_CURRENT_USER\Software\<company>\<application name>.

#include <windows.h>

#include <commdlg.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CmdTarget.h"
#include "FwApi.h"
#include "Handles.h"
#include "ModuleState.h"
#include "SettingsStore.h"

class CDocTemplate;
class CDocument;
class CWnd;

class FWAPI CWinApp : public CCmdTarget {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    // The default module argument is evaluated in the module that defines the application
    // object, so the object registers itself with that module. Without a name, the name is
    // the module's string AFX_IDS_APP_TITLE.
    explicit CWinApp(const char* appName = nullptr, CModuleState* module = AfxGetStaticModuleState());
    ~CWinApp() override;

    CWnd* m_pMainWnd = nullptr;
    std::string m_pszAppName;
    std::string m_pszRegistryKey;  // the company, set by SetRegistryKey
    HINSTANCE m_hInstance = nullptr;
    std::string m_lpCmdLine;
    int m_nCmdShow = SW_SHOWNORMAL;
    CModuleState* m_pModuleState = nullptr;
    MSG m_msgCur{};

    // Start and end. Returning false from InitInstance ends the program; ExitInstance runs
    // either way and its result is the exit code.
    virtual bool InitInstance();
    virtual int ExitInstance();
    virtual int Run();

    // The loop's parts, also used by modal loops of libraries. PreTranslateMessage walks the
    // windows from the message's own up to its top-level window, then gives the registered
    // modeless dialogs their keys (ModelessDialogs.h).
    virtual bool PreTranslateMessage(MSG* msg);
    // Takes one message, lets PreTranslateMessage see it, then dispatches it; false on WM_QUIT.
    bool PumpMessage();
    // Whether `msg` should restart idle processing (paint and timer messages do not).
    virtual bool IsIdleMessage(const MSG* msg);
    // Idle work; count 0 updates the command states of the main window. True asks for more.
    virtual bool OnIdle(LONG count);

    // Settings.
    void SetRegistryKey(const char* company);
    void SetRegistryKey(UINT companyStringId);
    std::string GetRegistryRoot() const;
    int GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    bool WriteProfileInt(const char* section, const char* entry, int value);
    std::string GetProfileString(const char* section, const char* entry, const char* defaultValue = "") const;
    bool WriteProfileString(const char* section, const char* entry, const char* value);
    bool GetProfileBinary(const char* section, const char* entry, std::vector<std::uint8_t>& out) const;
    bool WriteProfileBinary(const char* section, const char* entry, const void* data, std::size_t size);

    // Documents.
    void AddDocTemplate(CDocTemplate* docTemplate);  // the application owns it
    const std::vector<std::unique_ptr<CDocTemplate>>& DocTemplates() const { return m_templates; }
    // Opens `path`, or activates the document already open under it; null on failure.
    virtual CDocument* OpenDocumentFile(const char* path);
    // Offers every modified document for saving; false when the user cancelled.
    virtual bool SaveAllModified();
    void CloseAllDocuments(bool endSession);
    std::size_t GetOpenDocumentCount() const;
    // The open and save file dialogs of the standard commands; all files are offered.
    bool DoPromptFileName(std::string& path, const char* title, bool open);

    // The printer dialogs (Print Setup, Print) start from the printer chosen last in either
    // and keep what the user chooses, for the rest of the run.
    bool DoPrintDialog(PRINTDLGA& dialog);
    // A drawing surface on the printer chosen last; null when none was chosen.
    HDC CreatePrinterDC() const;

    // The standard commands' handlers.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();

protected:
    bool HandleCommand(UINT id, UINT code) override;

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    CGlobalMemory m_hDevMode;   // the chosen printer's settings (DEVMODEA)
    CGlobalMemory m_hDevNames;  // its driver, device and port names (DEVNAMES)
};

// The program's entry, called by the WinMain of framework_module.
FWAPI int AfxWinMain(HINSTANCE instance, const char* commandLine, int show);
// Library start and end, called by the DllMain of framework_module: runs InitInstance
// (false fails the load) and ExitInstance of the library's application object.
FWAPI bool AfxLibraryAttach(CModuleState* module);
FWAPI void AfxLibraryDetach(CModuleState* module);
