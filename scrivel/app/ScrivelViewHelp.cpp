// The view's context help: the keyword at the caret, its menu item, F1.
#include <windows.h>

#include <editor/KeywordNode.h>
#include <editor/Keywords.h>

#include "KeywordHelp.h"
#include "MainFrm.h"
#include "ScrivelHelp.h"
#include "ScrivelView.h"
#include "SettingsSchema.h"
#include "WinApp.h"
#include "resource.h"

bool CScrivelView::LookUpKeyword(std::string& word, std::string& helpPath)
{
    word.clear();
    helpPath.clear();
    GetSelWord(word);
    if (!keywordhelp::Qualifies(word))
        return false;
    const NODE* node = m_Keywords.FindNode(word.c_str(), 0, 0);
    if (!node)
        node = m_Keywords.FindNode(word.c_str(), 1, 0);
    if (node)
        helpPath.assign(node->szHelpPath, strnlen(node->szHelpPath, sizeof(node->szHelpPath)));
    return true;
}

void CScrivelView::ShowKeywordHelp()
{
    std::string word;
    std::string helpPath;
    if (!LookUpKeyword(word, helpPath))
        return;
    if (helpPath.empty()) {
        ::MessageBeep(MB_OK);
        return;
    }
    const std::string folder = AfxGetApp()->GetProfileString(settings::kSection, settings::kApachePath, "");
    auto* frame = static_cast<CMainFrame*>(AfxGetApp()->m_pMainWnd);
    if (frame)
        frame->ShowManualPage(keywordhelp::HelpPage(folder, helpPath, ServerManual()), folder);
}

bool CScrivelView::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // F1 in the text; a help request for a menu item goes on to the default handling.
    if (msg == WM_HELP && reinterpret_cast<const HELPINFO*>(lParam)->iContextType == HELPINFO_WINDOW) {
        ShowKeywordHelp();
        *result = TRUE;
        return true;
    }
    if (msg == VQEditContextMenuMessage()) {
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        const UINT state = LineNamesPath(CaretLine()) ? MF_ENABLED : MF_GRAYED;
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu, MF_STRING | state, ID_OPEN_INCLUDED, "Open &included file\tCtrl+Enter");
        *result = 0;
        return true;
    }
    OnProblemTipMessage(msg, lParam);
    if (OnCompletionMessage(msg, wParam, lParam)) {
        *result = 0;
        return true;
    }
    const bool handled = CVQEditView::OnWndMsg(msg, wParam, lParam, result);
    if (msg == WM_CHAR)
        OnCharTyped(wParam);
    return handled;
}

bool CScrivelView::HandleCommand(UINT id, UINT code)
{
    if (id == ID_HELP_KEYWORD) {
        ShowKeywordHelp();
        return true;
    }
    if (id == ID_NEXT_PROBLEM || id == ID_PREV_PROBLEM) {
        GoToProblem(id == ID_NEXT_PROBLEM);
        return true;
    }
    if (id == ID_EDIT_COMPLETE) {
        StartCompletion(false);
        return true;
    }
    if (id == ID_OPEN_INCLUDED) {
        OpenIncluded();
        return true;
    }
    return CVQEditView::HandleCommand(id, code);
}
