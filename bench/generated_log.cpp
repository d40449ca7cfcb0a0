#include "bench/generated_log.h"

#include <cstdio>
#include <random>
#include <stdexcept>

#include "core/file_io.h"
#include "rules/recalculation.h"
#include "settings/settings_file.h"

namespace zt::bench {

namespace {

constexpr int kShortWaveCategory = 4;  // SSB and CW both score
constexpr int kVhfCategory = 7;
constexpr char kOwnLocator[] = "KO00HU";

// Digit, then the station number in letters, so the last letters run through the alphabet.
std::string CallsignOf(int station) {
  std::string suffix;
  int rest = station / 10;
  do {
    suffix.insert(suffix.begin(), static_cast<char>('A' + rest % 26));
    rest /= 26;
  } while (rest > 0);
  if (suffix.size() < 2) suffix.insert(suffix.begin(), 'A');
  std::string callsign = "QQ" + std::to_string(station % 10) + suffix;
  if (station % 7 == 3) callsign += "/P";
  return callsign;
}

std::string TimeOf(int qso) {
  const int minutes = (7 * 60 + qso / 8) % (24 * 60);
  char text[6];
  std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
  return text;
}

std::string ShortWaveGroup(int station) {
  if (station % 50 == 49) return "XYZ";  // refused: logged on the operator's word
  if (station % 97 == 0) return "";
  switch (station % 4) {
    case 0:
      return "O";
    case 1:
      return "B";
    case 2:
      return "DG";
    default:
      return std::to_string(station % 500 + 1);
  }
}

// Correspondents sit in the eight squares around the own square KO00, a few thousand subsquares
// in all, as in a real log of the round.
std::string VhfGroup(int station) {
  const std::string serial = std::to_string(station % 999 + 1);
  if (station % 50 == 49) return serial + "KO0XHU";  // no locator
  if (station % 97 == 0) return serial;              // serial number alone
  const int square = station % 8;
  const int subsquare = station * 7919 % 576;
  std::string locator = square < 4 ? "JO9" : "KO0";
  locator += static_cast<char>('0' + square % 4);
  locator += static_cast<char>('A' + subsquare % 24);
  locator += static_cast<char>('A' + subsquare / 24);
  return serial + locator;
}

std::string LineBody(int qso, Round round) {
  // Every tenth QSO repeats the station worked nine QSOs earlier, in the same mode.
  const int station = qso % 10 == 9 ? qso - 9 : qso;
  std::string callsign = CallsignOf(station);
  EntryFields fields;
  fields.date = "2024-12-01";
  fields.time = TimeOf(qso);
  fields.sent_group = std::to_string(qso + 1);
  if (round == Round::kVhf) {
    if (station == 5) callsign = "QQ9AAA";
    if (station == 6) callsign = "QQ9BBB";
    fields.mode = "FM";
    fields.sent_report = fields.received_report = "59";
    fields.received_group = VhfGroup(station);
  } else {
    const bool cw = station % 3 != 0;
    fields.mode = cw ? "CW" : "PH";
    fields.sent_report = fields.received_report = cw ? "599" : "59";
    fields.received_group = ShortWaveGroup(station);
  }
  fields.callsign = callsign;
  return ComposeLogLine(fields, round);
}

}  // namespace

ScoringContext ScoringFor(Round round) {
  return round == Round::kVhf ? ScoringContext{Round::kVhf, kVhfCategory, kOwnLocator}
                              : ScoringContext{Round::kShortWave, kShortWaveCategory, ""};
}

std::string SettingsFileText(Round round) {
  StationData data;
  data.fields = {"QQ2XYZ",
                 "Jan Kowalski",
                 "jan@example.com",
                 "ul. Polna 1",
                 "00-001 Warszawa",
                 "",
                 "0",
                 "",
                 "ZAWODY TELT\xD3LMOWE",
                 kOwnLocator};
  data.category_index = round == Round::kVhf ? kVhfCategory : kShortWaveCategory;
  return FormatSettings(data);
}

std::vector<std::string> GeneratedLogLines(int count, Round round) {
  std::vector<std::string> bodies;
  bodies.reserve(static_cast<std::size_t>(count));
  for (int qso = 0; qso < count; ++qso) bodies.push_back(LineBody(qso, round));
  // The results the program gave when each QSO was added.
  return Recalculate(bodies, ScoringFor(round)).list_lines;
}

std::string WorkedCallsign(Round round) {
  // Station 1 scores in the first mode of either round (CW on short-wave).
  (void)round;
  return CallsignOf(1);
}

DataDirectory::DataDirectory(int qso_count, Round round)
    : lines_(GeneratedLogLines(qso_count, round)) {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const auto candidate = base / ("zt-bench-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) path_ = candidate;
  }
  if (path_.empty()) throw std::runtime_error("cannot create a temporary directory");
  if (WriteFileDurably(FileSteps::System(), path_ / kSettingsFileName, SettingsFileText(round))) {
    throw std::runtime_error("cannot write the settings file");
  }
  RestoreLog();
}

DataDirectory::~DataDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void DataDirectory::RestoreLog() const {
  std::error_code ignored;
  std::filesystem::remove(path_ / "zawody_teltolmowe.zl~", ignored);
  if (WriteFileDurably(FileSteps::System(), log_file(), JoinLines(lines_))) {
    throw std::runtime_error("cannot write the log file");
  }
}

}  // namespace zt::bench
