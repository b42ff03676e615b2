#include "FormatPage.h"

#include <commctrl.h>

#include <editor/Colors.h>
#include <editor/EditorDll.h>
#include <editor/Keywords.h>

#include "CommonDialogs.h"
#include "DataExchange.h"
#include "FormatItems.h"
#include "LauncherLink.h"
#include "SharedData.h"

namespace {
constexpr int kTips[] = {IDC_AUTOINDENT,     IDC_SYNTAX_COLORING, IDC_TABS_AS_SPACES, IDC_SHOW_TABS,
                         IDC_TAB_WIDTH_SPIN, IDC_COLOR_BUTTON,    IDC_COLOR_ITEM,     IDC_FONT_BUTTON,
                         IDC_CASE_SENSITIVE, IDC_DEFAULT};

void SetCheck(HWND page, int id, bool on)
{
    ::CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED);
}
}  // namespace

CFormatPage::CFormatPage() : COptionsPage(IDD_PAGE_FORMAT, "opt_5.htm") {}

void CFormatPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_COLOR_BUTTON, m_wndColor);
}

BOOL CFormatPage::OnInitDialog()
{
    COptionsPage::OnInitDialog();
    InitEditorDLL();
    m_Keywords.ReadScript();
    if (!m_wndSample.CreateFromItem(IDC_SAMPLE_PLACE, this, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE))
        return FALSE;
    m_bSampleMade = true;
    Values().SetReadOnly(TRUE);
    ::SendMessageA(GetDlgItem(IDC_TAB_WIDTH_SPIN), UDM_SETRANGE, 0,
                   MAKELONG(format::kMaxTabWidth, format::kMinTabWidth));
    m_wndSample.SetWindowTextA(format::SampleText());
    ShowValues();
    ShowFontCaption();
    FillColorItems();
    for (int id : kTips)
        AddToolTip(id);
    return TRUE;
}

void CFormatPage::ShowValues()
{
    const CVQEdit& values = Values();
    ::SendMessageA(GetDlgItem(IDC_TAB_WIDTH_SPIN), UDM_SETPOS, 0, MAKELONG(LOWORD(values.m_nTabWidth), 0));
    SetCheck(m_hWnd, IDC_AUTOINDENT, values.m_bAutoIndent != 0);
    SetCheck(m_hWnd, IDC_SYNTAX_COLORING, values.m_bColoring != 0);
    SetCheck(m_hWnd, IDC_TABS_AS_SPACES, values.m_bKeepTabs == 0);
    SetCheck(m_hWnd, IDC_SHOW_TABS, values.m_bShowTabs != 0);
    SetCheck(m_hWnd, IDC_CASE_SENSITIVE, values.m_bCaseSensitive != 0);
    ::EnableWindow(GetDlgItem(IDC_CASE_SENSITIVE), values.m_bColoring != 0);
}

void CFormatPage::ShowFontCaption()
{
    ::SetWindowTextA(GetDlgItem(IDC_FONT_BUTTON),
                     format::FontCaption(Values().m_strFontName, Values().m_nFontSize).c_str());
}

void CFormatPage::FillColorItems()
{
    HWND items = GetDlgItem(IDC_COLOR_ITEM);
    ::SendMessageA(items, CB_RESETCONTENT, 0, 0);
    const bool coloring = ::IsDlgButtonChecked(m_hWnd, IDC_SYNTAX_COLORING) == BST_CHECKED;
    // The list sorts: each item's data goes where it lands.
    for (const format::ColorItem& item : format::OfferedItems(coloring)) {
        const LRESULT at = ::SendMessageA(items, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text));
        if (at >= 0)
            ::SendMessageA(items, CB_SETITEMDATA, static_cast<WPARAM>(at), item.data);
    }
    ::SendMessageA(items, CB_SETCURSEL, 0, 0);
    ShowSelectedColor();
}

