#pragma once
// CDdeClient: one client conversation over Dynamic Data Exchange, on the process's single
// DDE instance, and the opening of web addresses through a shell class's registered
// commands (DDE to a running browser, else a new process).

#include <windows.h>

#include <ddeml.h>

class CDdeClient {
public:
    // How long an execute request waits for the server's answer.
    static constexpr DWORD kTransactionTimeoutMs = 1000;

    CDdeClient() = default;
    CDdeClient(const CDdeClient&) = delete;
    CDdeClient& operator=(const CDdeClient&) = delete;
    virtual ~CDdeClient();

    // Starts the process's DDE instance as a client; false when it fails or when another
    // client already holds the instance.
    bool Initialize();
    // True when a conversation with `service` on `topic` exists.
    bool Connect(const char* service, const char* topic);
    // Sends `command` as an execute request; true whenever a conversation existed (the
    // server's answer, or its silence until the time-out, is not looked at).
    bool Execute(const char* command);
    void Disconnect();
    // Ends the DDE instance this client started; nothing when it started none.
    void Uninitialize();

    // Opens `address` with the "open" commands registered for the shell class `className`.
    bool OpenWithClass(const char* address, const char* className);
    // 1 when the address was handed to a DDE server or a process was started, else 0.
    // `ddeCommand`, `service` and `topic` are null when the class offers no DDE.
    int RunCommand(const char* commandTemplate, const char* address, const char* ddeCommand, const char* service,
                   const char* topic);

    // The process's DDE instance identifier, 0 when none is started.
    static DWORD InstanceId();

private:
    HCONV m_hConv = nullptr;
    HSZ m_hszService = nullptr;
    HSZ m_hszTopic = nullptr;
    bool m_bOwnsInstance = false;
};
