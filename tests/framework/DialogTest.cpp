// Dialogs from templates: the modal loop with PreTranslateMessage, data exchange in both
// directions, refused values, the owner a parentless dialog gets, modeless child dialogs,
// and the control wrappers on a live dialog.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "CommonControls.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "DialogTestIds.h"
#include "FwTestSupport.h"
#include "Gdi.h"
#include "ImageList.h"
#include "WinApp.h"

namespace {
class CDialogTestApp : public CWinApp {};
CDialogTestApp theApp;

class CProbeDialog : public CDialog {
public:
    CProbeDialog() : CDialog(IDD_PROBE) {}
    std::string m_name = "Apache";
    int m_number = 80;
    int m_check = 1;
    int m_radio = 2;
    int m_escapesSeen = 0;
    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE)
            ++m_escapesSeen;
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, IDC_NAME, m_name);
        DDX_Text(dx, IDC_NUMBER, m_number);
        DDV_MinMaxInt(dx, m_number, 1, 65535);
        DDX_Check(dx, IDC_CHECK, m_check);
        DDX_Radio(dx, IDC_RADIO1, m_radio);
    }
};

bool Checked(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Click(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

TEST(DialogTest, TheDialogShowsTheMembersAndGivesBackWhatTheUserChanged)
{
    CProbeDialog dialog;
    bool shown = false;
    fwtest::CScript script;
    script.Then(fwtest::WhenShown("Probe dialog", [&](HWND dlg) {
        shown = CWnd(dlg).GetDlgItemText(IDC_NAME) == "Apache" && CWnd(dlg).GetDlgItemText(IDC_NUMBER) == "80" &&
                Checked(dlg, IDC_CHECK) && Checked(dlg, IDC_RADIO3) && !Checked(dlg, IDC_RADIO1) &&
                !Checked(dlg, IDC_AFTER_RADIOS);
        ::SetDlgItemTextA(dlg, IDC_NAME, "httpd");
        ::SetDlgItemTextA(dlg, IDC_NUMBER, " 8080");
        Click(dlg, IDC_CHECK);
        Click(dlg, IDC_RADIO1);
        Click(dlg, IDOK);
    }));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialog.m_name, "httpd");
    EXPECT_EQ(dialog.m_number, 8080);
    EXPECT_EQ(dialog.m_check, 0);
    EXPECT_EQ(dialog.m_radio, 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(DialogTest, ARefusedNumberIsReportedAndTheDialogStaysOpen)
{
    CProbeDialog dialog;
    std::string reported;
    bool stillOpen = false;
    fwtest::CScript script;
    script
        .Then(fwtest::WhenShown("Probe dialog",
                                [&](HWND dlg) {
                                    ::SetDlgItemTextA(dlg, IDC_NUMBER, "eighty");
                                    ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
                                }))
        .Then(fwtest::WhenShown("FwDialogTest",
                                [&](HWND box) {  // the application's name as caption
                                    reported = fwtest::MessageBoxText(box);
                                    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                                }))
        .Then(fwtest::WhenGone("FwDialogTest",
                               [&] {
                                   HWND dlg = fwtest::FindThreadWindow("Probe dialog");
                                   stillOpen = dlg != nullptr && ::GetFocus() == ::GetDlgItem(dlg, IDC_NUMBER);
                                   ::SetDlgItemTextA(dlg, IDC_NUMBER, "70000");
                                   ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
                               }))
        .Then(fwtest::WhenShown("FwDialogTest",
                                [&](HWND box) {
                                    reported.append("|").append(fwtest::MessageBoxText(box));
                                    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                                }))
        .Then(fwtest::WhenGone("FwDialogTest", [&] {
            HWND dlg = fwtest::FindThreadWindow("Probe dialog");
            ::SetDlgItemTextA(dlg, IDC_NUMBER, "443");
            Click(dlg, IDOK);
        }));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(script.timedOut);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(reported, "Please enter an integer.|Please enter an integer between 1 and 65535.");
    EXPECT_EQ(dialog.m_number, 443);
}

TEST(DialogTest, EscapeGoesThroughPreTranslateMessageAndCancelsWithoutChanges)
{
    CProbeDialog dialog;
    fwtest::CScript script;
    script.Then(fwtest::WhenShown("Probe dialog", [&](HWND dlg) {
        HWND name = ::GetDlgItem(dlg, IDC_NAME);
        ::SetWindowTextA(name, "changed");
        ::SetFocus(name);
        ::PostMessageA(name, WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_escapesSeen, 1);
    EXPECT_EQ(dialog.m_name, "Apache");
}

TEST(DialogTest, AParentlessDialogIsOwnedByTheActiveWindowWhichWaitsDisabled)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                               nullptr));
    ::SetForegroundWindow(owner.m_hWnd);
    ::SetActiveWindow(owner.m_hWnd);
    ASSERT_EQ(::GetActiveWindow(), owner.m_hWnd);

    CProbeDialog dialog;
    HWND ownerSeen = nullptr;
    bool ownerEnabledDuring = true;
    fwtest::CScript script;
    script.Then(fwtest::WhenShown("Probe dialog", [&](HWND dlg) {
        ownerSeen = ::GetWindow(dlg, GW_OWNER);
        ownerEnabledDuring = ::IsWindowEnabled(owner.m_hWnd) != FALSE;
        Click(dlg, IDCANCEL);
    }));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(ownerSeen, owner.m_hWnd);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(DialogTest, AModelessChildDialogLivesInsideItsParent)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Page parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                nullptr));
    class CPage : public CDialog {
    public:
        int m_option = 1;

    protected:
        void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, IDC_PAGE_CHECK, m_option); }
        void OnCancel() override {}  // a page is not closed by Esc
    } page;
    ASSERT_TRUE(page.Create(IDD_PAGE, &parent));
    EXPECT_EQ(::GetParent(page.m_hWnd), parent.m_hWnd);
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    EXPECT_TRUE(Checked(page.m_hWnd, IDC_PAGE_CHECK));  // OnInitDialog exchanged the member

    page.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(page.IsWindow());
    Click(page.m_hWnd, IDC_PAGE_CHECK);
    ASSERT_TRUE(page.UpdateData(true));
    EXPECT_EQ(page.m_option, 0);
}

