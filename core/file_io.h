#pragma once

// The file layer of the core. Every operation opens, works and closes; nothing is held open
// between events. A failure comes back as a value naming the file and the system's reason.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zt {

struct IoError {
  std::filesystem::path path;
  // The system's text, e.g. "No such file or directory", in the code page of its 8-bit texts.
  std::string reason;
};

// Empty on success.
using IoStatus = std::optional<IoError>;

template <class T>
class IoResult {
 public:
  IoResult(T value) : state_(std::move(value)) {}        // NOLINT: implicit by design
  IoResult(IoError error) : state_(std::move(error)) {}  // NOLINT: implicit by design
  bool ok() const { return std::holds_alternative<T>(state_); }
  const T& value() const { return std::get<T>(state_); }
  T& value() { return std::get<T>(state_); }
  const IoError& error() const { return std::get<IoError>(state_); }

 private:
  std::variant<T, IoError> state_;
};

// The steps by which the file layer touches a file, each answering 0 or the error that stopped
// it: an errno value, or on Windows the system's own code (see core/platform_file.h). The program
// takes the system's; a test passes steps that fail where it chooses.
enum class IoStep { kOpen, kWrite, kFlush, kSync, kClose, kRename };

class FileSteps {
 public:
  virtual ~FileSteps() = default;
  // `file` is set on success; `mode` is fopen's.
  virtual int Open(const std::filesystem::path& path, const char* mode, std::FILE*& file) const;
  virtual int Write(const std::filesystem::path& path, std::FILE* file,
                    std::string_view content) const;
  virtual int Flush(const std::filesystem::path& path, std::FILE* file) const;
  // Pushes the written data to the disk.
  virtual int Sync(const std::filesystem::path& path, std::FILE* file) const;
  // Closes the file whatever the answer.
  virtual int Close(const std::filesystem::path& path, std::FILE* file) const;
  // Replaces `target` by `source` in one step; readers see either the old or the new file.
  virtual int Rename(const std::filesystem::path& source,
                     const std::filesystem::path& target) const;

  static const FileSteps& System();
};

bool FileExists(const std::filesystem::path& path);

IoResult<std::string> ReadWholeFile(const FileSteps& steps, const std::filesystem::path& path);

// Creates or truncates the file, writes, flushes and syncs it.
IoStatus WriteFileDurably(const FileSteps& steps, const std::filesystem::path& path,
                          std::string_view content);

// Writes `temporary`, flushes and syncs it, then replaces `path` in one atomic rename. On any
// failure `path` keeps its old content and `temporary` is removed. An existing `path` that
// cannot be written is refused with the system's reason, and a replaced one keeps its mode.
IoStatus ReplaceFileAtomically(const FileSteps& steps, const std::filesystem::path& path,
                               const std::filesystem::path& temporary, std::string_view content);

// A name beside `path` for its new content while it is written, for files whose names the
// operator chooses: "<name>.zapis~", or with a number where that name is taken. A name that
// exists is never chosen, so no file of the operator's is replaced or removed on the way.
std::filesystem::path FreshTemporaryBeside(const std::filesystem::path& path);

// The probe file of CheckDirectoryWritable, made and removed in the checked directory.
inline constexpr char kDirectoryProbeName[] = ".zawody_teltolmowe.probe";

// Whether files can be created in `directory`: writes and removes a small probe file.
IoStatus CheckDirectoryWritable(const FileSteps& steps, const std::filesystem::path& directory);

// Lines split at CR LF, a lone LF or a lone CR; the line end after the last line is optional.
std::vector<std::string> SplitLines(std::string_view content);

// The lines of SplitLines as views into `content`, which must outlive them.
std::vector<std::string_view> LineViews(std::string_view content);

// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace zt
