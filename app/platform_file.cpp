#include "app/platform_file.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zt::platform {

#ifdef _WIN32

int SyncFile(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 0 : errno; }

int ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
  if (MoveFileExW(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  return EIO;
}

int SyncDirectory(const std::filesystem::path&) { return 0; }

#else

int SyncFile(std::FILE* file) { return ::fsync(::fileno(file)) == 0 ? 0 : errno; }

int ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
  return std::rename(source.c_str(), target.c_str()) == 0 ? 0 : errno;
}

int SyncDirectory(const std::filesystem::path& directory) {
  const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return errno;
  const int result = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return result;
}

#endif

}  // namespace zt::platform
