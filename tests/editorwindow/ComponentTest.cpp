// The exported interface of editor.dll as the deliverables use it: a document owning a
// CVQEdit shown by a view derived from CVQEditView, the Edit commands with their states,
// the editor control of a dialog, and the keyword and colour tables.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "ComponentTestIds.h"
#include "DocTemplate.h"
#include "Document.h"
#include <editor/EditorComponent.h>
#include "FrameWnd.h"
#include "Gdi.h"
#include "PrintInfo.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "WinApp.h"

namespace {

class CConfTestApp : public CWinApp {};
CConfTestApp theApp;

class CConfDoc : public CDocument {
    DECLARE_DYNCREATE(CConfDoc)
public:
    CVQEdit m_Edit;
    bool OnNewDocument() override
    {
        if (!CDocument::OnNewDocument())
            return false;
        m_Edit.Refresh();
        return true;
    }
    bool OnOpenDocument(const char* path) override
    {
        if (!CDocument::OnOpenDocument(path) || m_Edit.ReadFile(path) != 0)
            return false;
        m_Edit.Refresh();
        return true;
    }
    bool OnSaveDocument(const char* path) override { return m_Edit.WriteFile(path) == 0; }
};
IMPLEMENT_DYNCREATE(CConfDoc)

class CConfView : public CVQEditView {
    DECLARE_DYNCREATE(CConfView)
public:
    CVQEdit* GetEdit() override
    {
        auto* doc = static_cast<CConfDoc*>(GetDocument());
        return doc ? &doc->m_Edit : nullptr;
    }
};
IMPLEMENT_DYNCREATE(CConfView)

void Pump()
{
    for (int i = 0; i < 5; ++i) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!theApp.PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::Sleep(10);
    }
}

