#pragma once
// The checks of the open documents, run on a thread of their own so that typing never waits
// for them. The window's thread hands over each document's text once and then the lines each
// edit changed; the thread re-checks what the edits can change, reads the configuration
// again when a line that loads, includes or defines something changed, and tells `ready`
// (on its own thread) which document has new problems, which the window's thread takes.

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ConfigFacts.h"
#include "FileChecker.h"

namespace check {

class CheckWorker {
public:
    using Ready = std::function<void(int document)>;
    // The index must outlive the worker.
    CheckWorker(const DirectiveIndex& directives, Ready ready);
    ~CheckWorker();
    CheckWorker(const CheckWorker&) = delete;
    CheckWorker& operator=(const CheckWorker&) = delete;

    void SetStart(ConfigStart start);
    // `htaccess`: a per-folder file (named as the configuration's AccessFileName says).
    void Open(int document, std::string path, std::string text, bool htaccess = false);
    // Lines [first, first + removed) became `added`.
    void Change(int document, int first, int removed, std::vector<std::string> added);
    void Close(int document);

    // The problems last found in a document, and how many texts and edits it had been given
    // then (Open counts one): they fit the text when that is the count the caller gave.
    bool Take(int document, ProblemList& problems, unsigned& edits);
    // A list taken earlier and no longer needed: freeing tens of thousands of problems is
    // left to the thread, so that the keystroke that replaced them does not wait for it.
    void Discard(ProblemList problems);

private:
    struct Command {
        enum Kind { kStart, kOpen, kChange, kClose } kind = kStart;
        int document = 0;
        ConfigStart start;
        std::string path;
        std::string text;
        bool htaccess = false;
        int first = 0;
        int removed = 0;
        std::vector<std::string> added;
    };
    struct Document {
        std::unique_ptr<FileChecker> checker;
        unsigned edits = 0;
        bool htaccess = false;
    };
    struct Found {
        ProblemList problems;
        unsigned edits = 0;
    };
    class OpenTexts;

    void Post(Command command);
    void Run();
    // Applies one command; true when the configuration must be read again.
    bool Apply(Command& command, std::vector<int>& touched);
    void ReadConfiguration();

    const DirectiveIndex& m_directives;
    Ready m_ready;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::vector<Command> m_queue;          // under m_lock
    std::map<int, Found> m_found;          // under m_lock
    std::vector<ProblemList> m_discarded;  // under m_lock
    bool m_stop = false;                   // under m_lock
    // The thread's own.
    ConfigStart m_start;
    std::map<int, Document> m_documents;
    std::thread m_thread;
};

}  // namespace check
