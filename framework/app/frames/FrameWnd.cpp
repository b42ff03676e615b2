#include "FrameWnd.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "ControlBar.h"
#include "DockBar.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FwMessages.h"
#include "ModuleCalls.h"
#include "SplitterWnd.h"
#include "StoredRecords.h"
#include "View.h"
#include "WinApp.h"

namespace {
// The first view among the descendants of `parent` with the first pane's id, depth first
// (a splitter carries that id too, and its first pane is the view).
CView* FindFirstView(HWND parent)
{
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) != AFX_IDW_PANE_FIRST)
            continue;
        CWnd* wnd = CWnd::FromHandlePermanent(child);
        if (wnd && AfxGuarded(wnd)->IsView())
            return static_cast<CView*>(wnd);
        if (CView* inner = FindFirstView(child))
            return inner;
    }
    return nullptr;
}
}  // namespace

IMPLEMENT_DYNCREATE(CFrameWnd)

CFrameWnd::~CFrameWnd() = default;

bool CFrameWnd::LoadFrame(UINT idResource, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDResource = idResource;
    HINSTANCE resources = AfxGetResourceHandle();
    std::string strings = AfxLoadString(idResource);
    m_strTitle = strings.substr(0, strings.find('\n'));
    m_hMenuDefault.Reset(::LoadMenuA(resources, MAKEINTRESOURCEA(idResource)));
    m_hAccelTable = ::LoadAcceleratorsA(resources, MAKEINTRESOURCEA(idResource));
    m_hIcon = ::LoadIconA(resources, MAKEINTRESOURCEA(idResource));

    m_pCreateContext = context;
    const char* frameClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    bool created = CreateEx(0, frameClass, m_strTitle.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, m_hMenuDefault.Get(), nullptr);
    if (!created)
        return false;
    m_pCreateContext = nullptr;
    if (m_hIcon) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
        // The caption's icon from its own small picture, not the large one shrunk.
        auto* small = static_cast<HICON>(::LoadImageA(resources, MAKEINTRESOURCEA(idResource), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                      LR_SHARED));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : m_hIcon));
    }
    return true;
}

int CFrameWnd::OnCreate(CREATESTRUCTA* cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    if (!AfxGuarded(this)->OnCreateClient(cs, m_pCreateContext))
        return -1;
    AfxGuarded(this)->RecalcLayout(true);
    return 0;
}

bool CFrameWnd::OnCreateClient(CREATESTRUCTA*, CCreateContext* context)
{
    if (context && context->m_pNewViewClass)
        return CreateView(context) != nullptr;
    return true;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    CObject* object = context->m_pNewViewClass->CreateObject();
    if (!object)
        return nullptr;
    auto* view = static_cast<CWnd*>(object);
    if (!view->CreateEx(WS_EX_CLIENTEDGE, nullptr, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), context)) {
        return nullptr;  // a window that existed deleted its object in PostNcDestroy
    }
    return view;
}

void CFrameWnd::SetActiveView(CView* view, bool notify)
{
    CView* previous = m_pViewActive;
    if (view == previous)
        return;
    m_pViewActive = view;
    if (notify && previous && previous->IsWindow())
        AfxGuarded(previous)->OnActivateView(false, view, previous);
    if (notify && view)
        AfxGuarded(view)->OnActivateView(true, view, previous);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = AfxGuarded(this)->GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int show)
{
    if (show == -1)
        show = IsIconic() ? SW_RESTORE : SW_SHOW;
    ShowWindow(show);
    ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, bool makeVisible)
{
    CView* view = AfxGuarded(this)->GetActiveView();
    if (!view) {
        view = FindFirstView(m_hWnd);
        if (view)
            AfxGuarded(this)->SetActiveView(view, false);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, true);
    if (makeVisible) {
        AfxGuarded(this)->ActivateFrame(-1);
        if (view)
            AfxGuarded(view)->OnActivateView(true, view, view);
    }
    if (doc)
        doc->UpdateFrameCounts();
    AfxGuarded(this)->OnUpdateFrameTitle(true);
}

void CFrameWnd::OnUpdateFrameTitle(bool addToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* doc = AfxGuarded(this)->GetActiveDocument();
    if (addToTitle && doc)
        UpdateFrameTitleForDocument(doc->GetTitle().c_str());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* documentName)
{
    std::string text;
    if (documentName && *documentName) {
        std::string name = documentName;
        if (m_nWindow > 0)
            name.append(":").append(std::to_string(m_nWindow));
        if (GetStyle() & FWS_PREFIXTITLE)
            text = name + " - " + m_strTitle;
        else
            text = m_strTitle + " - " + name;
    } else {
        text = m_strTitle;
    }
    if (GetWindowText() != text)
        SetWindowText(text.c_str());
}

