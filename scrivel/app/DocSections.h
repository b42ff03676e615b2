#pragma once
// The sections of one document's text, kept up to date as the text changes: which sections
// enclose a line, without reading the text again. The index is made on the first question
// after a whole new text (a file read), then follows each edit.

#include <string>
#include <vector>

#include <editor/VQEdit.h>

#include "SectionIndex.h"

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
