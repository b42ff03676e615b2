#include "EditorFilesPage.h"

#include <commctrl.h>

#include <iterator>

#include "PageHost.h"
#include "PageToolBar.h"
#include "CommonDialogs.h"
#include "DataExchange.h"
#include "GeneralFlags.h"
#include "ScreenDpi.h"

namespace {
constexpr int kPathColumnWidth = 360;  // pixels at 96 DPI
constexpr char kAllFilesFilter[] = "All files (*.*)|*.*||";
constexpr DWORD kOpenFlags =
    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES | OFN_ENABLESIZING | OFN_EXPLORER;

constexpr UINT kButtons[] = {ID_LIST_ADD, ID_LIST_EDIT, ID_LIST_REMOVE, ID_LIST_UP, ID_LIST_DOWN};
}  // namespace

CEditorFilesPage::CEditorFilesPage() : CListPage(IDD_PAGE_SCRIVEL, "opt_4.htm", IDR_FILES_TOOLBAR, IDC_FILE_LIST) {}

void CEditorFilesPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_RESTART_AFTER_CHANGE, m_nRestart);
}

BOOL CEditorFilesPage::OnInitDialog()
{
    CListPage::OnInitDialog();
    const std::uint32_t general = pagehost::Settings().ReadGeneral();
    m_nRestart = general::Has(general, general::kRestartAfterChange) ? 1 : 0;
    UpdateData(false);
    SetUpList();
    LoadFiles();
    AddToolTip(IDC_DEFAULT);
    AddToolTip(IDC_RESTART_AFTER_CHANGE);
    return TRUE;
}

void CEditorFilesPage::SetUpList()
{
    HWND list = List();
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = AfxScaleForDpi(kPathColumnWidth);
    char title[] = "Path";
    column.pszText = title;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void CEditorFilesPage::LoadFiles()
{
    editorfiles::LoadedFiles loaded = editorfiles::Load(pagehost::Settings());
    m_files = editorfiles::CFileList(std::move(loaded.files));
    FillList();
    UpdateButtons(-1);
    if (loaded.defaultsUsed) {
        // Scrivel finds its list at its next start even when this dialog is cancelled.
        SetModified();
        WriteFiles();
        m_bDefaultsWritten = true;
    }
}

bool CEditorFilesPage::WriteFiles()
{
    CSettingsStore store = pagehost::Settings();
    if (editorfiles::Save(store, m_files.Files()))
        return true;
    const std::string text = AfxLoadString(IDS_REGISTRY_KEY_ERROR);
    const std::string caption = AfxLoadString(IDS_PAGE_SCRIVEL);
    ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    return false;
}

void CEditorFilesPage::OnPageShown()
{
    CListPage::OnPageShown();
    if (m_bDefaultsWritten) {
        m_bDefaultsWritten = false;
        SetModified();
    }
}

void CEditorFilesPage::OnFrameOK(BOOL changed)
{
    if (changed)
        Apply();
}

void CEditorFilesPage::Apply()
{
    WriteFiles();
    CSettingsStore store = pagehost::Settings();
    store.WriteGeneralBits(general::kRestartAfterChange, m_nRestart ? general::kRestartAfterChange : 0);
}

void CEditorFilesPage::FillList()
{
    HWND list = List();
    ListView_DeleteAllItems(list);
    const auto& files = m_files.Files();
    for (std::size_t i = 0; i < files.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(files[i].c_str());
        ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void CEditorFilesPage::SelectRow(int row)
{
    HWND list = List();
    ListView_EnsureVisible(list, row, FALSE);
    ListView_SetSelectionMark(list, row);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    UpdateButtons(row);
}

int CEditorFilesPage::SelectedRow() const
{
    // The selected row, not only the selection mark: after a refill the mark can name a
    // row that no longer is selected, and the buttons follow the selection.
    return ListView_GetNextItem(List(), -1, LVNI_SELECTED);
}

void CEditorFilesPage::UpdateButtons(int row)
{
    const editorfiles::ButtonStates states = m_files.ButtonsFor(row);
    const bool enabled[] = {states.add, states.edit, states.remove, states.up, states.down};
    for (std::size_t i = 0; i < std::size(kButtons); ++i)
        EnableToolButton(kButtons[i], enabled[i]);
}

bool CEditorFilesPage::ChooseFile(const std::string& initial, std::string& chosen)
{
    CFileDialog dialog(true, nullptr, initial.empty() ? nullptr : initial.c_str(), kOpenFlags, kAllFilesFilter, this);
    if (dialog.DoModal() != IDOK)
        return false;
    chosen = editorfiles::WithBackslashes(dialog.GetPathName());
    return !chosen.empty();
}

void CEditorFilesPage::OnAdd()
{
    if (m_files.Full())
        return;
    std::string path;
    if (!ChooseFile("", path))
        return;
    const int row = m_files.Add(path);
    if (row < 0)
        return;
    FillList();
    SelectRow(row);
    SetModified();
}

void CEditorFilesPage::OnEdit()
{
    const int row = SelectedRow();
    if (row < 0 || row >= m_files.Count())
        return;
    std::string path;
    if (!ChooseFile(m_files.Files()[static_cast<std::size_t>(row)], path))
        return;
    m_files.Replace(row, path);
    ListView_SetItemText(List(), row, 0, const_cast<char*>(path.c_str()));
    SetModified();
}

void CEditorFilesPage::OnRemove()
{
    if (!m_files.Remove(SelectedRow()))
        return;
    FillList();
    SetModified();
    UpdateButtons(-1);
}

void CEditorFilesPage::OnMove(bool up)
{
    const int row = SelectedRow();
    const int moved = up ? m_files.MoveUp(row) : m_files.MoveDown(row);
    if (moved < 0)
        return;
    FillList();
    SelectRow(moved);
    SetModified();
}

void CEditorFilesPage::OnDefault()
{
    m_files = editorfiles::CFileList(editorfiles::DefaultFiles(pagehost::Settings().ReadApachePath()));
    FillList();
    UpdateButtons(-1);
    SetModified();
}

void CEditorFilesPage::OnListSelection(int row)
{
    UpdateButtons(row);
}

bool CEditorFilesPage::OnToolTipText(NMHDR* header)
{
    if (!CListPage::OnToolTipText(header))
        return false;
    // A full list says why Add does nothing.
    if (header->idFrom == ID_LIST_ADD && m_files.Full())
        SetToolTipText(header, AfxLoadString(IDS_FILE_LIST_FULL));
    return true;
}

bool CEditorFilesPage::HandleCommand(UINT id, UINT code)
{
    if (code == BN_CLICKED && id == IDC_RESTART_AFTER_CHANGE) {
        SetModified();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_DEFAULT) {
        OnDefault();
        return true;
    }
    return CListPage::HandleCommand(id, code);
}
