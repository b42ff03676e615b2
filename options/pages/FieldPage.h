#pragma once
// CFieldPage: a page whose settings are described by a list of PageField. Loading, saving,
// "Default", the change marking of its controls and its tips follow from the description;
// a page adds only what the description cannot say (its own storage, enabling rules).

#include <windows.h>

#include <span>

#include "OptionsPage.h"
#include "PageFields.h"
#include "SettingsStore.h"

class CFieldPage : public COptionsPage {
public:
    CFieldPage(UINT templateId, const char* helpTopic, std::span<const PageField> fields, std::span<const int> tipIds);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnFrameOK(BOOL changed) override;
    void Apply() override;

    // The member of the field that owns the control (any button of a radio group names it).
    int& Value(int controlId);
    int Value(int controlId) const;

protected:
    bool HandleCommand(UINT id, UINT code) override;

    // Members from the store; a page reads its own fields after calling the base.
    virtual void LoadValues(const CSettingsStore& store);
    // Members to the store; a page writes its own fields before calling the base.
    virtual void SaveValues(CSettingsStore& store);
    // After the values were loaded or restored and shown: enabling rules.
    virtual void OnValuesShown();
    // A click on a control of a field; the base marks the page changed.
    virtual void OnFieldClicked(int controlId);
    // "Default": the described defaults, shown and marked changed.
    virtual void OnDefault();

    CPageFields m_fields;
    FieldValues m_values;

private:
    std::span<const int> m_tipIds;
    int m_noField = 0;  // what Value gives for a control no field owns
    bool m_bLoaded = false;
};
