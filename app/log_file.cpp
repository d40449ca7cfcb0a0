#include "app/log_file.h"

#include "app/log_line.h"

namespace zt {

namespace {

// A line-by-line copy reads a line before it tests for the end of the file, so an empty file
// copies as one empty line.
std::string LineByLineCopy(std::string_view content) {
  std::vector<std::string> lines = SplitLines(content);
  if (lines.empty()) lines.emplace_back();
  return JoinLines(lines);
}

bool EndsWithLineEnd(std::string_view content) {
  return !content.empty() && (content.back() == '\n' || content.back() == '\r');
}

}  // namespace

LogFiles LogFiles::In(const std::filesystem::path& data_directory) {
  return LogFiles{data_directory / "zawody_teltolmowe.zlg",
                  data_directory / "zawody_teltolmowe.zl~", data_directory / "temporary.zlg"};
}

IoStatus CreateEmptyLogFile(const LogFiles& files) {
  return ReplaceFileAtomically(files.log, files.temporary, "");
}

IoResult<std::vector<std::string>> ReadLogFile(const LogFiles& files) {
  IoResult<std::string> content = ReadWholeFile(files.log);
  if (!content.ok()) return content.error();
  return SplitLines(content.value());
}

IoStatus AppendToLogFile(const LogFiles& files, std::string_view line) {
  IoResult<std::string> content = ReadWholeFile(files.log);
  if (!content.ok()) return content.error();
  if (IoStatus status = WriteFileDurably(files.backup, LineByLineCopy(content.value()))) {
    return status;
  }
  std::string appended;
  if (!content.value().empty() && !EndsWithLineEnd(content.value())) appended += "\r\n";
  appended += line;
  appended += "\r\n";
  return AppendDurably(files.log, appended);
}

IoResult<RewriteOutcome> RewriteLogFile(const LogFiles& files, std::string_view selected_line,
                                        const LineChange& change) {
  IoResult<std::vector<std::string>> lines = ReadLogFile(files);
  if (!lines.ok()) return lines.error();
  const std::string_view selected_body = LineBodyOf(selected_line);
  RewriteOutcome outcome;
  std::vector<std::string> rewritten;
  rewritten.reserve(lines.value().size());
  for (std::string& line : lines.value()) {
    if (LineBodyOf(line) != selected_body) {
      rewritten.push_back(std::move(line));
      continue;
    }
    ++outcome.matched_lines;
    if (std::optional<std::string> changed = change(line)) {
      outcome.last_changed_line = *changed;
      rewritten.push_back(std::move(*changed));
    }
  }
  if (outcome.matched_lines == 0) return outcome;
  if (IoStatus status = ReplaceFileAtomically(files.log, files.temporary, JoinLines(rewritten))) {
    return *status;
  }
  return outcome;
}

IoStatus CopyLogFile(const LogFiles& files, const std::filesystem::path& target) {
  IoResult<std::string> content = ReadWholeFile(files.log);
  if (!content.ok()) return content.error();
  // Through a temporary file beside the target, so a copy that fails part-way never leaves a
  // file that looks like a saved log, nor destroys the file the operator chose to replace.
  std::filesystem::path temporary = target;
  temporary += "~";
  return ReplaceFileAtomically(target, temporary, LineByLineCopy(content.value()));
}

}  // namespace zt
