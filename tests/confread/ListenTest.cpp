// The addresses a configuration listens on, read as the server reads them: the main file
// and the names of a "Test" command line, includes, Define's variables, conditions.
#include <gtest/gtest.h>

#include "ConfigReader.h"
#include "ServerFolder.h"
#include "ServerSwitches.h"

namespace {

std::vector<std::string> Listens(const ServerConfig& config)
{
    std::vector<std::string> seen;
    for (const ListenAddress& listen : config.listens)
        seen.push_back(listen.host + " " + std::to_string(listen.port));
    return seen;
}

}  // namespace

TEST(Listen, EveryFormThroughTheTestSwitches)
{
    CServerFolder folder("listen");
    folder.Write("conf/httpd.conf", "Listen 9003\n");  // not the file the switches name
    folder.Write("conf/other.conf", "Define PORT 8081\n"
                                    "Listen 127.0.0.1:8080\n"
                                    "Listen [::1]:${PORT}\n"
                                    "Listen *:8082 http\n"
                                    "Listen 127.0.0.1:8080\n"
                                    "Listen 0\nListen [::1]\nListen host:http\n"
                                    "<IfModule mpm_winnt_module>\n  Listen 8443\n</IfModule>\n"
                                    "<IfModule !mpm_winnt_module>\n  Listen 9001\n</IfModule>\n"
                                    "<IfDefine SSL>\n  Include conf/ports/*.conf\n</IfDefine>\n"
                                    "<IfDefine !SSL>\n  Listen 9002\n</IfDefine>\n");
    folder.Write("conf/ports/ssl.conf", "\nListen 443 https\n");

    const ServerSwitches switches = ReadServerSwitches("-t -f conf/other.conf -DSSL -d \"C:/Apache 24\" -D X");
    EXPECT_EQ(switches.serverRoot, "C:/Apache 24");
    EXPECT_EQ(switches.defines, (std::vector<std::string>{"SSL", "X"}));
    CConfigReader reader(folder.Path());
    ApplySwitches(switches, reader);
    ASSERT_TRUE(reader.Read());
    EXPECT_EQ(Listens(reader.Config()),
              (std::vector<std::string>{"127.0.0.1 8080", "::1 8081", " 8082", " 8443", " 443"}));
    EXPECT_EQ(reader.Config().listens.back().file, folder.PathOf("conf/ports/ssl.conf"));
    EXPECT_EQ(reader.Config().listens.back().line, 2);
}
