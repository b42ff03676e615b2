#include "HostsPage.h"

#include "PageFrame.h"
#include "PageHost.h"
#include "DataExchange.h"
#include "Gdi.h"
#include "GeneralFlags.h"
#include "ScreenDpi.h"
#include "HostDlg.h"
#include "HostOptions.h"
#include "LauncherLink.h"
#include "SettingsSchema.h"
#include "ShellIcons.h"
#include "resource.h"

namespace {

constexpr int kWebAddressImage = 0;
constexpr int kNoProjectImage = 1;
constexpr int kCellImage = 2;  // every cell's nominal image, painted over
constexpr int kFirstProjectImage = 3;

// The first entry of the folder matching "*.<piece>" for the first piece with any match.
// The folder's own "." and ".." entries are never a project.
std::string FindProject(const std::string& folder, const std::vector<std::string>& pieces)
{
    for (const std::string& piece : pieces) {
        const std::string pattern = folder + "\\*." + piece;
        WIN32_FIND_DATAA found{};
        CFindHandle search(::FindFirstFileA(pattern.c_str(), &found));
        if (!search)
            continue;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                return folder + "\\" + name;
        } while (::FindNextFileA(search.Get(), &found));
    }
    return std::string();
}

void Redraw(HWND list, const RECT& rect)
{
    ::InvalidateRect(list, &rect, FALSE);
}

}  // namespace

CHostsPage::CHostsPage() : CListPage(IDD_PAGE_HOSTS, "opt_6.htm", IDR_HOSTS_TOOLBAR, IDC_HOST_LIST)
{
    const std::uint32_t word = pagehost::ReadGeneral();
    m_bOpenProject = general::Has(word, general::kEnableOpenProject);
    m_bViewHost = general::Has(word, general::kEnableViewHost);
    m_bSort = general::Has(word, general::kSortHostsRead);
}

void CHostsPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_HOST_LIST, m_wndList);
    DDX_Control(dx, IDC_PROJECT_EXTENSIONS, m_wndExtensions);
    DDX_Check(dx, IDC_OPEN_PROJECT, m_bOpenProject);
    DDX_Check(dx, IDC_VIEW_HOST, m_bViewHost);
    DDX_Check(dx, IDC_SORT_HOSTS, m_bSort);
}

BOOL CHostsPage::OnInitDialog()
{
    CListPage::OnInitDialog();

    m_strExtensions = pagehost::Settings().ReadProjects();
    m_wndExtensions.SetWindowText(m_strExtensions.c_str());

    m_wndList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP);
    MakeImageList();
    m_wndList.InsertColumn(0, "Host Name", LVCFMT_LEFT, AfxScaleForDpi(150));
    m_wndList.InsertColumn(1, "Project path", LVCFMT_LEFT, AfxScaleForDpi(210));
    m_wndList.ModifyStyle(m_bSort ? 0 : LVS_SORTASCENDING, m_bSort ? LVS_SORTASCENDING : 0);

    LoadHosts(m_strExtensions);
    FillList();
    EnableToolButton(ID_LIST_EDIT, false);
    // Showing the extensions counted as a change.
    if (m_pFrame)
        m_pFrame->SetPageChanged(m_nIndex, FALSE);
    for (int id : {IDC_PROJECT_EXTENSIONS, IDC_VIEW_HOST, IDC_OPEN_PROJECT, IDC_SORT_HOSTS})
        AddToolTip(id);
    return TRUE;
}

void CHostsPage::MakeImageList()
{
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    // The system's icon of web addresses; read access is all it needs.
    CIconHandle webAddress;
    if (const auto location = DefaultValueText(HKEY_CLASSES_ROOT, settings::kHttpIconKey);
        location && !location->empty())
        webAddress = IconFromLocation(*location);
    if (!webAddress)
        webAddress = LibrarySmallIcon(IDI_WEB_DOCUMENT);
    // Named, so that the icons live until they are copied into the list.
    const CIconHandle blankProject = LibrarySmallIcon(IDI_BLANK_PROJECT);
    const CIconHandle blankCell = LibrarySmallIcon(IDI_BLANK_CELL);
    for (HICON icon : {webAddress.Get(), blankProject.Get(), blankCell.Get()})
        m_images.Add(icon);
    m_wndList.SetImageList(m_images, LVSIL_SMALL);
}

void CHostsPage::OnPageShown()
{
    CListPage::OnPageShown();
    const int selected = m_wndList.GetNextItem(-1, LVNI_SELECTED);
    if (selected >= 0)
        m_wndList.SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(selected), selected);
}

void CHostsPage::OnFrameOK(BOOL changed)
{
    if (changed)
        Save();
}

void CHostsPage::Apply()
{
    Save();
    OnRescan();
}

