#include "station/rig_reading.h"

namespace zt {

std::optional<std::string> LoggerModeOf(std::string_view rig_mode) {
  if (rig_mode == "CW" || rig_mode == "CWR") return "CW";
  if (rig_mode == "USB" || rig_mode == "LSB") return "SSB";
  if (rig_mode == "FM" || rig_mode == "PKTFM") return "FM";
  return std::nullopt;
}

std::string FrequencyText(std::int64_t hz) {
  // Tenths of a kHz, rounded half up.
  const std::int64_t tenths = (hz + 50) / 100;
  return std::to_string(tenths / 10) + ',' + std::to_string(tenths % 10) + " kHz";
}

Band BandOf(Round round) {
  if (round == Round::kVhf) return Band{"2 m", 144'000'000, 146'000'000};
  return Band{"80 m", 3'500'000, 3'800'000};
}

bool InBand(const Band& band, std::int64_t hz) {
  return hz >= band.lowest_hz && hz <= band.highest_hz;
}

}  // namespace zt