void CFrameWnd::OnUpdateFrameMenu(HMENU alternate)
{
    HMENU menu = alternate ? alternate : m_hMenuDefault.Get();
    if (menu && ::GetMenu(m_hWnd) != menu)
        ::SetMenu(m_hWnd, menu);
}

void CFrameWnd::RecalcLayout(bool)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = true;
    RECT remaining;
    GetClientRect(&remaining);
    HDWP positions = ::BeginDeferWindowPos(static_cast<int>(m_listControlBars.size()) + 1);
    for (CControlBar* bar : m_listControlBars)
        AfxGuarded(bar)->Layout(remaining, positions);
    m_rectBorder = remaining;
    HWND pane = AfxGuarded(this)->LayoutPane();
    if (pane) {
        positions =
            ::DeferWindowPos(positions, pane, nullptr, remaining.left, remaining.top, remaining.right - remaining.left,
                             remaining.bottom - remaining.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::EndDeferWindowPos(positions);
    m_bInRecalcLayout = false;
}

HWND CFrameWnd::LayoutPane() const
{
    return GetDlgItem(AFX_IDW_PANE_FIRST);
}

void CFrameWnd::AddControlBar(CControlBar* bar)
{
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), bar) == m_listControlBars.end())
        m_listControlBars.push_back(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar)
{
    auto found = std::find(m_listControlBars.begin(), m_listControlBars.end(), bar);
    if (found != m_listControlBars.end())
        m_listControlBars.erase(found);
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const
{
    for (CControlBar* bar : m_listControlBars) {
        if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == id)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* bar, bool show, bool delay)
{
    CWnd* holder = FromHandlePermanent(bar->GetParent());
    bool held = holder && holder != this && AfxGuarded(holder)->IsControlBar() &&
                AfxGuarded(static_cast<CControlBar*>(holder))->ShowChildBar(bar, show);
    if (!held)
        bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    // A floating bar comes and goes with its floating frame.
    if (bar->IsFloating()) {
        if (CFrameWnd* floating = bar->GetBarFrame(); floating && floating != this) {
            AfxGuarded(floating)->RecalcLayout(true);
            floating->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
        }
    }
    if (!delay)
        AfxGuarded(this)->RecalcLayout(true);
}

void CFrameWnd::GetMessageString(UINT id, std::string& text) const
{
    std::string strings = AfxLoadString(id);
    text = strings.substr(0, strings.find('\n'));
}

void CFrameWnd::SetMessageText(const char* text)
{
    if (CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR))
        bar->SetWindowText(text);
}

void CFrameWnd::SetMessageText(UINT id)
{
    std::string text;
    AfxGuarded(this)->GetMessageString(id, text);
    SetMessageText(text.c_str());
}

std::optional<WINDOWPLACEMENT> CFrameWnd::LoadPlacement(const char* section, const char* entry) const
{
    CWinApp* app = AfxGetApp();
    std::vector<std::uint8_t> bytes;
    if (!app || !app->GetProfileBinary(section, entry, bytes))
        return std::nullopt;
    std::optional<PlacementRecord> record = PlacementRecord::Decode(bytes);
    if (!record)
        return std::nullopt;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    placement.flags = static_cast<UINT>(record->flags);
    placement.showCmd = static_cast<UINT>(record->showCmd);
    placement.ptMinPosition = {record->minX, record->minY};
    placement.ptMaxPosition = {record->maxX, record->maxY};
    placement.rcNormalPosition = StoredRect<RECT>(*record);
    return placement;
}

bool CFrameWnd::StorePlacement(const char* section, const char* entry) const
{
    CWinApp* app = AfxGetApp();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!app || !::GetWindowPlacement(m_hWnd, &placement))
        return false;
    // A frame stored while minimised opens normal next time.
    if (placement.showCmd == SW_SHOWMINIMIZED)
        placement.showCmd = SW_SHOWNORMAL;
    PlacementRecord record;
    record.flags = static_cast<std::int32_t>(placement.flags);
    record.showCmd = static_cast<std::int32_t>(placement.showCmd);
    record.minX = placement.ptMinPosition.x;
    record.minY = placement.ptMinPosition.y;
    record.maxX = placement.ptMaxPosition.x;
    record.maxY = placement.ptMaxPosition.y;
    StoreRect(record, placement.rcNormalPosition);
    auto bytes = record.Encode();
    return app->WriteProfileBinary(section, entry, bytes.data(), bytes.size());
}