void CHostsPage::LoadHosts(const std::string& extensions)
{
    const std::vector<std::string> pieces = hosts::SplitExtensions(extensions);
    CSettingsStore store = pagehost::Settings();
    store.CreateKey(settings::kHostsOptKey);
    m_records.RemoveAll();
    const CHostListView list(m_pHostList);
    for (int i = 0; i < list.Count(); ++i) {
        HostRecord record;
        const std::string name = list.HostName(i);
        record.name = name.c_str();
        record.folder = list.Folder(i).c_str();
        std::vector<std::uint8_t> bytes;
        hosts::HostOptions options;
        if (store.GetBinary(settings::kHostsOptKey, name, bytes))
            options = hosts::HostOptions::Decode(bytes);
        record.showProject = options.showProject;
        record.showHost = options.showHost;
        record.automatic = options.automatic;
        record.projectPath =
            (options.automatic ? FindProject(record.folder.GetText(), pieces) : options.projectPath).c_str();
        m_records.Add(record);
    }
}

void CHostsPage::FillList()
{
    m_wndList.SetRedraw(false);
    m_wndList.DeleteAllItems();
    ImageList_SetImageCount(m_images, kFirstProjectImage);
    for (int i = 0; i < m_records.GetSize(); ++i) {
        HostRecord& record = m_records[i];
        record.icon = kNoProjectImage;
        if (!record.projectPath.IsEmpty()) {
            if (CIconHandle icon = AssociatedIcon(record.projectPath.GetText())) {
                const int added = m_images.Add(icon.Get());
                if (added >= 0)
                    record.icon = added;
            }
        }
        const int row = m_wndList.InsertItem(i, record.name.GetText(), kCellImage);
        LVITEMA cell{};
        cell.mask = LVIF_TEXT | LVIF_IMAGE;
        cell.iItem = row;
        cell.iSubItem = 1;
        cell.pszText = const_cast<char*>(record.projectPath.GetText());
        cell.iImage = kCellImage;
        m_wndList.SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
        m_wndList.SetItemData(row, static_cast<DWORD_PTR>(i));
    }
    m_wndList.SetRedraw(true);
    m_wndList.Invalidate();
}

HostRecord* CHostsPage::RecordOfRow(int row)
{
    if (row < 0 || row >= m_wndList.GetItemCount())
        return nullptr;
    const auto index = static_cast<int>(m_wndList.GetItemData(row));
    return index >= 0 && index < m_records.GetSize() ? &m_records[index] : nullptr;
}

