#include "DdeTestServer.h"

#include <ddeml.h>

#include "Handles.h"

namespace {
CDdeTestServer* g_server = nullptr;  // the DDE callback carries no context
}

CDdeTestServer::CDdeTestServer(const std::string& service, const std::string& topic)
    : m_service(service), m_topic(topic)
{
    g_server = this;
    CKernelHandle ready(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    m_thread = std::thread([this, event = ready.Get()] { Run(event); });
    ::WaitForSingleObject(ready.Get(), 10000);
}

CDdeTestServer::~CDdeTestServer()
{
    if (m_threadId)
        ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    if (m_thread.joinable())
        m_thread.join();
    g_server = nullptr;
}

std::vector<std::string> CDdeTestServer::Executes() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_executes;
}

int CDdeTestServer::Connections() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_nConnections;
}

void CDdeTestServer::Run(HANDLE ready)
{
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    m_threadId = ::GetCurrentThreadId();
    if (::DdeInitializeA(&m_instance, Callback,
                         APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_REQUESTS |
                             CBF_SKIP_ALLNOTIFICATIONS,
                         0) == DMLERR_NO_ERROR) {
        m_hszService = ::DdeCreateStringHandleA(m_instance, m_service.c_str(), CP_WINANSI);
        m_hszTopic = ::DdeCreateStringHandleA(m_instance, m_topic.c_str(), CP_WINANSI);
        m_bRunning = ::DdeNameService(m_instance, m_hszService, nullptr, DNS_REGISTER) != nullptr;
    }
    ::SetEvent(ready);
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (m_instance) {
        ::DdeNameService(m_instance, m_hszService, nullptr, DNS_UNREGISTER);
        ::DdeFreeStringHandle(m_instance, m_hszService);
        ::DdeFreeStringHandle(m_instance, m_hszTopic);
        ::DdeUninitialize(m_instance);
    }
}

HDDEDATA CALLBACK CDdeTestServer::Callback(UINT type, UINT, HCONV, HSZ topic, HSZ service, HDDEDATA data, ULONG_PTR,
                                           ULONG_PTR)
{
    CDdeTestServer* server = g_server;
    if (!server)
        return nullptr;
    switch (type) {
        case XTYP_CONNECT: {
            const bool match = ::DdeCmpStringHandles(topic, server->m_hszTopic) == 0 &&
                               ::DdeCmpStringHandles(service, server->m_hszService) == 0;
            if (match) {
                std::lock_guard<std::mutex> lock(server->m_lock);
                ++server->m_nConnections;
            }
            return reinterpret_cast<HDDEDATA>(match ? TRUE : FALSE);
        }
        case XTYP_EXECUTE: {
            DWORD size = ::DdeGetData(data, nullptr, 0, 0);
            std::string text(size, '\0');
            ::DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), size, 0);
            {
                std::lock_guard<std::mutex> lock(server->m_lock);
                server->m_executes.push_back(text);
            }
            if (server->m_answerDelayMs)
                ::Sleep(server->m_answerDelayMs);
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
        default:
            return nullptr;
    }
}
