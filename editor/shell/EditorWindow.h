#pragma once
// One editor window over a buffer: turns the window's messages into calls on its own
// editing session (caret, selection, edits) and paints the buffer's visible lines. Several
// windows may show one buffer; each repaints when any of them changes it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ConfLexer.h"
#include "EditBuffer.h"
#include "EditSession.h"
#include "FindDialog.h"
#include "Gdi.h"
#include "OffscreenSurface.h"
#include <editor/VQMarks.h>

namespace tessaly::editor {

class EditorWindow : private BufferListener {
public:
    // keywords may be null (nothing is coloured as a keyword).
    EditorWindow(EditBuffer& buffer, const KeywordLookup* keywords);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // The window whose messages this object handles; it does not own it.
    void Attach(HWND wnd);
    void Detach();
    HWND Window() const { return m_wnd; }

    // The message entry: true when handled, with the answer in result.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    EditSession& Session() { return m_session; }
    EditBuffer& Buffer() { return m_buffer; }
    void SetKeywords(const KeywordLookup* keywords);

    // Re-reads font, colours and tab width from the buffer's settings and repaints.
    void ApplySettings();
    void Repaint();
    HFONT CurrentFont() const { return m_font.GetSafeHandle(); }

    // Commands, each answering whether it did something.
    bool Undo();
    bool Redo();
    bool Cut();
    bool Copy();
    bool Paste();
    bool Clear();
    void SelectAll();
    // Finds the last searched text again (the selection or the word at the caret when
    // nothing was searched yet); up when reverse.
    bool FindNext(bool reverse = false);
    void ShowFindDialog(bool replace);
    // A search that shows its progress when it takes long, and stops at Esc.
    EditSession::FindResult FindWithProgress(const FindOptions& options, bool wrap);
    // Told of each find or replace dialog this window opens, so that the message loop can
    // pass the dialog its keys.
    void SetDialogShownHandler(void (*shown)(HWND dialog)) { m_find.SetShownHandler(shown); }
    bool CanUndo() const { return m_session.CanUndo(); }
    bool CanRedo() const { return m_session.CanRedo(); }
    bool CanCut() const { return m_session.CanCut(); }
    bool CanCopy() const { return m_session.CanCopy(); }
    bool CanPaste() const;
    bool IsOverwrite() const { return m_session.Overwrite(); }

    void GotoLine(Pos oneBasedLine);
    void TopOfFile();
    void BottomOfFile();
    void BeginningOfLine();
    // False when the last line is too long to be found before its lines are counted.
    bool StartOfLastLine();
    // The caret is on the last line and that line is shown whole.
    bool ShowsEnd();

    // The first visible line's start, and the line number when it is known without waiting.
    Pos TopPosition() const { return m_topPos; }
    Pos FirstVisibleLine();
    // Scrolls so that this line (from 0) is the first one shown.
    void ScrollToLine(Pos line);
    // The editor window of this process behind a window handle, or null.
    static EditorWindow* FromWindow(HWND wnd);

    // The parts of the text the host marks, drawn underlined in their kind's colour; replaces
    // those given before. Marks on lines the text no longer has are not drawn.
    void SetMarks(const VQMark* marks, std::size_t count);
    // The mark holding a byte of a line (from 0), or null.
    const VQMark* MarkAt(Pos line, Pos column) const;
    // The mark under a point of the client area, or null.
    const VQMark* MarkAtPoint(int x, int y) const;

    // Shows only the lines that pass the filter, found by a thread while the window shows
    // the first ones and the progress box lets the user stop; the caret stays on its line
    // (or the next one shown). Stopped keeps the lines found by then.
    enum class FilterOutcome { ShowsAll, Done, Stopped, Busy };
    FilterOutcome Filter(const LineFilterOptions& options);
    // Shows the whole text again, the caret at the start of the line it was on.
    void ClearFilter();
    bool FilterRunning() const { return m_filterRunning; }
    // The colour of a line's text from its first kLineColourBytes bytes, CLR_INVALID for the
    // settings' text colour; none: every line in that colour.
    static constexpr Pos kLineColourBytes = 16 * 1024;
    using LineColour = std::function<COLORREF(std::string_view head)>;
    void SetLineColour(LineColour colour) { m_lineColour = std::move(colour); }

    // Waits for a file's full line index, showing progress in the window; false when the
    // text has none to wait for or the wait failed.
    bool WaitForFullIndex();

private:
    // Messages, by concern.
    void OnPaint();
    void OnSize();
    void OnSetFocus();
    void OnKillFocus();
    bool OnKeyDown(WPARAM key);
    bool OnChar(WPARAM ch);
    void OnLButtonDown(LPARAM lParam, WPARAM flags);
    void OnLButtonDblClk(LPARAM lParam);
    void OnMouseMove(LPARAM lParam, WPARAM flags);
    void OnLButtonUp(LPARAM lParam, WPARAM flags);
    void OnRButtonDown(LPARAM lParam);
    void OnContextMenu(LPARAM lParam);
    void OnVScroll(WPARAM wParam);
    void OnHScroll(WPARAM wParam);
    void OnMouseWheel(WPARAM wParam);
    void OnTimer(WPARAM id);
    bool OnEditMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnFindMessage(LPARAM lParam);

    // Dragging selected text to another place of this or another editor window.
    void BeginDragCandidate(POINT pt);
    void OnDragMouseMove(POINT pt, bool copy);
    void EndDrag(POINT pt, bool copy);
    void ShowDropCaret(POINT clientPt);
    void HideDropCaret();
    bool AcceptsDrop() const { return m_buffer.CanEdit(); }

