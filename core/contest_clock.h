#pragma once

// The arithmetic behind the contest clock: the zone's offset, the UTC date and time fields, the
// checks of the two fields and the one-minute step. The window keeps the running/stopped state.

#include <optional>
#include <string>
#include <string_view>

#include "core/time_source.h"

namespace zt {

// The zone's exact offset from UTC as days (whole minutes / 1440), positive east of Greenwich,
// so that half-hour zones such as UTC+5:30 show the right time.
double ComputeUtcOffset(const ZoneInfo& zone);

struct ClockFields {
  std::string date;  // "yyyy-mm-dd"
  std::string time;  // "hh:mm"
  bool operator==(const ClockFields&) const = default;
};

// The UTC fields for a local date-time minus the offset; seconds are dropped, never rounded.
ClockFields UtcFieldsAt(const LocalDateTime& local, double utc_offset_days);

// The UTC fields for the source's current time and zone, as one clock tick shows them.
ClockFields CurrentUtcFields(const TimeSource& source);

enum class FieldCheck {
  kOk,
  kBadFormat,  // wrong length
  kBadData,    // a non-digit where a digit belongs, or no real time or date
};

struct CheckedField {
  std::string text;  // the field's text with every blank removed, to be shown back in the field
  FieldCheck check;
};

// "hh:mm" with hour 00-23 and minute 00-59; the separator is not examined ("12.30" passes).
CheckedField CheckTimeField(std::string_view text);

// "yyyy-mm-dd" forming a real calendar date; the separators are not examined.
CheckedField CheckDateField(std::string_view text);

// Minutes since 1970-01-01 00:00 of fields that pass both checks above; nothing otherwise.
std::optional<long long> MinutesSinceEpoch(const ClockFields& fields);

enum class StepResult {
  kOk,
  kBadTime,  // the time field holds no time to step from
  kBadDate,  // midnight was crossed and the date field holds no real date
};

struct StepOutcome {
  StepResult result;
  ClockFields fields;  // the stepped fields, or the given ones unchanged when the step failed
};

// Steps the time by `minutes` (+1 or -1 from the keys and the spinner). Crossing midnight moves
// the date by real calendar days; the date is read only then.
StepOutcome StepByMinute(const ClockFields& fields, int minutes);

}  // namespace zt
