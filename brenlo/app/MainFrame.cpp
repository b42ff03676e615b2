#include "MainFrame.h"

#include "FollowMode.h"
#include "FwIds.h"
#include "Gdi.h"
#include "Handles.h"
#include "HtmlHelpLoader.h"
#include "LauncherLink.h"
#include "LeftView.h"
#include "LogViewerApp.h"
#include "ScreenDpi.h"
#include "SettingsSchema.h"
#include "TestsdiView.h"
#include "TreePaneWidth.h"
#include "WinApp.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame)

namespace {
constexpr char kHelpFileName[] = "Tessaly.chm";
constexpr char kHelpTopic[] = "/Tessaly.chm::/log_viewer.htm";
constexpr int kInitialPaneHeight = 100;
constexpr int kInitialTextWidth = 100;

// The folder of the program that hosts the library (not the library's own), with
// backslashes and no trailing one.
std::string HostProgramFolder()
{
    char path[MAX_PATH * 2] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path, length < sizeof(path) ? length : 0);
    for (char& ch : folder) {
        if (ch == '/')
            ch = '\\';
    }
    std::size_t last = folder.rfind('\\');
    if (last != std::string::npos)
        folder.erase(last);
    return folder;
}
}  // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

bool CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The frame is shown once the stored placement is applied, by DoViewLogs.
    cs.style &= ~WS_VISIBLE;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CREATESTRUCTA* cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!CreateBars())
        return -1;
    if (CLeftView* tree = TreePane())
        tree->TellOmitted();
    ApplyStoredPlacement();
    FitTreeToFrame();
    FindHelpFile();
    RecalcLayout();
    return 0;
}

bool CMainFrame::CreateBars()
{
    // The message pane, and on the right what the log view is doing.
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_VIEW};
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return false;
    if (!m_wndReBar.Create(this, RBS_BANDBORDERS) ||
        !m_wndReBar.AddBar(&m_wndToolBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP))
        return false;
    if (!m_wndFilterBar.Create(this))
        return false;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 2))
        return false;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    // The indicator's text gives the pane its width; what it says comes from the view.
    m_wndStatusBar.SetPaneText(m_wndStatusBar.CommandToIndex(ID_INDICATOR_VIEW), "");
    return true;
}

void CMainFrame::ApplyStoredPlacement()
{
    std::optional<WINDOWPLACEMENT> placement = LoadPlacement(settings::kSection, settings::kMainWindow);
    if (!placement)
        return;
    // DoViewLogs shows the frame normal in the end, so a stored maximised state would only
    // flash: the hidden frame takes the stored rectangles and stays hidden. (A display
    // without a window manager may even bring the maximised state back after the restore.)
    placement->showCmd = SW_HIDE;
    ::SetWindowPlacement(m_hWnd, &*placement);
}

void CMainFrame::FindHelpFile()
{
    m_strHelpDir = HostProgramFolder();
    std::string helpFile = m_strHelpDir + "\\" + kHelpFileName;
    WIN32_FIND_DATAA found{};
    CFindHandle search(::FindFirstFileA(helpFile.c_str(), &found));
    m_bHelpAvailable = static_cast<bool>(search);
}

bool CMainFrame::OnCreateClient(CREATESTRUCTA*, CCreateContext* context)
{
    if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return false;
    const int treeWidth = StoredTreeWidth();
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CLeftView), SIZE{treeWidth, kInitialPaneHeight}, context) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CTestsdiView), SIZE{kInitialTextWidth, kInitialPaneHeight},
                                  context)) {
        m_wndSplitter.DestroyWindow();
        return false;
    }
    // Dragging the bar cannot hide the tree either.
    m_wndSplitter.SetColumnInfo(0, treeWidth, kTreeWidthMinimum);
    return true;
}

namespace {
// The default width was chosen for 96 DPI; on a larger screen DPI the labels grow with it.
int DefaultTreeWidth()
{
    return AfxScaleForDpi(settings::kLeftPaneDefault);
}
}  // namespace

int CMainFrame::StoredTreeWidth() const
{
    const int stored = LogViewerApp().GetProfileInt(settings::kSection, settings::kLeftPane, DefaultTreeWidth());
    return UsableTreeWidth(stored, DefaultTreeWidth(), ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
}

void CMainFrame::FitTreeToFrame()
{
    // The frame now has its stored size: the log text keeps its room beside the tree.
    RECT client{};
    GetClientRect(&client);
    if (!m_wndSplitter.m_hWnd || client.right <= 0)
        return;
    const int width = UsableTreeWidth(StoredTreeWidth(), DefaultTreeWidth(), client.right);
    m_wndSplitter.SetColumnInfo(0, width, kTreeWidthMinimum);
}

CLeftView* CMainFrame::TreePane() const
{
    return m_wndSplitter.m_hWnd ? static_cast<CLeftView*>(m_wndSplitter.GetPane(0, 0)) : nullptr;
}

CTestsdiView* CMainFrame::TextPane() const
{
    return m_wndSplitter.m_hWnd ? static_cast<CTestsdiView*>(m_wndSplitter.GetPane(0, 1)) : nullptr;
}

void CMainFrame::OnDestroy()
{
    StoreLayout();
    CFrameWnd::OnDestroy();
}

void CMainFrame::StoreLayout()
{
    CWinApp* app = &LogViewerApp();
    if (m_wndSplitter.m_hWnd) {
        int width = 0;
        int minimum = 0;
        m_wndSplitter.GetColumnInfo(0, width, minimum);
        app->WriteProfileInt(settings::kSection, settings::kLeftPane, width);
    }
    StorePlacement(settings::kSection, settings::kMainWindow);
}

bool CMainFrame::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_LAUNCHER_NOTIFY) {
        if (wParam == LN_FORMAT_CHANGED) {
            if (CTestsdiView* text = TextPane())
                text->ApplyEditorSettings();
        }
        *result = 0;
        return true;
    }
    return CFrameWnd::OnWndMsg(msg, wParam, lParam, result);
}

