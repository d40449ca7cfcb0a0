#include "station/rig_reading.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(LoggerMode, FollowsTheRigsModeWhereTheLogHasIt) {
  const std::pair<const char*, const char*> kModes[] = {
      {"CW", "CW"},    {"CWR", "CW"},   {"USB", "SSB"},    {"LSB", "SSB"},      {"FM", "FM"},
      {"PKTFM", "FM"}, {"AM", nullptr}, {"RTTY", nullptr}, {"PKTUSB", nullptr}, {"", nullptr},
  };
  for (const auto& [rig, logger] : kModes) {
    const std::optional<std::string> mode = LoggerModeOf(rig);
    if (logger) {
      EXPECT_EQ(mode, logger) << rig;
    } else {
      EXPECT_FALSE(mode.has_value()) << rig;
    }
  }
}

TEST(FrequencyText, KilohertzWithOneDecimalAndAComma) {
  EXPECT_EQ(FrequencyText(3545000), "3545,0 kHz");
  EXPECT_EQ(FrequencyText(3545050), "3545,1 kHz");  // half a tenth rounds up
  EXPECT_EQ(FrequencyText(3545049), "3545,0 kHz");
  EXPECT_EQ(FrequencyText(145000000), "145000,0 kHz");
  EXPECT_EQ(FrequencyText(0), "0,0 kHz");
}

TEST(BandCheck, BothEdgesBelongToTheRoundsBand) {
  struct Case {
    Round round;
    std::int64_t hz;
    bool in_band;
  };
  const Case kCases[] = {
      {Round::kShortWave, 3'500'000, true},    {Round::kShortWave, 3'800'000, true},
      {Round::kShortWave, 3'499'999, false},   {Round::kShortWave, 3'800'001, false},
      {Round::kShortWave, 145'000'000, false}, {Round::kVhf, 144'000'000, true},
      {Round::kVhf, 146'000'000, true},        {Round::kVhf, 146'000'001, false},
      {Round::kVhf, 3'545'000, false},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(InBand(BandOf(c.round), c.hz), c.in_band) << c.hz;
  }
  EXPECT_STREQ(BandOf(Round::kShortWave).name, "80 m");
  EXPECT_STREQ(BandOf(Round::kVhf).name, "2 m");
}

}  // namespace
}  // namespace zt
