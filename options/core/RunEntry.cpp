#include "RunEntry.h"

#include <algorithm>
#include <cctype>

#include "SettingsSchema.h"
#include "SettingsStore.h"

namespace runentry {

namespace {
bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

std::string EntryFor(const std::string& hostPath)
{
    std::string path = hostPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "\"" + path + "\"" + settings::kRunArgument;
}

bool IsLauncherRegistered(const CSettingsStore& store, const std::string& hostPath)
{
    const std::string actual = store.GetString(settings::kRunKey, settings::kRunValue).value_or("");
    return EqualIgnoringCase(actual, EntryFor(hostPath));
}

void SetLauncherAutostart(CSettingsStore& store, const std::string& hostPath, bool on)
{
    if (on)
        store.WriteString(settings::kRunKey, settings::kRunValue, EntryFor(hostPath));
    else
        store.DeleteValue(settings::kRunKey, settings::kRunValue);
}

}  // namespace runentry
