#include "session/log_status.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zt::testing {
namespace {

std::string Line(const char* date, const char* time, const char* mode, const char* result) {
  std::string line = std::string(date) + " " + time + " 80M " + mode +
                     " 599      1 QQ1ABC          599           5  ";
  return line + result;
}

TEST(CountLog, CountsAndRatesAgainstTheClock) {
  const std::vector<std::string> log = {
      Line("2026-12-06", "1100", "CW", "2"),     // 70 minutes before 12:10
      "",                                        // an empty line of a hand-edited log
      Line("2026-12-06", "1111", "CW", "DUPE"),  // 59 minutes before
      Line("2026-12-06", "1200", "PH", "RPRT"),  // 10 minutes before: not in the last ten
      Line("2026-12-06", "1201", "PH", "CTRL"),
      Line("2026-12-06", "1210", "CW", "20"),  // the clock's own minute
      Line("2026-12-06", "1211", "CW", "2"),   // after the clock's time
  };
  const LogCounts counts = CountLog(log, "2026-12-06", "12:10");
  EXPECT_EQ((LogCounts{6, 3, 4, 2, 0, 4, 2}), counts);
}

TEST(CountLog, TheHourAcrossMidnight_AndAClockWithoutATime) {
  const std::vector<std::string> log = {Line("2026-12-31", "2350", "CW", "2"),
                                        Line("2027-01-01", "0005", "CW", "2")};
  EXPECT_EQ(2, CountLog(log, "2027-01-01", "00:20").last_60_minutes);
  EXPECT_EQ(1, CountLog(log, "2027-01-01", "00:10").last_10_minutes);
  for (const char* time : {"", "24:00", "1:5"}) {
    const LogCounts counts = CountLog(log, "2027-01-01", time);
    EXPECT_EQ(2, counts.qsos) << time;
    EXPECT_EQ(0, counts.last_60_minutes) << time;
  }
}

// Only the clock's day and the day before are read for the rate: a date is the same day by its
// digits, whatever its separators, and a day further back or ahead never counts.
TEST(CountLog, TheRateReadsTheDigitsOfTheClocksDayAndTheDayBefore) {
  const std::vector<std::string> log = {
      Line("2026/03/01", "0000", "CW", "2"),  // other separators: the clock's day
      Line("2026-02-28", "2330", "CW", "2"),  // the day before, across the month's end
      Line("2026-02-27", "2359", "CW", "2"),  // two days back
      Line("2026-03-02", "0000", "CW", "2"),  // the day after
      Line("2026-02-29", "2359", "CW", "2"),  // no real date
  };
  const LogCounts counts = CountLog(log, "2026-03-01", "00:05");
  EXPECT_EQ(5, counts.qsos);
  EXPECT_EQ(2, counts.last_60_minutes);
  EXPECT_EQ(1, counts.last_10_minutes);
  // A clock date with blanks in it reads as the checks read it.
  EXPECT_EQ(2, CountLog(log, " 2026-03-01", "00:05").last_60_minutes);
}

TEST(MinuteOf, OnlyRealDatesAndTimes) {
  EXPECT_EQ(0, MinuteOf("1970-01-01", "0000"));
  EXPECT_EQ(1440 + 61, MinuteOf("1970-01-02", "01:01"));
  for (const auto& [date, time] :
       std::vector<std::pair<const char*, const char*>>{{"2026-02-30", "1200"},
                                                        {"2026-13-01", "1200"},
                                                        {"2026-12-06", "1260"},
                                                        {"2026-12-06", "12x0"},
                                                        {"2026-12-06", "-105"},
                                                        {"26-12-06", "1200"}}) {
    EXPECT_EQ(std::nullopt, MinuteOf(date, time)) << date << " " << time;
  }
}

}  // namespace
}  // namespace zt::testing
