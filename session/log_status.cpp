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

namespace {

// Whether two dates "rrrr-mm-dd" have the same digits; the clock's checks do not read the
// separators either.
bool SameDay(std::string_view date, std::string_view other) {
  return date.size() == 10 && other.size() == 10 && date.substr(0, 4) == other.substr(0, 4) &&
         date.substr(5, 2) == other.substr(5, 2) && date.substr(8, 2) == other.substr(8, 2);
}

}  // namespace

LogCounts CountLog(const std::vector<std::string>& lines, std::string_view date,
                   std::string_view time) {
  LogCounts counts;
  const std::optional<long long> now = MinuteOf(date, time);
  // Only a QSO of the clock's day or of the day before can be within the last hour, so the time
  // of no other is read.
  const std::string today = CheckDateField(date).text;
  const std::string yesterday = StepByMinute(ClockFields{today, "00:00"}, -1).fields.date;
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
    const std::string_view logged_date = FieldView(line, line_columns::kDate);
    if (!SameDay(logged_date, today) && !SameDay(logged_date, yesterday)) continue;
    if (const std::optional<long long> logged =
            MinuteOf(logged_date, FieldView(line, line_columns::kTime))) {
      const long long ago = *now - *logged;
      if (ago >= 0 && ago < 60) ++counts.last_60_minutes;
      if (ago >= 0 && ago < 10) ++counts.last_10_minutes;
    }
  }
  return counts;
}

}  // namespace zt
