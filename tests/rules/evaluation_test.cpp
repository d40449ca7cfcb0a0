#include "rules/evaluation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/rules/qso_lines.h"

namespace zt {
namespace {

using testing::ModeBoxText;
using testing::QsoLine;

constexpr EvaluationContext kAdding = EvaluationContext::kAdding;
constexpr EvaluationContext kRecalculating = EvaluationContext::kRecalculating;

const ScoringContext kBothModes{Round::kShortWave, 4, ""};
const ScoringContext kCwOnly{Round::kShortWave, 2, ""};
const ScoringContext kSsbOnly{Round::kShortWave, 3, ""};
const ScoringContext kVhf{Round::kVhf, 5, "KO00HU"};
const ScoringContext kVhfNoLocator{Round::kVhf, 5, "LOKATOR"};

// Evaluates a composed line as the adding window or the recalculation passes it.
std::string Evaluate(const std::string& line, EvaluationContext context,
                     const ScoringContext& scoring, ScoreState& state) {
  if (context == kAdding) {
    return EvaluateQso(line, context, CallsignOf(line), ModeBoxText(ModeOf(line)), scoring, state);
  }
  return EvaluateQso(line, context, ScoringCallsignOf(line), ModeOf(line), scoring, state);
}

TEST(EvaluateQso, SingleQso_GivesResultScoreKeyAndLetter) {
  struct Case {
    const char* name;
    ScoringContext scoring;
    const char* mode;
    const char* callsign;
    const char* group;
    const char* adding;
    const char* recalculating;
    std::int64_t score;
    bool key_kept;
    bool letter;
  };
  const Case cases[] = {
      {"O on CW", kBothModes, "CW", "QQ1ABT", "O", "20", "20", 20, true, true},
      {"O on SSB", kBothModes, "PH", "QQ1ABT", "O", "10", "10", 10, true, true},
      {"B on CW", kBothModes, "CW", "QQ1ABT", "B", "10", "10", 10, true, true},
      {"B on SSB", kBothModes, "PH", "QQ1ABT", "B", "5", "5", 5, true, true},
      {"DG on CW", kBothModes, "CW", "QQ1ABT", "DG", "4", "4", 4, true, true},
      {"DG on SSB", kBothModes, "PH", "QQ1ABT", "DG", "2", "2", 2, true, true},
      {"serial on CW", kBothModes, "CW", "QQ1ABT", "007", "2", "2", 2, true, true},
      {"serial on SSB", kBothModes, "PH", "QQ1ABT", "007", "1", "1", 1, true, true},
      {"negative serial", kBothModes, "CW", "QQ1ABT", "-5", "2", "2", 2, true, true},
      {"zero serial", kBothModes, "PH", "QQ1ABT", "0", "1", "1", 1, true, true},
      {"hexadecimal serial", kBothModes, "CW", "QQ1ABT", "$1F", "2", "2", 2, true, true},
      {"no category chosen", ScoringContext{}, "CW", "QQ1ABT", "O", "20", "20", 20, true, true},
      {"two letters", kBothModes, "CW", "QQ1ABT", "OB", "RPRT", "RPRT", 0, false, false},
      {"serial with a letter", kBothModes, "PH", "QQ1ABT", "12A", "RPRT", "RPRT", 0, false, false},
      {"empty group on CW", kBothModes, "CW", "QQ1ABT", "", "RPRT", "0", 0, true, false},
      {"empty group on SSB", kBothModes, "PH", "QQ1ABT", "", "RPRT", "CTRL", 0, true, false},
      {"CW-only, SSB set aside", kCwOnly, "PH", "QQ1ABT", "O", "CTRL", "CTRL", 0, false, false},
      {"CW-only, CW scores", kCwOnly, "CW", "QQ1ABT", "O", "20", "20", 20, true, true},
      {"CW-only, SSB bad group", kCwOnly, "PH", "QQ1ABT", "OB", "RPRT", "RPRT", 0, false, false},
      {"CW-only, SSB empty group", kCwOnly, "PH", "QQ1ABT", "", "CTRL", "CTRL", 0, false, false},
      {"SSB-only, CW set aside", kSsbOnly, "CW", "QQ1ABT", "DG", "CTRL", "CTRL", 0, false, false},
      {"SSB-only, SSB scores", kSsbOnly, "PH", "QQ1ABT", "DG", "2", "2", 2, true, true},
      {"bonus station on short-wave", kBothModes, "CW", "QQ9AAA", "O", "20", "20", 20, true, false},
      {"VHF one square away", kVhf, "FM", "QQ1ABT", "12KO01HU", "111", "111", 111, true, true},
      {"VHF own subsquare", kVhf, "FM", "QQ1ABT", "3KO00HU", "5", "5", 5, true, true},
      {"VHF antipodes, the farthest QSO", kVhf, "FM", "QQ1ABT", "1BD09HD", "20010", "20010", 20010,
       true, true},
      {"VHF no serial", kVhf, "FM", "QQ1ABT", "KO00HU", "RPRT", "RPRT", 0, false, false},
      {"VHF bad locator", kVhf, "FM", "QQ1ABT", "12KO00ZZ", "RPRT", "RPRT", 0, false, false},
      {"VHF empty group", kVhf, "FM", "QQ1ABT", "", "RPRT", "RPRT", 0, false, false},
      {"VHF bonus station", kVhf, "FM", "QQ9BBB", "5KO01HU", "111+50", "111+50", 161, true, false},
      {"VHF portable bonus station", kVhf, "FM", "QQ9AAA/P", "5KO01HU", "111+50", "111+50", 161,
       true, false},
      {"VHF own locator unusable", kVhfNoLocator, "FM", "QQ1ABT", "12KO01HU", "0", "0", 0, true,
       true},
      {"VHF unusable own locator, bonus station", kVhfNoLocator, "FM", "QQ9AAA", "12KO01HU", "0+50",
       "0+50", 50, true, false},
  };
  for (const Case& c : cases) {
    const std::string line = QsoLine(c.mode, c.callsign, c.group);
    for (const EvaluationContext context : {kAdding, kRecalculating}) {
      const char* expected = context == kAdding ? c.adding : c.recalculating;
      const std::string label =
          std::string(c.name) + (context == kAdding ? " (adding)" : " (recalculating)");
      ScoreState state;
      EXPECT_EQ(expected, Evaluate(line, context, c.scoring, state)) << label;
      EXPECT_EQ(c.score, state.score) << label;
      EXPECT_EQ(c.key_kept, state.dupe_keys.Contains(DupeKeyOf(line))) << label;
      EXPECT_EQ(c.key_kept ? 1u : 0u, state.dupe_keys.size()) << label;
      EXPECT_EQ(c.letter, !state.letters.first_letters.empty()) << label;
    }
  }
}

struct Qso {
  const char* mode;
  const char* callsign;
  const char* group;
};

TEST(EvaluateQso, QsoSequences_DecideDuplicatesInOrder) {
  struct Case {
    const char* name;
    EvaluationContext context;
    ScoringContext scoring;
    std::vector<Qso> qsos;
    std::vector<std::string> results;
    std::int64_t score;
  };
  const Case cases[] = {
      {"same callsign and mode",
       kAdding,
       kBothModes,
       {{"CW", "QQ1ABC", "O"}, {"CW", "QQ1ABC", "5"}},
       {"20", "DUPE"},
       20},
      {"same callsign in the other mode",
       kAdding,
       kBothModes,
       {{"CW", "QQ1ABC", "O"}, {"PH", "QQ1ABC", "O"}},
       {"20", "10"},
       30},
      {"set-aside QSO does not block a repeat",
       kRecalculating,
       kCwOnly,
       {{"PH", "QQ1ABC", "O"}, {"PH", "QQ1ABC", "O"}},
       {"CTRL", "CTRL"},
       0},
      {"rejected group does not block a repeat",
       kAdding,
       kBothModes,
       {{"CW", "QQ1ABC", "OB"}, {"CW", "QQ1ABC", "O"}},
       {"RPRT", "20"},
       20},
      {"repeat with a bad group is not a duplicate",
       kAdding,
       kBothModes,
       {{"CW", "QQ1ABC", "O"}, {"CW", "QQ1ABC", "OB"}},
       {"20", "RPRT"},
       20},
      {"empty group blocks a repeat when adding",
       kAdding,
       kBothModes,
       {{"CW", "QQ1ABC", ""}, {"CW", "QQ1ABC", "O"}},
       {"RPRT", "DUPE"},
       0},
      {"empty group blocks a repeat when recalculating",
       kRecalculating,
       kBothModes,
       {{"PH", "QQ1ABC", ""}, {"PH", "QQ1ABC", "O"}},
       {"CTRL", "DUPE"},
       0},
      {"VHF repeat",
       kRecalculating,
       kVhf,
       {{"FM", "QQ1ABC", "12KO01HU"}, {"FM", "QQ1ABC", "13KO10HU"}},
       {"111", "DUPE"},
       111},
      {"word completed adds the letter bonus",
       kAdding,
       kBothModes,
       {{"CW", "QQ1T", "O"},
        {"PH", "QQ1E", "O"},
        {"CW", "QQ1L", "O"},
        {"CW", "QQ2T", "O"},
        {"CW", "QQ1O", "O"},
        {"CW", "QQ2L", "O"},
        {"CW", "QQ1M", "O"},
        {"CW", "QQ2E", "O"},
        {"CW", "QQ3T", "O"}},
       {"20", "10", "20", "20", "20", "20", "20", "20", "20"},
       170 + kLetterBonusPoints},
      {"duplicate gives no letter",
       kRecalculating,
       kVhf,
       {{"FM", "QQ1T", "1KO01HU"},
        {"FM", "QQ1E", "1KO01HU"},
        {"FM", "QQ1L", "1KO01HU"},
        {"FM", "QQ1T", "1KO01HU"},
        {"FM", "QQ1O", "1KO01HU"},
        {"FM", "QQ2L", "1KO01HU"},
        {"FM", "QQ1M", "1KO01HU"},
        {"FM", "QQ2E", "1KO01HU"}},
       {"111", "111", "111", "DUPE", "111", "111", "111", "111"},
       777},
  };
  for (const Case& c : cases) {
    ScoreState state;
    std::vector<std::string> results;
    for (const Qso& qso : c.qsos) {
      results.push_back(
          Evaluate(QsoLine(qso.mode, qso.callsign, qso.group), c.context, c.scoring, state));
    }
    EXPECT_EQ(c.results, results) << c.name;
    EXPECT_EQ(c.score, state.score) << c.name;
  }
}

TEST(ExchangeIsValid, Groups_AcceptedByRound) {
  struct Case {
    const char* group;
    Round round;
    bool valid;
  };
  const Case cases[] = {
      {"O", Round::kShortWave, true},
      {"B", Round::kShortWave, true},
      {"DG", Round::kShortWave, true},
      {"", Round::kShortWave, true},
      {"007", Round::kShortWave, true},
      {"+12", Round::kShortWave, true},
      {"0x1A", Round::kShortWave, true},
      {"o", Round::kShortWave, false},
      {"D", Round::kShortWave, false},
      {"2147483648", Round::kShortWave, false},
      {"12KO00HU", Round::kShortWave, false},
      {"1KO00HU", Round::kVhf, true},
      {"ABKO00HU", Round::kVhf, true},
      {"KO00HU", Round::kVhf, false},
      {"12ko00hu", Round::kVhf, false},
      {"12KO00HU1", Round::kVhf, false},
      {"O", Round::kVhf, false},
      {"", Round::kVhf, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.valid, ExchangeIsValid(c.group, c.round))
        << "'" << c.group << "' " << (c.round == Round::kVhf ? "VHF" : "short-wave");
  }
}

TEST(RequiredConfirmation, Groups_AskTheMatchingQuestion) {
  struct Case {
    const char* mode;
    const char* group;
    Confirmation confirmation;
  };
  const Case cases[] = {
      {"CW", "O", Confirmation::kNone},
      {"CW", "", Confirmation::kNone},
      {"PH", "0", Confirmation::kNone},
      {"CW", "OB", Confirmation::kInvalidShortWaveGroup},
      {"PH", "12A", Confirmation::kInvalidShortWaveGroup},
      {"FM", "12KO01HU", Confirmation::kNone},
      {"FM", "12KO00ZZ", Confirmation::kInvalidLocator},
      {"FM", "KO00ZZ", Confirmation::kInvalidLocator},
      {"FM", "KO00HU", Confirmation::kShortVhfGroup},
      {"FM", "12", Confirmation::kShortVhfGroup},
      {"FM", "", Confirmation::kShortVhfGroup},
  };
  for (const Case& c : cases) {
    const Round round = std::string_view(c.mode) == "FM" ? Round::kVhf : Round::kShortWave;
    EXPECT_EQ(c.confirmation, RequiredConfirmation(QsoLine(c.mode, "QQ1ABC", c.group), round))
        << c.mode << " '" << c.group << "'";
  }
}

TEST(PointsOfResult, ResultTexts_AddTheirPointsOrNothing) {
  struct Case {
    const char* result;
    std::int64_t points;
  };
  const Case cases[] = {
      {"20", 20},  {"111+50", 161}, {"0+50", 50},       {" 7 ", 7},
      {"RPRT", 0}, {"CTRL", 0},     {"DUPE", 0},        {"", 0},
      {"+50", 0},  {"12ABC", 0},    {"99999999999", 0}, {"2147483647+50", 2147483697},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.points, PointsOfResult(c.result)) << "'" << c.result << "'";
  }
}

TEST(DupeKeys, RemoveOne_TakesOneOccurrence) {
  DupeKeys keys;
  keys.Add("CW QQ1ABC");
  keys.Add("CW QQ1ABC");
  keys.RemoveOne("CW QQ1ABC");
  EXPECT_TRUE(keys.Contains("CW QQ1ABC"));
  keys.RemoveOne("CW QQ1ABC");
  EXPECT_FALSE(keys.Contains("CW QQ1ABC"));
  keys.RemoveOne("CW QQ1ABC");
  EXPECT_EQ(0u, keys.size());
}

}  // namespace
}  // namespace zt
