#include "FilterBar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FrameWnd.h"
#include "GeneralFlags.h"
#include "LogViewerApp.h"
#include "ScreenDpi.h"
#include "resource.h"

namespace {
constexpr UINT_PTR kTypingTimer = 0x464C;
// Typing filters once the user stops for this long.
constexpr UINT kTypingPauseMs = 400;
constexpr int kHeight = 30;

std::string TextOf(const CWnd& wnd)
{
    std::string text(static_cast<std::size_t>(std::max(0, ::GetWindowTextLengthA(wnd.m_hWnd))) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(wnd.m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Read each time the bar shows, so a change on the Options "Other" page counts at once.
bool TipsOn()
{
    const auto word = static_cast<std::uint32_t>(LogViewerApp().GetProfileInt(
        settings::kSection, settings::kGeneral, static_cast<int>(settings::kGeneralDefault)));
    return general::Has(word, general::kShowTooltips);
}
}  // namespace

bool CFilterBar::Create(CFrameWnd* parent)
{
    m_dwStyle = CBRS_TOP;
    const char* cls =
        AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(0, cls, "Filter", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 100, AfxScaleForDpi(kHeight), parent->m_hWnd,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_FILTER_BAR))))
        return false;
    JoinFrame(parent);
    const RECT none{0, 0, 10, 10};
    if (!m_label.Create("Filter:", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, none, this) ||
        !m_text.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, none, this, IDC_FILTER_TEXT) ||
        !m_matchCase.Create("Match case", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, none, this,
                            IDC_FILTER_CASE) ||
        !m_exclude.Create("Hide matching lines", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, none, this,
                          IDC_FILTER_EXCLUDE) ||
        !m_contextLabel.Create("Context:", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, none, this) ||
        !m_context.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER, none, this, IDC_FILTER_CONTEXT))
        return false;
    m_spin = ::CreateWindowExA(
        0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 0, 0,
        m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_FILTER_CONTEXT_SPIN)), nullptr, nullptr);
    const HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
    for (CWnd* control :
         {static_cast<CWnd*>(&m_label), static_cast<CWnd*>(&m_text), static_cast<CWnd*>(&m_matchCase),
          static_cast<CWnd*>(&m_exclude), static_cast<CWnd*>(&m_contextLabel), static_cast<CWnd*>(&m_context)})
        control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    m_filling = true;
    m_context.LimitText(1);
    if (m_spin) {
        ::SendMessageA(m_spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_context.m_hWnd), 0);
        ::SendMessageA(m_spin, UDM_SETRANGE32, 0, 9);
        ::SendMessageA(m_spin, UDM_SETPOS32, 0, 0);
    }
    ::SetWindowTextA(m_context.m_hWnd, "0");
    m_filling = false;
    AddTips();
    return true;
}

void CFilterBar::AddTips()
{
    if (!m_tips.Create(this))
        return;  // the bar works without tips
    m_tips.SetMaxTipWidth(AfxScaleForDpi(300));
    for (const CWnd* control : {static_cast<const CWnd*>(&m_text), static_cast<const CWnd*>(&m_matchCase),
                                static_cast<const CWnd*>(&m_exclude), static_cast<const CWnd*>(&m_context)}) {
        const std::string text = AfxLoadString(static_cast<UINT>(::GetDlgCtrlID(control->m_hWnd)));
        if (!text.empty())
            m_tips.AddTool(control->m_hWnd, text.c_str());
    }
    m_tips.Activate(TipsOn());
}

SIZE CFilterBar::CalcFixedLayout(bool, bool horizontal)
{
    const int height = AfxScaleForDpi(kHeight);
    return horizontal ? SIZE{32767, height} : SIZE{height, 32767};
}

void CFilterBar::LayOut(int width)
{
    auto scale = [](int pixels) { return AfxScaleForDpi(pixels); };
    const int height = scale(kHeight);
    const int row = scale(22);
    const int top = (height - row) / 2;
    int x = scale(6);
    auto place = [&](CWnd& control, int w) {
        ::MoveWindow(control.m_hWnd, x, top, w, row, TRUE);
        x += w + scale(6);
    };
    place(m_label, scale(34));
    // The text box takes what the others leave, within reason.
    const int others = scale(90 + 140 + 52 + 44 + 40);
    place(m_text, std::max(scale(120), std::min(scale(480), width - x - others)));
    place(m_matchCase, scale(90));
    place(m_exclude, scale(140));
    place(m_contextLabel, scale(52));
    place(m_context, scale(44));
    if (m_spin)
        ::SendMessageA(m_spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_context.m_hWnd), 0);
}

FilterChoice CFilterBar::Choice() const
{
    FilterChoice choice;
    choice.text = TextOf(m_text);
    choice.matchCase = m_matchCase.SendMessage(BM_GETCHECK) == BST_CHECKED;
    choice.exclude = m_exclude.SendMessage(BM_GETCHECK) == BST_CHECKED;
    choice.context = std::clamp(std::atoi(TextOf(m_context).c_str()), 0, 9);
    return choice;
}

void CFilterBar::Activate()
{
    if (CFrameWnd* frame = DockSite(); frame && !IsVisible())
        frame->ShowControlBar(this, true);
    if (m_tips.IsWindow())
        m_tips.Activate(TipsOn());
    ::SetFocus(m_text.m_hWnd);
    m_text.SetSel(0, -1);
}

bool CFilterBar::HasFocus() const
{
    const HWND focus = ::GetFocus();
    return focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
}

void CFilterBar::ClearText()
{
    ::KillTimer(m_hWnd, kTypingTimer);
    m_filling = true;
    ::SetWindowTextA(m_text.m_hWnd, "");
    m_filling = false;
}

void CFilterBar::Apply()
{
    ::KillTimer(m_hWnd, kTypingTimer);
    if (CFrameWnd* frame = DockSite())
        frame->SendMessage(WM_COMMAND, ID_FILTER_APPLY, 0);
}

void CFilterBar::ApplySoon()
{
    if (!m_filling)
        ::SetTimer(m_hWnd, kTypingTimer, kTypingPauseMs, nullptr);
}

bool CFilterBar::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || !HasFocus())
        return CControlBar::PreTranslateMessage(msg);
    switch (msg->wParam) {
        case VK_RETURN:
            Apply();
            return true;
        case VK_ESCAPE:
            ClearText();
            Apply();
            return true;
        case VK_TAB:
            // The bar is no dialog: Tab walks its controls here.
            if (HWND next = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), ::GetKeyState(VK_SHIFT) < 0))
                ::SetFocus(next);
            return true;
        default:
            return CControlBar::PreTranslateMessage(msg);
    }
}

bool CFilterBar::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_SIZE:
            LayOut(LOWORD(lParam));
            *result = 0;
            return true;
        case WM_TIMER:
            if (wParam == kTypingTimer) {
                Apply();
                *result = 0;
                return true;
            }
            break;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_FILTER_TEXT:
                case IDC_FILTER_CONTEXT:
                    if (HIWORD(wParam) == EN_CHANGE)
                        ApplySoon();
                    *result = 0;
                    return true;
                case IDC_FILTER_CASE:
                case IDC_FILTER_EXCLUDE:
                    if (HIWORD(wParam) == BN_CLICKED)
                        Apply();
                    *result = 0;
                    return true;
                default:
                    break;
            }
            break;
        default:
            break;
    }
    return CControlBar::OnWndMsg(msg, wParam, lParam, result);
}
