// The library's export: the modal "Options" dialog with its eleven pages, owned by the
// caller's active window, run on the caller's thread.
#include <windows.h>

#include <commctrl.h>

#include "BrowsersPage.h"
#include "CommandLinesPage.h"
#include "EditorFilesPage.h"
#include "FormatPage.h"
#include "GeneralPage.h"
#include "HostsPage.h"
#include "LauncherExports.h"
#include "ModuleActivation.h"
#include "ModuleState.h"
#include "OptionsApp.h"
#include "OptionsDlg.h"
#include "OtherPage.h"
#include "ServerInfoPages.h"
#include "resource.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDarkGreen = RGB(0, 48, 0);
constexpr COLORREF kDarkBlue = RGB(0, 0, 48);
constexpr COLORREF kDarkRed = RGB(48, 0, 0);

void InitControls()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS |
                                                        ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
}

int ShowOptions(HWND launcherWindow, HWND* dialogOut, const HostList* hosts)
{
    COptionsApp& app = OptionsApp();
    // One dialog at a time: a call from inside the running one finds it open.
    if (app.m_bDialogRunning)
        return -1;
    InitControls();

    COptionsDlg frame;
    CGeneralPage generalPage;
    CCommandLinesPage commandLinesPage;
    COtherPage otherPage;
    CEditorFilesPage editorFilesPage;
    CFormatPage formatPage;
    CHostsPage hostsPage;
    CBrowsersPage browsersPage;
    CServerInfoPage serverInfoPage;
    CModulesPage modulesPage;
    CDirectivesPage directivesPage;
    CParsedSettingsPage parsedSettingsPage;
    hostsPage.m_pHostList = hosts;

    struct Row {
        COptionsPage* page;
        UINT nameId;
        int parent;
        COLORREF rightColour;
    };
    const Row rows[] = {
        {&generalPage, IDS_PAGE_GENERAL, -1, kBlack},
        {&commandLinesPage, IDS_PAGE_COMMAND_LINES, 0, kBlack},
        {&otherPage, IDS_PAGE_OTHER, 0, kBlack},
        {&editorFilesPage, IDS_PAGE_SCRIVEL, -1, kDarkGreen},
        {&formatPage, IDS_PAGE_FORMAT, 3, kDarkGreen},
        {&hostsPage, IDS_PAGE_HOSTS, -1, kDarkBlue},
        {&browsersPage, IDS_PAGE_BROWSERS, 5, kDarkBlue},
        {&serverInfoPage, IDS_PAGE_SERVER_INFO, -1, kDarkRed},
        {&modulesPage, IDS_PAGE_MODULES, 7, kDarkRed},
        {&directivesPage, IDS_PAGE_DIRECTIVES, 7, kDarkRed},
        {&parsedSettingsPage, IDS_PAGE_PARSED_SETTINGS, 7, kDarkRed},
    };
    const COLORREF buttonFace = ::GetSysColor(COLOR_BTNFACE);
    for (const Row& row : rows)
        frame.AddPage(row.page, AfxLoadString(row.nameId).c_str(), row.parent, buttonFace, row.rightColour);

    app.m_hLauncherWnd = launcherWindow;
    app.m_phDialogSlot = dialogOut;
    app.m_bDialogRunning = true;
    const auto result = static_cast<int>(frame.DoModal());
    app.m_bDialogRunning = false;
    app.m_phDialogSlot = nullptr;
    return result;
}

}  // namespace

extern "C" int __cdecl DoOptions(HWND launcherWindow, HWND* dialogOut, const HostList* hosts)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    // The Launcher may have no manifest: the windows of this call use the library's own.
    CModuleActivation activation;
    try {
        return ShowOptions(launcherWindow, dialogOut, hosts);
    } catch (...) {
        // Nothing may cross into the Launcher.
        OptionsApp().m_bDialogRunning = false;
        return -1;
    }
}