bool CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg) != 0;
    return false;
}

bool CFrameWnd::OnCmdMsg(UINT id, UINT code, CCmdUI* ui)
{
    CView* view = AfxGuarded(this)->GetActiveView();
    if (view && AfxGuarded(view)->OnCmdMsg(id, code, ui))
        return true;
    if (CWnd::OnCmdMsg(id, code, ui))
        return true;
    // A child frame leaves the application to its parent frame, which asks it last.
    if (GetStyle() & WS_CHILD)
        return false;
    CWinApp* app = AfxGetApp();
    return app && AfxGuarded(app)->OnCmdMsg(id, code, ui);
}

bool CFrameWnd::IsCommandEnabled(UINT id)
{
    CCmdStateQuery query;
    query.m_nID = id;
    AfxGuarded(this)->OnCmdMsg(id, 0, &query);
    return query.m_bEnabled;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    // Menus, accelerators and bar buttons: a command its update handler disabled is not run
    // (an accelerator still works while the menu is closed).
    if ((lParam == 0 || code == BN_CLICKED) && !IsCommandEnabled(id))
        return TRUE;
    return AfxGuarded(this)->OnCmdMsg(id, code, nullptr);
}

namespace {
CSplitterWnd* SplitterOf(CView* view)
{
    CWnd* parent = view ? CWnd::FromHandlePermanent(view->GetParent()) : nullptr;
    return parent && AfxGuarded(parent)->IsSplitter() ? static_cast<CSplitterWnd*>(parent) : nullptr;
}
}  // namespace

bool CFrameWnd::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_NEXT_PANE:
        case ID_PREV_PANE:
            if (CSplitterWnd* splitter = SplitterOf(AfxGuarded(this)->GetActiveView())) {
                AfxGuarded(splitter)->ActivateNext(id == ID_PREV_PANE);
                return true;
            }
            return false;
        case ID_VIEW_TOOLBAR:
        case ID_VIEW_STATUS_BAR:
        case ID_VIEW_REBAR:
            if (CControlBar* bar = GetControlBar(id)) {
                ShowControlBar(bar, !bar->IsVisible());
                return true;
            }
            return false;
        default:
            return CWnd::HandleCommand(id, code);
    }
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW)
        return CWnd::OnNotify(wParam, lParam, result);
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    if (info->uFlags & TTF_IDISHWND)
        return FALSE;  // a control's own tooltip
    std::string strings = AfxLoadString(static_cast<UINT>(header->idFrom));
    std::size_t newline = strings.find('\n');
    m_strTip = newline == std::string::npos ? std::string() : strings.substr(newline + 1);
    if (header->code == TTN_GETDISPINFOA) {
        info->lpszText = m_strTip.data();
    } else {
        int length = ::MultiByteToWideChar(CP_ACP, 0, m_strTip.c_str(), -1, nullptr, 0);
        m_wstrTip.assign(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, m_strTip.c_str(), -1, m_wstrTip.data(), length);
        reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = m_wstrTip.data();
    }
    *result = 0;
    return TRUE;
}

bool CFrameWnd::UpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
        case ID_INDICATOR_CAPS:
            ui.Enable((::GetKeyState(VK_CAPITAL) & 1) != 0);
            return true;
        case ID_INDICATOR_NUM:
            ui.Enable((::GetKeyState(VK_NUMLOCK) & 1) != 0);
            return true;
        case ID_INDICATOR_SCRL:
            ui.Enable((::GetKeyState(VK_SCROLL) & 1) != 0);
            return true;
        // Reached only when no view or document answered: there is no document to act on.
        case ID_FILE_SAVE:
        case ID_FILE_SAVE_AS:
        case ID_FILE_CLOSE:
            ui.Enable(AfxGuarded(this)->GetActiveDocument() != nullptr);
            return true;
        case ID_NEXT_PANE:
        case ID_PREV_PANE: {
            CSplitterWnd* splitter = SplitterOf(AfxGuarded(this)->GetActiveView());
            if (!splitter)
                return false;
            ui.Enable(splitter->GetRowCount() * splitter->GetColumnCount() > 1);
            return true;
        }
        case ID_VIEW_TOOLBAR:
        case ID_VIEW_STATUS_BAR:
        case ID_VIEW_REBAR:
            if (CControlBar* bar = GetControlBar(ui.m_nID)) {
                ui.Enable(true);
                ui.SetCheck(bar->IsVisible() ? 1 : 0);
                return true;
            }
            return false;
        default:
            return CWnd::UpdateCommand(ui);
    }
}

