#pragma once

// Where the contest clock gets the time: the local clock and the zone's offset from UTC. The
// program reads the system; tests set both.

namespace zt {

struct LocalDateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The zone as the system describes it; biases are minutes, positive west of Greenwich.
struct ZoneInfo {
  enum class State { kStandard, kDaylight, kUnknown };
  State state = State::kUnknown;
  int bias = 0;
  int standard_bias = 0;
  int daylight_bias = 0;
};

class TimeSource {
 public:
  virtual ~TimeSource() = default;
  virtual LocalDateTime LocalNow() const = 0;
  virtual ZoneInfo Zone() const = 0;
};

// The system's local clock and time zone.
class SystemTimeSource : public TimeSource {
 public:
  LocalDateTime LocalNow() const override;
  ZoneInfo Zone() const override;
};

}  // namespace zt
