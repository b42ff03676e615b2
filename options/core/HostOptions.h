#pragma once
// The Hosts and projects page's window-free rules: how the extension list splits into
// pieces, and the HostsOpt value of one host (flags byte, then the project path with its
// NUL), read from exactly the bytes stored.

#include <cstdint>
#include <string>
#include <vector>

namespace hosts {

// Each comma ends a piece, kept exactly as written (an empty piece between two commas
// counts); after the last comma the rest is a piece only when it is not empty.
std::vector<std::string> SplitExtensions(const std::string& text);

// What the Launcher's menu offers of one host, and where its project is.
struct HostOptions {
    bool showProject = true;
    bool showHost = true;
    bool automatic = true;
    std::string projectPath;  // only meaningful when automatic is clear

    // A host with every flag set is not stored: it reads back the same from no value.
    bool AllFlagsSet() const { return showProject && showHost && automatic; }
    std::uint8_t Flags() const;

    // A stored value: an empty one reads as absent; one byte gives the flags and no path;
    // a path without its NUL ends at the value's end; bits above the three are ignored.
    static HostOptions Decode(const std::vector<std::uint8_t>& bytes);
    // Flags byte, path, NUL: path length + 2 bytes.
    std::vector<std::uint8_t> Encode() const;
};

}  // namespace hosts
