// Documents, views and frames in the sample editor: New, Open, Save, Save As, Close and
// the question before losing changes, save all, New Window, the Window menu arrangements,
// captions, menus with and without documents, dropped files and the stored placement.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "DocTemplate.h"
#include "DocViewTestIds.h"
#include "FwTestSupport.h"
#include "Gdi.h"
#include "GuiObjectCount.h"
#include "RegistrySettingsBackend.h"
#include "SettingsStore.h"
#include "TestPaths.h"
#include "sample/SampleApp.h"

namespace {
const char kSampleRoot[] = "Software\\FwTestSample";

void Idle()
{
    fwtest::PumpAndIdle(SampleApp());
}

void Command(UINT id)
{
    SampleMainFrame()->SendMessage(WM_COMMAND, id, 0);
    Idle();
}

CSampleDoc* ActiveDoc()
{
    return static_cast<CSampleDoc*>(SampleMainFrame()->GetActiveDocument());
}

std::vector<HWND> ChildFrames()
{
    std::vector<HWND> children;
    HWND client = SampleMainFrame()->m_hWndMDIClient;
    for (HWND child = ::GetTopWindow(client); child; child = ::GetNextWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

bool MenuHas(UINT id)
{
    return ::GetMenuState(::GetMenu(SampleMainFrame()->m_hWnd), id, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

std::string FileText(const std::string& path)
{
    std::string text;
    testpaths::ReadTextFile(path, text);
    return text;
}

// Types into the active view as a user would, through the view's own window.
void TypeIntoActiveView(const char* text)
{
    HWND view = SampleMainFrame()->GetActiveView()->m_hWnd;
    for (const char* c = text; *c; ++c)
        ::SendMessageA(view, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
}

// Answers the next message box of the application with `button` and keeps its text.
void Answer(fwtest::CScript& script, int button, std::string* text)
{
    script.Then([=] {
        HWND box = fwtest::FindThreadWindow("FwSample");
        if (!box)
            return false;
        if (text)
            *text = fwtest::MessageBoxText(box);
        ::PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return true;
    });
}

class DocViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UserSettingsBackend().DeleteKey(kSampleRoot); }
    static void TearDownTestSuite() { UserSettingsBackend().DeleteKey(kSampleRoot); }
    void SetUp() override
    {
        m_dir = testpaths::MakeWorkDir("framework-docview");
        m_a = testpaths::Join(m_dir, "a.txt");
        m_b = testpaths::Join(m_dir, "b.txt");
        testpaths::WriteTextFile(m_a, "alpha");
        testpaths::WriteTextFile(m_b, "beta");
    }
    void TearDown() override
    {
        for (const auto& docTemplate : SampleApp().DocTemplates()) {
            for (CDocument* doc : docTemplate->Documents())
                doc->SetModifiedFlag(false);
        }
        SampleApp().CloseAllDocuments(false);
        Idle();
    }

    std::string m_dir, m_a, m_b;
};

TEST_F(DocViewTest, NewMakesNumberedUntitledDocumentsAndTheCaptionShowsTheActiveOne)
{
    auto* docTemplate = static_cast<CMultiDocTemplate*>(SampleApp().DocTemplates().front().get());
    UINT before = docTemplate->m_nUntitledCount;
    Command(ID_FILE_NEW);
    Command(ID_FILE_NEW);
    ASSERT_EQ(SampleApp().GetOpenDocumentCount(), 2u);
    std::string first = "Sample" + std::to_string(before + 1);
    std::string second = "Sample" + std::to_string(before + 2);
    EXPECT_EQ(ActiveDoc()->GetTitle(), second);
    EXPECT_EQ(CWnd(ChildFrames().front()).GetWindowText(), second);
    EXPECT_EQ(SampleMainFrame()->GetWindowText(), "Sample Editor - " + second);

    // The system shows a maximised child's title itself, once.
    const WPARAM child = reinterpret_cast<WPARAM>(ChildFrames().front());
    ::SendMessageA(SampleMainFrame()->m_hWndMDIClient, WM_MDIMAXIMIZE, child, 0);
    Idle();
    EXPECT_EQ(SampleMainFrame()->GetWindowText(), "Sample Editor - [" + second + "]");
    ::SendMessageA(SampleMainFrame()->m_hWndMDIClient, WM_MDIRESTORE, child, 0);
}

TEST_F(DocViewTest, TheMenuSwitchesBetweenTheNoDocumentAndTheDocumentMenu)
{
    Idle();
    EXPECT_TRUE(MenuHas(ID_FILE_NEW));
    EXPECT_FALSE(MenuHas(ID_FILE_SAVE));
    EXPECT_FALSE(MenuHas(ID_WINDOW_CASCADE));

    Command(ID_FILE_NEW);
    EXPECT_TRUE(MenuHas(ID_FILE_SAVE));
    EXPECT_TRUE(MenuHas(ID_WINDOW_CASCADE));

    Command(ID_FILE_CLOSE);
    EXPECT_EQ(SampleApp().GetOpenDocumentCount(), 0u);
    EXPECT_FALSE(MenuHas(ID_FILE_SAVE));
    EXPECT_EQ(SampleMainFrame()->GetWindowText(), "Sample Editor");
}

TEST_F(DocViewTest, OpeningAnOpenPathActivatesItsDocumentInsteadOfLoadingItAgain)
{
    CDocument* a = SampleApp().OpenDocumentFile(m_a.c_str());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetTitle(), "a.txt");
    EXPECT_EQ(SampleMainFrame()->GetActiveView()->GetWindowText(), "alpha");
    ASSERT_NE(SampleApp().OpenDocumentFile(m_b.c_str()), nullptr);
    EXPECT_EQ(ActiveDoc()->GetTitle(), "b.txt");

    std::string otherSpelling = m_a;
    for (char& c : otherSpelling)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(SampleApp().OpenDocumentFile(otherSpelling.c_str()), a);
    Idle();
    EXPECT_EQ(SampleApp().GetOpenDocumentCount(), 2u);
    EXPECT_EQ(ActiveDoc(), a);
    EXPECT_EQ(SampleMainFrame()->GetWindowText(), "Sample Editor - a.txt");
}

TEST_F(DocViewTest, SaveWritesTheFileAndTheDocumentIsNoLongerModified)
{
    ASSERT_NE(SampleApp().OpenDocumentFile(m_a.c_str()), nullptr);
    TypeIntoActiveView("!");
    ASSERT_TRUE(ActiveDoc()->IsModified());
    Command(ID_FILE_SAVE);
    EXPECT_EQ(FileText(m_a), "!alpha");
    EXPECT_FALSE(ActiveDoc()->IsModified());
}

TEST_F(DocViewTest, SaveAsAsksForANameAndTheDocumentTakesIt)
{
    ASSERT_NE(SampleApp().OpenDocumentFile(m_a.c_str()), nullptr);
    std::string copy = testpaths::Join(m_dir, "copy.txt");
    fwtest::CScript script;
    script.Then([&] {
        HWND dialog = fwtest::FindThreadWindow("Save As");
        if (!dialog)
            return false;
        HWND name = ::GetDlgItem(dialog, 0x47C);  // the file name box
        if (!name)
            name = ::GetDlgItem(dialog, 0x480);
        ::SetWindowTextA(name, copy.c_str());
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
    Command(ID_FILE_SAVE_AS);
    EXPECT_FALSE(script.timedOut);
    EXPECT_EQ(FileText(copy), "alpha");
    EXPECT_EQ(ActiveDoc()->GetTitle(), "copy.txt");
    EXPECT_EQ(SampleMainFrame()->GetWindowText(), "Sample Editor - copy.txt");
}

TEST_F(DocViewTest, ClosingAModifiedDocumentAsksYesNoOrCancel)
{
    ASSERT_NE(SampleApp().OpenDocumentFile(m_a.c_str()), nullptr);
    TypeIntoActiveView("1");
    std::string question;
    {
        fwtest::CScript script;
        Answer(script, IDCANCEL, &question);
        Command(ID_FILE_CLOSE);
    }
    EXPECT_EQ(question, "Save changes to a.txt?");
    EXPECT_EQ(SampleApp().GetOpenDocumentCount(), 1u);

    {
        fwtest::CScript script;
        Answer(script, IDNO, nullptr);
        Command(ID_FILE_CLOSE);
    }
    EXPECT_EQ(SampleApp().GetOpenDocumentCount(), 0u);
    EXPECT_EQ(FileText(m_a), "alpha");

    ASSERT_NE(SampleApp().OpenDocumentFile(m_a.c_str()), nullptr);
    TypeIntoActiveView("2");
    {
        fwtest::CScript script;
        Answer(script, IDYES, nullptr);
        Command(ID_FILE_CLOSE);
    }
    EXPECT_EQ(SampleApp().GetOpenDocumentCount(), 0u);
    EXPECT_EQ(FileText(m_a), "2alpha");
}

TEST_F(DocViewTest, SaveAllOffersEveryModifiedDocumentAndStopsAtCancel)
{
    ASSERT_NE(SampleApp().OpenDocumentFile(m_a.c_str()), nullptr);
    TypeIntoActiveView("A");
    ASSERT_NE(SampleApp().OpenDocumentFile(m_b.c_str()), nullptr);
    TypeIntoActiveView("B");
    Command(ID_FILE_NEW);  // unmodified: no question
    std::vector<std::string> questions(2);
    {
        fwtest::CScript script;
        Answer(script, IDYES, &questions[0]);
        Answer(script, IDCANCEL, &questions[1]);
        EXPECT_FALSE(SampleApp().SaveAllModified());
    }
    EXPECT_EQ(questions, (std::vector<std::string>{"Save changes to a.txt?", "Save changes to b.txt?"}));
    EXPECT_EQ(FileText(m_a), "Aalpha");
    EXPECT_EQ(FileText(m_b), "beta");
    {
        fwtest::CScript script;
        Answer(script, IDYES, nullptr);
        EXPECT_TRUE(SampleApp().SaveAllModified());
    }
    EXPECT_EQ(FileText(m_b), "Bbeta");
}

TEST_F(DocViewTest, NewWindowShowsTheSameDocumentInASecondFrame)
{
    CDocument* a = SampleApp().OpenDocumentFile(m_a.c_str());
    ASSERT_NE(a, nullptr);
    Command(ID_WINDOW_NEW);
    ASSERT_EQ(a->GetViews().size(), 2u);
    ASSERT_EQ(ChildFrames().size(), 2u);
    EXPECT_EQ(CWnd(ChildFrames()[0]).GetWindowText(), "a.txt:2");
    EXPECT_EQ(CWnd(ChildFrames()[1]).GetWindowText(), "a.txt:1");
    EXPECT_EQ(SampleMainFrame()->GetWindowText(), "Sample Editor - a.txt:2");

    TypeIntoActiveView("x");
    EXPECT_EQ(CWnd(a->GetViews()[0]->m_hWnd).GetWindowText(), "xalpha");  // both views show it

    ::SendMessageA(ChildFrames()[0], WM_CLOSE, 0, 0);  // one frame goes without a question
    Idle();
    EXPECT_EQ(SampleApp().GetOpenDocumentCount(), 1u);
    EXPECT_EQ(CWnd(ChildFrames()[0]).GetWindowText(), "a.txt");
}

TEST_F(DocViewTest, TheWindowMenuTilesCascadesAndArrangesTheChildFrames)
{
    ASSERT_NE(SampleApp().OpenDocumentFile(m_a.c_str()), nullptr);
    ASSERT_NE(SampleApp().OpenDocumentFile(m_b.c_str()), nullptr);
    RECT client;
    ::GetClientRect(SampleMainFrame()->m_hWndMDIClient, &client);

    Command(ID_WINDOW_TILE_HORZ);
    std::vector<RECT> tiled;
    for (HWND child : ChildFrames()) {
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, SampleMainFrame()->m_hWndMDIClient, reinterpret_cast<POINT*>(&r), 2);
        tiled.push_back(r);
    }
    ASSERT_EQ(tiled.size(), 2u);
    RECT overlap;
    EXPECT_FALSE(::IntersectRect(&overlap, &tiled[0], &tiled[1]));
    EXPECT_EQ(tiled[0].right - tiled[0].left, client.right);

    Command(ID_WINDOW_CASCADE);
    RECT first, second;
    ::GetWindowRect(ChildFrames()[0], &first);
    ::GetWindowRect(ChildFrames()[1], &second);
    EXPECT_NE(first.left, second.left);
    EXPECT_NE(first.top, second.top);

    HWND minimised = ChildFrames()[1];
    ::ShowWindow(minimised, SW_MINIMIZE);
    ::SetWindowPos(minimised, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Command(ID_WINDOW_ARRANGE);
    RECT icon;
    ::GetWindowRect(minimised, &icon);
    ::MapWindowPoints(nullptr, SampleMainFrame()->m_hWndMDIClient, reinterpret_cast<POINT*>(&icon), 2);
    EXPECT_EQ(icon.bottom, client.bottom);  // icons line up along the bottom
}

TEST_F(DocViewTest, FilesDroppedOnTheFrameAreOpened)
{
    std::string files = m_a + '\0' + m_b + '\0' + '\0';
    HGLOBAL drop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + files.size());
    auto* header = static_cast<DROPFILES*>(::GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    std::copy(files.begin(), files.end(), reinterpret_cast<char*>(header + 1));
    ::GlobalUnlock(drop);
    SampleMainFrame()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    Idle();
    EXPECT_EQ(SampleApp().GetOpenDocumentCount(), 2u);
    EXPECT_EQ(ActiveDoc()->GetTitle(), "b.txt");
}

TEST_F(DocViewTest, ThePlacementIsStoredAsA44ByteRecordAndReadBack)
{
    SampleMainFrame()->MoveWindow(30, 40, 500, 400);
    ASSERT_TRUE(SampleMainFrame()->StorePlacement("Settings", "Window"));
    std::vector<std::uint8_t> stored;
    ASSERT_TRUE(SampleApp().GetProfileBinary("Settings", "Window", stored));
    EXPECT_EQ(stored.size(), 44u);

    auto placement = SampleMainFrame()->LoadPlacement("Settings", "Window");
    ASSERT_TRUE(placement.has_value());
    EXPECT_EQ(placement->rcNormalPosition.left, 30);
    EXPECT_EQ(placement->rcNormalPosition.top, 40);
    EXPECT_EQ(placement->rcNormalPosition.right, 530);
    EXPECT_EQ(placement->rcNormalPosition.bottom, 440);

    const unsigned char shortValue[20] = {44};
    SampleApp().WriteProfileBinary("Settings", "Window", shortValue, sizeof(shortValue));
    EXPECT_FALSE(SampleMainFrame()->LoadPlacement("Settings", "Window").has_value());
}

TEST_F(DocViewTest, ASingleDocumentTemplateReusesItsDocumentAndFrame)
{
    CSingleDocTemplate viewer(IDR_VIEWER, RUNTIME_CLASS(CSampleDoc), RUNTIME_CLASS(CFrameWnd),
                              RUNTIME_CLASS(CSampleView));
    CDocument* doc = viewer.OpenDocumentFile(nullptr);
    ASSERT_NE(doc, nullptr);
    CFrameWnd* frame = doc->GetFirstView()->GetParentFrame();
    EXPECT_EQ(frame->GetWindowText(), "Log Viewer - Untitled");

    EXPECT_EQ(viewer.OpenDocumentFile(m_a.c_str()), doc);
    EXPECT_EQ(doc->GetFirstView()->GetParentFrame(), frame);
    EXPECT_EQ(frame->GetWindowText(), "Log Viewer - a.txt");
    EXPECT_EQ(doc->GetFirstView()->GetWindowText(), "alpha");

    std::string reported;
    {
        fwtest::CScript script;
        Answer(script, IDOK, &reported);
        EXPECT_EQ(viewer.OpenDocumentFile(testpaths::Join(m_dir, "missing.txt").c_str()), nullptr);
    }
    EXPECT_NE(reported.find("missing.txt"), std::string::npos);
    EXPECT_EQ(frame->GetWindowText(), "Log Viewer - a.txt");  // the log shown before stays
    frame->DestroyWindow();
    EXPECT_TRUE(viewer.Documents().empty());
}
TEST_F(DocViewTest, TwoHundredOpenCloseCyclesLeaveTheGuiObjectCountsWhereTheyStarted)
{
    auto childCycle = [&] {
        ASSERT_NE(SampleApp().OpenDocumentFile(m_a.c_str()), nullptr);
        Command(ID_FILE_CLOSE);
    };
    CSingleDocTemplate viewer(IDR_VIEWER, RUNTIME_CLASS(CSampleDoc), RUNTIME_CLASS(CFrameWnd),
                              RUNTIME_CLASS(CSampleView));
    auto frameCycle = [&] {
        CDocument* doc = viewer.OpenDocumentFile(m_b.c_str());
        ASSERT_NE(doc, nullptr);
        doc->GetFirstView()->GetParentFrame()->SendMessage(WM_CLOSE);
        Idle();
    };
    for (int i = 0; i < 3; ++i) {
        childCycle();
        frameCycle();
    }

    fwtest::GuiObjectCounts before = fwtest::CountGuiObjects();
    ASSERT_GT(before.gdi, 0u);
    ASSERT_GT(before.user, 0u);
    for (int i = 0; i < 200; ++i) {
        childCycle();
        frameCycle();
    }
    fwtest::GuiObjectCounts after = fwtest::CountGuiObjects();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(SampleApp().GetOpenDocumentCount(), 0u);
    EXPECT_TRUE(viewer.Documents().empty());

    // The counts see a single object more.
    CBrush extra(RGB(1, 2, 3));
    HWND extraWindow = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    fwtest::GuiObjectCounts more = fwtest::CountGuiObjects();
    EXPECT_EQ(more.gdi, after.gdi + 1);
    EXPECT_EQ(more.user, after.user + 1);
    ::DestroyWindow(extraWindow);
    extra.DeleteObject();
}
}  // namespace