int CFormatPage::SelectedItemData() const
{
    HWND items = GetDlgItem(IDC_COLOR_ITEM);
    const LRESULT at = ::SendMessageA(items, CB_GETCURSEL, 0, 0);
    return at < 0 ? 0 : static_cast<int>(::SendMessageA(items, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

void CFormatPage::ShowSelectedColor()
{
    if (const std::uint32_t* field = format::ColorField(Values(), SelectedItemData())) {
        m_wndColor.m_clrColor = *field;
        m_wndColor.Invalidate();
    }
}

void CFormatPage::Toggle(int& field)
{
    field = !field;
    m_wndSample.UpdateEditor();
    SetModified();
}

void CFormatPage::OnColoring()
{
    Toggle(Values().m_bColoring);
    ShowValues();
    FillColorItems();
}

void CFormatPage::OnColor()
{
    std::uint32_t* field = format::ColorField(Values(), SelectedItemData());
    if (!field)
        return;
    CColorDialog dialog(m_wndColor.m_clrColor, 0, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    m_wndColor.m_clrColor = dialog.GetColor();
    m_wndColor.Invalidate();
    *field = dialog.GetColor();
    m_wndSample.UpdateEditor();
    SetModified();
}

void CFormatPage::OnFont()
{
    HFONT shown = m_wndSample.GetFont();
    if (!shown)
        shown = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTA description{};
    ::GetObjectA(shown, sizeof description, &description);
    CFontDialog dialog(&description, CF_SCREENFONTS | CF_EFFECTS | CF_FIXEDPITCHONLY | CF_FORCEFONTEXIST, this);
    dialog.SetTemplate(IDD_FONT_DIALOG);
    if (dialog.DoModal() != IDOK)
        return;
    CVQEdit& values = Values();
    const LOGFONTA& chosen = dialog.GetLogFont();
    values.m_strFontName = dialog.GetFaceName();
    values.m_nFontSize = format::PointsFromTenths(dialog.GetSize());
    values.m_nFontWeight = chosen.lfWeight;
    values.m_nFontItalic = chosen.lfItalic;
    values.m_nFontCharSet = chosen.lfCharSet;
    m_wndSample.InitView();
    m_wndSample.UpdateEditor();
    ShowFontCaption();
    SetModified();
}

void CFormatPage::OnDefault()
{
    // The component's table knows the defaults; the page's own values take them.
    CColors defaults;
    defaults.SetDefaults();
    defaults.CopyTo(Values());
    ShowValues();
    ShowFontCaption();
    m_wndSample.InitView();
    m_wndSample.UpdateEditor();
    FillColorItems();
    SetModified();
}

bool CFormatPage::OnTabWidthStep(int step)
{
    const int position = LOWORD(::SendMessageA(GetDlgItem(IDC_TAB_WIDTH_SPIN), UDM_GETPOS, 0, 0));
    const auto width = format::SteppedTabWidth(position, step);
    if (!width)
        return false;
    Values().m_nTabWidth = *width;
    m_wndSample.UpdateEditor();
    SetModified();
    return true;
}

void CFormatPage::OnFrameOK(BOOL changed)
{
    if (changed)
        Apply();
}

void CFormatPage::Apply()
{
    if (!m_bSampleMade)
        return;
    m_Colors.CopyFrom(Values());
    m_Colors.SaveSettings();
    NotifyLauncher();
}

void CFormatPage::NotifyLauncher()
{
    CSharedData shared;
    if (!shared.Open())
        return;
    HWND launcher = reinterpret_cast<HWND>(static_cast<UINT_PTR>(shared.Data()->hLauncherWnd));
    shared.Close();
    if (::IsWindow(launcher))
        ::PostMessageA(launcher, WM_LAUNCHER_NOTIFY, LN_FORMAT_CHANGED, 0);
}

BOOL CFormatPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == UDN_DELTAPOS && header->idFrom == IDC_TAB_WIDTH_SPIN) {
        *result = OnTabWidthStep(reinterpret_cast<NMUPDOWN*>(lParam)->iDelta) ? 0 : 1;
        return TRUE;
    }
    return COptionsPage::OnNotify(wParam, lParam, result);
}

bool CFormatPage::HandleCommand(UINT id, UINT code)
{
    if (id == IDC_COLOR_ITEM && code == CBN_SELCHANGE) {
        ShowSelectedColor();
        return true;
    }
    if (code != BN_CLICKED || !m_bSampleMade)
        return COptionsPage::HandleCommand(id, code);
    switch (id) {
        case IDC_AUTOINDENT:
            Toggle(Values().m_bAutoIndent);
            return true;
        case IDC_SYNTAX_COLORING:
            OnColoring();
            return true;
        case IDC_TABS_AS_SPACES:
            Toggle(Values().m_bKeepTabs);
            return true;
        case IDC_SHOW_TABS:
            Toggle(Values().m_bShowTabs);
            return true;
        case IDC_CASE_SENSITIVE:
            Toggle(Values().m_bCaseSensitive);
            return true;
        case IDC_COLOR_BUTTON:
            OnColor();
            return true;
        case IDC_FONT_BUTTON:
            OnFont();
            return true;
        case IDC_DEFAULT:
            OnDefault();
            return true;
        default:
            return COptionsPage::HandleCommand(id, code);
    }
}
