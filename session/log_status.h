#pragma once

// What the operator's status line tells about the log: how many QSOs, how many count, per mode,
// and how many in the last hour and the last ten minutes of the contest clock.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

struct LogCounts {
  int qsos = 0;      // the QSO lines, empty lines aside
  int counting = 0;  // neither DUPE, RPRT nor CTRL
  int cw = 0;
  int ph = 0;
  int fm = 0;
  int last_60_minutes = 0;  // logged within the hour before the clock's time, that minute included
  int last_10_minutes = 0;
  bool operator==(const LogCounts&) const = default;
};

// `date` "rrrr-mm-dd" and `time` "gg:mm" as the clock's fields show them; when they hold no
// real date and time the two rates stay 0.
LogCounts CountLog(const std::vector<std::string>& lines, std::string_view date,
                   std::string_view time);

// Minutes since 1970-01-01 00:00 of a date "rrrr-mm-dd" and a time of four digits "hhmm" (any
// one character may stand between the hours and the minutes); nothing when they are no real ones.
std::optional<long long> MinuteOf(std::string_view date, std::string_view time);

}  // namespace zt
