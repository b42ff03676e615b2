// Printing a view's buffer: its lines in the view's font, the document's name and the
// page number in a header on every page.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "Document.h"
#include "EditorWindow.h"
#include "Gdi.h"
#include "PrintInfo.h"
#include "VQEditViewPrintLayout.h"

namespace {

// Tabs expanded to the buffer's width; control bytes shown as dots.
std::string Printable(const std::string& line, int tabWidth)
{
    std::string out;
    for (const char c : line) {
        if (c == '\t')
            out.append(static_cast<std::size_t>(tabWidth - static_cast<int>(out.size()) % tabWidth), ' ');
        else
            out.push_back(static_cast<unsigned char>(c) < 0x20 ? '.' : c);
    }
    return out;
}

// Where a page's text goes: the surface the printer gives, less a margin of half an inch
// (at most a tenth of the page), so that nothing stands on the paper's very edge, where
// printers and the preview's frame cut it off.
RECT PrintArea(HDC dc, const CPrintInfo& info)
{
    RECT page = info.m_rectDraw;
    if (page.bottom <= page.top)
        page = RECT{0, 0, ::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES)};
    const int marginX = std::min<int>(::GetDeviceCaps(dc, LOGPIXELSX) / 2, (page.right - page.left) / 10);
    const int marginY = std::min<int>(::GetDeviceCaps(dc, LOGPIXELSY) / 2, (page.bottom - page.top) / 10);
    ::InflateRect(&page, -std::max(0, marginX), -std::max(0, marginY));
    return page;
}

}  // namespace

bool CVQEditView::OnPreparePrinting(CPrintInfo* info)
{
    // The printer dialog (or the default printer) gives the printer's surface; the page
    // count is known once its page size is (OnBeginPrinting).
    return info != nullptr && DoPreparePrinting(info);
}

void CVQEditView::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info || !GetEditorWindow())
        return;
    tessaly::editor::EditorWindow& editor = *GetEditorWindow();
    editor.WaitForFullIndex();
    const CVQEdit* edit = GetEdit();
    const tessaly::editor::EditorSettings& s =
        edit ? static_cast<const tessaly::editor::EditorSettings&>(*edit) : editor.Buffer().Settings();
    LOGFONTA lf{};
    lf.lfHeight = -::MulDiv(s.m_nFontSize > 0 ? s.m_nFontSize : 10, ::GetDeviceCaps(*dc, LOGPIXELSY), 72);
    lf.lfWeight = s.m_nFontWeight;
    lf.lfItalic = s.m_nFontItalic ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(s.m_nFontCharSet);
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(lf.lfFaceName, s.m_strFontName.c_str(), LF_FACESIZE);
    m_pPrint->font.CreateFontIndirect(lf);
    CSelectObject select(*dc, m_pPrint->font);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(*dc, &tm);
    m_pPrint->lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    m_pPrint->charWidth = std::max<int>(1, tm.tmAveCharWidth);
    m_pPrint->headerHeight = m_pPrint->lineHeight * 2;
    const RECT page = PrintArea(*dc, *info);
    m_pPrint->linesPerPage =
        std::max(1, static_cast<int>((page.bottom - page.top - m_pPrint->headerHeight) / m_pPrint->lineHeight));
    const long long lines = std::max<long long>(1, editor.Buffer().Text().LineCount());
    const long long pages = (lines + m_pPrint->linesPerPage - 1) / m_pPrint->linesPerPage;
    info->SetMaxPage(static_cast<UINT>(std::min<long long>(pages, 0xFFFF)));
}

void CVQEditView::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info || !GetEditorWindow() || !m_pPrint->font)
        return;
    const tessaly::editor::EditBuffer& buffer = GetEditorWindow()->Buffer();
    const tessaly::editor::TextSource& text = buffer.Text();
    const RECT page = PrintArea(*dc, *info);
    CSelectObject select(*dc, m_pPrint->font);
    ::SetTextColor(*dc, RGB(0, 0, 0));
    ::SetBkMode(*dc, TRANSPARENT);

    // The header: the document's name on the left, the page number on the right, a rule.
    const std::string name = GetDocument() ? GetDocument()->GetTitle() : std::string();
    char number[32];
    std::snprintf(number, sizeof number, "Page %u", info->m_nCurPage);
    ::TextOutA(*dc, page.left, page.top, name.c_str(), static_cast<int>(name.size()));
    SIZE extent{};
    ::GetTextExtentPoint32A(*dc, number, static_cast<int>(std::strlen(number)), &extent);
    ::TextOutA(*dc, page.right - extent.cx, page.top, number, static_cast<int>(std::strlen(number)));
    const int rule = page.top + m_pPrint->lineHeight + m_pPrint->lineHeight / 4;
    ::MoveToEx(*dc, page.left, rule, nullptr);
    ::LineTo(*dc, page.right, rule);

    const int columns = std::max(1, static_cast<int>((page.right - page.left) / m_pPrint->charWidth));
    const long long first = static_cast<long long>(info->m_nCurPage - 1) * m_pPrint->linesPerPage;
    const int tabWidth = buffer.Settings().TabWidth();
    for (int i = 0; i < m_pPrint->linesPerPage && first + i < text.LineCount(); ++i) {
        const long long line = first + i;
        const long long length = std::min<long long>(text.LineLength(line), columns * 2);
        std::string shown = Printable(text.Text(text.LineStart(line), length), tabWidth);
        if (static_cast<int>(shown.size()) > columns)
            shown.resize(static_cast<std::size_t>(columns));
        ::TextOutA(*dc, page.left, page.top + m_pPrint->headerHeight + i * m_pPrint->lineHeight, shown.c_str(),
                   static_cast<int>(shown.size()));
    }
    info->m_bContinuePrinting = first + m_pPrint->linesPerPage < text.LineCount();
}

void CVQEditView::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_pPrint->font.DeleteObject();
}
