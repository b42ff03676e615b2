#include "CheckWorker.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "ConfPath.h"

namespace check {

namespace {

// Words of the lines that change what the configuration loads, reads or defines.
bool ConcernsConfiguration(std::string_view line)
{
    std::string folded(line.substr(0, 200));
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    for (const char* word : {"loadmodule", "include", "define", "serverroot", "<if", "</if"}) {
        if (folded.find(word) != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace

// The open documents' texts in place of their files.
class CheckWorker::OpenTexts : public TextSource {
public:
    explicit OpenTexts(const std::map<int, Document>& documents) : m_documents(documents) {}
    bool Read(const std::string& path, std::string& text) const override
    {
        const std::string key = PathKey(path);
        for (const auto& [id, document] : m_documents) {
            const FileChecker& checker = *document.checker;
            if (PathKey(checker.Setting().path) != key)
                continue;
            text.clear();
            for (int line = 0; line < checker.LineCount(); ++line)
                text.append(checker.Line(line)).push_back('\n');
            return true;
        }
        return DiskText(path, text);
    }

private:
    static bool DiskText(const std::string& path, std::string& text);
    const std::map<int, Document>& m_documents;
};

bool CheckWorker::OpenTexts::DiskText(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream read;
    read << in.rdbuf();
    text = read.str();
    return true;
}

CheckWorker::CheckWorker(const DirectiveIndex& directives, Ready ready)
    : m_directives(directives), m_ready(std::move(ready)), m_thread([this] { Run(); })
{}

CheckWorker::~CheckWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CheckWorker::SetStart(ConfigStart start)
{
    Command c;
    c.kind = Command::kStart;
    c.start = std::move(start);
    Post(std::move(c));
}

void CheckWorker::Open(int document, std::string path, std::string text, bool htaccess)
{
    Command c;
    c.kind = Command::kOpen;
    c.document = document;
    c.path = std::move(path);
    c.text = std::move(text);
    c.htaccess = htaccess;
    Post(std::move(c));
}

void CheckWorker::Change(int document, int first, int removed, std::vector<std::string> added)
{
    Command c;
    c.kind = Command::kChange;
    c.document = document;
    c.first = first;
    c.removed = removed;
    c.added = std::move(added);
    Post(std::move(c));
}

void CheckWorker::Close(int document)
{
    Command c;
    c.kind = Command::kClose;
    c.document = document;
    Post(std::move(c));
}

bool CheckWorker::Take(int document, ProblemList& problems, unsigned& edits)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto found = m_found.find(document);
    if (found == m_found.end())
        return false;
    problems = found->second.problems;
    edits = found->second.edits;
    return true;
}

void CheckWorker::Discard(ProblemList problems)
{
    if (!problems)
        return;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_discarded.push_back(std::move(problems));
    }
    m_wake.notify_one();
}

void CheckWorker::Post(Command command)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_queue.push_back(std::move(command));
    }
    m_wake.notify_one();
}

void CheckWorker::Run()
{
    for (;;) {
        std::vector<Command> commands;
        std::vector<ProblemList> discarded;
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_wake.wait(lock, [this] { return m_stop || !m_queue.empty() || !m_discarded.empty(); });
            if (m_stop)
                return;
            commands.swap(m_queue);
            discarded.swap(m_discarded);
        }
        discarded.clear();
        std::vector<int> touched;
        bool reread = false;
        for (Command& c : commands)
            reread = Apply(c, touched) || reread;
        if (reread) {
            ReadConfiguration();
            for (const auto& entry : m_documents)
                touched.push_back(entry.first);
        }
        std::sort(touched.begin(), touched.end());
        touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
        for (int id : touched) {
            const auto document = m_documents.find(id);
            Found found;
            if (document != m_documents.end()) {
                found.problems = std::make_shared<const std::vector<Problem>>(document->second.checker->Problems());
                found.edits = document->second.edits;
            }
            {
                std::lock_guard<std::mutex> lock(m_lock);
                if (document == m_documents.end())
                    m_found.erase(id);
                else
                    m_found[id] = std::move(found);
            }
            if (document != m_documents.end())
                m_ready(id);
        }
    }
}

bool CheckWorker::Apply(Command& c, std::vector<int>& touched)
{
    touched.push_back(c.document);
    switch (c.kind) {
        case Command::kStart:
            m_start = std::move(c.start);
            return true;
        case Command::kOpen: {
            Document& d = m_documents[c.document];
            d.checker = std::make_unique<FileChecker>(m_directives);
            d.htaccess = c.htaccess;
            FileSetting setting;
            setting.path = c.path;
            setting.htaccess = c.htaccess;
            d.checker->SetSetting(std::move(setting));
            // Checked once the configuration has been read again (an opening always has it
            // read), under the setting that gives.
            d.checker->SetText(c.text, false);
            d.edits = 1;
            return true;
        }
        case Command::kChange: {
            const auto found = m_documents.find(c.document);
            if (found == m_documents.end())
                return false;
            FileChecker& checker = *found->second.checker;
            bool concerns = std::any_of(c.added.begin(), c.added.end(), ConcernsConfiguration);
            for (int line = std::max(0, c.first); line < std::min(checker.LineCount(), c.first + c.removed); ++line)
                concerns = concerns || ConcernsConfiguration(checker.Line(line));
            checker.ReplaceLines(c.first, c.removed, std::move(c.added));
            ++found->second.edits;
            return concerns;
        }
        case Command::kClose:
            m_documents.erase(c.document);
            return true;
    }
    return false;
}

void CheckWorker::ReadConfiguration()
{
    const OpenTexts texts(m_documents);
    const std::shared_ptr<const ConfigFacts> configuration =
        m_start.mainFile.empty() ? nullptr : ReadConfigFacts(m_start, texts);
    for (auto& [id, document] : m_documents) {
        FileChecker& checker = *document.checker;
        const std::string path = checker.Setting().path;
        std::shared_ptr<const ConfigFacts> own;
        if (!(configuration && configuration->Reaches(path))) {
            ConfigStart alone = m_start;
            alone.serverFolder =
                alone.serverFolder.empty() ? confpath::Folder(confpath::ToForwardSlashes(path)) : alone.serverFolder;
            alone.mainFile = path;
            own = ReadConfigFacts(alone, texts);
        }
        FileSetting setting = SettingFor(path, configuration, own);
        setting.htaccess = setting.htaccess || document.htaccess;
        checker.SetSetting(std::move(setting));
    }
}

}  // namespace check
