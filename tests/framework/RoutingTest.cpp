// Command routing through a frame: the active view, its document, the frame, then the
// application; update handlers that enable, check and name menu items; the
// PreTranslateMessage chain with the frame's accelerators, and past them into a hosted
// control; the caption while idle.
#include <windows.h>

#include <gtest/gtest.h>

#include "DocTemplate.h"
#include "Document.h"
#include "FrameWnd.h"
#include "FwTestSupport.h"
#include "KeyRecordingControl.h"
#include "OleControlHost.h"
#include "RoutingApp.h"
#include "View.h"
#include "WindowTestIds.h"

namespace {
CRoutingApp theApp;

void Log(const char* who)
{
    theApp.m_log.emplace_back(who);
}
}  // namespace

CRoutingApp& TestApp()
{
    return theApp;
}

bool CRoutingApp::HandleCommand(UINT id, UINT code)
{
    if (id == ID_TEST_APP || id == ID_TEST_SHARED) {
        Log("app");
        return true;
    }
    return CWinApp::HandleCommand(id, code);
}

bool CRoutingApp::UpdateCommand(CCmdUI& ui)
{
    if (ui.m_nID == ID_TEST_APP) {
        ui.SetText("Application item, renamed");
        return true;
    }
    return CWinApp::UpdateCommand(ui);
}

namespace {
class CRouteDoc : public CDocument {
    DECLARE_DYNCREATE(CRouteDoc)
protected:
    bool HandleCommand(UINT id, UINT code) override
    {
        if (id == ID_TEST_DOC || id == ID_TEST_SHARED) {
            Log("doc");
            return true;
        }
        return CDocument::HandleCommand(id, code);
    }
};
IMPLEMENT_DYNCREATE(CRouteDoc)

class CRouteView : public CView {
    DECLARE_DYNCREATE(CRouteView)
public:
    bool m_bShared = true;  // whether the view handles the command all of them know
    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F7) {
            Log("view keeps F7");
            return true;
        }
        return CView::PreTranslateMessage(msg);
    }

protected:
    bool HandleCommand(UINT id, UINT code) override
    {
        if (id == ID_TEST_VIEW || (id == ID_TEST_SHARED && m_bShared)) {
            Log("view");
            return true;
        }
        return CView::HandleCommand(id, code);
    }
    bool UpdateCommand(CCmdUI& ui) override
    {
        switch (ui.m_nID) {
            case ID_TEST_VIEW:
                ui.SetCheck(1);
                return true;
            case ID_TEST_DISABLED:
                ui.Enable(false);
                return true;
            default:
                return CView::UpdateCommand(ui);
        }
    }
};
IMPLEMENT_DYNCREATE(CRouteView)

class CRouteFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CRouteFrame)
protected:
    bool HandleCommand(UINT id, UINT code) override
    {
        if (id == ID_TEST_FRAME || id == ID_TEST_DISABLED || id == ID_TEST_SHARED) {
            Log(id == ID_TEST_DISABLED ? "frame ran a disabled command" : "frame");
            return true;
        }
        return CFrameWnd::HandleCommand(id, code);
    }
};
IMPLEMENT_DYNCREATE(CRouteFrame)

class RoutingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        theApp.AddDocTemplate(new CSingleDocTemplate(IDR_ROUTE, RUNTIME_CLASS(CRouteDoc), RUNTIME_CLASS(CRouteFrame),
                                                     RUNTIME_CLASS(CRouteView)));
    }
    void SetUp() override
    {
        theApp.m_log.clear();
        m_doc = theApp.OpenDocumentFile(nullptr);
        ASSERT_NE(m_doc, nullptr);
        m_view = static_cast<CRouteView*>(m_doc->GetFirstView());
        ASSERT_NE(m_view, nullptr);
        m_frame = m_view->GetParentFrame();
        ASSERT_NE(m_frame, nullptr);
        fwtest::Pump(theApp);
    }
    void TearDown() override
    {
        if (m_frame && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        fwtest::Pump(theApp);
    }
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id, 0); }

    CDocument* m_doc = nullptr;
    CRouteView* m_view = nullptr;
    CFrameWnd* m_frame = nullptr;
};

