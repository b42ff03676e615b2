#include "DocChecks.h"

#include <algorithm>

#include "CheckWorker.h"
#include "ScrivelApp.h"

namespace {

int g_nextId = 1;
std::vector<CDocChecks*> g_all;  // the window's thread's own

}  // namespace

CDocChecks::CDocChecks(CVQEdit& edit, std::function<void()> changed)
    : m_edit(edit), m_changed(std::move(changed)), m_id(g_nextId++)
{
    m_watching = m_edit.AddWatcher(this) != FALSE;
    g_all.push_back(this);
}

CDocChecks::~CDocChecks()
{
    std::erase(g_all, this);
    if (m_watching)
        m_edit.RemoveWatcher(this);
    if (m_started && ScrivelApp().Checks())
        ScrivelApp().Checks()->Close(m_id);
}

void CDocChecks::Start(const std::string& path, bool htaccess)
{
    check::CheckWorker* worker = ScrivelApp().Checks();
    m_path = path;
    m_htaccess = htaccess;
    if (!worker || !m_watching)
        return;
    std::string text;
    for (const std::string& line : Lines(0, m_edit.GetLineCount()))
        text.append(line).push_back('\n');
    if (!text.empty())
        text.pop_back();
    m_started = true;
    m_edits = 1;
    worker->Open(m_id, m_path, std::move(text), m_htaccess);
}

void CDocChecks::Stop()
{
    if (m_started && ScrivelApp().Checks())
        ScrivelApp().Checks()->Close(m_id);
    m_started = false;
    m_problems.reset();
    m_changed();
}

std::vector<std::string> CDocChecks::Lines(int first, int count) const
{
    std::vector<std::string> lines(static_cast<std::size_t>(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        std::string& line = lines[static_cast<std::size_t>(i)];
        m_edit.GetLineText(first + i, line);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    }
    return lines;
}

// Called from the editor component: nothing may leave it.
void CDocChecks::OnTextChanged(int firstLine, int linesRemoved, int linesAdded)
{
    if (!m_started)
        return;
    try {
        if (firstLine < 0) {
            Start(m_path, m_htaccess);
            return;
        }
        ScrivelApp().Checks()->Change(m_id, firstLine, linesRemoved + 1, Lines(firstLine, linesAdded + 1));
        ++m_edits;
    } catch (...) {
        m_started = false;  // a change the thread did not get: it is given the whole text next time
    }
}

void CDocChecks::OnAnswer(int document)
{
    const auto found =
        std::find_if(g_all.begin(), g_all.end(), [document](const CDocChecks* c) { return c->m_id == document; });
    if (found != g_all.end())
        (*found)->TakeAnswer();
}

const std::vector<check::Problem>& CDocChecks::Problems() const
{
    static const std::vector<check::Problem> kNone;
    return m_problems ? *m_problems : kNone;
}

// Taken as found, without comparing with the last: the view repaints only the lines whose
// marks changed.
void CDocChecks::TakeAnswer()
{
    check::ProblemList problems;
    unsigned edits = 0;
    // An answer to an older text waits for the one to the newest, already on its way.
    if (!m_started || !ScrivelApp().Checks()->Take(m_id, problems, edits) || edits != m_edits || problems == m_problems)
        return;
    std::swap(m_problems, problems);
    m_changed();
    ScrivelApp().Checks()->Discard(std::move(problems));
}
