#include "session/log_status.h"

#include <charconv>
#include <chrono>

#include "app/log_line.h"
#include "app/text.h"

namespace zt {

namespace {

std::optional<int> Digits(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<long long> MinuteOf(std::string_view date, std::string_view time) {
  if (date.size() != 10 || (time.size() != 4 && time.size() != 5)) return std::nullopt;
  const std::optional<int> year = Digits(date.substr(0, 4));
  const std::optional<int> month = Digits(date.substr(5, 2));
  const std::optional<int> day = Digits(date.substr(8, 2));
  const std::optional<int> hour = Digits(time.substr(0, 2));
  const std::optional<int> minute = Digits(time.substr(time.size() - 2));
  if (!year || !month || !day || !hour || !minute || *hour > 23 || *minute > 59) {
    return std::nullopt;
  }
  const std::chrono::year_month_day calendar{std::chrono::year(*year),
                                             std::chrono::month(static_cast<unsigned>(*month)),
                                             std::chrono::day(static_cast<unsigned>(*day))};
  if (!calendar.ok()) return std::nullopt;
  const long long days = std::chrono::sys_days(calendar).time_since_epoch().count();
  return days * 1440 + *hour * 60 + *minute;
}

LogCounts CountLog(const std::vector<std::string>& lines, std::string_view date,
                   std::string_view time) {
  LogCounts counts;
  const std::optional<long long> now = MinuteOf(date, time);
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    ++counts.qsos;
    const std::string result(TrimmedView(ResultOf(line)));
    if (result != "DUPE" && result != "RPRT" && result != "CTRL") ++counts.counting;
    const std::string mode = ModeOf(line);
    if (mode == "CW") ++counts.cw;
    if (mode == "PH") ++counts.ph;
    if (mode == "FM") ++counts.fm;
    if (!now) continue;
    if (const std::optional<long long> logged = MinuteOf(DateOf(line), TimeOf(line))) {
      const long long ago = *now - *logged;
      if (ago >= 0 && ago < 60) ++counts.last_60_minutes;
      if (ago >= 0 && ago < 10) ++counts.last_10_minutes;
    }
  }
  return counts;
}

}  // namespace zt
