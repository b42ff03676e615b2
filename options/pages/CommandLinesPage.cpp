#include "CommandLinesPage.h"

#include <shlobj.h>

#include "PageHost.h"
#include "CommandLineFields.h"
#include "DataExchange.h"
#include "Handles.h"
#include "LauncherLink.h"
#include "ServerTexts.h"
#include "resource.h"

namespace {

using SHGetMallocProc = HRESULT(WINAPI*)(IMalloc**);
using SHBrowseForFolderProc = LPITEMIDLIST(WINAPI*)(BROWSEINFOA*);
using SHGetPathFromIDListProc = BOOL(WINAPI*)(LPCITEMIDLIST, char*);

// What the folder browser's callback needs: where to start and how to read a folder's path.
struct BrowseContext {
    const char* startFolder;
    SHGetPathFromIDListProc pathFromIdList;
};

int CALLBACK OnBrowseEvent(HWND browser, UINT event, LPARAM param, LPARAM data)
{
    const auto* context = reinterpret_cast<const BrowseContext*>(data);
    switch (event) {
        case BFFM_INITIALIZED:
            ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(context->startFolder));
            // Once more when the browser has finished starting: a tree still being filled
            // (Wine's) can stop the first walk half-way. The text outlives the browser.
            ::PostMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(context->startFolder));
            break;
        case BFFM_SELCHANGED: {
            // An item that is no folder on disk (the desktop, the computer) holds no server
            // either: it says so too, rather than leaving the last folder's answer standing.
            char folder[MAX_PATH] = {};
            const BOOL found = context->pathFromIdList(reinterpret_cast<LPCITEMIDLIST>(param), folder) &&
                               CCommandLinesPage::FindApacheCore(folder);
            ::SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0,
                           reinterpret_cast<LPARAM>(found ? servertexts::kServerFound : servertexts::kServerNotFound));
            ::SendMessageA(browser, BFFM_ENABLEOK, 0, found);
            // Posted once more: a browser that checks the selection itself after telling us
            // (Wine's does) would otherwise enable OK for any file-system folder.
            ::PostMessageA(browser, BFFM_ENABLEOK, 0, found);
            break;
        }
        default:
            break;
    }
    return 0;
}

template <typename Proc>
Proc ShellFunction(HMODULE shell, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(shell, name)));
}

// The shell's allocator, released when done.
struct CMallocRelease {
    IMalloc* malloc = nullptr;
    CMallocRelease() = default;
    CMallocRelease(const CMallocRelease&) = delete;
    CMallocRelease& operator=(const CMallocRelease&) = delete;
    ~CMallocRelease()
    {
        if (malloc)
            malloc->Release();
    }
};

}  // namespace

CCommandLinesPage::CCommandLinesPage() : COptionsPage(IDD_PAGE_COMMAND_LINES, "opt_2.htm")
{
    for (std::size_t i = 0; i < m_switches.size(); ++i)
        m_switches[i] = settings::CommandLineInfo(pages::kCommandLineFields[i].which).defaultValue;
}

void CCommandLinesPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_APACHE_LOCATION, m_strLocation);
    for (std::size_t i = 0; i < m_switches.size(); ++i)
        DDX_Text(dx, pages::kCommandLineFields[i].controlId, m_switches[i]);
}

BOOL CCommandLinesPage::OnInitDialog()
{
    // The base shows the constructor's values: not the user's changes either.
    m_bShowing = true;
    COptionsPage::OnInitDialog();
    m_bShowing = false;
    const CSettingsStore store = pagehost::Settings();
    // A switch stored empty stays empty; a missing one takes its default.
    if (store.KeyExists(settings::kCmdLinesKey)) {
        for (std::size_t i = 0; i < m_switches.size(); ++i)
            m_switches[i] = store.ReadCommandLine(pages::kCommandLineFields[i].which);
    }
    m_strLocation = store.ReadApachePath();
    ShowValues();
    for (int id : pages::kCommandLineTips)
        AddToolTip(id);
    return TRUE;
}

void CCommandLinesPage::ShowValues()
{
    m_bShowing = true;
    UpdateData(false);
    m_bShowing = false;
}

void CCommandLinesPage::OnFrameOK(BOOL changed)
{
    if (changed)
        Apply();
}

void CCommandLinesPage::Apply()
{
    CSettingsStore store = pagehost::Settings();
    store.SetProfileString(settings::kSection, settings::kApachePath, m_strLocation.c_str());
    if (!store.CreateKey(settings::kCmdLinesKey)) {
        const std::string text = AfxLoadString(IDS_REGISTRY_KEY_ERROR);
        const std::string caption = AfxLoadString(IDS_PAGE_COMMAND_LINES);
        ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
        return;
    }
    bool written = true;
    for (std::size_t i = 0; i < m_switches.size(); ++i)
        written = store.WriteCommandLine(pages::kCommandLineFields[i].which, m_switches[i]) && written;
    // The Launcher re-reads the command lines only when all of them are stored.
    if (written && pagehost::LauncherWindow())
        ::PostMessageA(pagehost::LauncherWindow(), WM_LAUNCHER_NOTIFY, LN_COMMANDS_CHANGED, 0);
}

void CCommandLinesPage::OnDefault()
{
    for (std::size_t i = 0; i < m_switches.size(); ++i)
        m_switches[i] = settings::CommandLineInfo(pages::kCommandLineFields[i].which).defaultValue;
    UpdateData(false);
    SetModified();
}

BOOL CCommandLinesPage::FindApacheCore(const char* folder)
{
    const std::string pattern = std::string(folder) + "\\" + servertexts::kServerCoreFile;
    WIN32_FIND_DATAA found;
    const CFindHandle search(::FindFirstFileA(pattern.c_str(), &found));
    return search ? TRUE : FALSE;
}

void CCommandLinesPage::BrowseForApache()
{
    UpdateData(true);
    CModule shell(::LoadLibraryA(servertexts::kShellLibrary));
    if (!shell)
        return;
    const auto getMalloc = ShellFunction<SHGetMallocProc>(shell.Get(), "SHGetMalloc");
    const auto browse = ShellFunction<SHBrowseForFolderProc>(shell.Get(), "SHBrowseForFolder");
    const auto pathFromIdList = ShellFunction<SHGetPathFromIDListProc>(shell.Get(), "SHGetPathFromIDList");
    CMallocRelease allocator;
    if (!getMalloc || !browse || !pathFromIdList || FAILED(getMalloc(&allocator.malloc)) || !allocator.malloc)
        return;

    BrowseContext context{m_strLocation.c_str(), pathFromIdList};
    BROWSEINFOA info{};
    info.hwndOwner = m_hWnd;
    info.lpszTitle = servertexts::kBrowseTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = OnBrowseEvent;
    info.lParam = reinterpret_cast<LPARAM>(&context);
    LPITEMIDLIST chosen = browse(&info);
    if (!chosen)
        return;
    char folder[MAX_PATH] = {};
    if (pathFromIdList(chosen, folder)) {
        m_strLocation = folder;
        UpdateData(false);  // the edit's change notification marks the page changed
    }
    allocator.malloc->Free(chosen);
}

bool CCommandLinesPage::HandleCommand(UINT id, UINT code)
{
    if (code == EN_CHANGE && (id == IDC_APACHE_LOCATION || (id >= IDC_CMD_START && id <= IDC_CMD_DIRECTIVES))) {
        if (!m_bShowing)
            SetModified();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_BROWSE_APACHE) {
        BrowseForApache();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_DEFAULT) {
        OnDefault();
        return true;
    }
    return COptionsPage::HandleCommand(id, code);
}
