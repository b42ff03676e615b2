#include "CommonDialogs.h"

#include <shlobj.h>

#include <cstring>

#include "CreationHook.h"
#include "Handles.h"
#include "ModuleState.h"

namespace {
HWND OwnerOf(CWnd* parent)
{
    if (parent)
        return parent->m_hWnd;
    HWND active = ::GetActiveWindow();
    return active ? ::GetAncestor(active, GA_ROOT) : nullptr;
}
}  // namespace

CFileDialog::CFileDialog(bool open, const char* defaultExt, const char* fileName, DWORD flags, const char* filter,
                         CWnd* parent)
    : m_bOpen(open)
{
    m_filter = filter ? filter : "All Files (*.*)|*.*||";
    for (char& c : m_filter) {
        if (c == '|')
            c = '\0';
    }
    if (defaultExt)
        m_defaultExt = defaultExt;
    if (fileName)
        std::strncpy(m_file, fileName, sizeof(m_file) - 1);
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = m_filter.c_str();
    m_ofn.lpstrFile = m_file;
    m_ofn.nMaxFile = sizeof(m_file);
    m_ofn.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING | (open ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0);
}

INT_PTR CFileDialog::DoModal()
{
    if (!m_ofn.hwndOwner)
        m_ofn.hwndOwner = OwnerOf(nullptr);
    BOOL chosen = m_bOpen ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetFileName() const
{
    std::string path = m_file;
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
{
    for (COLORREF& colour : m_custom)
        colour = RGB(255, 255, 255);
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_cc.rgbResult = initial;
    m_cc.lpCustColors = m_custom;
    m_cc.Flags = flags | CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    if (!m_cc.hwndOwner)
        m_cc.hwndOwner = OwnerOf(nullptr);
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

CFontDialog::CFontDialog(const LOGFONTA* initial, DWORD flags, CWnd* parent)
{
    if (initial)
        m_lf = *initial;
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = flags | (initial ? CF_INITTOLOGFONTSTRUCT : 0);
}

void CFontDialog::SetTemplate(UINT id)
{
    m_cf.Flags |= CF_ENABLETEMPLATE;
    m_cf.hInstance = AfxGetResourceHandle();
    m_cf.lpTemplateName = MAKEINTRESOURCEA(id);
}

INT_PTR CFontDialog::DoModal()
{
    if (!m_cf.hwndOwner)
        m_cf.hwndOwner = OwnerOf(nullptr);
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}

UINT CFindReplaceDialog::GetFindReplaceMsg()
{
    static const UINT message = ::RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    auto* request = reinterpret_cast<FINDREPLACEA*>(lParam);
    return request ? reinterpret_cast<CFindReplaceDialog*>(request->lCustData) : nullptr;
}

bool CFindReplaceDialog::Create(bool findOnly, const char* findWhat, const char* replaceWith, DWORD flags, CWnd* parent)
{
    if (findWhat)
        std::strncpy(m_find, findWhat, sizeof(m_find) - 1);
    if (replaceWith)
        std::strncpy(m_replace, replaceWith, sizeof(m_replace) - 1);
    m_fr.lStructSize = sizeof(m_fr);
    m_fr.hwndOwner = OwnerOf(parent);
    m_fr.Flags = flags;
    m_fr.lpstrFindWhat = m_find;
    m_fr.wFindWhatLen = sizeof(m_find);
    m_fr.lpstrReplaceWith = m_replace;
    m_fr.wReplaceWithLen = sizeof(m_replace);
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
    GetFindReplaceMsg();
    HWND hwnd;
    {
        CCreationHook hook(this);
        hwnd = findOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
    }
    return hwnd != nullptr;
}

bool CFindReplaceDialog::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_INITDIALOG) {
        *result = Default();
        return true;
    }
    return CDialog::OnWndMsg(msg, wParam, lParam, result);
}

bool CFindReplaceDialog::HandleCommand(UINT, UINT)
{
    return false;
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}

namespace {
int CALLBACK SelectFirstFolder(HWND dialog, UINT msg, LPARAM, LPARAM data)
{
    if (msg == BFFM_INITIALIZED && data)
        ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}
}  // namespace

bool AfxBrowseForFolder(HWND owner, const char* title, std::string& path)
{
    CModule shell(::LoadLibraryA("shell32.dll"));
    CModule com(::LoadLibraryA("ole32.dll"));
    if (!shell || !com)
        return false;
    using BrowseFn = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOA);
    using PathFn = BOOL(WINAPI*)(LPCITEMIDLIST, LPSTR);
    using FreeFn = void(WINAPI*)(void*);
    auto browse =
        reinterpret_cast<BrowseFn>(reinterpret_cast<void*>(::GetProcAddress(shell.Get(), "SHBrowseForFolderA")));
    auto toPath =
        reinterpret_cast<PathFn>(reinterpret_cast<void*>(::GetProcAddress(shell.Get(), "SHGetPathFromIDListA")));
    auto release = reinterpret_cast<FreeFn>(reinterpret_cast<void*>(::GetProcAddress(com.Get(), "CoTaskMemFree")));
    if (!browse || !toPath || !release)
        return false;

    char display[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = SelectFirstFolder;
    info.lParam = path.empty() ? 0 : reinterpret_cast<LPARAM>(path.c_str());
    LPITEMIDLIST chosen = browse(&info);
    if (!chosen)
        return false;
    char folder[MAX_PATH] = {};
    bool found = toPath(chosen, folder) != FALSE;
    release(chosen);
    if (found)
        path = folder;
    return found;
}
