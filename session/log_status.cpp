#include "session/log_status.h"

#include <utility>

#include "core/contest_clock.h"
#include "core/log_line.h"
#include "core/text.h"

namespace zt {

std::optional<long long> MinuteOf(std::string_view date, std::string_view time) {
  // The log's "hhmm" read as the clock's "hh:mm".
  std::string clock_time(time);
  if (clock_time.size() == 4) clock_time.insert(2, 1, ':');
  return MinutesSinceEpoch(ClockFields{std::string(date), std::move(clock_time)});
}

LogCounts CountLog(const std::vector<std::string>& lines, std::string_view date,
                   std::string_view time) {
  LogCounts counts;
  const std::optional<long long> now = MinuteOf(date, time);
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    ++counts.qsos;
    const std::string_view result = ResultView(line);
    if (result != "DUPE" && result != "RPRT" && result != "CTRL") ++counts.counting;
    const std::string_view mode = FieldView(line, line_columns::kMode);
    if (mode == "CW") ++counts.cw;
    if (mode == "PH") ++counts.ph;
    if (mode == "FM") ++counts.fm;
    if (!now) continue;
    if (const std::optional<long long> logged =
            MinuteOf(FieldView(line, line_columns::kDate), FieldView(line, line_columns::kTime))) {
      const long long ago = *now - *logged;
      if (ago >= 0 && ago < 60) ++counts.last_60_minutes;
      if (ago >= 0 && ago < 10) ++counts.last_10_minutes;
    }
  }
  return counts;
}

}  // namespace zt