class CControlsDialog : public CDialog {
public:
    CControlsDialog() : CDialog(IDD_CONTROLS) {}
    CComboBox m_combo;
    CSpinButtonCtrl m_spin;
    CHotKeyCtrl m_hotKey;
    CTreeCtrl m_tree;
    CListCtrl m_list;
    CToolTipCtrl m_tips;
    CImageList m_images;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_COMBO, m_combo);
        DDX_Control(dx, IDC_SPIN, m_spin);
        DDX_Control(dx, IDC_HOTKEY, m_hotKey);
        DDX_Control(dx, IDC_TREE, m_tree);
        DDX_Control(dx, IDC_LIST, m_list);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_combo.AddString("httpd.conf");
        m_combo.AddString("access.conf");
        m_combo.AddString("srm.conf");
        m_combo.SetCurSel(1);
        m_spin.SetRange32(1, 10);
        m_spin.SetPos32(5);
        m_hotKey.SetHotKey('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
        m_images.Create(IDB_STRIP, 16, 0, RGB(255, 0, 255));
        m_tree.SetImageList(m_images);
        HTREEITEM logs = m_tree.InsertItem("Logs", 0, 0);
        m_tree.InsertItem("access.log", 1, 1, logs);
        m_tree.InsertItem("error.log", 2, 2, logs);
        m_tree.Expand(logs, TVE_EXPAND);
        m_list.InsertColumn(0, "Host", LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, "Project", LVCFMT_LEFT, 80);
        m_list.InsertItem(0, "localhost");
        m_list.SetItemText(0, 1, "C:\\www\\site.prj");
        m_tips.Create(this);
        m_tips.AddTool(GetDlgItem(IDC_COMBO), "Files to open");
        return TRUE;
    }
};

TEST(DialogTest, ControlWrappersShowWhatTheyAreGiven)
{
    CControlsDialog dialog;
    std::string comboText, spinText, listText, treeFirstChild;
    WORD key = 0, modifiers = 0;
    int toolCount = 0, imageCount = 0;
    COLORREF transparentCorner = 0, opaqueCentre = 0;
    fwtest::CScript script;
    script.Then(fwtest::WhenShown("Controls dialog", [&](HWND dlg) {
        comboText = CWnd(::GetDlgItem(dlg, IDC_COMBO)).GetWindowText();
        spinText = CWnd(dlg).GetDlgItemText(IDC_SPIN_EDIT);
        dialog.m_hotKey.GetHotKey(key, modifiers);
        listText = dialog.m_list.GetItemText(0, 1);
        HTREEITEM logs = dialog.m_tree.GetRootItem();
        treeFirstChild = dialog.m_tree.GetItemText(dialog.m_tree.GetChildItem(logs));
        toolCount = dialog.m_tips.GetToolCount();
        imageCount = dialog.m_images.GetImageCount();
        // Draw image 2 (blue square) on white: the magenta border stays white.
        CClientDC screen(nullptr);
        CMemoryDC memory(screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(screen, 16, 16);
        CSelectObject select(memory, bitmap);
        RECT all{0, 0, 16, 16};
        ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        dialog.m_images.Draw(memory, 2, POINT{0, 0}, ILD_TRANSPARENT);
        transparentCorner = memory.GetPixel(1, 1);
        opaqueCentre = memory.GetPixel(8, 8);
        Click(dlg, IDOK);
    }));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(comboText, "access.conf");
    EXPECT_EQ(spinText, "5");
    EXPECT_EQ(key, 'K');
    EXPECT_EQ(modifiers, HOTKEYF_CONTROL | HOTKEYF_ALT);
    EXPECT_EQ(listText, "C:\\www\\site.prj");
    EXPECT_EQ(treeFirstChild, "access.log");
    EXPECT_EQ(toolCount, 1);
    EXPECT_EQ(imageCount, 3);
    EXPECT_EQ(transparentCorner, RGB(255, 255, 255));
    EXPECT_EQ(opaqueCentre, RGB(0, 0, 255));
}
}  // namespace
