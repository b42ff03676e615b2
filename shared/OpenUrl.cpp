// Browser launching: the "open" verb of a shell class, read from HKEY_CLASSES_ROOT, carried
// out by DDE when a browser answers on the registered service and topic, else by starting
// the registered command line.
#include "OpenUrl.h"

#include <optional>
#include <string>
#include <vector>

#include "BrowserCommand.h"
#include "DdeClient.h"
#include "Handles.h"
#include "SettingsSchema.h"

namespace {
struct DefaultValue {
    DWORD type = REG_NONE;
    std::string text;  // the stored bytes up to the first NUL
};

// The default value of HKEY_CLASSES_ROOT\<path>; nothing when the key cannot be opened or
// the value's size cannot be read.
std::optional<DefaultValue> ReadDefaultValue(const std::string& path)
{
    CRegKey key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return std::nullopt;
    DefaultValue value;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<char> bytes(static_cast<std::size_t>(size) + 1, '\0');
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &value.type, reinterpret_cast<BYTE*>(bytes.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.text.assign(bytes.data());  // the buffer holds a NUL past the stored bytes
    return value;
}

// The text of a value that must be a string; any other type reads as empty.
std::string StringText(const DefaultValue& value)
{
    return value.type == REG_SZ ? value.text : std::string();
}

bool StartProcess(std::string commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    CKernelHandle thread(process.hThread);
    CKernelHandle started(process.hProcess);
    return true;
}
}  // namespace

void OpenUrl(const char* address)
{
    CDdeClient client;
    if (client.Initialize()) {
        client.OpenWithClass(address ? address : "", settings::kHttpClass);
        client.Uninitialize();
    }
}

bool CDdeClient::OpenWithClass(const char* address, const char* className)
{
    const std::string quoted = browser::QuoteAddress(address);
    const std::string base = className;

    std::optional<DefaultValue> command = ReadDefaultValue(base + settings::kOpenCommandSubKey);
    if (!command)
        return false;

    // DDE only when its command, service and topic keys can all be read, in this order.
    std::optional<DefaultValue> ddeTemplate = ReadDefaultValue(base + settings::kOpenDdeExecSubKey);
    std::optional<DefaultValue> service;
    std::optional<DefaultValue> topic;
    if (ddeTemplate)
        service = ReadDefaultValue(base + settings::kOpenDdeApplicationSubKey);
    if (service)
        topic = ReadDefaultValue(base + settings::kOpenDdeTopicSubKey);
    if (!topic)
        return RunCommand(command->text.c_str(), quoted.c_str(), nullptr, nullptr, nullptr) != 0;

    const std::string ddeCommand = browser::ReplacePlaceholder(ddeTemplate->text, quoted);
    const std::string serviceText = StringText(*service);
    const std::string topicText = StringText(*topic);
    return RunCommand(command->text.c_str(), quoted.c_str(), ddeCommand.c_str(), serviceText.c_str(),
                      topicText.c_str()) != 0;
}

int CDdeClient::RunCommand(const char* commandTemplate, const char* address, const char* ddeCommand,
                           const char* service, const char* topic)
{
    if (ddeCommand && service && topic && Connect(service, topic)) {
        Execute(ddeCommand);
        Disconnect();
        return 1;
    }
    return StartProcess(browser::BuildCommandLine(commandTemplate, address)) ? 1 : 0;
}
