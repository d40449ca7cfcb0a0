#pragma once

// File steps that ask a test before each one: 0 lets the system's step run, an errno value fails
// it with that reason. With no answer set every step runs.

#include <functional>

#include "core/file_io.h"

namespace zt::testing {

class ScriptedFileSteps : public FileSteps {
 public:
  using Answer = std::function<int(IoStep, const std::filesystem::path&)>;

  int Open(const std::filesystem::path& path, const char* mode, std::FILE*& file) const override {
    if (int error = Ask(IoStep::kOpen, path)) return error;
    return FileSteps::Open(path, mode, file);
  }
  int Write(const std::filesystem::path& path, std::FILE* file,
            std::string_view content) const override {
    if (int error = Ask(IoStep::kWrite, path)) return error;
    return FileSteps::Write(path, file, content);
  }
  int Flush(const std::filesystem::path& path, std::FILE* file) const override {
    if (int error = Ask(IoStep::kFlush, path)) return error;
    return FileSteps::Flush(path, file);
  }
  int Sync(const std::filesystem::path& path, std::FILE* file) const override {
    if (int error = Ask(IoStep::kSync, path)) return error;
    return FileSteps::Sync(path, file);
  }
  int Close(const std::filesystem::path& path, std::FILE* file) const override {
    // The file is closed all the same, as a failing close does.
    const int error = Ask(IoStep::kClose, path);
    const int closed = FileSteps::Close(path, file);
    return error ? error : closed;
  }
  // Asked with the file that is replaced.
  int Rename(const std::filesystem::path& source,
             const std::filesystem::path& target) const override {
    if (int error = Ask(IoStep::kRename, target)) return error;
    return FileSteps::Rename(source, target);
  }

  Answer answer;

 private:
  int Ask(IoStep step, const std::filesystem::path& path) const {
    return answer ? answer(step, path) : 0;
  }
};

}  // namespace zt::testing
