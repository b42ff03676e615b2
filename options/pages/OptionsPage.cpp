#include "OptionsPage.h"

#include <utility>

#include "PageFrame.h"
#include "PageHost.h"

namespace {
constexpr int kMaxTipWidth = 300;
}  // namespace

COptionsPage::COptionsPage(UINT templateId, const char* helpTopic)
    : CDialog(templateId), m_strHelpTopic(helpTopic ? helpTopic : "")
{}

void COptionsPage::OnPageShown() {}

void COptionsPage::OnFrameOK(BOOL) {}

void COptionsPage::Apply() {}

void COptionsPage::SetModified()
{
    if (m_pFrame)
        m_pFrame->SetPageChanged(m_nIndex, TRUE);
}

void COptionsPage::AddToolTip(int controlId)
{
    CToolTipCtrl& tips = pagehost::PageToolTip();
    if (!tips.IsWindow()) {
        m_waitingTips.push_back(controlId);
        return;
    }
    HWND control = GetDlgItem(controlId);
    const std::string text = AfxLoadString(static_cast<UINT>(controlId));
    if (control && !text.empty())
        tips.AddTool(control, text.c_str());
}

void COptionsPage::MakeSharedToolTip()
{
    CToolTipCtrl& tips = pagehost::PageToolTip();
    if (tips.IsWindow() || !tips.Create(this))
        return;
    tips.SetMaxTipWidth(kMaxTipWidth);
    tips.Activate(pagehost::TooltipsOn());
}

void COptionsPage::AddWaitingToolTips()
{
    for (int id : std::exchange(m_waitingTips, {}))
        AddToolTip(id);
}

void COptionsPage::DoDataExchange(CDataExchange*) {}

BOOL COptionsPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A page made after the frame's tooltips has its tips at once.
    if (m_pFrame && m_pFrame->ToolTipsMade())
        MakeSharedToolTip();
    return TRUE;
}

void COptionsPage::OnCancel() {}

bool COptionsPage::PreTranslateMessage(MSG* msg)
{
    CToolTipCtrl& tips = pagehost::PageToolTip();
    if (tips.IsWindow())
        tips.RelayEvent(msg);
    if (m_pFrame && m_pFrame->GetAccelerators() &&
        ::TranslateAcceleratorA(m_pFrame->FrameWindow(), m_pFrame->GetAccelerators(), msg))
        return true;
    // The dialog keys are the frame's: the page sits in the page area, not in a dialog, so
    // its own translation would keep Shift+Tab inside it and give Esc and Enter to it. The
    // frame's translation, which comes next, moves across the tree, the page and the
    // buttons, and Esc and Enter reach Cancel and OK.
    return false;
}
