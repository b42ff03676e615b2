#include "SampleApp.h"

#include "DocTemplate.h"
#include "DocViewTestIds.h"
#include "Handles.h"

namespace {
CSampleApp theApp;
}

CSampleApp& SampleApp()
{
    return theApp;
}

CSampleMainFrame* SampleMainFrame()
{
    return static_cast<CSampleMainFrame*>(theApp.m_pMainWnd);
}

bool CSampleApp::InitInstance()
{
    SetRegistryKey("FwTestSample");
    // Run as a program, "/refuse" ends the start the way a failed start does.
    if (m_lpCmdLine == "/refuse")
        return false;
    AddDocTemplate(new CMultiDocTemplate(IDR_SAMPLETYPE, RUNTIME_CLASS(CSampleDoc), RUNTIME_CLASS(CSampleChildFrame),
                                         RUNTIME_CLASS(CSampleView)));
    auto* frame = new CSampleMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME))
        return false;
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOWNORMAL);
    frame->UpdateWindow();
    frame->DragAcceptFiles();
    return true;
}

int CSampleApp::ExitInstance()
{
    WriteProfileInt("Settings", "Exits", GetProfileInt("Settings", "Exits", 0) + 1);
    return CWinApp::ExitInstance();
}

IMPLEMENT_DYNCREATE(CSampleDoc)
IMPLEMENT_DYNCREATE(CSampleView)
IMPLEMENT_DYNCREATE(CSampleChildFrame)

bool CSampleDoc::OnOpenDocument(const char* path)
{
    if (!CDocument::OnOpenDocument(path))
        return false;
    CFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return false;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
        m_text.append(buffer, read);
    return true;
}

bool CSampleDoc::OnSaveDocument(const char* path)
{
    CFileHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), m_text.data(), static_cast<DWORD>(m_text.size()), &written, nullptr) &&
           written == m_text.size();
}

void CSampleView::OnUpdate(CView*, LPARAM)
{
    m_bLoading = true;
    SetWindowText(GetDocument()->m_text.c_str());
    m_bLoading = false;
}

bool CSampleView::OnChildNotify(UINT msg, WPARAM wParam, LPARAM, LRESULT* result)
{
    if (msg != WM_COMMAND || HIWORD(wParam) != EN_CHANGE || m_bLoading)
        return false;
    CSampleDoc* doc = GetDocument();
    doc->m_text = GetWindowText();
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(this);
    *result = 0;
    return true;
}

bool CSampleView::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_KEYDOWN && wParam == VK_INSERT)
        m_bOverwrite = !m_bOverwrite;
    return CCtrlView::OnWndMsg(msg, wParam, lParam, result);
}

bool CSampleView::UpdateCommand(CCmdUI& ui)
{
    if (ui.m_nID == ID_INDICATOR_OVR) {
        ui.Enable(m_bOverwrite);
        return true;
    }
    return CCtrlView::UpdateCommand(ui);
}

int CSampleMainFrame::OnCreate(CREATESTRUCTA* cs)
{
    if (CMDIFrameWnd::OnCreate(cs) == -1)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_OVR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!m_wndToolBar.CreateEx(this) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME) || !m_wndReBar.Create(this) ||
        !m_wndReBar.AddBar(&m_wndToolBar) || !m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    RecalcLayout();
    return 0;
}
