#include "tests/support/system_reasons.h"

#include <cerrno>

#include "core/platform_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zt::testing {

#ifdef _WIN32

// Windows refuses to open a directory as a file as it refuses any file it may not open.
std::string IsADirectoryReason() {
  return platform::ErrorText(platform::WindowsError(ERROR_ACCESS_DENIED));
}

std::string NoSuchFileReason() {
  return platform::ErrorText(platform::WindowsError(ERROR_FILE_NOT_FOUND));
}

#else

std::string IsADirectoryReason() { return platform::ErrorText(EISDIR); }

std::string NoSuchFileReason() { return platform::ErrorText(ENOENT); }

#endif

}  // namespace zt::testing
