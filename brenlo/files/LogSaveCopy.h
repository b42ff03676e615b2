#pragma once
// Save As of a log (Windows build only): the log is copied block by block, never whole in
// memory, so logs of 4 GB and more save as well as small ones. The log is read with read,
// write and delete shared, so the server goes on writing meanwhile; the copy takes the
// bytes the log held when the save began. The copy is written to a temporary file in the
// chosen folder and takes the chosen name only when it is complete, so a failed save
// leaves no partial copy and an older file of that name as it was.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "LogFileResults.h"

// Told the bytes copied so far and the bytes to copy, now and then; false stops the save.
using LogSaveProgress = std::function<bool(std::uint64_t copied, std::uint64_t total)>;

// Bytes read and written at a time.
constexpr std::size_t kLogSaveBlockBytes = 64 * 1024;

// Saving a log onto itself changes nothing and reports Saved.
LogSaveResult SaveLogCopy(const std::string& source, const std::string& target,
                          const LogSaveProgress& progress = {});
