#pragma once
// The switches of a server command line that change which configuration the server reads
// and how: "-d folder" (the server root), "-f file" (the main file) and "-D NAME" (a
// name <IfDefine> sees), each also written without the blank ("-DSSL").

#include <string>
#include <string_view>
#include <vector>

#include "ConfigReader.h"

struct ServerSwitches {
    std::string serverRoot;  // the last -d; empty when none
    std::string mainFile;    // the last -f; empty when none
    std::vector<std::string> defines;
};

ServerSwitches ReadServerSwitches(const std::vector<std::string>& words);
// A command line as the Command lines page stores it ("-t -f conf/other.conf -D SSL").
ServerSwitches ReadServerSwitches(std::string_view commandLine);

// Hands the main file and the defined names to a reader before it reads.
void ApplySwitches(const ServerSwitches& switches, CConfigReader& reader);
