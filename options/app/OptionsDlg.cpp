#include "OptionsDlg.h"

#include "DataExchange.h"
#include "FwMessages.h"
#include "HelpTopics.h"
#include "HostProgram.h"
#include "HtmlHelpLoader.h"
#include "ModuleState.h"
#include "OptionsApp.h"
#include "OptionsPage.h"
#include "resource.h"

namespace {
// Each page sits in the page area's client coordinates, moved up and left by this much.
constexpr int kPageOffset = -3;
constexpr int kMaxTipWidth = 300;
}  // namespace

COptionsDlg::COptionsDlg() : CDialog(IDD_OPTIONS) {}

COptionsDlg::~COptionsDlg() = default;

int COptionsDlg::AddPage(COptionsPage* page, const char* name, int parent, COLORREF leftColour, COLORREF rightColour)
{
    PageEntry row;
    row.page = page;
    row.parent = parent;
    row.name = name;
    row.leftColour = leftColour;
    row.rightColour = rightColour;
    const int index = m_pages.Add(row);
    page->m_pFrame = this;
    page->m_nIndex = index;
    return index;
}

void COptionsDlg::SelectPage(int index)
{
    if (index == m_nCurrentPage || index < 0 || index >= m_pages.GetSize())
        return;
    m_wndTree.SelectItem(m_pages[index].item);
}

void COptionsDlg::NextPage()
{
    const int next = m_nCurrentPage + 1;
    SelectPage(next >= m_pages.GetSize() ? 0 : next);
}

void COptionsDlg::SetPageChanged(int index, BOOL changed)
{
    if (index >= 0 && index < m_pages.GetSize())
        m_pages[index].changed = changed;
    UpdateApplyButton();
}

void COptionsDlg::UpdateApplyButton()
{
    bool any = false;
    for (const PageEntry& row : m_pages)
        any = any || (row.created && row.changed);
    if (!m_wndApply.IsWindow())
        return;
    // A disabled Apply that kept the focus would leave the dialog without one: no Tab,
    // no F1 until a click.
    if (!any && ::GetFocus() == m_wndApply.m_hWnd)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_wndTree.m_hWnd), TRUE);
    m_wndApply.EnableWindow(any);
}

void COptionsDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PAGE_AREA, m_wndPageArea);
    DDX_Control(dx, ID_APPLY_NOW, m_wndApply);
    DDX_Control(dx, IDC_PAGE_TREE, m_wndTree);
    DDX_Control(dx, IDC_CAPTION_HEADER, m_wndCaption);
}

BOOL COptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HINSTANCE resources = AfxGetResourceHandle();
    auto* large =
        static_cast<HICON>(::LoadImageA(resources, MAKEINTRESOURCEA(IDI_OPTIONS), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), LR_SHARED));
    auto* small =
        static_cast<HICON>(::LoadImageA(resources, MAKEINTRESOURCEA(IDI_OPTIONS), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

    if (HWND* slot = OptionsApp().m_phDialogSlot)
        *slot = m_hWnd;

    m_wndPageArea.ModifyStyleEx(0, WS_EX_CONTROLPARENT);

    m_wndPageArea.GetWindowRect(&m_rcPage);
    m_wndPageArea.ScreenToClient(&m_rcPage);
    ::OffsetRect(&m_rcPage, kPageOffset, kPageOffset);

    m_nCurrentPage = -1;
    FillTree();
    SelectPage(0);
    UpdateApplyButton();
    m_hAccel = ::LoadAcceleratorsA(resources, MAKEINTRESOURCEA(IDR_OPTIONS_ACCEL));
    return TRUE;
}

// The tooltips are made once the dialog is on screen: their windows, and a tool for each
// control, are a good part of the opening, and nobody can rest the mouse on a control
// before it shows.
void COptionsDlg::MakeToolTips()
{
    m_bToolTipsMade = true;
    CreateFrameToolTip();
    if (m_nCurrentPage >= 0 && m_pages[m_nCurrentPage].created)
        m_pages[m_nCurrentPage].page->MakeSharedToolTip();
    for (PageEntry& row : m_pages) {
        if (row.created)
            row.page->AddWaitingToolTips();
    }
}

void COptionsDlg::CreateFrameToolTip()
{
    if (!m_wndToolTip.Create(this))
        return;
    m_wndToolTip.SetMaxTipWidth(kMaxTipWidth);
    m_wndToolTip.Activate(OptionsApp().TooltipsOn());
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW}) {
        const std::string tip = AfxLoadString(static_cast<UINT>(id));
        if (!tip.empty())
            m_wndToolTip.AddTool(GetDlgItem(id), tip.c_str());
    }
}

