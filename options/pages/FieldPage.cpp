#include "FieldPage.h"

#include <commctrl.h>

#include "PageHost.h"
#include "DataExchange.h"
#include "HotkeyCode.h"
#include "resource.h"

namespace {
void ExchangeHotKey(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate) {
        const auto word = static_cast<WORD>(::SendMessageA(control, HKM_GETHOTKEY, 0, 0));
        value = static_cast<int>(hotkey::Code(HIBYTE(word), LOBYTE(word)));
    } else {
        const auto code = static_cast<std::uint32_t>(value);
        // The control keeps the virtual key in the low byte and the modifiers in the next one.
        ::SendMessageA(control, HKM_SETHOTKEY, MAKEWORD(code & 0xFF, (code >> 16) & 0xFF), 0);
    }
}
}  // namespace

CFieldPage::CFieldPage(UINT templateId, const char* helpTopic, std::span<const PageField> fields,
                       std::span<const int> tipIds)
    : COptionsPage(templateId, helpTopic), m_fields(fields), m_values(fields.size(), 0), m_tipIds(tipIds)
{}

int& CFieldPage::Value(int controlId)
{
    const int index = m_fields.IndexOf(controlId);
    return index >= 0 ? m_values[static_cast<std::size_t>(index)] : m_noField;
}

int CFieldPage::Value(int controlId) const
{
    const int index = m_fields.IndexOf(controlId);
    return index >= 0 ? m_values[static_cast<std::size_t>(index)] : 0;
}

void CFieldPage::DoDataExchange(CDataExchange* dx)
{
    // Nothing to show before the values are loaded (the dialog's own initialisation).
    if (!m_bLoaded)
        return;
    const auto fields = m_fields.Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        switch (fields[i].kind) {
            case FieldKind::Check:
                DDX_Check(dx, fields[i].ControlId(), m_values[i]);
                break;
            case FieldKind::Radio:
                DDX_Radio(dx, fields[i].ControlId(), m_values[i]);
                break;
            case FieldKind::HotKey:
                ExchangeHotKey(dx, fields[i].ControlId(), m_values[i]);
                break;
        }
    }
}

BOOL CFieldPage::OnInitDialog()
{
    COptionsPage::OnInitDialog();
    LoadValues(pagehost::Settings());
    UpdateData(false);
    OnValuesShown();
    for (int id : m_tipIds)
        AddToolTip(id);
    return TRUE;
}

void CFieldPage::OnFrameOK(BOOL changed)
{
    if (changed)
        Apply();
}

void CFieldPage::Apply()
{
    CSettingsStore store = pagehost::Settings();
    SaveValues(store);
}

void CFieldPage::LoadValues(const CSettingsStore& store)
{
    m_values = m_fields.Load(store);
    m_bLoaded = true;
}

void CFieldPage::SaveValues(CSettingsStore& store)
{
    m_fields.Save(store, m_values);
}

void CFieldPage::OnValuesShown() {}

void CFieldPage::OnFieldClicked(int)
{
    SetModified();
}

void CFieldPage::OnDefault()
{
    UpdateData(true);  // fields that "Default" keeps keep what the user set
    m_fields.RestoreDefaults(m_values);
    SetModified();
    UpdateData(false);
    OnValuesShown();
}

bool CFieldPage::HandleCommand(UINT id, UINT code)
{
    if (code == BN_CLICKED && id == IDC_DEFAULT) {
        OnDefault();
        return true;
    }
    if (code == BN_CLICKED && m_fields.IndexOf(static_cast<int>(id)) >= 0) {
        OnFieldClicked(static_cast<int>(id));
        return true;
    }
    return COptionsPage::HandleCommand(id, code);
}
