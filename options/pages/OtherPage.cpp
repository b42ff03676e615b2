#include "OtherPage.h"

#include "PageFrame.h"
#include "PageHost.h"
#include "DataExchange.h"
#include "GeneralFlags.h"
#include "HotkeyCode.h"
#include "LauncherLink.h"
#include "PageDescriptions.h"
#include "resource.h"

COtherPage::COtherPage() : CFieldPage(IDD_PAGE_OTHER, "opt_3.htm", pages::kOtherFields, pages::kOtherTips)
{
    m_wndHotKey.m_pPage = this;
}

void COtherPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_MENU_HOTKEY, m_wndHotKey);
    CFieldPage::DoDataExchange(dx);
}

BOOL COtherPage::OnInitDialog()
{
    // The rules hold before the first key arrives; the values come in the base's loading.
    if (HWND control = GetDlgItem(IDC_MENU_HOTKEY))
        ::SendMessageA(control, HKM_SETRULES, hotkey::kInvalidCombinations,
                       MAKELPARAM(hotkey::kReplacementModifiers, 0));
    return CFieldPage::OnInitDialog();
}

bool COtherPage::SplashOffered() const
{
    return ::IsWindowEnabled(GetDlgItem(IDC_SHOW_SPLASH)) != FALSE;
}

void COtherPage::LoadValues(const CSettingsStore& store)
{
    CFieldPage::LoadValues(store);
    // Sent, not posted: when it returns the Launcher has enabled the box if it can show a
    // splash screen. With no Launcher it goes nowhere and the box stays disabled.
    ::SendMessageA(pagehost::LauncherWindow(), WM_LAUNCHER_NOTIFY, LN_SPLASH_CONTROL,
                   reinterpret_cast<LPARAM>(GetDlgItem(IDC_SHOW_SPLASH)));
    if (!SplashOffered())
        Value(IDC_SHOW_SPLASH) = 1;
    Value(IDC_MENU_HOTKEY) = static_cast<int>(hotkey::UsableCode(static_cast<std::uint32_t>(Value(IDC_MENU_HOTKEY))));
}

void COtherPage::SaveValues(CSettingsStore& store)
{
    // A box the Launcher did not offer says nothing about the user's choice: the stored
    // bit stays as it is.
    if (!SplashOffered())
        Value(IDC_SHOW_SPLASH) = general::Has(store.ReadGeneral(), general::kShowSplash) ? 1 : 0;
    CFieldPage::SaveValues(store);
}

void COtherPage::Apply()
{
    CFieldPage::Apply();
    const bool tips = Value(IDC_SHOW_TOOLTIPS) != 0;
    if (pagehost::PageToolTip().IsWindow())
        pagehost::PageToolTip().Activate(tips);
    if (m_pFrame && m_pFrame->FrameToolTip().IsWindow())
        m_pFrame->FrameToolTip().Activate(tips);
}

void COtherPage::OnValuesShown()
{
    m_wndHotKey.EnableWindow(Value(IDC_ENABLE_HOTKEY) != 0);
}

void COtherPage::OnFieldClicked(int controlId)
{
    switch (controlId) {
        case IDC_SHOW_TOOLTIPS:
            UpdateData(true);
            SetModified();
            return;
        case IDC_ENABLE_HOTKEY:
            UpdateData(true);
            SetModified();
            OnValuesShown();
            return;
        default:
            SetModified();
            return;
    }
}