std::string TextOf(HWND wnd)
{
    std::string text(static_cast<std::size_t>(::SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(::SendMessageA(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::pair<DWORD, DWORD> SelectionOf(HWND wnd)
{
    DWORD start = 0, end = 0;
    ::SendMessageA(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

const char kConf[] = "# Server\r\nServerRoot \"C:/Apache\"\r\nListen 80\r\nDocumentRoot \"C:/Apache/htdocs\"\r\n";

class ComponentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitEditorDLL();
        InitEditorDLL();  // harmless twice
        cOleDragDrop.Init();
        ASSERT_TRUE(m_Keywords.ReadScript());
        theApp.AddDocTemplate(new CSingleDocTemplate(IDR_CONFTEST, RUNTIME_CLASS(CConfDoc), RUNTIME_CLASS(CFrameWnd),
                                                     RUNTIME_CLASS(CConfView)));
    }
    void SetUp() override
    {
        m_folder = testpaths::MakeWorkDir("editorwindow-component");
        m_path = testpaths::Join(m_folder, "httpd.conf");
        ASSERT_TRUE(testpaths::WriteTextFile(m_path, kConf));
        m_doc = static_cast<CConfDoc*>(theApp.OpenDocumentFile(m_path.c_str()));
        ASSERT_NE(m_doc, nullptr);
        m_view = static_cast<CConfView*>(m_doc->GetFirstView());
        ASSERT_NE(m_view, nullptr);
        m_frame = m_view->GetParentFrame();
        ui::BringToFront(m_frame->m_hWnd);
        m_view->SetFocus();
        Pump();
    }
    void TearDown() override
    {
        if (m_frame && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        Pump();
    }
    bool MenuEnabled(UINT id)
    {
        HMENU popup = ::GetSubMenu(::GetMenu(m_frame->m_hWnd), 0);
        m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        return (::GetMenuState(popup, id, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) == 0;
    }
    void Command(UINT id)
    {
        m_frame->SendMessage(WM_COMMAND, id, 0);
        Pump();
    }

    CRegistrySandbox m_registry;
    std::string m_folder;
    std::string m_path;
    CConfDoc* m_doc = nullptr;
    CConfView* m_view = nullptr;
    CFrameWnd* m_frame = nullptr;
};

TEST_F(ComponentTest, TheViewShowsTheDocumentsBufferColoured)
{
    EXPECT_EQ(TextOf(m_view->m_hWnd), kConf);
    EXPECT_FALSE(m_doc->m_Edit.IsModified());
    ::RedrawWindow(m_view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::string png = SaveWindowPng(m_frame->m_hWnd, "editorwindow-component-view");
    EXPECT_FALSE(png.empty());
    // A directive's colour on the second row.
    CClientDC dc(m_view->m_hWnd);
    int blue = 0;
    for (int x = 0; x < 200; ++x) {
        for (int y = 16; y < 32; ++y)
            blue += dc.GetPixel(x, y) == RGB(0, 0, 255) ? 1 : 0;
    }
    EXPECT_GT(blue, 10);
}

TEST_F(ComponentTest, EditCommandsFollowTheBuffer)
{
    EXPECT_FALSE(MenuEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(MenuEnabled(ID_EDIT_CUT));
    EXPECT_FALSE(MenuEnabled(ID_EDIT_COPY));
    EXPECT_TRUE(MenuEnabled(ID_VQ_SELECT_ALL));
    ui::TypeText("#");
    ASSERT_TRUE(ui::WaitUntil([&] { return m_doc->m_Edit.IsModified() != FALSE; }, 3000));
    EXPECT_EQ(TextOf(m_view->m_hWnd), std::string("#") + kConf);
    EXPECT_TRUE(MenuEnabled(ID_EDIT_UNDO));
    Command(ID_VQ_SELECT_ALL);
    EXPECT_EQ(SelectionOf(m_view->m_hWnd), std::make_pair(DWORD{0}, static_cast<DWORD>(std::strlen(kConf) + 1)));
    EXPECT_TRUE(MenuEnabled(ID_EDIT_CUT));
    EXPECT_TRUE(MenuEnabled(ID_EDIT_COPY));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(TextOf(m_view->m_hWnd), kConf);
    EXPECT_FALSE(m_doc->m_Edit.IsModified());
    EXPECT_TRUE(MenuEnabled(ID_EDIT_REDO));
    // Find Next: the word at the caret, then its next occurrence.
    m_view->GotoLine(2);
    EXPECT_EQ(SelectionOf(m_view->m_hWnd), std::make_pair(DWORD{10}, DWORD{10}));
    char word[256] = {};
    EXPECT_TRUE(m_view->GetSelWord(word));
    EXPECT_STREQ(word, "ServerRoot");
    ::SendMessageA(m_view->m_hWnd, EM_SETSEL, 25, 31);  // "Apache"
    Command(ID_VQ_FIND_NEXT);
    EXPECT_EQ(SelectionOf(m_view->m_hWnd), std::make_pair(DWORD{62}, DWORD{68}));
}

TEST_F(ComponentTest, ASecondWindowOnTheDocumentStaysInStep)
{
    // What New Window does: another frame and view on the same document.
    CFrameWnd* second = m_doc->GetDocTemplate()->CreateNewFrame(m_doc, m_frame);
    ASSERT_NE(second, nullptr);
    m_doc->GetDocTemplate()->InitialUpdateFrame(second, m_doc);
    Pump();
    ASSERT_EQ(m_doc->GetViews().size(), 2u);
    auto* other = static_cast<CConfView*>(m_doc->GetViews()[1]);
    EXPECT_EQ(TextOf(other->m_hWnd), kConf);
    ::SendMessageA(other->m_hWnd, EM_SETSEL, 10, 20);  // "ServerRoot" in the second window
    ui::BringToFront(m_frame->m_hWnd);
    m_view->SetFocus();
    m_view->TopOfFile(TRUE);
    ui::TypeText("## ");
    ASSERT_TRUE(ui::WaitUntil([&] { return TextOf(other->m_hWnd) == std::string("## ") + kConf; }, 3000));
    EXPECT_EQ(SelectionOf(other->m_hWnd), std::make_pair(DWORD{13}, DWORD{23}))
        << "the other selection moved with its text";
    // Undo from the other window's Edit menu.
    second->SendMessage(WM_COMMAND, ID_EDIT_UNDO, 0);
    Pump();
    EXPECT_EQ(TextOf(m_view->m_hWnd), kConf);
    second->DestroyWindow();
    Pump();
    EXPECT_EQ(m_doc->GetViews().size(), 1u);
}

TEST_F(ComponentTest, TopBottomAndBeginningOfLine)
{
    m_view->BottomOfFile(TRUE);
    m_view->BeginningOfLine(TRUE);
    const DWORD length = static_cast<DWORD>(std::strlen(kConf));
    EXPECT_EQ(SelectionOf(m_view->m_hWnd), std::make_pair(length, length));  // the empty last line
    m_view->GotoLine(3);
    m_view->BottomOfFile(TRUE);
    m_view->TopOfFile(TRUE);
    EXPECT_EQ(SelectionOf(m_view->m_hWnd), std::make_pair(DWORD{0}, DWORD{0}));
}

TEST_F(ComponentTest, ReadAndWriteFiles)
{
    EXPECT_NE(m_doc->m_Edit.ReadFile(testpaths::Join(m_folder, "missing.conf").c_str()), 0);
    EXPECT_EQ(TextOf(m_view->m_hWnd), kConf) << "a failed read keeps the text";
    ui::TypeText("X");
    ASSERT_TRUE(ui::WaitUntil([&] { return m_doc->m_Edit.IsModified() != FALSE; }, 3000));
    EXPECT_EQ(m_doc->m_Edit.WriteFile(m_path.c_str()), 0);
    EXPECT_FALSE(m_doc->m_Edit.IsModified());
    std::string saved;
    ASSERT_TRUE(testpaths::ReadTextFile(m_path, saved));
    EXPECT_EQ(saved, std::string("X") + kConf);
    ::SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_NE(m_doc->m_Edit.WriteFile(m_path.c_str()), 0);
    ::SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ComponentTest, AReadOnlyBufferShowsALogUnchangeable)
{
    m_doc->m_Edit.SetReadOnly(TRUE);
    m_doc->m_Edit.SetSyntaxColoring(FALSE);
    ASSERT_EQ(m_doc->m_Edit.ReadFile(m_path.c_str()), 0);
    ui::TypeText("abc");
    ui::PressKey(VK_RETURN);
    ui::PressKey(VK_END, true);
    const DWORD length = static_cast<DWORD>(std::strlen(kConf));
    ASSERT_TRUE(ui::WaitUntil([&] { return SelectionOf(m_view->m_hWnd).second == length; }, 3000));
    EXPECT_EQ(TextOf(m_view->m_hWnd), kConf);
    EXPECT_FALSE(MenuEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(MenuEnabled(ID_EDIT_PASTE));
}

TEST_F(ComponentTest, PrintsPagesWithAHeader)
{
    std::string text;
    for (int i = 1; i <= 300; ++i)
        text += "Listen " + std::to_string(8000 + i) + "\r\n";
    m_view->SetWindowTextA(text.c_str());
    // A page of 600 by 800 pixels at the screen's resolution.
    CClientDC screen(m_view->m_hWnd);
    CMemoryDC dc(screen);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 600, 800));
    CSelectObject select(dc, bitmap);
    CPrintInfo info;
    info.m_bPreview = true;  // pages drawn on a surface of the test's own, as print preview does
    info.m_rectDraw = RECT{0, 0, 600, 800};
    ASSERT_TRUE(m_view->OnPreparePrinting(&info));
    m_view->OnBeginPrinting(&dc, &info);
    const UINT pages = info.GetMaxPage();
    EXPECT_GT(pages, 1u);
    EXPECT_LT(pages, 30u);
    for (UINT page = 1; page <= pages; ++page) {
        RECT all{0, 0, 600, 800};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        info.m_nCurPage = page;
        m_view->OnPrint(&dc, &info);
        int ink = 0;
        for (int y = 0; y < 800; y += 2) {
            for (int x = 0; x < 600; x += 2)
                ink += ::GetPixel(dc, x, y) == RGB(0, 0, 0) ? 1 : 0;
        }
        EXPECT_GT(ink, 50) << "page " << page;
        EXPECT_EQ(info.m_bContinuePrinting, page < pages) << "page " << page;
    }
    m_view->OnEndPrinting(&dc, &info);
}

TEST(KeywordTableTest, FindNodeGivesTheKeywordAndItsHelpPath)
{
    ASSERT_TRUE(m_Keywords.ReadScript());
    const NODE* node = m_Keywords.FindNode("documentroot", 0, 0);
    ASSERT_NE(node, nullptr);
    const char* bytes = reinterpret_cast<const char*>(node);
    EXPECT_STREQ(bytes, "DocumentRoot");
    EXPECT_STREQ(bytes + 256, "htdocs/manual/mod/core.html#documentroot");
    EXPECT_NE(m_Keywords.FindNode("On", 1, 0), nullptr);
    EXPECT_EQ(m_Keywords.FindNode("On", 0, 0), nullptr);
    EXPECT_EQ(m_Keywords.FindNode("NoSuchDirective", 0, 0), nullptr);
    EXPECT_FALSE(m_Keywords.ReadScript("C:\\no\\such\\script.txt"));
    EXPECT_NE(m_Keywords.FindNode("Listen", 0, 0), nullptr) << "a failed read keeps the table";
}

TEST(ColorsTest, SettingsRoundTripAndDamagedValuesReadAsDefaults)
{
    CRegistrySandbox registry;
    CColors colors;
    EXPECT_EQ(colors.m_clrKeyword, 0xFF0000u);
    EXPECT_EQ(colors.m_nTabWidth, 4);
    EXPECT_EQ(colors.m_strFontName, "Courier");
    // The fields stand in their agreed order after two leading words.
    EXPECT_EQ(offsetof(CColors, m_clrKeyword), 2 * sizeof(DWORD));
    EXPECT_EQ(offsetof(CColors, m_nTabWidth), offsetof(CColors, m_clrKeyword) + 17 * 4);
    colors.m_clrQuote = RGB(1, 2, 3);
    colors.m_nTabWidth = 8;
    colors.m_bShowTabs = TRUE;
    colors.m_strFontName = "Courier New";
    EXPECT_TRUE(colors.SaveSettings());
    CColors read;
    EXPECT_TRUE(read.ReadSettings());
    EXPECT_EQ(read.m_clrQuote, RGB(1, 2, 3));
    EXPECT_EQ(read.m_nTabWidth, 8);
    EXPECT_TRUE(read.m_bShowTabs);
    EXPECT_EQ(read.m_strFontName, "Courier New");
    registry.Store().SetProfileInt("Settings\\Format", "TabWidth", 99);
    registry.Store().SetProfileString("Settings\\Format", "FontSize", "damaged");
    EXPECT_TRUE(read.ReadSettings());
    EXPECT_EQ(read.m_nTabWidth, 4);
    EXPECT_EQ(read.m_nFontSize, 10);
    // A new buffer starts from the table; Refresh takes the stored values again.
    m_Colors.ReadSettings();
    CVQEdit edit;
    EXPECT_EQ(edit.m_clrQuote, RGB(1, 2, 3));
    registry.Store().SetProfileInt("Settings\\Format", "Quote", static_cast<int>(RGB(9, 9, 9)));
    edit.Refresh();
    EXPECT_EQ(edit.m_clrQuote, RGB(9, 9, 9));
}

TEST(EditCtrlTest, TakesTheDialogItemsPlaceAndShowsTheSampleReadOnly)
{
    CRegistrySandbox registry;
    // Each start of the library takes the stored settings; a new sample shows them.
    registry.Store().SetProfileInt("Settings\\Format", "TabWidth", 7);
    InitEditorDLL();
    EXPECT_EQ(m_Colors.m_nTabWidth, 7);
    HWND page = ::CreateWindowExA(0, "STATIC", "page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(page);
    HWND placeholder =
        ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 100, 20,
                          300, 250, page, reinterpret_cast<HMENU>(IDC_SAMPLE), nullptr, nullptr);
    ASSERT_TRUE(placeholder);
    {
        CWnd parent(page);
        CVQEditCtrl sample;
        ASSERT_TRUE(sample.CreateFromItem(IDC_SAMPLE, &parent, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE));
        EXPECT_EQ(sample.GetEdit()->m_nTabWidth, 7);
        EXPECT_FALSE(::IsWindow(placeholder));
        EXPECT_EQ(::GetDlgItem(page, IDC_SAMPLE), sample.m_hWnd);
        RECT rc{};
        ::GetWindowRect(sample.m_hWnd, &rc);
        EXPECT_EQ(rc.right - rc.left, 300);
        sample.GetEdit()->SetReadOnly(TRUE);
        sample.SetWindowTextA("\n#Example configuration\n\tOptions ExecCGI\n");
        EXPECT_NE(sample.GetFont(), nullptr);
        sample.GetEdit()->m_bShowTabs = TRUE;
        sample.GetEdit()->m_nFontSize = 14;
        const HFONT before = sample.GetFont();
        sample.InitView();
        sample.UpdateEditor();
        EXPECT_NE(sample.GetFont(), before) << "InitView makes the font anew";
        ::SetFocus(sample.m_hWnd);
        ui::BringToFront(page);
        ::SetFocus(sample.m_hWnd);
        ui::TypeText("zz");
        Pump();
        EXPECT_EQ(TextOf(sample.m_hWnd), "\n#Example configuration\n\tOptions ExecCGI\n");
        SaveWindowPng(page, "editorwindow-component-sample");
        EXPECT_FALSE(sample.CreateFromItem(IDC_SAMPLE, &parent)) << "already created";
        parent.m_hWnd = nullptr;
    }
    ::DestroyWindow(page);
    ResetTessalyRegistry();
    InitEditorDLL();
    EXPECT_EQ(m_Colors.m_nTabWidth, 4);
}

}  // namespace
