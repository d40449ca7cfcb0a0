#include "tests/safety/crash_workload.h"

#include <random>

#include "core/log_line.h"
#include "corrections/qso_correction.h"

namespace zt::testing {

namespace {

std::string RandomCallsign(std::mt19937_64& random) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string callsign = "QQ" + std::to_string(random() % 10);
  const std::size_t length = 2 + random() % 3;
  for (std::size_t i = 0; i < length; ++i) callsign += kLetters[random() % 26];
  return callsign;
}

std::string TwoDigits(std::uint64_t value) {
  return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

std::string RandomLine(std::mt19937_64& random, int number) {
  const bool cw = random() % 2 == 0;
  EntryFields fields{
      "2026-12-06",           TwoDigits(random() % 24) + ":" + TwoDigits(random() % 60),
      cw ? "CW" : "PH",       cw ? "599" : "59",
      std::to_string(number), RandomCallsign(random),
      cw ? "599" : "59",      std::to_string(1 + random() % 999)};
  return ComposeLogLine(fields, Round::kShortWave) + std::to_string(random() % 11);
}

// Columns 35-50 hold the callsign; the rest of the line stays.
std::string WithCallsign(const std::string& line, const std::string& callsign) {
  std::string padded = callsign;
  padded.resize(16, ' ');
  return line.substr(0, 34) + padded + line.substr(50);
}

}  // namespace

Operation OperationFor(std::uint64_t seed, int number, const std::vector<std::string>& lines) {
  std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                         static_cast<std::uint32_t>(number)};
  std::mt19937_64 random(sequence);
  // Appends outnumber the rewrites, so the log grows and the rewrites get longer.
  const std::uint64_t choice = random() % 4;
  if (lines.empty() || choice < 2) return {OperationKind::kAppend, RandomLine(random, number), {}};
  const std::string& selected = lines[random() % lines.size()];
  if (choice == 2) return {OperationKind::kCorrectCallsign, selected, RandomCallsign(random)};
  return {OperationKind::kDelete, selected, {}};
}

std::vector<std::string> LinesAfter(const std::vector<std::string>& lines,
                                    const Operation& operation) {
  std::vector<std::string> after;
  if (operation.kind == OperationKind::kAppend) {
    after = lines;
    after.push_back(operation.line);
    return after;
  }
  const std::string body = operation.line.substr(0, 67);
  for (const std::string& line : lines) {
    if (line.substr(0, 67) != body) {
      after.push_back(line);
    } else if (operation.kind == OperationKind::kCorrectCallsign) {
      after.push_back(WithCallsign(line, operation.callsign));
    }
  }
  return after;
}

IoStatus Perform(const LogFiles& files, const Operation& operation) {
  switch (operation.kind) {
    case OperationKind::kAppend:
      return AppendToLogFile(files, operation.line).log;
    case OperationKind::kCorrectCallsign: {
      IoResult<RewriteOutcome> outcome =
          RewriteLogFile(files, operation.line, [&](std::string_view file_line) {
            return ApplyCorrection(CorrectedField::kCallsign, file_line, operation.callsign);
          });
      if (!outcome.ok()) return outcome.error();
      return std::nullopt;
    }
    case OperationKind::kDelete: {
      IoResult<RewriteOutcome> outcome = RewriteLogFile(
          files, operation.line, [](std::string_view) { return std::optional<std::string>(); });
      if (!outcome.ok()) return outcome.error();
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace zt::testing