using Log_t = std::vector<std::string>;

TEST_F(RoutingTest, CommandsGoToTheViewTheDocumentTheFrameAndTheApplicationInThatOrder)
{
    Command(ID_TEST_VIEW);
    Command(ID_TEST_DOC);
    Command(ID_TEST_FRAME);
    Command(ID_TEST_APP);
    Command(ID_TEST_SHARED);
    m_view->m_bShared = false;
    Command(ID_TEST_SHARED);
    EXPECT_EQ(theApp.m_log, (Log_t{"view", "doc", "frame", "app", "view", "doc"}));
}

TEST_F(RoutingTest, ACommandItsUpdateHandlerDisabledIsNotRun)
{
    Command(ID_TEST_DISABLED);
    EXPECT_TRUE(theApp.m_log.empty());
}

TEST_F(RoutingTest, MenuItemsShowWhatTheUpdateHandlersSay)
{
    HMENU menu = ::GetMenu(m_frame->m_hWnd);
    ASSERT_NE(menu, nullptr);
    HMENU popup = ::GetSubMenu(menu, 0);
    m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);

    EXPECT_TRUE(fwtest::MenuItemChecked(popup, ID_TEST_VIEW));
    EXPECT_FALSE(fwtest::MenuItemChecked(popup, ID_TEST_DOC));
    EXPECT_FALSE(fwtest::MenuItemEnabled(popup, ID_TEST_DISABLED));
    EXPECT_TRUE(fwtest::MenuItemEnabled(popup, ID_TEST_FRAME));
    EXPECT_EQ(fwtest::MenuText(popup, ID_TEST_APP), "Application item, renamed");
}

TEST_F(RoutingTest, KeysPassTheViewBeforeTheFramesAccelerators)
{
    ::SetFocus(m_view->m_hWnd);
    ::PostMessageA(m_view->m_hWnd, WM_KEYDOWN, VK_F5, 1);
    ::PostMessageA(m_view->m_hWnd, WM_KEYDOWN, VK_F7, 1);
    fwtest::Pump(theApp);
    EXPECT_EQ(theApp.m_log, (Log_t{"frame", "view keeps F7"}));
}

TEST_F(RoutingTest, KeysInAHostedControlPassTheFramesAcceleratorsThenReachTheControlExceptF1)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    CKeyRecordingControl control;
    DWORD registration = 0;
    ASSERT_EQ(::CoRegisterClassObject(kKeyRecordingControl, static_cast<IClassFactory*>(&control), CLSCTX_INPROC_SERVER,
                                      REGCLS_MULTIPLEUSE, &registration),
              S_OK);
    COleControlHost host;
    ASSERT_TRUE(host.CreateControl(kKeyRecordingControl, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 50}, m_frame, 1));
    for (WPARAM key : {VK_TAB, VK_DOWN, static_cast<int>('C'), VK_F5, VK_F1})
        ::PostMessageA(host.m_hWnd, WM_KEYDOWN, key, 1);
    fwtest::Pump(theApp);
    EXPECT_EQ(control.m_keys, (std::vector<WPARAM>{VK_TAB, VK_DOWN, 'C'}));
    EXPECT_EQ(theApp.m_log, (Log_t{"frame"}));
    host.DestroyWindow();
    ::CoRevokeClassObject(registration);
    ::OleUninitialize();
}

TEST_F(RoutingTest, TheCaptionFollowsTheDocumentTitleWhenIdle)
{
    EXPECT_EQ(m_frame->GetWindowText(), "Route Frame - Untitled");
    m_doc->SetTitle("notes.txt");
    theApp.OnIdle(0);
    EXPECT_EQ(m_frame->GetWindowText(), "Route Frame - notes.txt");
}

TEST_F(RoutingTest, MenuPromptsGoToTheStatusLineText)
{
    std::string prompt;
    m_frame->GetMessageString(ID_TEST_FRAME, prompt);
    EXPECT_EQ(prompt, "Runs the frame's command");
}
}  // namespace
