#pragma once

// The [cw] group of the radio file: which keyer, where it listens, the speed, the cut numbers
// and the messages F1-F8. Values are read as text and checked here, so a hand-edited file never
// gives the keyer a speed or a port it cannot take.

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "station/cw_keyer.h"

namespace zt {

enum class CwKeyer { kNone, kCwdaemon, kRigctld };

inline constexpr int kCwMessageCount = 8;
inline constexpr int kDefaultWpm = 25;

struct CwSettings {
  CwKeyer keyer = CwKeyer::kNone;
  std::string host = "127.0.0.1";  // cwdaemon's; the rig's keyer is the radio's rigctld
  int port = kCwdaemonDefaultPort;
  int wpm = kDefaultWpm;
  bool cut_report = true;
  bool cut_group = false;
  std::array<std::string, kCwMessageCount> messages = {"CQ TEST {MYCALL} TEST",
                                                       "{CALL} {RST} {NR}",
                                                       "TU {MYCALL}",
                                                       "{MYCALL}",
                                                       "{CALL}",
                                                       "?",
                                                       "",
                                                       ""};

  bool operator==(const CwSettings&) const = default;
};

std::string_view KeyerName(CwKeyer keyer);

// The settings from the group's values by key ("keyer", "host", "port", "wpm", "cut_report",
// "cut_group", "F1".."F8"); a missing value takes its default, a wrong one too (a speed out of
// range the nearest of 12 and 50), and its key is named in `rejected`.
CwSettings ReadCwSettings(const std::map<std::string, std::string, std::less<>>& values,
                          std::vector<std::string>* rejected = nullptr);
// The values to write, by the same keys.
std::map<std::string, std::string, std::less<>> CwSettingsValues(const CwSettings& settings);

}  // namespace zt
