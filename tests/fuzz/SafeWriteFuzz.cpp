// Safe writes of any content in any pieces, over a target that exists or not, beside a
// leftover of an interrupted save and files of others, stopped or not, under names of any
// length: afterwards the target holds the new content (the write succeeded) or what it held
// before, no temporary file is left, and every other file is as it was.
#include <dirent.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "SafeWrite.h"

using namespace tessaly::editor;

namespace {

void RemoveFolder();

// Kept for the whole run (never destroyed), so that the folder can still be removed at exit.
const std::string& Folder()
{
    static const std::string* folder = [] {
        char name[] = "/tmp/tessaly-safewrite-fuzz-XXXXXX";
        if (!::mkdtemp(name))
            std::abort();
        auto* made = new std::string(name);
        std::atexit(RemoveFolder);
        return made;
    }();
    return *folder;
}

std::map<std::string, std::string> Contents()
{
    std::map<std::string, std::string> files;
    DIR* dir = ::opendir(Folder().c_str());
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        std::ifstream in(Folder() + "/" + name, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        files[name] = bytes.str();
    }
    ::closedir(dir);
    return files;
}

void Clear()
{
    for (const auto& [name, bytes] : Contents())
        ::unlink((Folder() + "/" + name).c_str());
}

void RemoveFolder()
{
    Clear();
    ::rmdir(Folder().c_str());
}

void Put(const std::string& name, const std::string& bytes)
{
    std::ofstream(Folder() + "/" + name, std::ios::binary) << bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::uint8_t flags = data[0];
    const std::size_t stopAt = data[1];
    // A name of 1 to 300 characters from a plain set, so that long names are tried too.
    const std::size_t nameLength = 1 + (data[2] * 300u) / 256u;
    std::string name;
    for (std::size_t i = 0; i < nameLength; ++i)
        name += "abcdefghij0123456789._-"[(i * 7 + data[2] + i / 3) % 23];
    if (name == "." || name == "..")
        name = "x";
    const std::string target = Folder() + "/" + name;
    const std::string temporary = SaveTemporaryPath(target);
    if (FolderOfPath(temporary) != Folder() || temporary == target)
        std::abort();

    std::vector<std::string> pieces(1);
    for (std::size_t i = 3; i < size; ++i) {
        if (data[i] == 0xFF)
            pieces.emplace_back();
        else
            pieces.back() += static_cast<char>(data[i]);
    }

    Clear();
    if (flags & 1)
        Put(name, "the old text");
    if (flags & 2)
        Put(temporary.substr(Folder().size() + 1), "half of an earlier save");
    if (flags & 4) {
        Put("httpd.conf.bak", "a backup");
        Put("tse1A2B.tmp", "someone's");
        Put(name + ".~tessaly-save.keep", "kept");
    }
    std::map<std::string, std::string> before = Contents();

    const bool stop = flags & 8;
    const SafeWriteResult result = WriteFileSafely(target, [&](const ContentSink& sink) {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (stop && i == stopAt % pieces.size())
                return false;
            if (!sink(pieces[i].data(), pieces[i].size()))
                return false;
        }
        return true;
    });
    std::string content;
    for (const std::string& piece : pieces)
        content += piece;

    std::map<std::string, std::string> after = Contents();
    before.erase(temporary.substr(Folder().size() + 1));
    if (after.count(temporary.substr(Folder().size() + 1)))
        std::abort();  // a temporary file was left
    if (result.Ok()) {
        if (stop || after[name] != content || result.bytes != content.size())
            std::abort();
        before[name] = content;
    } else if (!stop && result.outcome != SafeWriteOutcome::ReplaceFailed &&
               result.outcome != SafeWriteOutcome::NoTemporaryFile) {
        std::abort();  // nothing else may fail here
    }
    if (after != before)
        std::abort();  // the target changed without a successful write, or another file did
    return 0;
}
