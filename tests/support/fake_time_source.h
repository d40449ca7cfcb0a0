#pragma once

#include "core/time_source.h"

namespace zt::testing {

// A clock that shows whatever the test sets.
class FakeTimeSource : public TimeSource {
 public:
  LocalDateTime LocalNow() const override { return now; }
  ZoneInfo Zone() const override { return zone; }

  LocalDateTime now{2026, 12, 6, 12, 5, 30, 0};
  ZoneInfo zone{};  // UTC
};

}  // namespace zt::testing
