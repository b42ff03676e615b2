#include "BrowsersPage.h"

#include <cstdio>
#include <string>
#include <vector>

#include "PageFrame.h"
#include "PageHost.h"
#include "BrowserRecords.h"
#include "ChooseBrowserDlg.h"
#include "DataExchange.h"
#include "LauncherLink.h"
#include "ModuleState.h"
#include "SettingsSchema.h"
#include "ScreenDpi.h"
#include "ShellIcons.h"
#include "resource.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationPeriodMs = 1000;

std::string ValueName(int n)
{
    char name[32];
    std::snprintf(name, sizeof(name), settings::kBrowserValueFormat, n);
    return name;
}

BrowserEntry MakeEntry(const std::string& label, const std::string& path, const std::string& service, bool dde)
{
    BrowserEntry entry;
    entry.label = label.c_str();
    entry.path = path.c_str();
    entry.service = service.c_str();
    entry.useDde = dde;
    return entry;
}

}  // namespace

CBrowsersPage::CBrowsersPage() : CListPage(IDD_PAGE_BROWSERS, "opt_7.htm", IDR_BROWSERS_TOOLBAR, IDC_BROWSER_LIST) {}

void CBrowsersPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_BROWSER_PICTURE, m_wndPicture);
    DDX_Control(dx, IDC_BROWSER_LIST, m_wndList);
}

BOOL CBrowsersPage::OnInitDialog()
{
    CListPage::OnInitDialog();

    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (CIconHandle fallback = LibrarySmallIcon(IDI_WEB_DOCUMENT))
        m_images.Add(fallback.Get());
    m_wndList.SetImageList(m_images, LVSIL_SMALL);
    m_wndList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    m_wndList.InsertColumn(0, "Label", LVCFMT_LEFT, AfxScaleForDpi(90));
    m_wndList.InsertColumn(1, "Path", LVCFMT_LEFT, AfxScaleForDpi(210));
    m_wndList.InsertColumn(2, "Use DDE", LVCFMT_LEFT, AfxScaleForDpi(60));

    UpdateButtons(-1);
    LoadEntries();
    FillList();
    if (m_pFrame)
        m_pFrame->SetPageChanged(m_nIndex, FALSE);

    HINSTANCE resources = AfxGetResourceHandle();
    m_hAnimation[0] = ::LoadIconA(resources, MAKEINTRESOURCEA(IDI_BROWSER_2));
    m_hAnimation[1] = ::LoadIconA(resources, MAKEINTRESOURCEA(IDI_BROWSER_1));
    m_hAnimation[2] = ::LoadIconA(resources, MAKEINTRESOURCEA(IDI_BROWSER_3));
    m_nAnimation = 2;
    m_nTimer = SetTimer(kAnimationTimer, kAnimationPeriodMs);
    return TRUE;
}

void CBrowsersPage::OnFrameOK(BOOL changed)
{
    if (changed)
        Apply();
}

void CBrowsersPage::Apply()
{
    Save();
    if (pagehost::LauncherWindow())
        ::PostMessageA(pagehost::LauncherWindow(), WM_LAUNCHER_NOTIFY, LN_BROWSER_CHANGED, 0);
}

void CBrowsersPage::LoadEntries()
{
    const CSettingsStore store = pagehost::Settings();
    m_nDefault = store.ReadDefBrowser();
    m_entries.RemoveAll();
    if (m_nDefault == -1)
        return;
    // A damaged value (without its three NULs) is passed over, so the browsers after it stay.
    std::vector<std::uint8_t> bytes;
    for (int n = 1; store.GetBinary(settings::kBrowsersKey, ValueName(n), bytes); ++n) {
        if (const auto record = browsers::BrowserRecord::Decode(bytes))
            m_entries.Add(MakeEntry(record->label, record->path, record->service, record->useDde));
    }
    if (m_nDefault >= m_entries.GetSize() || m_nDefault < 0)
        m_nDefault = 0;
}

void CBrowsersPage::FillList()
{
    m_wndList.DeleteAllItems();
    ImageList_SetImageCount(m_images, 1);
    for (int i = 0; i < m_entries.GetSize(); ++i) {
        const BrowserEntry& entry = m_entries[i];
        int image = 0;
        if (CIconHandle icon = AssociatedIcon(entry.path.GetText())) {
            const int added = m_images.Add(icon.Get());
            if (added >= 0)
                image = added;
        }
        const int row = m_wndList.InsertItem(m_wndList.GetItemCount(), entry.label.GetText(), image);
        m_wndList.SetItemText(row, 1, entry.path.GetText());
        m_wndList.SetItemText(row, 2, entry.useDde ? "Yes" : "No");
    }
}

void CBrowsersPage::UpdateButtons(int index)
{
    const int count = m_entries.GetSize();
    auto enable = [this](UINT id, bool on) { EnableToolButton(id, on); };
    enable(ID_LIST_EDIT, index >= 0);
    enable(ID_LIST_REMOVE, index >= 0);
    enable(ID_LIST_DOWN, index >= 0 && index < count - 1);
    enable(ID_LIST_UP, index > 0);
    enable(ID_LIST_ADD, true);
    enable(ID_LIST_FIND, true);
}

