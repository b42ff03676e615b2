#include "MDIFrameWnd.h"

#include "CreationHook.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FwMessages.h"
#include "ModuleCalls.h"
#include "View.h"
#include "WinApp.h"

namespace {
bool IsWindowCommand(UINT id)
{
    return id >= ID_WINDOW_NEW && id <= ID_WINDOW_SPLIT;
}

std::string FrameDocumentName(CFrameWnd* frame)
{
    CDocument* doc = frame ? AfxGuarded(frame)->GetActiveDocument() : nullptr;
    if (!doc)
        return std::string();
    std::string name = doc->GetTitle();
    if (frame->m_nWindow > 0)
        name.append(":").append(std::to_string(frame->m_nWindow));
    return name;
}
}  // namespace

HMENU CMDIFrameWnd::FindWindowMenu(HMENU menu)
{
    if (!menu)
        return nullptr;
    int count = ::GetMenuItemCount(menu);
    for (int i = count - 1; i >= 0; --i) {
        HMENU popup = ::GetSubMenu(menu, i);
        if (!popup)
            continue;
        int items = ::GetMenuItemCount(popup);
        for (int j = 0; j < items; ++j) {
            if (IsWindowCommand(::GetMenuItemID(popup, j)))
                return popup;
        }
    }
    return nullptr;
}

bool CMDIFrameWnd::OnCreateClient(CREATESTRUCTA*, CCreateContext*)
{
    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = FindWindowMenu(m_hMenuDefault.Get());
    client.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
                                        m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetFrameworkHandle(), &client);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, msg, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const
{
    if (!m_hWndMDIClient)
        return nullptr;
    BOOL isMaximized = FALSE;
    auto child = reinterpret_cast<HWND>(
        ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&isMaximized)));
    if (maximized)
        *maximized = isMaximized;
    CWnd* wnd = FromHandlePermanent(child);
    return wnd && AfxGuarded(wnd)->IsFrameWnd() ? static_cast<CMDIChildWnd*>(wnd) : nullptr;
}

CView* CMDIFrameWnd::GetActiveView() const
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? AfxGuarded(child)->GetActiveView() : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

bool CMDIFrameWnd::OnCmdMsg(UINT id, UINT code, CCmdUI* ui)
{
    CMDIChildWnd* child = MDIGetActive();
    if (child && AfxGuarded(child)->OnCmdMsg(id, code, ui))
        return true;
    if (CWnd::OnCmdMsg(id, code, ui))
        return true;
    CWinApp* app = AfxGetApp();
    return app && AfxGuarded(app)->OnCmdMsg(id, code, ui);
}

bool CMDIFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return false;
    if (::TranslateMDISysAccel(m_hWndMDIClient, msg))
        return true;
    CMDIChildWnd* child = MDIGetActive();
    HACCEL accelerators = child && child->m_hAccelShared ? child->m_hAccelShared : m_hAccelTable;
    return accelerators && ::TranslateAcceleratorA(m_hWnd, accelerators, msg) != 0;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU alternate)
{
    CMDIChildWnd* child = MDIGetActive();
    HMENU menu = alternate;
    if (!menu)
        menu = child && child->m_hMenuShared ? child->m_hMenuShared : m_hMenuDefault.Get();
    if (!menu || ::GetMenu(m_hWnd) == menu)
        return;
    ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                   reinterpret_cast<LPARAM>(FindWindowMenu(menu)));
    ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::OnUpdateFrameTitle(bool addToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    // The system already shows a maximised child's title, as " - [title]" after the frame's.
    BOOL maximized = FALSE;
    CMDIChildWnd* child = MDIGetActive(&maximized);
    std::string name = addToTitle && !maximized ? FrameDocumentName(child) : std::string();
    // The child frame's own number is already part of the name.
    int window = m_nWindow;
    m_nWindow = 0;
    UpdateFrameTitleForDocument(name.c_str());
    m_nWindow = window;
}

void CMDIFrameWnd::OnIdleUpdateCmdUI()
{
    AfxGuarded(this)->OnUpdateFrameMenu(nullptr);
    AfxGuarded(this)->OnUpdateFrameTitle(true);
}

void CMDIFrameWnd::OnDestroy()
{
    CFrameWnd::OnDestroy();
}

bool CMDIFrameWnd::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_WINDOW_NEW:
            OnWindowNew();
            return true;
        case ID_WINDOW_CASCADE:
            MDICascade();
            return true;
        case ID_WINDOW_TILE_HORZ:
            MDITile(MDITILE_HORIZONTAL);
            return true;
        case ID_WINDOW_TILE_VERT:
            MDITile(MDITILE_VERTICAL);
            return true;
        case ID_WINDOW_ARRANGE:
            MDIIconArrange();
            return true;
        default:
            return CFrameWnd::HandleCommand(id, code);
    }
}

