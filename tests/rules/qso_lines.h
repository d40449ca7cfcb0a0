#pragma once

// Log lines for the scoring tests, composed as the entry window composes them.

#include <string>
#include <string_view>

#include "core/log_line.h"

namespace zt::testing {

// mode: the mode column, "CW", "PH" or "FM"; the round follows from it.
inline std::string QsoLine(std::string_view mode, std::string_view callsign,
                           std::string_view received_group) {
  const Round round = mode == "FM" ? Round::kVhf : Round::kShortWave;
  return ComposeLogLine(EntryFields{"2024-12-01", "07:05", std::string(mode), "599", "1",
                                    std::string(callsign), "599", std::string(received_group)},
                        round);
}

// The mode box text that gives a mode column.
inline std::string ModeBoxText(std::string_view mode) {
  return mode == "PH" ? "SSB" : std::string(mode);
}

}  // namespace zt::testing
