#pragma once
// The checks of one document's text as it is typed: hands the text to the checks' thread
// once, then the lines each edit changed (from the editor's change reports, so that typing
// never waits), and keeps what the thread last found that fits the text as it is now.

#include <functional>
#include <string>
#include <vector>

#include <editor/VQEdit.h>

#include "Problem.h"

class CDocChecks : private CVQEditWatcher {
public:
    // `changed`: called when the problems shown must change.
    CDocChecks(CVQEdit& edit, std::function<void()> changed);
    ~CDocChecks();
    CDocChecks(const CDocChecks&) = delete;
    CDocChecks& operator=(const CDocChecks&) = delete;

    // The whole text handed over again, as the file at `path` ("" for a new document);
    // `htaccess`: a per-folder file.
    void Start(const std::string& path, bool htaccess = false);
    // Stops checking and forgets the problems.
    void Stop();
    const std::vector<check::Problem>& Problems() const;
    bool IsStarted() const { return m_started; }
    const std::string& Path() const { return m_path; }

    // The thread found problems in the document of this number: they are taken when they
    // fit the text.
    static void OnAnswer(int document);

private:
    void OnTextChanged(int firstLine, int linesRemoved, int linesAdded) override;
    std::vector<std::string> Lines(int first, int count) const;
    void TakeAnswer();

    CVQEdit& m_edit;
    std::function<void()> m_changed;
    const int m_id;
    std::string m_path;
    bool m_htaccess = false;
    bool m_watching = false;
    bool m_started = false;
    unsigned m_edits = 0;           // texts and edits handed over
    check::ProblemList m_problems;  // null: none
};
