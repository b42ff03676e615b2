#include "SampleCopy.h"

#include <filesystem>
#include <fstream>

#include "ConfPath.h"
#include "TestPaths.h"

namespace fs = std::filesystem;

std::string CopySampleServer(const std::string& testName)
{
    const std::string work = testpaths::MakeWorkDir(testName);
    const std::string target = testpaths::Join(work, "Apache24");
    std::error_code ec;
    fs::copy(fs::path(TESSALY_SAMPLE_DIR), fs::path(target), fs::copy_options::recursive, ec);
    return ec ? std::string() : target;
}

bool WriteServerFile(const std::string& server, const std::string& relative, const std::string& text, bool append)
{
    std::ofstream out(fs::path(server) / relative, append ? std::ios::binary | std::ios::app : std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string Printed(const std::string& path)
{
    return confpath::ToForwardSlashes(path);
}
