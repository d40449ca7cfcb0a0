#pragma once

// What the logger makes of the rig's readings: the mode selector's item for the rig's mode, the
// frequency as the status line writes it, and whether it lies in the round's band.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/log_line.h"

namespace zt {

// The mode selector's item for a mode as rigs report it: CW and CWR are "CW", USB and LSB "SSB",
// FM and PKTFM "FM". Any other mode (AM, RTTY, PKTUSB...) selects nothing.
std::optional<std::string> LoggerModeOf(std::string_view rig_mode);

// The frequency in kHz with one decimal and a decimal comma: 3545000 Hz is "3545,0 kHz".
std::string FrequencyText(std::int64_t hz);

struct Band {
  const char* name;  // "80 m"
  std::int64_t lowest_hz;
  std::int64_t highest_hz;
};

// The round's band: 80 m, 3500-3800 kHz, on short-wave; 2 m, 144-146 MHz, on VHF.
Band BandOf(Round round);

// Both edges belong to the band.
bool InBand(const Band& band, std::int64_t hz);

}  // namespace zt
