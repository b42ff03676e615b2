// The view's printing: the printer dialog, the page loop on a printer, rendering one page
// on any surface, and the way into print preview.
#include <windows.h>

#include <commdlg.h>
#include <winspool.h>

#include "Document.h"
#include "FrameWnd.h"
#include "FwIds.h"
#include "Gdi.h"
#include "Handles.h"
#include "ModuleCalls.h"
#include "ModuleState.h"
#include "PreviewWnd.h"
#include "PrintInfo.h"
#include "View.h"
#include "WinApp.h"

bool AfxPrinterInstalled()
{
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    return needed > 0;
}

bool CView::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_FILE_PRINT:
            AfxGuarded(this)->OnFilePrint(false);
            return true;
        case ID_FILE_PRINT_DIRECT:
            AfxGuarded(this)->OnFilePrint(true);
            return true;
        case ID_FILE_PRINT_PREVIEW:
            AfxGuarded(this)->OnFilePrintPreview();
            return true;
        default:
            return CWnd::HandleCommand(id, code);
    }
}

bool CView::DoPreparePrinting(CPrintInfo* info)
{
    if (info->m_bPreview)
        return true;  // the preview draws on the screen's page
    if (!AfxPrinterInstalled()) {
        ::MessageBoxA(::GetAncestor(m_hWnd, GA_ROOT), FW_NO_PRINTER_TEXT, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // Printing goes to the printer chosen last in Print Setup or Print, the default one
    // until then.
    CWinApp* app = AfxGetApp();
    if (info->m_bDirect && app) {
        if (HDC chosenPrinter = app->CreatePrinterDC()) {
            info->m_hPrinterDC = chosenPrinter;
            return true;
        }
    }
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = ::GetAncestor(m_hWnd, GA_ROOT);
    dialog.Flags =
        PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | (info->m_bDirect ? PD_RETURNDEFAULT : 0);
    dialog.nMinPage = static_cast<WORD>(info->m_nMinPage);
    dialog.nMaxPage = static_cast<WORD>(info->m_nMaxPage > 0xFFFF ? 0xFFFF : info->m_nMaxPage);
    dialog.nFromPage = static_cast<WORD>(info->m_nMinPage);
    dialog.nToPage = dialog.nMaxPage;
    BOOL chosen = FALSE;
    if (app && !info->m_bDirect) {
        chosen = app->DoPrintDialog(dialog);
    } else {
        chosen = ::PrintDlgA(&dialog);
        CGlobalMemory mode(dialog.hDevMode);
        CGlobalMemory names(dialog.hDevNames);
    }
    if (!chosen) {
        // Cancelling says nothing; any other failure means there is no printer to use.
        if (::CommDlgExtendedError() != 0)
            ::MessageBoxA(dialog.hwndOwner, FW_NO_PRINTER_TEXT, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (dialog.Flags & PD_PAGENUMS) {
        info->m_nFromPage = dialog.nFromPage;
        info->m_nToPage = dialog.nToPage;
    }
    info->m_hPrinterDC = dialog.hDC;
    return info->m_hPrinterDC != nullptr;
}

void CView::RenderPage(CDC* dc, CPrintInfo* info, const RECT& page)
{
    info->m_rectDraw = page;
    AfxGuarded(this)->OnPrepareDC(dc, info);
    if (info->m_bContinuePrinting)
        AfxGuarded(this)->OnPrint(dc, info);
}

void CView::OnFilePrint(bool direct)
{
    CPrintInfo info;
    info.m_bDirect = direct;
    if (!AfxGuarded(this)->OnPreparePrinting(&info) || !info.m_hPrinterDC)
        return;
    COwnedDC dc(info.m_hPrinterDC);
    dc.m_bPrinting = true;
    std::string title = m_pDocument ? m_pDocument->GetTitle() : std::string("Document");
    DOCINFOA job{};
    job.cbSize = sizeof(job);
    job.lpszDocName = title.c_str();
    if (::StartDocA(dc, &job) <= 0) {
        ::MessageBoxA(::GetAncestor(m_hWnd, GA_ROOT), FW_NO_PRINTER_TEXT, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    AfxGuarded(this)->OnBeginPrinting(&dc, &info);
    RECT page{0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
    for (UINT number = info.GetFromPage(); number <= info.GetToPage() && info.m_bContinuePrinting; ++number) {
        info.m_nCurPage = number;
        if (::StartPage(dc) <= 0)
            break;
        RenderPage(&dc, &info, page);
        ::EndPage(dc);
    }
    ::EndDoc(dc);
    AfxGuarded(this)->OnEndPrinting(&dc, &info);
}

void CView::OnFilePrintPreview()
{
    if (m_pPreviewWnd) {
        ::SetForegroundWindow(m_pPreviewWnd->m_hWnd);
        return;
    }
    auto* preview = new CPreviewWnd(this);
    if (!preview->Open())
        delete preview;  // the view declined before any window was made
}
