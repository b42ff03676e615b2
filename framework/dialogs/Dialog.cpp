#include "Dialog.h"

#include "CreationHook.h"
#include "DataExchange.h"
#include "FwMessages.h"
#include "ModuleCalls.h"
#include "ModuleState.h"
#include "WinApp.h"

namespace {
// Every message goes through AfxWndProc first; what reaches the dialog manager's own
// procedure gets its default handling.
INT_PTR CALLBACK FwDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

HWND ActiveTopLevelWindow()
{
    HWND active = ::GetActiveWindow();
    if (!active)
        return nullptr;
    HWND root = ::GetAncestor(active, GA_ROOT);
    return root ? root : active;
}
}  // namespace

bool CDialog::CreateFromTemplate(UINT idTemplate, HWND parent)
{
    HINSTANCE resources = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(resources, MAKEINTRESOURCEA(idTemplate), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!found)
        return false;
    HGLOBAL loaded = ::LoadResource(resources, found);
    auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!dialogTemplate)
        return false;
    HWND hwnd = AfxCreateDialog(this, resources, dialogTemplate, parent, FwDialogProc);
    return hwnd != nullptr && m_hWnd == hwnd;
}

bool CDialog::Create(UINT idTemplate, CWnd* parent)
{
    m_nIDTemplate = idTemplate;
    m_pParentWnd = parent;
    return CreateFromTemplate(idTemplate, parent ? parent->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : ActiveTopLevelWindow();
    m_nModalResult = -1;
    if (!CreateFromTemplate(m_nIDTemplate, owner))
        return -1;

    bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);
    if (m_nModalResult == -1 && !IsWindowVisible())
        ShowWindow(SW_SHOWNORMAL);

    if (m_nModalResult == -1)  // EndDialog may have run in OnInitDialog already
        RunModalLoop();

    // Hide first and give the owner its activation back before the dialog goes.
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    if (m_hWnd)
        AfxGuarded(this)->DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    m_bModalRunning = true;
    LONG idleCount = 0;
    bool idle = true;
    MSG msg;
    while (m_bModalRunning && m_hWnd) {
        while (idle && m_bModalRunning && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Lets pages and controls update their states while nothing happens.
            if (!SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        if (!m_bModalRunning)
            break;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            m_bModalRunning = false;
            break;
        }
        CWinApp* app = AfxGetApp();
        bool consumed = app ? AfxGuarded(app)->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(&msg);
        if (!consumed) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != 0x0118) {
            idle = true;
            idleCount = 0;
        }
    }
    m_bModalRunning = false;
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (m_bModalRunning) {
        m_bModalRunning = false;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
    }
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    // An exchange stopped by an exception has not saved every value: as a failed one.
    return AfxGuarded(this)->DoDataExchange(&dx) && !dx.m_bFailed;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return false;
    return m_hWnd && ::IsDialogMessageA(m_hWnd, msg) != FALSE;
}

LRESULT CDialog::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return m_pfnSuper ? ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam)
                      : ::DefDlgProcA(m_hWnd, msg, wParam, lParam);
}

bool CDialog::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_INITDIALOG:
            *result = AfxGuarded(this)->OnInitDialog();
            return true;
        case WM_KICKIDLE:
            *result = 0;
            return true;
        default:
            return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
}

bool CDialog::HandleCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED)
        return CWnd::HandleCommand(id, code);
    switch (id) {
        case IDOK:
            AfxGuarded(this)->OnOK();
            return true;
        case IDCANCEL:
            AfxGuarded(this)->OnCancel();
            return true;
        default:
            return CWnd::HandleCommand(id, code);
    }
}
