#pragma once
// A throw-away server folder for the configuration tests: files are written below a fresh
// temporary folder, which is removed again when the object goes.

#include <filesystem>
#include <string>

class CServerFolder {
public:
    explicit CServerFolder(const std::string& name);
    ~CServerFolder();
    CServerFolder(const CServerFolder&) = delete;
    CServerFolder& operator=(const CServerFolder&) = delete;

    // The folder with forward slashes, as the reader reports paths.
    std::string Path() const;
    std::string PathOf(const std::string& relative) const { return Path() + "/" + relative; }
    void Write(const std::string& relative, const std::string& text) const;

private:
    std::filesystem::path m_root;
};
