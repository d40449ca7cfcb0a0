#include "core/contest_clock.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>

#include "core/text.h"

namespace zt {

namespace {

constexpr long long kMinutesPerDay = 24 * 60;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool DigitsAt(std::string_view text, std::initializer_list<std::size_t> positions) {
  for (std::size_t position : positions) {
    if (!IsDigit(text[position - 1])) return false;
  }
  return true;
}

// The value of the two digits from 1-based `position`; the caller has checked them.
int TwoDigits(std::string_view text, std::size_t position) {
  return (text[position - 1] - '0') * 10 + (text[position] - '0');
}

std::optional<std::chrono::year_month_day> CalendarDateOf(std::string_view checked_text) {
  const int year = TwoDigits(checked_text, 1) * 100 + TwoDigits(checked_text, 3);
  const std::chrono::year_month_day date{
      std::chrono::year{year},
      std::chrono::month{static_cast<unsigned>(TwoDigits(checked_text, 6))},
      std::chrono::day{static_cast<unsigned>(TwoDigits(checked_text, 9))}};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::string FormatDate(std::chrono::year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::string FormatTime(long long minute_of_day) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minute_of_day / 60),
                static_cast<int>(minute_of_day % 60));
  return text;
}

long long FloorDiv(long long value, long long divisor) {
  const long long quotient = value / divisor;
  return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

}  // namespace

double ComputeUtcOffset(const ZoneInfo& zone) {
  int minutes_east = -zone.bias;
  switch (zone.state) {
    case ZoneInfo::State::kStandard:
      minutes_east -= zone.standard_bias;
      break;
    case ZoneInfo::State::kDaylight:
      minutes_east -= zone.daylight_bias;
      break;
    case ZoneInfo::State::kUnknown:
      break;
  }
  return minutes_east / static_cast<double>(kMinutesPerDay);
}

ClockFields UtcFieldsAt(const LocalDateTime& local, double utc_offset_days) {
  using std::chrono::sys_days;
  const std::chrono::year_month_day local_date{
      std::chrono::year{local.year}, std::chrono::month{static_cast<unsigned>(local.month)},
      std::chrono::day{static_cast<unsigned>(local.day)}};
  const long long offset_minutes = std::llround(utc_offset_days * kMinutesPerDay);
  // The offset is whole minutes, so dropping the local seconds first drops the UTC seconds.
  const long long utc_minutes = sys_days{local_date}.time_since_epoch().count() * kMinutesPerDay +
                                local.hour * 60LL + local.minute - offset_minutes;
  const long long utc_day = FloorDiv(utc_minutes, kMinutesPerDay);
  const sys_days utc_date{std::chrono::days{utc_day}};
  return ClockFields{FormatDate(std::chrono::year_month_day{utc_date}),
                     FormatTime(utc_minutes - utc_day * kMinutesPerDay)};
}

ClockFields CurrentUtcFields(const TimeSource& source) {
  return UtcFieldsAt(source.LocalNow(), ComputeUtcOffset(source.Zone()));
}

CheckedField CheckTimeField(std::string_view text) {
  CheckedField checked{RemoveBlanks(text), FieldCheck::kOk};
  const std::string& time = checked.text;
  if (time.size() != 5) {
    checked.check = FieldCheck::kBadFormat;
  } else if (!DigitsAt(time, {1, 2, 4, 5}) || TwoDigits(time, 1) > 23 || TwoDigits(time, 4) > 59) {
    checked.check = FieldCheck::kBadData;
  }
  return checked;
}

CheckedField CheckDateField(std::string_view text) {
  CheckedField checked{RemoveBlanks(text), FieldCheck::kOk};
  const std::string& date = checked.text;
  if (date.size() != 10) {
    checked.check = FieldCheck::kBadFormat;
  } else if (!DigitsAt(date, {1, 2, 3, 4, 6, 7, 9, 10}) || !CalendarDateOf(date)) {
    checked.check = FieldCheck::kBadData;
  }
  return checked;
}

std::optional<long long> MinutesSinceEpoch(const ClockFields& fields) {
  const CheckedField date = CheckDateField(fields.date);
  const CheckedField time = CheckTimeField(fields.time);
  if (date.check != FieldCheck::kOk || time.check != FieldCheck::kOk) return std::nullopt;
  const std::chrono::sys_days day{*CalendarDateOf(date.text)};
  return day.time_since_epoch().count() * kMinutesPerDay + TwoDigits(time.text, 1) * 60 +
         TwoDigits(time.text, 4);
}

StepOutcome StepByMinute(const ClockFields& fields, int minutes) {
  const CheckedField time = CheckTimeField(fields.time);
  if (time.check != FieldCheck::kOk) return StepOutcome{StepResult::kBadTime, fields};

  const long long stepped = TwoDigits(time.text, 1) * 60LL + TwoDigits(time.text, 4) + minutes;
  const long long day_shift = FloorDiv(stepped, kMinutesPerDay);
  StepOutcome outcome{StepResult::kOk,
                      ClockFields{fields.date, FormatTime(stepped - day_shift * kMinutesPerDay)}};
  if (day_shift == 0) return outcome;

  const CheckedField date_field = CheckDateField(fields.date);
  if (date_field.check != FieldCheck::kOk) return StepOutcome{StepResult::kBadDate, fields};
  const std::chrono::sys_days date{*CalendarDateOf(date_field.text)};
  const std::chrono::year_month_day stepped_date{date + std::chrono::days{day_shift}};
  // A year beyond four digits would not fit the date columns.
  if (stepped_date.year() < std::chrono::year{0} || stepped_date.year() > std::chrono::year{9999}) {
    return StepOutcome{StepResult::kBadDate, fields};
  }
  outcome.fields.date = FormatDate(stepped_date);
  return outcome;
}

}  // namespace zt
