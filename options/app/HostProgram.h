#pragma once
// The program that hosts the library (the Launcher): its path and folder, with every "/"
// turned into "\". The help file and the Run entry follow the host, not the library.

#include <string>

std::string HostProgramPath();
// The path cut at its last "\" (kept whole when it has none).
std::string HostProgramFolder();
// The help file beside the host, opened at `topic`: "<folder>\Tessaly.chm::/<topic>".
std::string HelpFilePath(const std::string& topic);
