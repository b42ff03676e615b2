// Windows Sockets' header must come before the one of windows.h.
#include <winsock2.h>

#include "PortCheck.h"

#include <iphlpapi.h>
#include <tlhelp32.h>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "ConfPath.h"
#include "ConfigReader.h"
#include "DirectiveList.h"
#include "Handles.h"
#include "ListenerTable.h"
#include "PortClash.h"
#include "ServerSwitches.h"

namespace {

// One family's listening sockets; none when the system does not give its table.
std::optional<std::vector<TcpListener>> ReadListeners(ULONG family)
{
    std::vector<std::uint8_t> table;
    DWORD size = 0;
    // The table may grow between the call that sizes it and the one that fills it.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD result = ::GetExtendedTcpTable(table.empty() ? nullptr : table.data(), &size, FALSE, family,
                                                   TCP_TABLE_OWNER_PID_LISTENER, 0);
        if (result == NO_ERROR)
            return DecodeListenerTable(table.data(), table.size(), family == AF_INET6);
        if (result != ERROR_INSUFFICIENT_BUFFER || size == 0)
            return std::nullopt;
        table.assign(size, 0);
    }
    return std::nullopt;
}

// Names and paths of processes, asked for only when a port is found taken.
class COwnerFinder {
public:
    ProcessOwner Find(std::uint32_t pid)
    {
        ProcessOwner owner;
        CKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        if (process.Get()) {
            std::string path(32768, '\0');
            DWORD length = static_cast<DWORD>(path.size());
            if (::QueryFullProcessImageNameA(process.Get(), 0, path.data(), &length))
                owner.path = path.substr(0, length);
        }
        // A service running as the system account keeps its path from other users; the
        // list of processes still names its program.
        const auto name = Names().find(pid);
        owner.name = name != Names().end() ? name->second : confpath::FileName(owner.path);
        return owner;
    }

private:
    const std::map<std::uint32_t, std::string>& Names()
    {
        if (m_names)
            return *m_names;
        m_names.emplace();
        CFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        if (snapshot.Get() == INVALID_HANDLE_VALUE)
            return *m_names;
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry))
            (*m_names)[entry.th32ProcessID] = entry.szExeFile;
        return *m_names;
    }

    std::optional<std::map<std::uint32_t, std::string>> m_names;
};

// The folder's long form, as the system spells the paths of running programs.
std::string LongForm(const std::string& folder)
{
    std::string longPath(32768, '\0');
    const DWORD length = ::GetLongPathNameA(folder.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
    if (length == 0 || length >= longPath.size())
        return folder;
    return longPath.substr(0, length);
}

}  // namespace

std::string CheckServerPorts(const PortCheckInput& input)
{
    const ServerSwitches switches = ReadServerSwitches(input.testSwitches);
    // The Launcher runs the test in the server folder, so a relative -d lies below it.
    const std::string folder =
        switches.serverRoot.empty() ? input.serverFolder : confpath::Join(input.serverFolder, switches.serverRoot);
    if (folder.empty())
        return std::string();
    const CDirectiveList directives = LoadDirectiveList(input.keywordFolder);
    CConfigReader reader(folder, &directives);
    ApplySwitches(switches, reader);
    reader.Read();
    // A tree the reader could not build says nothing reliable about Listen; a directive it
    // does not know (the real server may) does not matter here.
    if (reader.Problem().stage == ConfigProblem::Stage::Build || reader.Config().listens.empty())
        return std::string();

    std::vector<TcpListener> listeners;
    bool read = false;
    for (const ULONG family : {AF_INET, AF_INET6}) {
        if (std::optional<std::vector<TcpListener>> table = ReadListeners(family)) {
            listeners.insert(listeners.end(), table->begin(), table->end());
            read = true;
        }
    }
    if (!read)
        return std::string();
    COwnerFinder owners;
    return PortClashMessage(reader.Config().listens, listeners, LongForm(folder),
                            [&owners](std::uint32_t pid) { return owners.Find(pid); });
}

void CPortCheck::Start(const PortCheckInput& input, HWND frame, UINT message)
{
    Wait();
    WPARAM number;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        number = ++m_current;
        m_found.clear();
    }
    m_worker = std::thread([this, input, frame, message, number] {
        std::string found = CheckServerPorts(input);
        if (found.empty())
            return;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (number != m_current)
                return;
            m_found = std::move(found);
        }
        ::PostMessageA(frame, message, number, 0);
    });
}

void CPortCheck::Drop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_current;
    m_found.clear();
}

std::string CPortCheck::Take(WPARAM number)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string found;
    if (number == m_current)
        found.swap(m_found);
    return found;
}

void CPortCheck::Wait()
{
    if (m_worker.joinable())
        m_worker.join();
}