    // Buffer changes from any view.
    void OnBufferChange(const DocChange& change) override;
    bool ShownRange(Pos& from, Pos& to) const override;
    // Bytes were appended to the file shown, after oldEnd.
    void OnFileGrown(Pos oldEnd);

    // Painting.
    void PaintWindow();
    void PaintLine(HDC dc, int y, Pos lineStart, int width);
    void PaintProgress(HDC dc, double fraction);
    // The wavy underlines of the marks on a painted line; byteColumns: the column of each
    // byte painted (and one past the last).
    void PaintMarks(HDC dc, int y, Pos line, const std::vector<Pos>& byteColumns);
    COLORREF StyleColour(Style style) const;
    COLORREF TextColourOf(const std::string& visible, const EditSession::LineSpan& span);
    // The line of the whole text the caret is on, and the caret put at a line's start.
    Pos WholeLineAtCaret() const;
    void CaretToWholeLine(Pos line);

    // Geometry: rows from the top of the client area, columns of the tab-expanded text.
    int LinesPerPage() const;
    int VisibleColumns() const;
    Pos NextLineStart(Pos lineStart) const;
    Pos PreviousLineStart(Pos lineStart) const;
    // The row of the line holding pos; -1 above the window, LinesPerPage() + 1 below it.
    int RowOf(Pos pos);
    Pos LineStartAtRow(int row) const;
    Pos PositionFromPoint(int x, int y) const;
    POINT PointOfPosition(Pos pos);
    // The visible rows of the selection (of the caret without one), in screen coordinates.
    RECT SelectionRowsOnScreen();

    // Scrolling.
    void ScrollLines(Pos delta);
    void ScrollTo(Pos lineStart);
    void ScrollColumns(Pos delta);
    void EnsureCaretVisible();
    void UpdateScrollBars();  // soon, after what is queued
    void UpdateScrollBarsNow();
    void SetScrollInfoIfChanged(int bar, const SCROLLINFO& info);
    void UpdateIndexTimer();

    // The caret is drawn with the text (the system's caret is kept, hidden, for tools that
    // follow it): moving it repaints its old and new places; a timer makes it blink.
    void UpdateCaret();
    void RefreshCaretShape();
    void OnCaretTimer();
    void InvalidateCaret();
    void PaintCaret(HDC dc, int y);
    // Selection repaint after a move or an edit.
    void InvalidateRows(int first, int last);
    // Lines were added (or removed, when negative) after the line on this row: the rows
    // below move by as many rows instead of being painted again.
    void ShiftRowsBelow(int row, Pos linesAdded);
    void InvalidateBetween(Pos a, Pos b);
    // Runs a move of the session and repaints what changed.
    void DoMove(const std::function<void()>& move);
    // Runs an edit; beeps when the buffer refused it.
    bool DoEdit(const std::function<bool()>& edit);
    void AfterSelectionChange(Pos oldAnchor, Pos oldCaret);

    bool ShiftDown() const { return ::GetKeyState(VK_SHIFT) < 0; }
    bool CtrlDown() const { return ::GetKeyState(VK_CONTROL) < 0; }

    EditBuffer& m_buffer;
    EditSession m_session;
    const KeywordLookup* m_keywords;
    HWND m_wnd = nullptr;
    FindDialog m_find;

    CFont m_font;
    OffscreenSurface m_offscreen;  // what painting draws into first
    int m_lineHeight = 16;
    int m_charWidth = 8;
    int m_ascent = 12;
    static constexpr int kMargin = 2;
    // The timer that follows a file's background indexing (scroll bar, progress sign).
    static constexpr UINT_PTR kIndexTimer = 1;
    static constexpr UINT_PTR kCaretTimer = 2;

    std::vector<VQMark> m_marks;       // by line
    std::vector<VQMark> m_spareMarks;  // the last ones but one, their memory kept for the next
    Pos m_topPos = 0;                  // start of the first visible line
    Pos m_firstColumn = 0;             // first visible column
    Pos m_widestColumns = 0;           // the widest line painted so far, for the horizontal bar
    int m_scrollScale = 1;             // scroll-bar units per line (or per byte while indexing)
    bool m_scrollByBytes = false;
    int m_wheelDelta = 0;
    bool m_hasFocus = false;
    bool m_selecting = false;
    bool m_dragPending = false;  // pressed inside the selection
    bool m_dragging = false;     // and moved far enough to drag it
    POINT m_dragStart{};
    HWND m_dropWindow = nullptr;  // the editor window under the dragged text
    POINT m_dropPoint{-1, -1};    // where this window shows a drop would go
    bool m_indexTimer = false;
    Pos m_lastLineCount = 0;
    std::vector<StyleRun> m_runs;  // reused while painting
    POINT m_caretPoint{-1, -1};    // where the caret is drawn
    bool m_caretOn = true;         // the blink's phase
    UINT m_updateBarsMessage = 0;
    bool m_barsPending = false;     // the message that updates them is posted
    bool m_barsAfterPaint = false;  // it came while text waited to be painted
    SCROLLINFO m_lastVScroll{};     // what the scroll bars were last given
    SCROLLINFO m_lastHScroll{};
    bool m_filterRunning = false;
    LineColour m_lineColour;
    std::string m_colourHead;  // a line's first bytes, when more than are painted
};

// The registry behind EditorWindow::FromWindow, kept by Attach and Detach.
void RegisterEditorWindow(HWND wnd, EditorWindow* editor);
void UnregisterEditorWindow(HWND wnd);

}  // namespace tessaly::editor
