#include "core/time_source.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#include <ctime>
#endif

namespace zt {

#ifdef _WIN32

// The local clock and the zone both come from the system's own calls, so they always agree: the
// C runtime's local time would follow a TZ variable of its own instead.
LocalDateTime SystemTimeSource::LocalNow() const {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return LocalDateTime{local.wYear,   local.wMonth,  local.wDay,         local.wHour,
                       local.wMinute, local.wSecond, local.wMilliseconds};
}

ZoneInfo SystemTimeSource::Zone() const {
  TIME_ZONE_INFORMATION info{};
  switch (GetTimeZoneInformation(&info)) {
    case TIME_ZONE_ID_STANDARD:
      return ZoneInfo{ZoneInfo::State::kStandard, info.Bias, info.StandardBias, info.DaylightBias};
    case TIME_ZONE_ID_DAYLIGHT:
      return ZoneInfo{ZoneInfo::State::kDaylight, info.Bias, info.StandardBias, info.DaylightBias};
    case TIME_ZONE_ID_UNKNOWN:
      // A zone without daylight saving time: the base bias is the whole offset.
      return ZoneInfo{ZoneInfo::State::kUnknown, info.Bias, 0, 0};
    default:
      // The query failed and filled in nothing: the clock shows the local time as UTC.
      return ZoneInfo{};
  }
}

#else

namespace {

std::tm LocalTm(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

}  // namespace

LocalDateTime SystemTimeSource::LocalNow() const {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  const std::tm local = LocalTm(seconds);
  return LocalDateTime{local.tm_year + 1900,    local.tm_mon + 1, local.tm_mday,
                       local.tm_hour,           local.tm_min,     local.tm_sec,
                       static_cast<int>(millis)};
}

ZoneInfo SystemTimeSource::Zone() const {
  // POSIX gives the whole current offset at once; it is reported as the base bias.
  const std::tm local = LocalTm(std::time(nullptr));
  const int offset_minutes = static_cast<int>(local.tm_gmtoff / 60);
  return ZoneInfo{local.tm_isdst > 0 ? ZoneInfo::State::kDaylight : ZoneInfo::State::kStandard,
                  -offset_minutes, 0, 0};
}

#endif

}  // namespace zt
