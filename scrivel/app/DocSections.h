#pragma once
// The sections of one document's text, kept up to date as the text changes: which sections
// enclose a line, without reading the text again. The index is made on the first question
// after a whole new text (a file read), then follows each edit.

#include <string>
#include <vector>

#include <editor/VQEdit.h>

#include "SectionIndex.h"

// A buffer's lines, whole, for readers of the configuration.
class CEditLines : public conf::LineReader {
public:
    explicit CEditLines(const CVQEdit& edit) : m_edit(edit) {}
    int LineCount() const override { return m_edit.GetLineCount(); }
    void ReadHead(int line, std::string& text) const override { m_edit.GetLineText(line, text); }

private:
    const CVQEdit& m_edit;
};

class CDocSections : private CVQEditWatcher, private conf::LineReader {
public:
    explicit CDocSections(CVQEdit& edit);
    ~CDocSections();
    CDocSections(const CDocSections&) = delete;
    CDocSections& operator=(const CDocSections&) = delete;

    // The sections opened before `line` (from 0) and still open there, the outermost first.
    std::vector<conf::OpenSection> EnclosingAt(int line);

private:
    void OnTextChanged(int firstLine, int linesRemoved, int linesAdded) override;
    int LineCount() const override;
    void ReadHead(int line, std::string& text) const override;

    CVQEdit& m_edit;
    conf::SectionIndex m_index;
    bool m_watching = false;
    bool m_stale = true;  // the text is new: the index is made again when next asked
};
