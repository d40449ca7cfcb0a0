#pragma once

// Contest logs of any size for the benchmarks, written as the program writes them: every line is
// composed from entry fields and carries the result its evaluation gives.

#include <filesystem>
#include <string>
#include <vector>

#include "core/log_line.h"
#include "rules/letter_bonus.h"

namespace zt::bench {

// The settings the generated logs are scored under.
ScoringContext ScoringFor(Round round);

// The settings file of a station in the category that scores the round's whole log.
std::string SettingsFileText(Round round);

// `count` QSOs: mixed modes and groups on short-wave, serial numbers with locators around the own
// square and the two bonus stations on VHF; every tenth QSO repeats an earlier station in the
// same mode, a few groups are refused, and the last letters of the callsigns complete the bonus
// word early in the log.
std::vector<std::string> GeneratedLogLines(int count, Round round);

// A callsign of the log that counts for the duplicate test in the first mode of the round.
std::string WorkedCallsign(Round round);

// A data directory holding the settings file and the generated log; removed with its content.
class DataDirectory {
 public:
  DataDirectory(int qso_count, Round round);
  ~DataDirectory();
  DataDirectory(const DataDirectory&) = delete;
  DataDirectory& operator=(const DataDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path log_file() const { return path_ / "zawody_teltolmowe.zlg"; }
  // Writes the generated log again, undoing what a benchmark changed.
  void RestoreLog() const;
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::filesystem::path path_;
  std::vector<std::string> lines_;
};

}  // namespace zt::bench
