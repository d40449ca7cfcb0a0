#pragma once

// The log store: the working log file, its backup and the temporary files they are written
// through, all in the data directory.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"

namespace zt {

inline constexpr char kLogFileName[] = "zawody_teltolmowe.zlg";
inline constexpr char kLogBackupFileName[] = "zawody_teltolmowe.zl~";
inline constexpr char kTemporaryLogFileName[] = "temporary.zlg";
inline constexpr char kTemporaryBackupFileName[] = "temporary.zl~";

struct LogFiles {
  std::filesystem::path log;               // the QSOs
  std::filesystem::path backup;            // the log before the latest append
  std::filesystem::path temporary;         // the new log while it is written
  std::filesystem::path backup_temporary;  // the new backup while it is written
  const FileSteps* steps;                  // how the files are opened, written and renamed

  static LogFiles In(const std::filesystem::path& data_directory, const FileSteps& steps);
};

// Creates the log empty, replacing any content.
IoStatus CreateEmptyLogFile(const LogFiles& files);

// The lines of the log in file order, empty lines included.
IoResult<std::vector<std::string>> ReadLogFile(const LogFiles& files);

struct AppendOutcome {
  IoStatus log;     // why the line is not in the log; empty once it is stored
  IoStatus backup;  // why the backup could not be refreshed; the log does not depend on it
};

// Copies the log to the backup line by line, then stores the log with `line` and CR LF added,
// each through its temporary file and one atomic rename, so a crash leaves each of them old or
// new and whole, never part of either. A log whose last line lacks its line end gets one first, so
// the new line never joins the old one. The program never reads the backup, so a backup that
// cannot be written does not stop the QSO.
AppendOutcome AppendToLogFile(const LogFiles& files, std::string_view line);

// What a rewrite does to each file line whose first 67 characters equal those of the selected
// line: the corrected line, or nothing to remove it.
using LineChange = std::function<std::optional<std::string>(std::string_view file_line)>;

struct RewriteOutcome {
  int matched_lines = 0;
  std::optional<std::string> last_changed_line;  // the last line written in its changed form
};

// Rewrites the log through the temporary file and one atomic rename; every other line is copied
// unchanged. When no line matches, the log is left untouched.
IoResult<RewriteOutcome> RewriteLogFile(const LogFiles& files, std::string_view selected_line,
                                        const LineChange& change);

// Copies the log into `target` line by line (the New log copy), through a fresh temporary file
// beside it and one atomic rename: on failure `target` keeps its old content.
IoStatus CopyLogFile(const LogFiles& files, const std::filesystem::path& target);

}  // namespace zt
