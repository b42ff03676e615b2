#include "GeneralPage.h"

#include "PageHost.h"
#include "PageDescriptions.h"
#include "RunEntry.h"
#include "resource.h"

CGeneralPage::CGeneralPage() : CFieldPage(IDD_PAGE_GENERAL, "opt_1.htm", pages::kGeneralFields, pages::kGeneralTips) {}

BOOL CGeneralPage::IsLauncherRegistered() const
{
    return runentry::IsLauncherRegistered(pagehost::Settings(), pagehost::HostProgramPath()) ? TRUE : FALSE;
}

void CGeneralPage::SetLauncherAutostart(BOOL on)
{
    CSettingsStore store = pagehost::Settings();
    runentry::SetLauncherAutostart(store, pagehost::HostProgramPath(), on != FALSE);
}

void CGeneralPage::LoadValues(const CSettingsStore& store)
{
    CFieldPage::LoadValues(store);
    Value(IDC_START_WITH_WINDOWS) = IsLauncherRegistered();
}

void CGeneralPage::SaveValues(CSettingsStore& store)
{
    // The entry is written (or deleted) on every save, so it follows the Launcher's folder.
    SetLauncherAutostart(Value(IDC_START_WITH_WINDOWS));
    CFieldPage::SaveValues(store);
}

void CGeneralPage::OnValuesShown()
{
    // The console can be hidden only for the server's own executable; the check mark stays
    // (and is saved) while the box is disabled.
    const bool apacheExe = Value(IDC_USE_APACHE_EXE) == 1;  // the executable group's value
    ::EnableWindow(GetDlgItem(IDC_HIDE_CONSOLE), apacheExe);
}

void CGeneralPage::OnFieldClicked(int controlId)
{
    switch (controlId) {
        case IDC_START_WITH_WINDOWS:
        case IDC_USE_STUB_EXE:
        case IDC_USE_APACHE_EXE:
            UpdateData(true);
            OnValuesShown();
            SetModified();
            return;
        default:
            SetModified();
            return;
    }
}
