#pragma once

// The few calls that differ between POSIX and Windows. Each returns 0 or the error that stopped
// it: an errno value, or on Windows the system's own code of the failed call as WindowsError
// makes it, so that ErrorText gives the system's own words for it.

#include <cstdio>
#include <filesystem>
#include <string>

namespace zt::platform {

// Pushes the written data of an open file to the disk.
int SyncFile(std::FILE* file);

// Replaces `target` by `source` in one step; readers see either the old or the new file.
int RenameOver(const std::filesystem::path& source, const std::filesystem::path& target);

// Makes a rename in `directory` durable. A no-op where the system does not need it.
int SyncDirectory(const std::filesystem::path& directory);

// Forgets the errors of earlier C runtime calls, before a call whose failure RuntimeError reads.
void ClearRuntimeError();

// The error of the C runtime call that has just failed: on Windows the system's own code where a
// system call failed beneath it; else errno, or EIO where the call set none.
int RuntimeError();

// The system's text for an error of the calls above or of the file steps, in the code page of
// the system's 8-bit texts (what the windows read as local 8-bit text).
std::string ErrorText(int error);

#ifdef _WIN32
// The error for a failed Windows call whose GetLastError() is `code`. It is negative, so it is
// never taken for an errno value.
constexpr int WindowsError(unsigned long code) { return -static_cast<int>(code); }
#endif

}  // namespace zt::platform
