#pragma once
// COptionsApp: the library's application object. It sets the company key, so that every
// profile value lands under HKEY_CURRENT_USER\Software\Quorlane\Tessaly, and keeps the
// module-wide values of the one dialog a process shows at a time: the Launcher's window,
// the caller's dialog-handle slot and the tooltip the pages share.

#include <windows.h>

#include <cstdint>

#include "CommonControls.h"
#include "SettingsStore.h"
#include "WinApp.h"

class COptionsApp : public CWinApp {
public:
    COptionsApp();

    bool InitInstance() override;

    // The settings tree under the application's root.
    CSettingsStore Settings() const;
    std::uint32_t ReadGeneral() const;
    bool TooltipsOn() const;

    HWND m_hLauncherWnd = nullptr;   // may be null: notifications then go nowhere
    HWND* m_phDialogSlot = nullptr;  // receives the dialog's handle while it initialises
    CToolTipCtrl m_wndPageToolTip;   // made by the first page that initialises
    bool m_bDialogRunning = false;
};

COptionsApp& OptionsApp();