bool CFrameWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_IDLEUPDATECMDUI:
            AfxGuarded(this)->OnIdleUpdateCmdUI();
            // Floating bars are not among the frame's descendants.
            for (CFrameWnd* floating : FloatingFrames())
                floating->SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, true);
            *result = 0;
            return true;
        case WM_SETMESSAGESTRING:
            if (wParam)
                SetMessageText(static_cast<UINT>(wParam));
            else
                SetMessageText(reinterpret_cast<const char*>(lParam));
            *result = 0;
            return true;
        case WM_POPMESSAGESTRING:
            m_nIDTracking = AFX_IDS_IDLEMESSAGE;
            SetMessageText(static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
            *result = 0;
            return true;
        case WM_MENUSELECT: {
            UINT flags = HIWORD(wParam);
            if (flags == 0xFFFF && lParam == 0)
                m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
            else if (flags & (MF_POPUP | MF_SEPARATOR))
                m_nIDTracking = 0;
            else
                m_nIDTracking = LOWORD(wParam);
            if (m_nIDTracking)
                SetMessageText(m_nIDTracking);
            else
                SetMessageText("");
            *result = 0;
            return true;
        }
        case WM_EXITMENULOOP:
            PostMessage(WM_POPMESSAGESTRING);
            return false;
        default:
            return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    AfxGuarded(this)->OnUpdateFrameTitle(true);
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED)
        AfxGuarded(this)->RecalcLayout(true);
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!AfxGuarded(app)->SaveAllModified())
            return;
        app->CloseAllDocuments(false);
        // Closing the documents may have destroyed this frame already (and deleted it).
        if (app->m_pMainWnd == this)
            AfxGuarded(this)->DestroyWindow();
        return;
    }
    CDocument* doc = AfxGuarded(this)->GetActiveDocument();
    if (doc && !AfxGuarded(doc)->CanCloseFrame(this))
        return;
    if (doc && doc->m_bAutoDelete) {
        bool otherFrame = false;
        for (CView* view : doc->GetViews())
            otherFrame = otherFrame || view->GetParentFrame() != this;
        if (!otherFrame) {
            AfxGuarded(doc)->OnCloseDocument();  // destroys this frame
            return;
        }
    }
    AfxGuarded(this)->DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // Our menus are owned by their wrappers, not by the window.
    if ((GetStyle() & WS_CHILD) == 0)
        ::SetMenu(m_hWnd, nullptr);
    CWnd::OnDestroy();
}

void CFrameWnd::OnSetFocus(HWND oldFocus)
{
    if (m_pViewActive && m_pViewActive->IsWindow())
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(oldFocus);
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu)
{
    Default();
    if (sysMenu)
        return;
    int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        UINT id = ::GetMenuItemID(popup, i);
        if (id == 0 || id == static_cast<UINT>(-1) || id >= AFX_IDM_FIRST_MDICHILD)
            continue;
        CCmdUI ui;
        ui.m_nID = id;
        ui.m_hMenu = popup;
        ui.m_nIndex = static_cast<UINT>(i);
        ui.DoUpdate(this, false);
    }
    (void)index;
}

void CFrameWnd::OnDropFiles(HDROP drop)
{
    ::SetActiveWindow(m_hWnd);
    CWinApp* app = AfxGetApp();
    UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && app; ++i) {
        char path[MAX_PATH * 2];
        if (::DragQueryFileA(drop, i, path, sizeof(path)))
            AfxGuarded(app)->OpenDocumentFile(path);
    }
    ::DragFinish(drop);
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        // The program ends with its main window; a library's loop watches its window itself.
        if (app->m_hInstance == ::GetModuleHandleA(nullptr))
            ::PostQuitMessage(0);
    }
    delete this;
}

// A window finds its frames here, where the frame class is known.
CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hwnd = ::GetParent(m_hWnd); hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && AfxGuarded(wnd)->IsFrameWnd())
            return static_cast<CFrameWnd*>(wnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* frame =
        AfxGuarded(this)->IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (frame) {
        CFrameWnd* parent = frame->GetParentFrame();
        if (!parent)
            break;
        frame = parent;
    }
    return frame;
}
