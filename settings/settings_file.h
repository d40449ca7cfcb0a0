#pragma once

// The settings file: twelve positional lines of station data and the category index, kept in the
// data directory between runs.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"

namespace zt {

inline constexpr char kSettingsFileName[] = "zawody_teltolmowe.ini";
// The new content is written here first, so a failed save leaves the old file whole.
inline constexpr char kSettingsTemporaryFileName[] = "zawody_teltolmowe.in~";

struct StationData {
  std::array<std::string, 10> fields;  // the dialog's Edit1..Edit10: field n is line n
  std::vector<std::string> memo;       // the remarks, line by line
  std::optional<int> category_index;   // 0..7, none when no category is chosen
};

struct LoadedSettings {
  StationData data;
  // Line 12 when it is neither empty nor a category index; the category is then left unchosen.
  std::optional<std::string> damaged_category_line;
};

// The remarks of the memo's text, line by line. A last line is a remark only when it holds text:
// a final Enter, or a memo of one empty line, adds none. Empty lines between remarks stay.
std::vector<std::string> MemoLines(std::string_view memo_text);

// Lines missing at the end read as empty, lines past the twelfth are ignored; any line end and
// a missing last line end are accepted.
LoadedSettings ParseSettings(std::string_view content);

// Twelve lines with CR LF; the memo lines are joined with "|". The file has no escapes, so a line
// end or another control character inside a value is written as a blank rather than shifting
// every later line.
std::string FormatSettings(const StationData& data);

// A missing file is an error like any other; callers test FileExists first.
IoResult<LoadedSettings> ReadSettingsFile(const FileSteps& steps,
                                          const std::filesystem::path& data_directory);

// Replaces the file through the temporary file and one atomic rename.
IoStatus WriteSettingsFile(const FileSteps& steps, const std::filesystem::path& data_directory,
                           const StationData& data);

}  // namespace zt
