#pragma once
// A DDE server on a thread of the test: answers connections on one service and topic and
// records the execute requests it receives; it can be told to take longer than a client's
// time-out before it answers.

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CDdeTestServer {
public:
    CDdeTestServer(const std::string& service, const std::string& topic);
    ~CDdeTestServer();
    CDdeTestServer(const CDdeTestServer&) = delete;
    CDdeTestServer& operator=(const CDdeTestServer&) = delete;

    bool IsRunning() const { return m_bRunning; }
    void SetAnswerDelay(DWORD ms) { m_answerDelayMs = ms; }
    std::vector<std::string> Executes() const;
    int Connections() const;

private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ topic, HSZ service, HDDEDATA data,
                                      ULONG_PTR, ULONG_PTR);
    void Run(HANDLE ready);

    std::string m_service;
    std::string m_topic;
    DWORD m_instance = 0;
    HSZ m_hszService = nullptr;
    HSZ m_hszTopic = nullptr;
    DWORD m_threadId = 0;
    bool m_bRunning = false;
    DWORD m_answerDelayMs = 0;
    mutable std::mutex m_lock;
    std::vector<std::string> m_executes;
    int m_nConnections = 0;
    std::thread m_thread;
};