RECT CHostsPage::IconRect(int row, int column) const
{
    RECT rect{};
    rect.top = column;
    rect.left = LVIR_ICON;
    m_wndList.SendMessage(column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                          reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void CHostsPage::OnEdit()
{
    const int row = static_cast<int>(m_wndList.SendMessage(LVM_GETSELECTIONMARK));
    HostRecord* record = RecordOfRow(row);
    if (!record)
        return;
    CHostDlg dialog;
    dialog.m_strPath = record->projectPath.GetText();
    dialog.m_bHost = record->showHost;
    dialog.m_bProject = record->showProject;
    dialog.m_bAutomatic = record->automatic;
    dialog.m_strFolder = record->folder.GetText();
    dialog.m_strHostName = record->name.GetText();
    dialog.m_bTips = TipsOn();
    if (dialog.DoModal() != IDOK)
        return;
    record->showHost = dialog.m_bHost != 0;
    record->showProject = dialog.m_bProject != 0;
    record->projectPath = dialog.m_strPath.c_str();
    record->automatic = dialog.m_bAutomatic != 0;
    RefreshRow(row);
    SetModified();
}

void CHostsPage::RefreshRow(int row)
{
    HostRecord* record = RecordOfRow(row);
    if (!record)
        return;
    if (record->automatic)
        record->projectPath = FindProject(record->folder.GetText(), hosts::SplitExtensions(m_strExtensions)).c_str();
    if (record->projectPath.IsEmpty()) {
        record->icon = kNoProjectImage;
    } else if (CIconHandle icon = AssociatedIcon(record->projectPath.GetText())) {
        if (record->icon == kNoProjectImage)
            record->icon = m_images.Add(icon.Get());
        else
            ImageList_ReplaceIcon(m_images, record->icon, icon.Get());
        if (record->icon < 0)
            record->icon = kNoProjectImage;
    }
    LVITEMA cell{};
    cell.mask = LVIF_TEXT | LVIF_IMAGE;
    cell.iItem = row;
    cell.iSubItem = 1;
    cell.pszText = const_cast<char*>(record->projectPath.GetText());
    cell.iImage = kCellImage;
    m_wndList.SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
    cell.mask = LVIF_IMAGE;
    cell.iSubItem = 0;
    m_wndList.SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
    m_wndList.SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

void CHostsPage::OnRescan()
{
    const std::vector<std::string> pieces = hosts::SplitExtensions(m_wndExtensions.GetWindowText());
    for (HostRecord& record : m_records) {
        if (record.automatic)
            record.projectPath = FindProject(record.folder.GetText(), pieces).c_str();
    }
    FillList();
    EnableToolButton(ID_LIST_EDIT, false);
}

void CHostsPage::OnSortClicked()
{
    SetModified();
    UpdateData(true);
    m_wndList.ModifyStyle(m_bSort ? 0 : LVS_SORTASCENDING, m_bSort ? LVS_SORTASCENDING : 0);
    FillList();
}

void CHostsPage::Save()
{
    CSettingsStore store = pagehost::Settings();
    m_strExtensions = m_wndExtensions.GetWindowText();
    store.SetProfileString(settings::kSection, settings::kProjects, m_strExtensions.c_str());
    std::uint32_t bits = general::With(0, general::kEnableOpenProject, m_bOpenProject != 0);
    bits = general::With(bits, general::kEnableViewHost, m_bViewHost != 0);
    bits = general::WithSortHosts(bits, m_bSort != 0);
    store.WriteGeneralBits(general::kHostsPageBits, bits);

    store.DeleteKey(settings::kHostsOptKey);
    if (!store.CreateKey(settings::kHostsOptKey)) {
        const std::string text = AfxLoadString(IDS_REGISTRY_KEY_ERROR);
        const std::string caption = AfxLoadString(IDS_PAGE_HOSTS);
        ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    } else {
        // A host with every flag set reads back the same from no value at all.
        for (const HostRecord& record : m_records) {
            hosts::HostOptions options;
            options.showProject = record.showProject != FALSE;
            options.showHost = record.showHost != FALSE;
            options.automatic = record.automatic != FALSE;
            if (options.AllFlagsSet())
                continue;
            options.projectPath = record.projectPath.GetText();
            const auto bytes = options.Encode();
            store.WriteBinary(settings::kHostsOptKey, record.name.GetText(), bytes.data(), bytes.size());
        }
    }
    if (pagehost::LauncherWindow())
        ::PostMessageA(pagehost::LauncherWindow(), WM_LAUNCHER_NOTIFY, LN_HOSTS_CHANGED, 0);
}

bool CHostsPage::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case IDC_PROJECT_EXTENSIONS:
            if (code == EN_CHANGE) {
                SetModified();
                return true;
            }
            break;
        case IDC_OPEN_PROJECT:
        case IDC_VIEW_HOST:
            if (code == BN_CLICKED) {
                SetModified();
                return true;
            }
            break;
        case IDC_SORT_HOSTS:
            if (code == BN_CLICKED) {
                OnSortClicked();
                return true;
            }
            break;
        default:
            break;
    }
    return CListPage::HandleCommand(id, code);
}

void CHostsPage::OnListClick(const NMITEMACTIVATE* click)
{
    LVHITTESTINFO hit{};
    hit.pt = click->ptAction;
    m_wndList.SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    HostRecord* record = RecordOfRow(hit.iItem);
    if (!record || hit.iSubItem < 0 || hit.iSubItem > 1)
        return;
    const RECT icon = IconRect(hit.iItem, hit.iSubItem);
    if (!::PtInRect(&icon, click->ptAction))
        return;
    if (hit.iSubItem == 0)
        record->showHost = !record->showHost;
    else
        record->showProject = !record->showProject;
    Redraw(m_wndList, icon);
    SetModified();
}

LRESULT CHostsPage::OnCustomDraw(NMLVCUSTOMDRAW* draw)
{
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM:
            // Painted before and after the list paints the cell, so the list's own nominal
            // image never shows.
            PaintIcon(draw->nmcd.hdc, static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem);
            return CDRF_NOTIFYPOSTPAINT;
        default:
            return CDRF_DODEFAULT;
    }
}

void CHostsPage::PaintIcon(HDC dc, int row, int column)
{
    const HostRecord* record = RecordOfRow(row);
    if (!record || column < 0 || column > 1)
        return;
    const RECT rect = IconRect(row, column);
    auto background = static_cast<COLORREF>(m_wndList.SendMessage(LVM_GETBKCOLOR));
    if (background == CLR_NONE)
        background = ::GetSysColor(COLOR_WINDOW);
    CBrush brush(background);
    ::FillRect(dc, &rect, brush);
    const int image = column == 0 ? kWebAddressImage : record->icon;
    // A host without a project has the blank image: nothing to draw, dimmed or not.
    if (image == kNoProjectImage)
        return;
    const bool on = (column == 0 ? record->showHost : record->showProject) != FALSE;
    if (on) {
        ImageList_Draw(m_images, image, dc, rect.left, rect.top, ILD_TRANSPARENT);
        return;
    }
    CIconHandle icon(ImageList_GetIcon(m_images, image, ILD_NORMAL));
    ::DrawStateA(dc, ::GetSysColorBrush(COLOR_BTNFACE), nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, rect.left,
                 rect.top, 16, 16, DST_ICON | DSS_UNION);
}

void CHostsPage::OnListSelection(int row)
{
    EnableToolButton(ID_LIST_EDIT, row >= 0);
}

BOOL CHostsPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->idFrom != IDC_HOST_LIST)
        return CListPage::OnNotify(wParam, lParam, result);
    switch (header->code) {
        case NM_CUSTOMDRAW:
            *result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            return TRUE;
        case NM_CLICK:
            OnListClick(reinterpret_cast<NMITEMACTIVATE*>(lParam));
            *result = 0;
            return TRUE;
        default:
            return CListPage::OnNotify(wParam, lParam, result);
    }
}
