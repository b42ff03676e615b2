// The common dialog wrappers, each shown for real and answered as a user would: open and
// save file, colour, font from the caller's template, modeless find and replace, and the
// shell's folder browser.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "CommonDialogs.h"
#include "DialogTestIds.h"
#include "FwTestSupport.h"
#include "TestPaths.h"
#include "WinApp.h"

namespace {
// A window that hears the find and replace dialog.
class CFindOwner : public CWnd {
public:
    std::string m_events;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (msg != CFindReplaceDialog::GetFindReplaceMsg())
            return CWnd::OnWndMsg(msg, wParam, lParam, result);
        CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
        if (dialog->IsTerminating())
            m_events += "closed;";
        else if (dialog->FindNext())
            m_events += "find " + dialog->GetFindString() + (dialog->MatchCase() ? " case;" : ";");
        else if (dialog->ReplaceAll())
            m_events += "replace all " + dialog->GetFindString() + " by " + dialog->GetReplaceString() + ";";
        *result = 0;
        return true;
    }
};

class CommonDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "Dialog owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300,
                                     nullptr, nullptr));
        ::SetForegroundWindow(m_owner.m_hWnd);
        m_dir = testpaths::MakeWorkDir("framework-dialogs");
    }
    CFindOwner m_owner;
    std::string m_dir;
};

void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

TEST_F(CommonDialogTest, TheOpenDialogReturnsTheFileTheUserNamed)
{
    std::string path = testpaths::Join(m_dir, "httpd.conf");
    testpaths::WriteTextFile(path, "Listen 80");
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY, "Configuration (*.conf)|*.conf|All files|*.*||",
                       &m_owner);
    fwtest::CScript script;
    script.Then(fwtest::WhenShown("Open", [&](HWND open) {
        HWND name = ::GetDlgItem(open, 0x47C) ? ::GetDlgItem(open, 0x47C) : ::GetDlgItem(open, 0x480);
        ::SetWindowTextA(name, path.c_str());
        Press(open, IDOK);
    }));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), path);
    EXPECT_EQ(dialog.GetFileName(), "httpd.conf");
}

TEST_F(CommonDialogTest, CancellingTheSaveDialogChoosesNothing)
{
    CFileDialog dialog(false, "txt", "copy.txt", OFN_OVERWRITEPROMPT, nullptr, &m_owner);
    fwtest::CScript script;
    script.Then(fwtest::WhenShown("Save As", [](HWND save) { Press(save, IDCANCEL); }));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(script.timedOut);
}

TEST_F(CommonDialogTest, TheColourDialogStartsOnTheGivenColourAndReturnsIt)
{
    CColorDialog dialog(RGB(0, 0, 255), CC_FULLOPEN, &m_owner);
    fwtest::CScript script;
    script.Then(fwtest::WhenShown("Color", [](HWND colour) { Press(colour, IDOK); }));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(0, 0, 255));
}

TEST_F(CommonDialogTest, TheFontDialogUsesTheCallersTemplate)
{
    LOGFONTA initial{};
    initial.lfHeight = -13;
    lstrcpyA(initial.lfFaceName, "Courier New");
    CFontDialog dialog(&initial, CF_SCREENFONTS, &m_owner);
    dialog.SetTemplate(IDD_FONT_TEMPLATE);
    std::string note, face;
    fwtest::CScript script;
    script.Then(fwtest::WhenShown("Editor font", [&](HWND font) {
        note = CWnd(font).GetDlgItemText(IDC_FONT_NOTE);
        face = CWnd(font).GetDlgItemText(0x470);  // the face name box
        Press(font, IDOK);
    }));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(note, "Font of the editor");
    EXPECT_FALSE(face.empty());
    EXPECT_EQ(dialog.GetFaceName(), face);
}

TEST_F(CommonDialogTest, TheModelessReplaceDialogReportsEachActionToItsOwner)
{
    auto* dialog = new CFindReplaceDialog;
    ASSERT_TRUE(dialog->Create(false, "Listen", "Port", FR_DOWN, &m_owner));
    HWND window = dialog->m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(window));

    ::SetDlgItemTextA(window, 0x480, "ServerName");
    ::SendMessageA(::GetDlgItem(window, 0x411), BM_CLICK, 0, 0);  // Match case
    ::SendMessageA(::GetDlgItem(window, IDOK), BM_CLICK, 0, 0);   // Find Next
    ::SetDlgItemTextA(window, 0x481, "www.example.org");
    ::SendMessageA(::GetDlgItem(window, 0x401), BM_CLICK, 0, 0);  // Replace All
    ::SendMessageA(::GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    fwtest::Pump(*AfxGetApp());
    EXPECT_EQ(m_owner.m_events, "find ServerName case;replace all ServerName by www.example.org;closed;");
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(CommonDialogTest, TheFolderBrowserReturnsTheChosenFolder)
{
    std::string folder = m_dir;
    fwtest::CScript script;
    script.Then([&] {
        HWND browser = ::GetLastActivePopup(m_owner.m_hWnd);
        if (!browser || browser == m_owner.m_hWnd || !::IsWindowVisible(browser))
            return false;
        Press(browser, IDOK);
        return true;
    });
    ASSERT_TRUE(AfxBrowseForFolder(m_owner.m_hWnd, "Choose the server folder", folder));
    EXPECT_EQ(::lstrcmpiA(folder.c_str(), m_dir.c_str()), 0) << folder;
}
}  // namespace
