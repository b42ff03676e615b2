#include "HttpClassSandbox.h"

#include <tlhelp32.h>

#include <utility>
#include <vector>

#include "Handles.h"
#include "TestPaths.h"
#include "UiDriver.h"

// A registry key with its values and sub-keys, kept in memory.
struct RegistryTree {
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<Value> values;
    std::vector<std::pair<std::string, RegistryTree>> keys;
};

namespace {
constexpr char kShellKey[] = "http\\shell";
constexpr char kRecorderName[] = "UrlRecorder.exe";

std::string ClassPath(const std::string& subKey)
{
    return "http\\" + subKey;
}

CRegKey CreateClassKey(const std::string& subKey)
{
    CRegKey key;
    ::RegCreateKeyExA(HKEY_CLASSES_ROOT, ClassPath(subKey).c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                      key.Receive(), nullptr);
    return key;
}

RegistryTree Read(HKEY key)
{
    RegistryTree tree;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        RegistryTree::Value value{std::string(name, nameSize), type, std::vector<BYTE>(size)};
        nameSize = sizeof name;
        ::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, value.data.data(), &size);
        tree.values.push_back(std::move(value));
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        CRegKey child;
        if (::RegOpenKeyExA(key, name, 0, KEY_READ, child.Receive()) == ERROR_SUCCESS)
            tree.keys.emplace_back(std::string(name, nameSize), Read(child.Get()));
    }
    return tree;
}

void Write(HKEY parent, const std::string& name, const RegistryTree& tree)
{
    CRegKey key;
    if (::RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, key.Receive(), nullptr) !=
        ERROR_SUCCESS)
        return;
    for (const RegistryTree::Value& value : tree.values)
        ::RegSetValueExA(key.Get(), value.name.empty() ? nullptr : value.name.c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size()));
    for (const auto& [childName, child] : tree.keys)
        Write(key.Get(), childName, child);
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RecorderRunning()
{
    CFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        if (::lstrcmpiA(entry.szExeFile, kRecorderName) == 0)
            return true;
    }
    return false;
}
}  // namespace

CHttpClassSandbox::CHttpClassSandbox()
{
    CRegKey shell;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kShellKey, 0, KEY_READ, shell.Receive()) == ERROR_SUCCESS)
        m_saved = std::make_unique<RegistryTree>(Read(shell.Get()));
    shell.Reset();
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kShellKey);
}

CHttpClassSandbox::~CHttpClassSandbox()
{
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kShellKey);
    if (m_saved)
        Write(HKEY_CLASSES_ROOT, kShellKey, *m_saved);
    ::SetEnvironmentVariableA("TESSALY_URL_RECORD", nullptr);
}

void CHttpClassSandbox::SetText(const std::string& subKey, const std::string& text)
{
    CRegKey key = CreateClassKey(subKey);
    ::RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
}

void CHttpClassSandbox::SetNumber(const std::string& subKey, DWORD number)
{
    CRegKey key = CreateClassKey(subKey);
    ::RegSetValueExA(key.Get(), nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void CHttpClassSandbox::MakeKey(const std::string& subKey)
{
    CreateClassKey(subKey);
}

void CHttpClassSandbox::RemoveKey(const std::string& subKey)
{
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ClassPath(subKey).c_str());
}

std::string CHttpClassSandbox::Text(const std::string& subKey)
{
    CRegKey key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, ClassPath(subKey).c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return std::string();
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return std::string();
    return text;
}

std::string CHttpClassSandbox::RecorderPath()
{
    return testpaths::Join(testpaths::TestBinDir(), kRecorderName);
}

std::string CHttpClassSandbox::StartRecording(const std::string& name)
{
    // A folder of its own per recording: a record is never taken for the one before it.
    static int recordings = 0;
    const std::string folder = testpaths::MakeWorkDir(name + "-" + std::to_string(++recordings));
    m_recordPath = testpaths::Join(folder, "command-line.txt");
    ::SetEnvironmentVariableA("TESSALY_URL_RECORD", m_recordPath.c_str());
    return m_recordPath;
}

bool CHttpClassSandbox::WaitForRecord(std::string& commandLine, DWORD timeoutMs) const
{
    return ui::WaitUntil([&] { return FileExists(m_recordPath) && testpaths::ReadTextFile(m_recordPath, commandLine); },
                         timeoutMs);
}

// A started recorder either still runs or has finished its record before it ended.
bool CHttpClassSandbox::NothingStarted() const
{
    return !RecorderRunning() && !FileExists(m_recordPath);
}