bool CMDIFrameWnd::UpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
        case ID_WINDOW_NEW:
            ui.Enable(AfxGuarded(this)->GetActiveDocument() != nullptr);
            return true;
        case ID_WINDOW_CASCADE:
        case ID_WINDOW_TILE_HORZ:
        case ID_WINDOW_TILE_VERT:
        case ID_WINDOW_ARRANGE:
            ui.Enable(MDIGetActive() != nullptr);
            return true;
        default:
            return CFrameWnd::UpdateCommand(ui);
    }
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active ? AfxGuarded(active)->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : nullptr;
    if (!docTemplate)
        return;
    CFrameWnd* frame = AfxGuarded(docTemplate)->CreateNewFrame(doc, active);
    if (frame)
        AfxGuarded(docTemplate)->InitialUpdateFrame(frame, doc, true);
}

bool CMDIChildWnd::LoadFrame(UINT idResource, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDResource = idResource;
    CWnd* frameWnd = parent ? parent : AfxGetMainWnd();
    if (!frameWnd || !AfxGuarded(frameWnd)->IsFrameWnd())
        return false;
    auto* mdiFrame = static_cast<CMDIFrameWnd*>(frameWnd);
    if (!mdiFrame->m_hWndMDIClient)
        return false;

    std::string strings = AfxLoadString(idResource);
    m_strTitle = strings.substr(0, strings.find('\n'));
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(idResource));
    if (context && context->m_pNewDocTemplate) {
        m_hMenuShared = context->m_pNewDocTemplate->m_hMenuShared.Get();
        m_hAccelShared = context->m_pNewDocTemplate->m_hAccelTable;
    }

    MDICREATESTRUCTA create{};
    create.szClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), m_hIcon);
    create.szTitle = m_strTitle.c_str();
    create.hOwner = AfxGetFrameworkHandle();
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_CHILD);
    m_pCreateContext = context;
    HWND hwnd;
    {
        CCreationHook hook(this);
        hwnd = reinterpret_cast<HWND>(
            ::SendMessageA(mdiFrame->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    }
    if (!hwnd)
        return false;
    m_pCreateContext = nullptr;
    // The style carries the frame flags (FWS_ADDTOTITLE) that MDI creation drops.
    ::SetWindowLongPtrA(hwnd, GWL_STYLE, ::GetWindowLongPtrA(hwnd, GWL_STYLE) | (style & 0xFFFF));
    return true;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = ::GetParent(m_hWnd);
    CWnd* frame = FromHandlePermanent(client ? ::GetParent(client) : nullptr);
    return frame && AfxGuarded(frame)->IsFrameWnd() ? static_cast<CMDIFrameWnd*>(frame) : nullptr;
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIActivate(m_hWnd);
}

void CMDIChildWnd::MDIDestroy()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

bool CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return false;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return CFrameWnd::DestroyWindow();
    MDIDestroy();
    return true;
}

void CMDIChildWnd::ActivateFrame(int show)
{
    if (show == -1)
        show = SW_SHOW;
    if (IsIconic())
        show = SW_RESTORE;
    if (!IsWindowVisible() || show == SW_RESTORE || show == SW_SHOWMAXIMIZED)
        ShowWindow(show);
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(bool addToTitle)
{
    if (GetStyle() & FWS_ADDTOTITLE) {
        std::string name = addToTitle ? FrameDocumentName(this) : std::string();
        const std::string& text = name.empty() ? m_strTitle : name;
        if (GetWindowText() != text)
            SetWindowText(text.c_str());
    }
    if (CMDIFrameWnd* frame = GetMDIFrame())
        AfxGuarded(frame)->OnUpdateFrameTitle(true);
}

bool CMDIChildWnd::PreTranslateMessage(MSG*)
{
    return false;  // the main frame translates the document accelerators
}

LRESULT CMDIChildWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, msg, wParam, lParam);
}

bool CMDIChildWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_MDIACTIVATE)
        return CFrameWnd::OnWndMsg(msg, wParam, lParam, result);
    *result = Default();
    bool activating = reinterpret_cast<HWND>(lParam) == m_hWnd;
    if (CView* view = AfxGuarded(this)->GetActiveView()) {
        if (activating)
            AfxGuarded(view)->OnActivateView(true, view, view);
        else
            AfxGuarded(view)->OnActivateView(false, nullptr, view);
    }
    if (CMDIFrameWnd* frame = GetMDIFrame()) {
        if (activating || lParam == 0) {
            AfxGuarded(frame)->OnUpdateFrameMenu(nullptr);
            AfxGuarded(frame)->OnUpdateFrameTitle(true);
        }
    }
    return true;
}

void CMDIChildWnd::OnSetFocus(HWND oldFocus)
{
    Default();
    if (m_pViewActive && m_pViewActive->IsWindow())
        m_pViewActive->SetFocus();
    (void)oldFocus;
}

void CMDIChildWnd::OnDestroy()
{
    // Once this child is gone the frame shows the next child's menu, or its own.
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->PostMessage(WM_IDLEUPDATECMDUI);
    CFrameWnd::OnDestroy();
}
