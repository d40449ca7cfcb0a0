#pragma once

// The few calls that differ between POSIX and Windows. Each returns 0 or an errno value.

#include <cstdio>
#include <filesystem>

namespace zt::platform {

// Pushes the written data of an open file to the disk.
int SyncFile(std::FILE* file);

// Replaces `target` by `source` in one step; readers see either the old or the new file.
int ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target);

// Makes a rename in `directory` durable. A no-op where the system does not need it.
int SyncDirectory(const std::filesystem::path& directory);

}  // namespace zt::platform
