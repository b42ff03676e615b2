#pragma once
// COtherPage: the Launcher's menu hot key and three presentation switches (splash screen,
// tooltips, the shutdown message). The splash box is offered only when the Launcher enables
// it while the page initialises; saving switches the dialog's own tips at once.

#include "FieldPage.h"
#include "MenuHotKeyCtrl.h"

class COtherPage : public CFieldPage {
public:
    COtherPage();

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void Apply() override;

protected:
    void LoadValues(const CSettingsStore& store) override;
    void SaveValues(CSettingsStore& store) override;
    void OnValuesShown() override;
    void OnFieldClicked(int controlId) override;

private:
    bool SplashOffered() const;

    CMenuHotKeyCtrl m_wndHotKey;
};
