// The view's knowledge of the configuration at the caret: the directive on its line.
#include <windows.h>

#include "ConfLine.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "ScrivelView.h"

namespace {
// A statement goes on over lines that end in a backslash; so far back it is looked for.
constexpr int kMaxContinuedLines = 50;
// The start of a line is enough to find its directive.
constexpr int kHeadRoom = 512;
}  // namespace

int CScrivelView::CaretLine()
{
    return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
}

int CScrivelView::CaretColumn()
{
    DWORD start = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const LRESULT lineStart = SendMessage(EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
    return lineStart < 0 ? 0 : static_cast<int>(start - static_cast<DWORD>(lineStart));
}

std::string CScrivelView::LineText(int line, int room)
{
    std::string text;
    if (CVQEdit* edit = GetEdit())
        edit->GetLineText(line, text, room);
    return text;
}

std::string CScrivelView::CaretSyntaxLine()
{
    const directives::Catalogue& catalogue = ScrivelApp().m_catalogue;
    CVQEdit* edit = GetEdit();
    if (catalogue.Empty() || !edit)
        return std::string();
    int line = CaretLine();
    for (int back = 0; line > 0 && back < kMaxContinuedLines; ++back) {
        std::string previous;
        edit->GetLineText(line - 1, previous);
        if (previous.empty() || previous.back() != '\\')
            break;
        --line;
    }
    const std::string head = LineText(line, kHeadRoom);
    const conf::LineHead found = conf::HeadOf(head);
    if (found.name.empty() || found.kind == conf::LineHead::kComment)
        return std::string();
    const directives::Directive* directive = catalogue.Find(found.name);
    return directive ? directive->SyntaxLine() : std::string();
}
