#include "core/contest_clock.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/fake_time_source.h"

namespace zt {
namespace {

using State = ZoneInfo::State;

TEST(ComputeUtcOffset, Zones_GiveExactMinutesEastOfGreenwich) {
  struct Case {
    const char* name;
    ZoneInfo zone;
    int minutes_east;
  };
  const Case cases[] = {
      {"UTC+1 standard ignores the daylight bias", {State::kStandard, -60, 0, -60}, 60},
      {"UTC+2 daylight", {State::kDaylight, -60, 0, -60}, 120},
      {"UTC-5 standard", {State::kStandard, 300, 0, -60}, -300},
      {"UTC+5:30 keeps its half hour", {State::kStandard, -330, 0, 0}, 330},
      {"standard bias counts in standard time", {State::kStandard, -60, -30, -60}, 90},
      {"unknown state takes the base bias only", {State::kUnknown, -60, -30, -60}, 60},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(c.minutes_east / 1440.0, ComputeUtcOffset(c.zone)) << c.name;
  }
}

TEST(UtcFieldsAt, LocalTimes_GiveUtcAcrossCalendarBoundaries) {
  struct Case {
    const char* name;
    LocalDateTime local;
    ZoneInfo zone;
    ClockFields expected;
  };
  const ZoneInfo utc_plus_1{State::kStandard, -60, 0, -60};
  const ZoneInfo utc_plus_2{State::kDaylight, -60, 0, -60};
  const ZoneInfo utc_minus_5{State::kStandard, 300, 0, -60};
  const ZoneInfo utc_plus_5_30{State::kStandard, -330, 0, 0};
  const Case cases[] = {
      {"seconds are dropped, not rounded",
       {2026, 12, 6, 12, 5, 59, 999},
       utc_plus_1,
       {"2026-12-06", "11:05"}},
      {"back across midnight", {2026, 12, 6, 0, 30, 0, 0}, utc_plus_1, {"2026-12-05", "23:30"}},
      {"back across the new year", {2027, 1, 1, 1, 59, 0, 0}, utc_plus_2, {"2026-12-31", "23:59"}},
      {"forward across the new year",
       {2026, 12, 31, 20, 0, 0, 0},
       utc_minus_5,
       {"2027-01-01", "01:00"}},
      {"back onto a leap day", {2024, 3, 1, 0, 10, 0, 0}, utc_plus_1, {"2024-02-29", "23:10"}},
      {"back onto February's end", {2026, 3, 1, 0, 10, 0, 0}, utc_plus_1, {"2026-02-28", "23:10"}},
      {"half-hour zone", {2026, 12, 6, 5, 0, 0, 0}, utc_plus_5_30, {"2026-12-05", "23:30"}},
      {"UTC itself", {2026, 12, 6, 0, 0, 0, 0}, ZoneInfo{}, {"2026-12-06", "00:00"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, UtcFieldsAt(c.local, ComputeUtcOffset(c.zone))) << c.name;
  }
}

TEST(CurrentUtcFields, FakeSource_ShowsItsTimeInUtc) {
  testing::FakeTimeSource source;
  source.now = {2026, 12, 6, 12, 5, 30, 0};
  source.zone = {State::kDaylight, -60, 0, -60};
  EXPECT_EQ((ClockFields{"2026-12-06", "10:05"}), CurrentUtcFields(source));
}

// UTC as the system clock counts it, in the fields' form.
ClockFields UtcFieldsNow() {
  using namespace std::chrono;
  const auto now = floor<minutes>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss time{now - day};
  const LocalDateTime utc{
      static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
      static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(time.hours().count()),
      static_cast<int>(time.minutes().count())};
  return UtcFieldsAt(utc, 0.0);
}

// The system's local time and zone together give UTC, whatever zone the machine is in; the test
// command also runs this on Windows under a zone of its choosing.
TEST(CurrentUtcFields, SystemTimeSource_ShowsTheSystemClocksUtc) {
  const ClockFields before = UtcFieldsNow();
  const ClockFields shown = CurrentUtcFields(SystemTimeSource{});
  const ClockFields after = UtcFieldsNow();
  EXPECT_TRUE(shown == before || shown == after)
      << shown.date << " " << shown.time << ", the system clock's UTC " << before.date << " "
      << before.time;
}

TEST(CheckTimeField, Texts_AreJudgedByLengthDigitsAndRange) {
  struct Case {
    const char* text;
    const char* shown;
    FieldCheck expected;
  };
  const Case cases[] = {
      {" 07:05 ", "07:05", FieldCheck::kOk},     {"7:05", "7:05", FieldCheck::kBadFormat},
      {"07 05", "0705", FieldCheck::kBadFormat}, {"12.30", "12.30", FieldCheck::kOk},
      {"25:99", "25:99", FieldCheck::kBadData},  {"24:00", "24:00", FieldCheck::kBadData},
      {"23:60", "23:60", FieldCheck::kBadData},  {"23:59", "23:59", FieldCheck::kOk},
      {"00:00", "00:00", FieldCheck::kOk},       {"1a:30", "1a:30", FieldCheck::kBadData},
      {"", "", FieldCheck::kBadFormat},          {"07:055", "07:055", FieldCheck::kBadFormat},
  };
  for (const Case& c : cases) {
    const CheckedField checked = CheckTimeField(c.text);
    EXPECT_EQ(c.shown, checked.text) << '"' << c.text << '"';
    EXPECT_EQ(c.expected, checked.check) << '"' << c.text << '"';
  }
}

TEST(CheckDateField, Texts_MustFormARealCalendarDate) {
  struct Case {
    const char* text;
    FieldCheck expected;
  };
  const Case cases[] = {
      {"2026-12-04", FieldCheck::kOk},      {" 2026-12-04 ", FieldCheck::kOk},
      {"2026/12/04", FieldCheck::kOk},      {"2026-1-4", FieldCheck::kBadFormat},
      {"", FieldCheck::kBadFormat},         {"2026-12-0x", FieldCheck::kBadData},
      {"2026-02-30", FieldCheck::kBadData}, {"2026-13-01", FieldCheck::kBadData},
      {"2026-00-10", FieldCheck::kBadData}, {"2026-12-00", FieldCheck::kBadData},
      {"2026-11-31", FieldCheck::kBadData}, {"2024-02-29", FieldCheck::kOk},
      {"2026-02-29", FieldCheck::kBadData}, {"1900-02-29", FieldCheck::kBadData},
      {"2000-02-29", FieldCheck::kOk},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, CheckDateField(c.text).check) << c.text;
  EXPECT_EQ("2026-12-04", CheckDateField(" 2026-12-04 ").text);
}

TEST(StepByMinute, Steps_MoveTimeAndRealCalendarDays) {
  struct Case {
    const char* name;
    ClockFields before;
    int minutes;
    ClockFields after;
  };
  const Case cases[] = {
      {"up into the next hour", {"2026-12-04", "09:59"}, +1, {"2026-12-04", "10:00"}},
      {"down within the hour", {"2026-12-04", "14:10"}, -1, {"2026-12-04", "14:09"}},
      {"up past midnight", {"2026-12-04", "23:59"}, +1, {"2026-12-05", "00:00"}},
      {"up onto the 31st", {"2026-12-30", "23:59"}, +1, {"2026-12-31", "00:00"}},
      {"up into the new year", {"2026-12-31", "23:59"}, +1, {"2027-01-01", "00:00"}},
      {"up onto a leap day", {"2024-02-28", "23:59"}, +1, {"2024-02-29", "00:00"}},
      {"down past midnight", {"2026-12-05", "00:00"}, -1, {"2026-12-04", "23:59"}},
      {"down into the previous month", {"2026-12-01", "00:00"}, -1, {"2026-11-30", "23:59"}},
      {"down onto February's end", {"2026-03-01", "00:00"}, -1, {"2026-02-28", "23:59"}},
      {"down onto a leap day", {"2024-03-01", "00:00"}, -1, {"2024-02-29", "23:59"}},
      {"down into the old year", {"2026-01-01", "00:00"}, -1, {"2025-12-31", "23:59"}},
      {"date not read without a day change", {"rubbish", "10:00"}, -1, {"rubbish", "09:59"}},
      {"other separators are rewritten", {"2026/12/04", "23:59"}, +1, {"2026-12-05", "00:00"}},
      {"dotted time steps", {"2026-12-04", "12.30"}, +1, {"2026-12-04", "12:31"}},
  };
  for (const Case& c : cases) {
    const StepOutcome outcome = StepByMinute(c.before, c.minutes);
    EXPECT_EQ(StepResult::kOk, outcome.result) << c.name;
    EXPECT_EQ(c.after, outcome.fields) << c.name;
  }
}

TEST(StepByMinute, UnreadableFields_FailAndKeepTheFields) {
  struct Case {
    const char* name;
    ClockFields before;
    int minutes;
    StepResult expected;
  };
  const Case cases[] = {
      {"letter in the hour", {"2026-12-04", "1a:30"}, +1, StepResult::kBadTime},
      {"short time", {"2026-12-04", "7:05"}, +1, StepResult::kBadTime},
      {"time out of range", {"2026-12-04", "25:99"}, +1, StepResult::kBadTime},
      {"empty time", {"2026-12-04", ""}, -1, StepResult::kBadTime},
      {"letter in the day at midnight", {"2026-12-0x", "23:59"}, +1, StepResult::kBadDate},
      {"no such day at midnight", {"2026-02-30", "00:00"}, -1, StepResult::kBadDate},
      {"empty date at midnight", {"", "23:59"}, +1, StepResult::kBadDate},
      {"past year 9999", {"9999-12-31", "23:59"}, +1, StepResult::kBadDate},
  };
  for (const Case& c : cases) {
    const StepOutcome outcome = StepByMinute(c.before, c.minutes);
    EXPECT_EQ(c.expected, outcome.result) << c.name;
    EXPECT_EQ(c.before, outcome.fields) << c.name;
  }
}

}  // namespace
}  // namespace zt
