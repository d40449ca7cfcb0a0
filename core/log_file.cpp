#include "core/log_file.h"

#include "core/log_line.h"

namespace zt {

namespace {

// A line-by-line copy reads a line before it tests for the end of the file, so an empty file
// copies as one empty line.
std::string LineByLineCopy(std::string_view content) {
  std::string copy;
  copy.reserve(content.size() + 2);
  for (std::string_view line : LineViews(content)) {
    copy += line;
    copy += "\r\n";
  }
  if (copy.empty()) copy = "\r\n";
  return copy;
}

bool EndsWithLineEnd(std::string_view content) {
  return !content.empty() && (content.back() == '\n' || content.back() == '\r');
}

}  // namespace

LogFiles LogFiles::In(const std::filesystem::path& data_directory, const FileSteps& steps) {
  return LogFiles{data_directory / kLogFileName, data_directory / kLogBackupFileName,
                  data_directory / kTemporaryLogFileName, data_directory / kTemporaryBackupFileName,
                  &steps};
}

IoStatus CreateEmptyLogFile(const LogFiles& files) {
  return ReplaceFileAtomically(*files.steps, files.log, files.temporary, "");
}

IoResult<std::vector<std::string>> ReadLogFile(const LogFiles& files) {
  IoResult<std::string> content = ReadWholeFile(*files.steps, files.log);
  if (!content.ok()) return content.error();
  return SplitLines(content.value());
}

AppendOutcome AppendToLogFile(const LogFiles& files, std::string_view line) {
  IoResult<std::string> content = ReadWholeFile(*files.steps, files.log);
  if (!content.ok()) return {content.error(), std::nullopt};
  AppendOutcome outcome;
  // Rewritten in place, a crash inside the write would leave the backup empty or full of zero
  // bytes, so it is replaced whole as the log is.
  outcome.backup = ReplaceFileAtomically(*files.steps, files.backup, files.backup_temporary,
                                         LineByLineCopy(content.value()));
  // The whole new log through the temporary file and one rename: an appended line could be
  // torn by a crash inside the write, where the page it crosses is written but the next is not.
  std::string appended = std::move(content.value());
  if (!appended.empty() && !EndsWithLineEnd(appended)) appended += "\r\n";
  appended += line;
  appended += "\r\n";
  outcome.log = ReplaceFileAtomically(*files.steps, files.log, files.temporary, appended);
  return outcome;
}

IoResult<RewriteOutcome> RewriteLogFile(const LogFiles& files, std::string_view selected_line,
                                        const LineChange& change) {
  IoResult<std::string> content = ReadWholeFile(*files.steps, files.log);
  if (!content.ok()) return content.error();
  const std::string_view selected_body = LineBodyOf(selected_line);
  RewriteOutcome outcome;
  // The new text is built from views of the old one: a long log is not cut into strings first.
  std::string rewritten;
  rewritten.reserve(content.value().size() + 2);
  for (std::string_view line : LineViews(content.value())) {
    if (LineBodyOf(line) != selected_body) {
      rewritten += line;
      rewritten += "\r\n";
      continue;
    }
    ++outcome.matched_lines;
    if (std::optional<std::string> changed = change(line)) {
      rewritten += *changed;
      rewritten += "\r\n";
      outcome.last_changed_line = std::move(*changed);
    }
  }
  if (outcome.matched_lines == 0) return outcome;
  if (IoStatus status =
          ReplaceFileAtomically(*files.steps, files.log, files.temporary, rewritten)) {
    return *status;
  }
  return outcome;
}

IoStatus CopyLogFile(const LogFiles& files, const std::filesystem::path& target) {
  IoResult<std::string> content = ReadWholeFile(*files.steps, files.log);
  if (!content.ok()) return content.error();
  // Through a temporary file beside the target, so a copy that fails part-way never leaves a
  // file that looks like a saved log, nor destroys the file the operator chose to replace.
  return ReplaceFileAtomically(*files.steps, target, FreshTemporaryBeside(target),
                               LineByLineCopy(content.value()));
}

}  // namespace zt