bool CBrowsersPage::RunChooseDialog(BrowserEntry& entry)
{
    CChooseBrowserDlg dialog;
    dialog.m_bTooltips = TipsOn();
    dialog.m_strLabel = entry.label.GetText();
    dialog.m_strPath = entry.path.GetText();
    dialog.m_strService = entry.service.GetText();
    dialog.m_bUseDde = entry.useDde;
    if (dialog.DoModal() != IDOK)
        return false;
    entry = MakeEntry(dialog.m_strLabel, dialog.m_strPath, dialog.m_strService, dialog.m_bUseDde != FALSE);
    return true;
}

void CBrowsersPage::OnAdd()
{
    BrowserEntry entry;
    if (!RunChooseDialog(entry))
        return;
    m_entries.Add(entry);
    FillList();
    SetModified();
}

void CBrowsersPage::OnEdit()
{
    const int mark = static_cast<int>(m_wndList.SendMessage(LVM_GETSELECTIONMARK));
    if (mark < 0 || mark >= m_entries.GetSize())
        return;
    if (!RunChooseDialog(m_entries[mark]))
        return;
    // The row's picture stays until the list is filled again.
    const BrowserEntry& entry = m_entries[mark];
    m_wndList.SetItemText(mark, 0, entry.label.GetText());
    m_wndList.SetItemText(mark, 1, entry.path.GetText());
    m_wndList.SetItemText(mark, 2, entry.useDde ? "Yes" : "No");
    SetModified();
}

void CBrowsersPage::OnRemove()
{
    const int mark = static_cast<int>(m_wndList.SendMessage(LVM_GETSELECTIONMARK));
    if (mark < 0 || mark >= m_entries.GetSize())
        return;
    m_entries.RemoveAt(mark);
    FillList();
    SetModified();
    UpdateButtons(-1);
    m_nDefault = browsers::DefaultAfterRemove(m_nDefault, mark, m_entries.GetSize());
}

void CBrowsersPage::SelectRow(int index)
{
    m_wndList.EnsureVisible(index, false);
    m_wndList.SendMessage(LVM_SETSELECTIONMARK, 0, index);
    m_wndList.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    UpdateButtons(index);
}

void CBrowsersPage::OnMove(bool up)
{
    const int mark = static_cast<int>(m_wndList.SendMessage(LVM_GETSELECTIONMARK));
    const int target = up ? mark - 1 : mark + 1;
    if (m_wndList.GetSelectedCount() == 0 || mark < 0 || target < 0 || target >= m_entries.GetSize())
        return;
    m_nDefault = up ? browsers::DefaultAfterMoveUp(m_nDefault, mark) : browsers::DefaultAfterMoveDown(m_nDefault, mark);
    const BrowserEntry moved = m_entries[mark];
    m_entries.RemoveAt(mark);
    m_entries.InsertAt(target, moved);
    FillList();
    SelectRow(target);
    SetModified();
}

void CBrowsersPage::OnFind()
{
    const std::string text = AfxLoadString(IDS_DESTROY_WARNING);
    const std::string caption = AfxLoadString(IDS_WARNING_CAPTION);
    if (MessageBox(text.c_str(), caption.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    m_entries.RemoveAll();
    auto detect = [this](const browsers::KnownBrowser& known) {
        // Read access is all detection needs; an ordinary user gets no more on this key.
        const auto path = DefaultValueText(HKEY_LOCAL_MACHINE, std::string(settings::kAppPathsKey) + known.executable);
        if (path && !path->empty())
            m_entries.Add(MakeEntry(known.label, *path, known.service, known.service[0] != '\0'));
    };
    for (const browsers::KnownBrowser& known : browsers::kClassicBrowsers)
        detect(known);
    for (const browsers::KnownBrowser& known : browsers::kCurrentBrowsers)
        detect(known);
    if (m_entries.GetSize() > 0)
        m_nDefault = 0;
    FillList();
    SetModified();
}

void CBrowsersPage::Save()
{
    CSettingsStore store = pagehost::Settings();
    std::vector<bool> kept;
    for (const BrowserEntry& entry : m_entries)
        kept.push_back(!entry.path.IsEmpty());
    int stored = 0;
    if (!store.CreateKey(settings::kBrowsersKey)) {
        kept.assign(kept.size(), false);  // nothing stored: no default
    } else {
        for (const BrowserEntry& entry : m_entries) {
            if (entry.path.IsEmpty())
                continue;
            const browsers::BrowserRecord record{entry.label.GetText(), entry.path.GetText(), entry.service.GetText(),
                                                 entry.useDde != FALSE};
            const auto bytes = record.Encode();
            if (store.WriteBinary(settings::kBrowsersKey, ValueName(stored + 1), bytes.data(), bytes.size()))
                ++stored;
        }
        for (int n = stored + 1; store.DeleteValue(settings::kBrowsersKey, ValueName(n)); ++n) {
        }
    }
    m_nDefault = browsers::StoredDefaultIndex(m_nDefault, kept);
    store.SetProfileInt(settings::kSection, settings::kDefBrowser, m_nDefault);
}

void CBrowsersPage::OnListSelection(int row)
{
    UpdateButtons(row);
}

void CBrowsersPage::OnTimer(UINT_PTR id)
{
    if (id == m_nTimer && m_nTimer != 0) {
        // 0 shows 1091, 1 shows 1093, 2 shows 1092; starting at 2 the picture goes
        // 1093 (the template's), 1092, 1091, 1093, ...
        static constexpr int kShown[3] = {1, 2, 0};
        m_wndPicture.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(m_hAnimation[kShown[m_nAnimation]]));
        m_nAnimation = (m_nAnimation + 1) % 3;
    }
    COptionsPage::OnTimer(id);
}