bool CMainFrame::OnCmdMsg(UINT id, UINT code, CCmdUI* ui)
{
    // Commands that belong to one pane go to it whichever pane is active.
    switch (id) {
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_PREVIEW:
        case ID_GO_DOWN:
        case ID_GO_UP:
        case ID_FOLLOW_END:
        case ID_EDIT_FIND:
        case ID_VQ_FIND_NEXT:
        case ID_VIEW_HIGHLIGHT:
            if (CTestsdiView* text = TextPane())
                return text->OnCmdMsg(id, code, ui);
            return false;
        default:
            return CFrameWnd::OnCmdMsg(id, code, ui);
    }
}

bool CMainFrame::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_LOG_CLEAR_ALL:
            if (CLeftView* tree = TreePane())
                tree->OnClearAll();
            return true;
        case ID_VIEW_LOG_SIZE:
            if (CLeftView* tree = TreePane())
                tree->ToggleShowSizes();
            return true;
        case ID_HELP_INDEX:
            OnHelpTopics();
            return true;
        case ID_VIEW_FILTER:
            OnViewFilter();
            return true;
        case ID_FILTER_APPLY:
            ApplyFilter();
            return true;
        default:
            return CFrameWnd::HandleCommand(id, code);
    }
}

bool CMainFrame::UpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
        case ID_LOG_CLEAR_ALL: {
            CLeftView* tree = TreePane();
            ui.Enable(tree && tree->HasItems() && !tree->IsClearing());
            return true;
        }
        case ID_VIEW_LOG_SIZE: {
            CLeftView* tree = TreePane();
            if (tree)
                ui.SetCheck(tree->ShowSizes() ? 1 : 0);
            // The tree is not rebuilt while it waits for busy logs to clear.
            ui.Enable(!tree || !tree->IsClearing());
            return true;
        }
        case ID_HELP_INDEX:
            ui.Enable(m_bHelpAvailable != FALSE);
            return true;
        case ID_VIEW_FILTER:
            ui.Enable(true);
            ui.SetCheck(m_wndFilterBar.IsVisible() ? 1 : 0);
            return true;
        case ID_INDICATOR_VIEW:
            ui.Enable(true);
            ShowViewPane();
            return true;
        default:
            return CFrameWnd::UpdateCommand(ui);
    }
}

void CMainFrame::OnHelpTopics()
{
    std::string topic = m_strHelpDir + kHelpTopic;
    CallHtmlHelp(nullptr, topic.c_str(), kHtmlHelpDisplayTopic, 0);
}

void CMainFrame::ShowViewPane()
{
    ViewPaneFacts facts;
    if (CTestsdiView* text = TextPane())
        facts = text->PaneFacts();
    const std::string shown = ViewPaneText(facts);
    const int index = m_wndStatusBar.CommandToIndex(ID_INDICATOR_VIEW);
    if (index < 0 || m_wndStatusBar.GetPaneText(index) == shown)
        return;
    // The pane is as wide as its longest text so far, so that it does not jump about.
    UINT id = 0, style = 0;
    int width = 0;
    m_wndStatusBar.GetPaneInfo(index, id, style, width);
    const int needed = PaneTextWidth(shown);
    if (needed > width)
        m_wndStatusBar.SetPaneInfo(index, id, style, needed);
    m_wndStatusBar.SetPaneText(index, shown.c_str());
}

int CMainFrame::PaneTextWidth(const std::string& text) const
{
    CClientDC dc(m_wndStatusBar.m_hWnd);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(m_wndStatusBar.m_hWnd, WM_GETFONT, 0, 0));
    CSelectObject selected(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx + 8;
}

void CMainFrame::OnViewFilter()
{
    if (m_wndFilterBar.IsVisible() && m_wndFilterBar.HasFocus()) {
        // Shown again, the bar starts empty, as the log is then shown whole.
        ShowControlBar(&m_wndFilterBar, false);
        m_wndFilterBar.ClearText();
        if (CTestsdiView* text = TextPane()) {
            text->ClearFilter();
            SetActiveView(text);
        }
        return;
    }
    m_wndFilterBar.Activate();
}

void CMainFrame::ApplyFilter()
{
    CTestsdiView* text = TextPane();
    if (!text)
        return;
    if (!m_wndFilterBar.IsVisible()) {
        text->ClearFilter();
        ShowViewPane();
        return;
    }
    const FilterChoice choice = m_wndFilterBar.Choice();
    text->Filter(choice.text.c_str(), choice.matchCase, choice.exclude, choice.context);
}

void CMainFrame::ShownLogResized(std::uint64_t size)
{
    if (CLeftView* tree = TreePane())
        tree->ShowCurrentSize(size);
}
