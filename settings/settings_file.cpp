#include "settings/settings_file.h"

#include <algorithm>

#include "core/text.h"
#include "core/whole_number.h"
#include "settings/categories.h"

namespace zt {

namespace {

constexpr std::size_t kFieldCount = 10;
constexpr std::size_t kMemoLine = 10;      // 0-based
constexpr std::size_t kCategoryLine = 11;  // 0-based
constexpr std::size_t kLineCount = 12;

// Every "|" separates two memo lines; the line has no escape for it.
std::vector<std::string> SplitMemo(std::string_view line) {
  std::vector<std::string> memo;
  if (line.empty()) return memo;
  std::size_t start = 0;
  for (std::size_t bar = line.find('|'); bar != std::string_view::npos;
       bar = line.find('|', start)) {
    memo.emplace_back(line.substr(start, bar - start));
    start = bar + 1;
  }
  memo.emplace_back(line.substr(start));
  return memo;
}

// Control characters become blanks: a line end would shift every later line, and no other
// control character belongs in a text file's line either.
std::string WithoutControlCharacters(std::string_view value) {
  std::string result(value);
  std::replace_if(result.begin(), result.end(), IsControlCharacter, ' ');
  return result;
}

}  // namespace

std::vector<std::string> MemoLines(std::string_view memo_text) {
  std::vector<std::string> lines = SplitLines(memo_text);
  while (!lines.empty() && TrimBlanks(lines.back()).empty()) lines.pop_back();
  return lines;
}

LoadedSettings ParseSettings(std::string_view content) {
  std::vector<std::string> lines = SplitLines(content);
  lines.resize(kLineCount);

  LoadedSettings loaded;
  for (std::size_t n = 0; n < kFieldCount; ++n) loaded.data.fields[n] = lines[n];
  loaded.data.memo = SplitMemo(lines[kMemoLine]);

  const std::string& category_line = lines[kCategoryLine];
  if (!category_line.empty()) {
    const std::optional<std::int32_t> index = ToWholeNumber(category_line);
    if (index && *index >= 0 && *index < static_cast<std::int32_t>(kCategories.size())) {
      loaded.data.category_index = *index;
    } else {
      loaded.damaged_category_line = category_line;
    }
  }
  return loaded;
}

std::string FormatSettings(const StationData& data) {
  std::vector<std::string> lines;
  lines.reserve(kLineCount);
  for (const std::string& field : data.fields) lines.push_back(WithoutControlCharacters(field));

  std::string memo;
  for (std::size_t i = 0; i < data.memo.size(); ++i) {
    if (i > 0) memo += '|';
    memo += WithoutControlCharacters(data.memo[i]);
  }
  lines.push_back(std::move(memo));

  lines.push_back(data.category_index ? std::to_string(*data.category_index) : std::string());
  return JoinLines(lines);
}

IoResult<LoadedSettings> ReadSettingsFile(const FileSteps& steps,
                                          const std::filesystem::path& data_directory) {
  IoResult<std::string> content = ReadWholeFile(steps, data_directory / kSettingsFileName);
  if (!content.ok()) return content.error();
  return ParseSettings(content.value());
}

IoStatus WriteSettingsFile(const FileSteps& steps, const std::filesystem::path& data_directory,
                           const StationData& data) {
  return ReplaceFileAtomically(steps, data_directory / kSettingsFileName,
                               data_directory / kSettingsTemporaryFileName, FormatSettings(data));
}

}  // namespace zt
