// Composing a line from any field texts, and reading and evaluating any line.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/log_line.h"
#include "core/text.h"
#include "fuzz/fuzz_check.h"
#include "rules/evaluation.h"

namespace {

// A field as the windows hand it over: their field rules keep control characters out.
std::string FieldText(FuzzedDataProvider& input) {
  std::string text = input.ConsumeRandomLengthString(40);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return text;
}

bool Trimmed(std::string_view text) {
  return text.empty() || (static_cast<unsigned char>(text.front()) > 0x20 &&
                          static_cast<unsigned char>(text.back()) > 0x20);
}

void CheckReader(const std::string& value, std::size_t width) {
  ZT_FUZZ_CHECK(value.size() <= width);
  ZT_FUZZ_CHECK(Trimmed(value));
}

void CheckComposedColumns(const zt::EntryFields& fields, zt::Round round) {
  const std::string body = zt::ComposeLogLine(fields, round);
  ZT_FUZZ_CHECK(body.size() == zt::kLineBodyLength);
  // The blanks between the fields stand where they belong, whatever the fields held.
  for (std::size_t column : {11, 16, 20, 23, 27, 34, 54, 66, 67}) {
    ZT_FUZZ_CHECK(body[column - 1] == ' ');
  }
  ZT_FUZZ_CHECK(zt::Columns(body, 17, 19) == (round == zt::Round::kVhf ? " 2M" : "80M"));
  ZT_FUZZ_CHECK(zt::Columns(body, 35, 50) ==
                zt::LeftAligned(zt::ToUpperAscii(fields.callsign), 16));
  ZT_FUZZ_CHECK(
      zt::SentGroupOf(body) ==
      zt::TrimBlanks(zt::LastChars(zt::ToUpperAscii(zt::TrimBlanks(fields.sent_group)), 6)));
  ZT_FUZZ_CHECK(body.find_first_of("\r\n") == std::string::npos);
}

void CheckLine(const std::string& line, zt::Round round, const zt::ScoringContext& scoring,
               zt::ScoreState& state) {
  CheckReader(zt::DateOf(line), 10);
  CheckReader(zt::TimeOf(line), 4);
  CheckReader(zt::BandOf(line), 3);
  CheckReader(zt::ModeOf(line), 2);
  CheckReader(zt::SentReportOf(line), 3);
  CheckReader(zt::SentGroupOf(line), 6);
  CheckReader(zt::CallsignOf(line), 16);
  CheckReader(zt::ScoringCallsignOf(line), 15);
  CheckReader(zt::ReceivedReportOf(line), 3);
  CheckReader(zt::ReceivedGroupOf(line), 13);
  ZT_FUZZ_CHECK(Trimmed(zt::ResultOf(line)));
  ZT_FUZZ_CHECK(zt::DupeKeyOf(line) ==
                std::string(zt::Columns(line, 21, 22)) + ' ' + zt::CallsignOf(line));
  ZT_FUZZ_CHECK(zt::LineBodyOf(line).size() == std::min(line.size(), zt::kLineBodyLength));

  const std::string body = zt::LeftAligned(zt::LineBodyOf(line), zt::kLineBodyLength);
  // A line that needs no question is one whose group the evaluation accepts.
  if (zt::RequiredConfirmation(body, round) == zt::Confirmation::kNone) {
    ZT_FUZZ_CHECK(zt::ExchangeIsValid(zt::ReceivedGroupOf(body), round));
  }

  const std::int64_t before = state.score;
  const bool awarded_before = state.letters.awarded;
  const std::string result =
      zt::EvaluateQso(body, zt::EvaluationContext::kRecalculating, zt::ScoringCallsignOf(body),
                      zt::ModeOf(body), scoring, state);
  ZT_FUZZ_CHECK(!result.empty());
  ZT_FUZZ_CHECK(result.find_first_of("\r\n ") == std::string::npos);
  const std::int64_t bonus = !awarded_before && state.letters.awarded ? zt::kLetterBonusPoints : 0;
  ZT_FUZZ_CHECK(state.score == before + zt::PointsOfResult(result) + bonus);
  if (result == "DUPE") ZT_FUZZ_CHECK(state.score == before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const zt::Round round = input.ConsumeBool() ? zt::Round::kVhf : zt::Round::kShortWave;
  const zt::ScoringContext scoring{round, input.ConsumeIntegralInRange(-1, 7),
                                   input.ConsumeRandomLengthString(8)};

  zt::EntryFields fields;
  for (std::string* field : {&fields.date, &fields.time, &fields.sent_report, &fields.sent_group,
                             &fields.callsign, &fields.received_report, &fields.received_group}) {
    *field = FieldText(input);
  }
  fields.mode = zt::ModeColumn(round, input.ConsumeIntegralInRange(-1, 2));
  CheckComposedColumns(fields, round);

  // The composed line, then any lines at all, evaluated in turn like a log.
  zt::ScoreState state;
  const std::string composed = zt::ComposeLogLine(fields, round);
  CheckLine(composed, round, scoring, state);
  const std::string adding =
      zt::EvaluateQso(composed, zt::EvaluationContext::kAdding, fields.callsign,
                      round == zt::Round::kVhf ? "FM" : "CW", scoring, state);
  ZT_FUZZ_CHECK(!adding.empty());
  while (input.remaining_bytes() > 0) {
    CheckLine(input.ConsumeRandomLengthString(100), round, scoring, state);
  }
  return 0;
}
