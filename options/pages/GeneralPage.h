#pragma once
// CGeneralPage: how the Launcher starts, what it does with the server when it exits, which
// executable runs the server, and the automation switches; all bits of "General" except the
// start at logon, which is the Launcher's entry in the Run key.

#include "FieldPage.h"

class CGeneralPage : public CFieldPage {
public:
    CGeneralPage();

    BOOL IsLauncherRegistered() const;
    void SetLauncherAutostart(BOOL on);

protected:
    void LoadValues(const CSettingsStore& store) override;
    void SaveValues(CSettingsStore& store) override;
    void OnValuesShown() override;
    void OnFieldClicked(int controlId) override;
};
