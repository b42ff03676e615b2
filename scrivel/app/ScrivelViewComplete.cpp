// Completion in the view: Ctrl+Space, or a pause after three letters of a directive name at
// the start of a line, lists what may stand in the section around the caret; Enter or Tab
// takes the selected name, Esc closes the list. After "</" the innermost open section's
// name is put in with its ">".
#include <windows.h>

#include "Completion.h"
#include "Gdi.h"
#include "ConfLine.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "ScrivelView.h"
#include "resource.h"

namespace {
// The pause after typing before the list comes by itself.
constexpr UINT kAutoCompleteMs = 400;
constexpr UINT_PTR kAutoCompleteTimer = 0x5C02;
constexpr std::size_t kAutoCompleteLetters = 3;

bool IsNameKey(WPARAM ch)
{
    return ch < 128 && (conf::IsNameChar(static_cast<char>(ch)) || ch == '/');
}
}  // namespace

LRESULT CScrivelView::CaretIndex()
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end ? static_cast<LRESULT>(start) : -1;
}

bool CScrivelView::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The completion list lies on the text; painting the text must leave it alone.
    cs.style |= WS_CLIPCHILDREN;
    return CVQEditView::PreCreateWindow(cs);
}

void CScrivelView::StartCompletion(bool automatic)
{
    const directives::Catalogue& catalogue = ScrivelApp().m_catalogue;
    CScrivelDoc* doc = GetDocument();
    const LRESULT caret = CaretIndex();
    const LRESULT lineStart = SendMessage(EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
    if (!doc || catalogue.Empty() || caret < 0 || lineStart < 0 || caret < lineStart) {
        m_completion.Close();
        return;
    }
    const int line = CaretLine();
    const conf::CompletionPoint point = conf::CompletionAt(LineText(line, static_cast<int>(caret - lineStart)));
    const bool tooShort =
        automatic && point.kind == conf::CompletionPoint::kDirective && point.prefix.size() < kAutoCompleteLetters;
    if (point.kind == conf::CompletionPoint::kNone || tooShort) {
        m_completion.Close();
        return;
    }
    const std::vector<conf::OpenSection> enclosing = doc->m_sections.EnclosingAt(line);
    m_nCompletionStart = lineStart + static_cast<LRESULT>(point.wordStart);
    if (point.kind == conf::CompletionPoint::kSectionEnd) {
        m_completion.Close();
        if (enclosing.empty())
            return;
        SendMessage(EM_SETSEL, static_cast<WPARAM>(m_nCompletionStart), caret);
        SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>((enclosing.back().name + ">").c_str()));
        return;
    }
    std::vector<CCompletionList::Item> items;
    const unsigned context = conf::ContextAt(enclosing, doc->m_nFileContext);
    for (const directives::Directive* d :
         conf::Completions(catalogue, context, point.prefix, point.kind == conf::CompletionPoint::kSection))
        items.push_back({d->name, d->syntax});
    if (items.empty()) {
        m_completion.Close();
        return;
    }
    POINT at{};
    ::GetCaretPos(&at);
    TEXTMETRICA metrics{};
    {
        CClientDC dc(m_hWnd);
        CSelectObject font(dc, GetFont());
        ::GetTextMetricsA(dc, &metrics);
    }
    const int lineTop = at.y;
    at.y += metrics.tmHeight;
    m_completion.Show(m_hWnd, at, lineTop, GetFont(), items);
}

void CScrivelView::InsertCompletion()
{
    const std::string name = m_completion.Chosen();
    const LRESULT caret = CaretIndex();
    m_completion.Close();
    if (name.empty() || caret < m_nCompletionStart)
        return;
    SendMessage(EM_SETSEL, static_cast<WPARAM>(m_nCompletionStart), caret);
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(name.c_str()));
}

bool CScrivelView::PreTranslateMessage(MSG* msg)
{
    if (m_completion.IsShown() && msg->hwnd == m_hWnd && msg->message == WM_KEYDOWN) {
        switch (msg->wParam) {
            case VK_RETURN:
            case VK_TAB:
                if (::GetKeyState(VK_CONTROL) < 0)
                    break;
                InsertCompletion();
                return true;
            case VK_ESCAPE:
                m_completion.Close();
                return true;
            case VK_UP:
            case VK_DOWN:
            case VK_PRIOR:
            case VK_NEXT:
                m_completion.MoveSelection(msg->wParam);
                return true;
            case VK_BACK:
            case VK_SHIFT:
            case VK_CONTROL:
                break;
            default:
                // Any other move or edit key leaves the name.
                if (msg->wParam < '0')
                    m_completion.Close();
                break;
        }
    }
    return CVQEditView::PreTranslateMessage(msg);
}

bool CScrivelView::OnCompletionMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        case WM_TIMER:
            if (wParam != kAutoCompleteTimer)
                return false;
            KillTimer(kAutoCompleteTimer);
            if (::GetFocus() == m_hWnd && !m_completion.IsShown())
                StartCompletion(true);
            return true;
        case WM_COMMAND:
            if (!m_completion.IsShown() || reinterpret_cast<HWND>(lParam) != m_completion.Window())
                return false;
            // The list never keeps the keyboard; a double click takes its item.
            if (HIWORD(wParam) == LBN_DBLCLK)
                InsertCompletion();
            ::SetFocus(m_hWnd);
            return true;
        case WM_KILLFOCUS:
            if (reinterpret_cast<HWND>(wParam) != m_completion.Window())
                m_completion.Close();
            return false;
        case WM_LBUTTONDOWN:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_MOUSEWHEEL:
        case WM_SIZE:
            m_completion.Close();
            return false;
        default:
            return false;
    }
}

// After the editor took a typed character: the list follows the name, or comes after a pause.
void CScrivelView::OnCharTyped(WPARAM ch)
{
    if (m_completion.IsShown()) {
        StartCompletion(false);
        return;
    }
    if (ScrivelApp().m_bAutoComplete && IsNameKey(ch))
        SetTimer(kAutoCompleteTimer, kAutoCompleteMs);
    else
        KillTimer(kAutoCompleteTimer);
}
