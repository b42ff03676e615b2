// Any text as a server's conf/httpd.conf: the stub's checker and the Launcher's lists
// never crash, loop or recurse without end (the file may include itself), and every
// check ends in "Syntax OK" or a report.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ConfigReader.h"
#include "DirectiveList.h"
#include "ServerReports.h"

namespace {

const std::filesystem::path& ServerFolder()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("tessaly-conf-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path / "conf");
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CDirectiveList directives = [] {
        CDirectiveList list;
        list.UseBuiltIn();
        return list;
    }();
    {
        std::ofstream conf(ServerFolder() / "conf" / "httpd.conf", std::ios::binary | std::ios::trunc);
        conf.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CConfigReader reader(ServerFolder().string(), &directives);
    const bool ok = reader.Read();
    const std::string check = reports::SyntaxCheck(reader);
    if (check.empty() || (ok && check != "Syntax OK\n"))
        std::abort();
    reports::VirtualHosts(reader.Config());
    return 0;
}
