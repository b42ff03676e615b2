#pragma once
// What the Launcher and the stand-in server need to know of a server's configuration:
// where it lives, its virtual hosts, its log files and the addresses it listens on.

#include <string>
#include <vector>

#include "ListenAddress.h"

struct VirtualHostInfo {
    std::string address;       // the <VirtualHost> arguments, e.g. "*:80"
    std::string serverName;    // without a port; empty when the host names none
    std::string documentRoot;  // resolved; empty when the host sets none
    std::string file;          // where the section opens
    int line = 0;
    std::vector<std::string> logs;  // ErrorLog, CustomLog and TransferLog files, resolved
};

struct ServerConfig {
    std::string serverFolder;       // where the server was found, forward slashes
    std::string serverRoot;         // as the configuration declares it; the folder when it does not
    std::string mainFile;           // conf/httpd.conf, resolved
    std::string documentRoot;       // the main server's, resolved
    std::string errorLog;           // the main server's, resolved
    std::vector<std::string> logs;  // the main server's log files, resolved
    std::vector<VirtualHostInfo> hosts;
    std::vector<ListenAddress> listens;  // each address and port once, in reading order
    std::vector<std::string> filesRead;  // every configuration file, in reading order
};
