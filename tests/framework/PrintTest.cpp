// Printing: the print path without a printer, pages rendered into a bitmap and a metafile
// by the view's own hooks, and print preview with page navigation and Close.
#include <windows.h>

#include <gtest/gtest.h>

#include "DocTemplate.h"
#include "DocViewTestIds.h"
#include "FwTestSupport.h"
#include "Gdi.h"
#include "PreviewWnd.h"
#include "PrintInfo.h"
#include "sample/SampleApp.h"

namespace {
const COLORREF kPageColours[] = {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 160, 0)};

// Three pages, each filled with its own colour.
class CPagesView : public CView {
    DECLARE_DYNCREATE(CPagesView)
public:
    static int begun, ended, printed;

protected:
    bool OnPreparePrinting(CPrintInfo* info) override
    {
        info->SetMaxPage(3);
        return DoPreparePrinting(info);
    }
    void OnBeginPrinting(CDC*, CPrintInfo*) override { ++begun; }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        ++printed;
        dc->FillSolidRect(info->m_rectDraw, kPageColours[(info->m_nCurPage - 1) % 3]);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ++ended; }
};
IMPLEMENT_DYNCREATE(CPagesView)
int CPagesView::begun = 0;
int CPagesView::ended = 0;
int CPagesView::printed = 0;

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CPagesView::begun = CPagesView::ended = CPagesView::printed = 0;
        CDocument* doc = m_template.OpenDocumentFile(nullptr);
        ASSERT_NE(doc, nullptr);
        m_view = static_cast<CPagesView*>(doc->GetFirstView());
        m_frame = m_view->GetParentFrame();
    }
    void TearDown() override
    {
        if (m_frame && m_frame->IsWindow())
            m_frame->DestroyWindow();
        fwtest::Pump(SampleApp());
    }

    // Sends the command to the frame and answers the message box it shows; its message. A
    // printer dialog in its place is cancelled and told as a failure.
    std::string MessageAfter(UINT command)
    {
        std::string message;
        fwtest::CScript script;
        script.Then([&] {
            if (HWND printDialog = fwtest::FindThreadWindow("Print")) {
                ::PostMessageA(printDialog, WM_COMMAND, IDCANCEL, 0);
                message = "a printer dialog appeared";
                return true;
            }
            HWND box = fwtest::FindThreadWindow("FwSample");
            if (!box)
                return false;
            message = fwtest::MessageBoxText(box);
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            return true;
        });
        m_frame->SendMessage(WM_COMMAND, command);
        EXPECT_FALSE(script.timedOut);
        return message;
    }

    CSingleDocTemplate m_template{IDR_VIEWER, RUNTIME_CLASS(CSampleDoc), RUNTIME_CLASS(CFrameWnd),
                                  RUNTIME_CLASS(CPagesView)};
    CPagesView* m_view = nullptr;
    CFrameWnd* m_frame = nullptr;
};

TEST_F(PrintTest, PrintingWithoutAPrinterEndsWithAMessageAndNoPages)
{
    EXPECT_EQ(MessageAfter(ID_FILE_PRINT), FW_NO_PRINTER_TEXT);
    EXPECT_EQ(CPagesView::begun, 0);
    EXPECT_EQ(CPagesView::printed, 0);
}

TEST_F(PrintTest, PrintSetupWithoutAPrinterSaysSo)
{
    EXPECT_EQ(MessageAfter(ID_FILE_PRINT_SETUP), "No printer is installed. Install a printer to set up printing.");
}

TEST_F(PrintTest, APageRendersIntoABitmapAndIntoAMetafile)
{
    CClientDC screen(nullptr);
    CMemoryDC memory(screen);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 200, 280));
    {
        CSelectObject selected(memory, bitmap);
        CPrintInfo info;
        info.m_nCurPage = 2;
        m_view->RenderPage(&memory, &info, RECT{0, 0, 200, 280});
        EXPECT_EQ(::GetPixel(memory, 100, 140), kPageColours[1]);
    }

    RECT frame{0, 0, 2100, 2970};
    HDC recording = ::CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    ASSERT_NE(recording, nullptr);
    {
        CDC dc(recording);
        CPrintInfo info;
        info.m_nCurPage = 3;
        m_view->RenderPage(&dc, &info, RECT{0, 0, 200, 280});
    }
    CEnhMetaFile metafile;
    metafile.Reset(::CloseEnhMetaFile(recording));
    ASSERT_NE(metafile.Get(), nullptr);
    CSelectObject selected(memory, bitmap);
    RECT target{0, 0, 200, 280};
    ::PlayEnhMetaFile(memory, metafile.Get(), &target);
    EXPECT_EQ(::GetPixel(memory, 100, 140), kPageColours[2]);
}

TEST_F(PrintTest, PreviewShowsEachPageScaledWithNavigationAndClose)
{
    m_frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    fwtest::Pump(SampleApp());
    CPreviewWnd* preview = m_view->m_pPreviewWnd;
    ASSERT_NE(preview, nullptr);
    HWND window = preview->m_hWnd;
    EXPECT_EQ(preview->GetWindowText(), "Print Preview");
    EXPECT_EQ(preview->GetDlgItemText(CPreviewWnd::IDC_PAGE_NUMBER), "Page 1 of 3");
    EXPECT_FALSE(::IsWindowEnabled(preview->GetDlgItem(CPreviewWnd::IDC_PREVIOUS_PAGE)));
    RECT sheet = preview->SheetRect();
    POINT centre{(sheet.left + sheet.right) / 2, (sheet.top + sheet.bottom) / 2};
    EXPECT_EQ(fwtest::PixelOf(window, centre.x, centre.y), kPageColours[0]);
    EXPECT_EQ(fwtest::PixelOf(window, sheet.left + 1, sheet.top + 1), kPageColours[0]);  // scaled to the sheet

    ::SendMessageA(preview->GetDlgItem(CPreviewWnd::IDC_NEXT_PAGE), BM_CLICK, 0, 0);
    ::SendMessageA(preview->GetDlgItem(CPreviewWnd::IDC_NEXT_PAGE), BM_CLICK, 0, 0);
    EXPECT_EQ(preview->GetDlgItemText(CPreviewWnd::IDC_PAGE_NUMBER), "Page 3 of 3");
    EXPECT_FALSE(::IsWindowEnabled(preview->GetDlgItem(CPreviewWnd::IDC_NEXT_PAGE)));
    EXPECT_EQ(fwtest::PixelOf(window, centre.x, centre.y), kPageColours[2]);
    ::SendMessageA(preview->GetDlgItem(CPreviewWnd::IDC_PREVIOUS_PAGE), BM_CLICK, 0, 0);
    EXPECT_EQ(fwtest::PixelOf(window, centre.x, centre.y), kPageColours[1]);

    ::SendMessageA(preview->GetDlgItem(CPreviewWnd::IDC_CLOSE_PREVIEW), BM_CLICK, 0, 0);
    fwtest::Pump(SampleApp());
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(m_view->m_pPreviewWnd, nullptr);
    EXPECT_EQ(CPagesView::begun, 1);
    EXPECT_EQ(CPagesView::ended, 1);
}

TEST_F(PrintTest, ClosingTheViewClosesItsPreview)
{
    m_frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(m_view->m_pPreviewWnd, nullptr);
    HWND window = m_view->m_pPreviewWnd->m_hWnd;
    m_frame->DestroyWindow();
    m_frame = nullptr;
    fwtest::Pump(SampleApp());
    EXPECT_FALSE(::IsWindow(window));
}
}  // namespace
