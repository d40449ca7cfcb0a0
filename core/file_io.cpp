#include "core/file_io.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "core/platform_file.h"

namespace zt {

namespace {

IoError ErrorFor(const std::filesystem::path& path, int error) {
  return IoError{path, platform::ErrorText(error)};
}

// The open file of a sequence of steps. A file that no step closed (a read, or a write that failed
// before its close) is closed as it goes out of scope, without a report: nothing of it is pending.
class OpenFile {
 public:
  OpenFile(const FileSteps& steps, const std::filesystem::path& path)
      : steps_(steps), path_(path) {}
  ~OpenFile() {
    if (file_) std::fclose(file_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int Open(const char* mode) { return steps_.Open(path_, mode, file_); }
  std::FILE* get() const { return file_; }
  int Close() { return steps_.Close(path_, std::exchange(file_, nullptr)); }

 private:
  const FileSteps& steps_;
  const std::filesystem::path& path_;
  std::FILE* file_ = nullptr;
};

// Opens, writes, flushes, syncs and closes; `mode` decides between truncating and appending.
IoStatus WriteAndSync(const FileSteps& steps, const std::filesystem::path& path, const char* mode,
                      std::string_view content) {
  OpenFile file(steps, path);
  int error = file.Open(mode);
  if (!error) error = steps.Write(path, file.get(), content);
  if (!error) error = steps.Flush(path, file.get());
  if (!error) error = steps.Sync(path, file.get());
  if (!error) error = file.Close();
  return error ? IoStatus(ErrorFor(path, error)) : std::nullopt;
}

}  // namespace

bool FileExists(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

int FileSteps::Open(const std::filesystem::path& path, const char* mode, std::FILE*& file) const {
  platform::ClearRuntimeError();
#ifdef _WIN32
  // By the path's own UTF-16 text: a narrow name would lose letters outside the ANSI code page.
  const std::wstring wide_mode(mode, mode + std::strlen(mode));
  file = _wfopen(path.c_str(), wide_mode.c_str());
#else
  file = std::fopen(path.c_str(), mode);
#endif
  return file ? 0 : platform::RuntimeError();
}

int FileSteps::Write(const std::filesystem::path&, std::FILE* file,
                     std::string_view content) const {
  platform::ClearRuntimeError();
  if (content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size()) {
    return 0;
  }
  return platform::RuntimeError();
}

int FileSteps::Flush(const std::filesystem::path&, std::FILE* file) const {
  platform::ClearRuntimeError();
  return std::fflush(file) == 0 ? 0 : platform::RuntimeError();
}

int FileSteps::Sync(const std::filesystem::path&, std::FILE* file) const {
  return platform::SyncFile(file);
}

int FileSteps::Close(const std::filesystem::path&, std::FILE* file) const {
  platform::ClearRuntimeError();
  return std::fclose(file) == 0 ? 0 : platform::RuntimeError();
}

int FileSteps::Rename(const std::filesystem::path& source,
                      const std::filesystem::path& target) const {
  return platform::RenameOver(source, target);
}

const FileSteps& FileSteps::System() {
  static const FileSteps system;
  return system;
}

IoResult<std::string> ReadWholeFile(const FileSteps& steps, const std::filesystem::path& path) {
  OpenFile file(steps, path);
  if (int error = file.Open("rb")) return ErrorFor(path, error);
  std::string content;
  // Room for the whole file at once: a long log is not copied again each time the text grows.
  std::error_code size_unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, size_unknown);
  if (!size_unknown) content.reserve(static_cast<std::size_t>(size));
  char buffer[1 << 16];
  std::size_t count = 0;
  platform::ClearRuntimeError();
  while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    content.append(buffer, count);
  }
  if (std::ferror(file.get())) return ErrorFor(path, platform::RuntimeError());
  return content;
}

IoStatus WriteFileDurably(const FileSteps& steps, const std::filesystem::path& path,
                          std::string_view content) {
  return WriteAndSync(steps, path, "wb", content);
}

IoStatus ReplaceFileAtomically(const FileSteps& steps, const std::filesystem::path& path,
                               const std::filesystem::path& temporary, std::string_view content) {
  std::error_code unknown;
  const std::filesystem::file_status old = std::filesystem::status(path, unknown);
  const bool replaces_file = std::filesystem::is_regular_file(old);
  if (replaces_file) {
    // A rename would replace a file that the operator made read-only: it is refused as writing
    // to it would be. Opening it for appending writes nothing.
    OpenFile probe(steps, path);
    int error = probe.Open("ab");
    if (!error) error = probe.Close();
    if (error) return ErrorFor(path, error);
  }
  IoStatus status = WriteAndSync(steps, temporary, "wb", content);
  if (!status && replaces_file) {
    // The new file keeps the old one's mode.
    std::error_code ignored;
    std::filesystem::permissions(temporary, old.permissions(), ignored);
  }
  if (!status) {
    if (int error = steps.Rename(temporary, path)) status = ErrorFor(path, error);
  }
  if (status) {
    // Don't leave a half-written temporary file behind; the old file is still whole. Only a
    // file is removed: whatever else stands at that path was not made here.
    std::error_code ignored;
    if (std::filesystem::is_regular_file(temporary, ignored)) {
      std::filesystem::remove(temporary, ignored);
    }
    return status;
  }
  // The rename itself is done; a failed directory sync only weakens durability, so it is ignored.
  platform::SyncDirectory(path.parent_path());
  return std::nullopt;
}

std::filesystem::path FreshTemporaryBeside(const std::filesystem::path& path) {
  for (int number = 0;; ++number) {
    std::filesystem::path candidate = path;
    candidate += number == 0 ? ".zapis~" : ".zapis" + std::to_string(number) + "~";
    // A dangling link counts as taken: writing to it would create the file it points to. A
    // name the system cannot look up (too long, say) is taken as it is: writing it reports why.
    std::error_code unknown;
    const std::filesystem::file_status status = std::filesystem::symlink_status(candidate, unknown);
    if (unknown || !std::filesystem::exists(status)) return candidate;
  }
}

IoStatus CheckDirectoryWritable(const FileSteps& steps, const std::filesystem::path& directory) {
  const std::filesystem::path probe = directory / kDirectoryProbeName;
  if (IoStatus status = WriteAndSync(steps, probe, "wb", "")) {
    status->path = directory;
    return status;
  }
  std::error_code ignored;
  std::filesystem::remove(probe, ignored);
  return std::nullopt;
}

std::vector<std::string_view> LineViews(std::string_view content) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  // Most lines end in CR LF: the LF is found by memchr, then a CR before it within the line.
  while (start < content.size()) {
    const std::size_t line_feed = std::min(content.find('\n', start), content.size());
    const std::size_t carriage_return = content.substr(start, line_feed - start).find('\r');
    const std::size_t end =
        carriage_return == std::string_view::npos ? line_feed : start + carriage_return;
    lines.push_back(content.substr(start, end - start));
    start = end + (content.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return lines;
}

std::vector<std::string> SplitLines(std::string_view content) {
  const std::vector<std::string_view> views = LineViews(content);
  return std::vector<std::string>(views.begin(), views.end());
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string content;
  content.reserve(size);
  for (const std::string& line : lines) {
    content += line;
    content += "\r\n";
  }
  return content;
}

}  // namespace zt
