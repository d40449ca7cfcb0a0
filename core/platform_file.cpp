#include "core/platform_file.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <stdlib.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zt::platform {

#ifdef _WIN32

void ClearRuntimeError() {
  errno = 0;
  _doserrno = 0;
}

int RuntimeError() {
  if (_doserrno != 0) return WindowsError(_doserrno);
  return errno ? errno : EIO;
}

int SyncFile(std::FILE* file) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  if (handle == INVALID_HANDLE_VALUE) return EBADF;
  return FlushFileBuffers(handle) ? 0 : WindowsError(GetLastError());
}

int RenameOver(const std::filesystem::path& source, const std::filesystem::path& target) {
  if (MoveFileExW(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  return WindowsError(GetLastError());
}

int SyncDirectory(const std::filesystem::path&) { return 0; }

namespace {

// The system's message for a Windows error code in the operator's language, or an empty text
// where the system has none.
std::wstring SystemMessage(DWORD code) {
  wchar_t* message = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring text(message ? message : L"", message ? length : 0);
  LocalFree(message);
  // The messages end with a blank or a line end; the message box sets the text on its own line.
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\r' || text.back() == L'\n')) {
    text.pop_back();
  }
  return text;
}

std::string ToSystemCodePage(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

}  // namespace

std::string ErrorText(int error) {
  if (error >= 0) return std::strerror(error);
  const auto code = static_cast<DWORD>(-error);
  std::wstring text = SystemMessage(code);
  if (text.empty()) text = L"b\u0142\u0105d systemu nr " + std::to_wstring(code);
  return ToSystemCodePage(text);
}

#else

void ClearRuntimeError() { errno = 0; }

int RuntimeError() { return errno ? errno : EIO; }

int SyncFile(std::FILE* file) { return ::fsync(::fileno(file)) == 0 ? 0 : errno; }

int RenameOver(const std::filesystem::path& source, const std::filesystem::path& target) {
  return std::rename(source.c_str(), target.c_str()) == 0 ? 0 : errno;
}

int SyncDirectory(const std::filesystem::path& directory) {
  const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return errno;
  const int result = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return result;
}

std::string ErrorText(int error) { return std::strerror(error); }

#endif

}  // namespace zt::platform