void COptionsDlg::FillTree()
{
    for (int i = 0; i < m_pages.GetSize(); ++i) {
        PageEntry& row = m_pages[i];
        HTREEITEM parent = row.parent < 0 ? TVI_ROOT : m_pages[row.parent].item;
        row.item = m_wndTree.InsertItem(row.name.GetText(), 0, 0, parent, TVI_LAST, i);
    }
}

void COptionsDlg::OnSelChanged()
{
    HTREEITEM selected = m_wndTree.GetSelectedItem();
    if (!selected)
        return;
    const auto index = static_cast<int>(m_wndTree.GetItemData(selected));
    if (index == m_nCurrentPage || index < 0 || index >= m_pages.GetSize())
        return;
    if (m_nCurrentPage >= 0 && m_pages[m_nCurrentPage].page->IsWindow())
        m_pages[m_nCurrentPage].page->ShowWindow(SW_HIDE);
    m_nCurrentPage = index;
    ShowPage(index);
}

void COptionsDlg::ShowPage(int index)
{
    PageEntry& row = m_pages[index];
    COptionsPage* page = row.page;
    if (!row.created) {
        if (!page->Create(page->m_nIDTemplate, &m_wndPageArea))
            return;
        page->MoveWindow(m_rcPage, true);
        row.created = TRUE;
    }
    page->ShowWindow(SW_SHOW);
    UpdateCaptionHeader(row);
    m_wndTree.SetFocus();
    page->OnPageShown();
}

void COptionsDlg::UpdateCaptionHeader(const PageEntry& row)
{
    m_wndCaption.SetWindowText(row.name.GetText());  // the header keeps it for Render
    m_wndCaption.m_clrLeft = row.leftColour == CLR_INVALID ? ::GetSysColor(COLOR_3DDKSHADOW) : row.leftColour;
    m_wndCaption.m_clrRight = row.rightColour == CLR_INVALID ? ::GetSysColor(COLOR_BTNFACE) : row.rightColour;
    m_wndCaption.Render();
}

void COptionsDlg::OnOK()
{
    for (PageEntry& row : m_pages) {
        if (row.created && row.page->UpdateData(true))
            row.page->OnFrameOK(row.changed);
    }
    EndDialog(IDOK);
}

void COptionsDlg::OnApply()
{
    for (PageEntry& row : m_pages) {
        if (row.created && row.changed && row.page->UpdateData(true)) {
            row.page->Apply();
            row.changed = FALSE;
        }
    }
    UpdateApplyButton();
}

BOOL COptionsDlg::OnHelpInfo(const HELPINFO*)
{
    std::string topic;
    if (m_nCurrentPage >= 0)
        topic = m_pages[m_nCurrentPage].page->m_strHelpTopic;
    if (topic.empty())
        topic = kAboutTopic;
    const std::string path = HelpFilePath(topic);
    return CallHtmlHelp(nullptr, path.c_str(), kHtmlHelpDisplayTopic, 0) != nullptr;
}

bool COptionsDlg::PreTranslateMessage(MSG* msg)
{
    if (m_wndToolTip.IsWindow())
        m_wndToolTip.RelayEvent(msg);
    if (m_hAccel && ::TranslateAcceleratorA(m_hWnd, m_hAccel, msg))
        return true;
    return CDialog::PreTranslateMessage(msg);
}

bool COptionsDlg::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_KICKIDLE:
            if (!m_bToolTipsMade && IsWindowVisible())
                MakeToolTips();
            return CDialog::OnWndMsg(msg, wParam, lParam, result);
        case WM_HELP: {
            // Help for menus is not ours: the default handling passes it on.
            const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
            if (info->iContextType != HELPINFO_WINDOW)
                return false;
            *result = OnHelpInfo(info);
            return true;
        }
        default:
            return CDialog::OnWndMsg(msg, wParam, lParam, result);
    }
}

bool COptionsDlg::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_NEXT_PAGE:
            NextPage();
            return true;
        case ID_APPLY_NOW:
            if (code != BN_CLICKED)
                return false;
            OnApply();
            return true;
        default:
            return CDialog::HandleCommand(id, code);
    }
}

BOOL COptionsDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_PAGE_TREE && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
        OnSelChanged();
        *result = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}
