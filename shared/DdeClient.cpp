#include "DdeClient.h"

#include <cstring>

namespace {
DWORD g_ddeInstance = 0;  // one per process, shared by every client object

HDDEDATA CALLBACK IgnoreTransaction(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}
}  // namespace

DWORD CDdeClient::InstanceId()
{
    return g_ddeInstance;
}

CDdeClient::~CDdeClient()
{
    Uninitialize();
}

bool CDdeClient::Initialize()
{
    if (g_ddeInstance != 0)
        return false;
    if (::DdeInitializeA(&g_ddeInstance, IgnoreTransaction, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        g_ddeInstance = 0;
        return false;
    }
    m_bOwnsInstance = true;
    return true;
}

bool CDdeClient::Connect(const char* service, const char* topic)
{
    if (m_bOwnsInstance && !m_hConv) {
        m_hszService = ::DdeCreateStringHandleA(g_ddeInstance, service, CP_WINANSI);
        m_hszTopic = ::DdeCreateStringHandleA(g_ddeInstance, topic, CP_WINANSI);
        if (m_hszService && m_hszTopic)
            m_hConv = ::DdeConnect(g_ddeInstance, m_hszService, m_hszTopic, nullptr);
    }
    if (m_hConv)
        return true;
    Disconnect();
    return false;
}

bool CDdeClient::Execute(const char* command)
{
    if (!m_hConv)
        return false;
    auto* bytes = reinterpret_cast<BYTE*>(const_cast<char*>(command));
    HDDEDATA answer = ::DdeClientTransaction(bytes, static_cast<DWORD>(std::strlen(command) + 1), m_hConv, nullptr,
                                             CF_TEXT, XTYP_EXECUTE, kTransactionTimeoutMs, nullptr);
    // An execute request answers TRUE, not data; only a real data handle is freed.
    if (answer && answer != reinterpret_cast<HDDEDATA>(TRUE))
        ::DdeFreeDataHandle(answer);
    return true;
}

void CDdeClient::Disconnect()
{
    if (m_hConv)
        ::DdeDisconnect(m_hConv);
    if (m_hszService)
        ::DdeFreeStringHandle(g_ddeInstance, m_hszService);
    if (m_hszTopic)
        ::DdeFreeStringHandle(g_ddeInstance, m_hszTopic);
    m_hConv = nullptr;
    m_hszService = nullptr;
    m_hszTopic = nullptr;
}

// A client that was refused the instance leaves it alone: ending it would cut the holder's
// conversation (an address opened again while the first one still waits for its browser).
void CDdeClient::Uninitialize()
{
    if (!m_bOwnsInstance || g_ddeInstance == 0)
        return;
    Disconnect();
    ::DdeUninitialize(g_ddeInstance);
    g_ddeInstance = 0;
    m_bOwnsInstance = false;
}
