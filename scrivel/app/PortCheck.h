#pragma once
// The look at the ports the server will listen on, after the Launcher has answered "Save all
// and test" with "Syntax OK": the configuration is read and the system's listening sockets
// asked on a thread of its own, so the window never waits; the thread only posts a message
// to the frame, which takes the result on its own thread.

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>

struct PortCheckInput {
    std::string serverFolder;   // "ApachePath"
    std::string testSwitches;   // the "Test" command line
    std::string keywordFolder;  // where the keyword script lies
};

class CPortCheck {
public:
    CPortCheck() = default;
    CPortCheck(const CPortCheck&) = delete;
    CPortCheck& operator=(const CPortCheck&) = delete;
    ~CPortCheck() { Wait(); }

    // Starts a check. When it finds a port taken, `message` is posted to `frame` with the
    // check's number in wParam; Take gives its text then.
    void Start(const PortCheckInput& input, HWND frame, UINT message);
    // A newer report has come: what a running check finds is dropped.
    void Drop();
    // The text of check `number`; empty when it was dropped or a newer one started.
    std::string Take(WPARAM number);
    // Waits for a running check (a window being destroyed, a new check).
    void Wait();

private:
    std::thread m_worker;
    std::mutex m_mutex;    // guards the two below, which the worker writes
    WPARAM m_current = 0;  // the number of the latest check or drop
    std::string m_found;   // what check m_current found
};

// What a check finds (on any thread): the message naming the first port another program
// holds, or empty. A configuration that cannot be read or a table that cannot be had
// gives nothing.
std::string CheckServerPorts(const PortCheckInput& input);
