#include "ServerFolder.h"

#include <atomic>
#include <fstream>

#include "ConfPath.h"

namespace fs = std::filesystem;

CServerFolder::CServerFolder(const std::string& name)
{
    static std::atomic<int> counter{0};
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec)
        base = fs::current_path();
    m_root = base / ("tessaly-launcher-" + name + "-" + std::to_string(counter++));
    fs::remove_all(m_root, ec);
    fs::create_directories(m_root / "conf");
}

CServerFolder::~CServerFolder()
{
    std::error_code ec;
    fs::remove_all(m_root, ec);
}

std::string CServerFolder::Path() const
{
    return confpath::Trimmed(m_root.string());
}

void CServerFolder::Write(const std::string& relative, const std::string& text) const
{
    const fs::path file = m_root / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}
