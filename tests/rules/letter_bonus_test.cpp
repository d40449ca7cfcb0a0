#include "rules/letter_bonus.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace zt {
namespace {

const ScoringContext kBothModes{Round::kShortWave, 4, ""};

TEST(UpdateLetterBonus, CallsignSequences_CollectOneLetterPerStation) {
  struct Case {
    const char* name;
    std::vector<const char*> callsigns;
    const char* first_letters;
    const char* second_letters;
    std::array<bool, 8> lit;
  };
  const Case cases[] = {
      {"third T adds nothing",
       {"QQ1ABT", "QQ2CDT", "QQ3EFT"},
       "T",
       "T",
       {true, false, false, true, false, false, false, false}},
      {"portable form is the same station", {"QQ1ABT", "QQ1ABT/P"}, "T", "", {true}},
      {"prefix before the slash gives its own last letter", {"QQ/QQ1ABC", "QQ/QQ1ABE"}, "", "", {}},
      {"O is collected once and lights the accented letter",
       {"QQ1ABO", "QQ2ABO"},
       "O",
       "",
       {false, false, false, false, true}},
      {"M is collected once",
       {"QQ1ABM", "QQ2ABM"},
       "M",
       "",
       {false, false, false, false, false, false, true}},
      {"second E lights the last letter",
       {"QQ1ABE", "QQ2ABE"},
       "E",
       "E",
       {false, true, false, false, false, false, false, true}},
      {"second L lights the sixth letter",
       {"QQ1ABL", "QQ2ABL"},
       "L",
       "L",
       {false, false, true, false, false, true}},
      {"digit and other letters add nothing", {"QQ1AB9", "QQ1ABC", "QQ1ABt"}, "", "", {}},
      {"blanks around the callsign are ignored", {" QQ1ABT ", "QQ1ABT"}, "T", "", {true}},
      {"empty texts and a bare slash", {"", "/", "/T"}, "", "", {}},
  };
  for (const Case& c : cases) {
    LetterBonusState state;
    for (const char* callsign : c.callsigns) {
      EXPECT_FALSE(UpdateLetterBonus(callsign, "CW", kBothModes, state)) << c.name;
    }
    EXPECT_EQ(c.first_letters, state.first_letters) << c.name;
    EXPECT_EQ(c.second_letters, state.second_letters) << c.name;
    EXPECT_EQ(c.lit, state.LitLetters()) << c.name;
    EXPECT_FALSE(state.awarded) << c.name;
  }
}

TEST(UpdateLetterBonus, EightLettersInAnyOrder_AwardOnceOnTheEighth) {
  const std::vector<std::vector<std::string>> orders = {
      {"QQ1T", "QQ1E", "QQ1L", "QQ2T", "QQ1O", "QQ2L", "QQ1M", "QQ2E"},
      {"QQ2E", "QQ1M", "QQ2L", "QQ1O", "QQ2T", "QQ1L", "QQ1E", "QQ1T"},
      {"QQ1O", "QQ1M", "QQ1T", "QQ2T", "QQ1L", "QQ2L", "QQ1E", "QQ2E"},
  };
  for (const auto& order : orders) {
    LetterBonusState state;
    for (std::size_t i = 0; i < order.size(); ++i) {
      const bool completed = UpdateLetterBonus(order[i], i % 2 ? "SSB" : "CW", kBothModes, state);
      EXPECT_EQ(i + 1 == order.size(), completed) << order[i];
    }
    EXPECT_TRUE(state.awarded);
    std::array<bool, 8> all_lit;
    all_lit.fill(true);
    EXPECT_EQ(all_lit, state.LitLetters());
    EXPECT_FALSE(UpdateLetterBonus("QQ3T", "CW", kBothModes, state)) << "ninth station";
    EXPECT_EQ(8u, state.collected_callsigns.size());
  }
}

TEST(UpdateLetterBonus, CategoryAndMode_DecideWhetherLetterCounts) {
  struct Case {
    const char* name;
    Round round;
    int category_index;
    const char* mode;
    bool collects;
  };
  const Case cases[] = {
      {"CW-only category, CW", Round::kShortWave, 2, "CW", true},
      {"CW-only category, SSB", Round::kShortWave, 2, "SSB", false},
      {"CW-only category, PH", Round::kShortWave, 2, "PH", false},
      {"SSB-only category, CW", Round::kShortWave, 3, "CW", false},
      {"SSB-only category, SSB", Round::kShortWave, 3, "SSB", true},
      {"both modes, PH", Round::kShortWave, 0, "PH", true},
      {"no category, CW", Round::kShortWave, -1, "CW", true},
      {"FM on short-wave", Round::kShortWave, 4, "FM", false},
      {"VHF, FM", Round::kVhf, 5, "FM", true},
      {"VHF whatever the mode", Round::kVhf, 2, "PH", true},
  };
  for (const Case& c : cases) {
    LetterBonusState state;
    UpdateLetterBonus("QQ1ABT", c.mode, ScoringContext{c.round, c.category_index, ""}, state);
    EXPECT_EQ(c.collects, state.first_letters == "T") << c.name;
    EXPECT_EQ(c.collects, state.collected_callsigns.contains("QQ1ABT")) << c.name;
  }
}

LetterBonusState CompleteButNotAwarded() {
  LetterBonusState state;
  state.first_letters = "TELOM";
  state.second_letters = "TEL";
  return state;
}

TEST(UpdateLetterBonus, AwardTest_RunsEvenWhenNoLetterIsAdded) {
  LetterBonusState state = CompleteButNotAwarded();
  EXPECT_TRUE(UpdateLetterBonus("QQ1AB9", "CW", kBothModes, state));
  EXPECT_TRUE(state.awarded);
}

TEST(UpdateLetterBonus, GatedByCategory_SkipsAwardTest) {
  LetterBonusState state = CompleteButNotAwarded();
  EXPECT_FALSE(UpdateLetterBonus("QQ1AB9", "SSB", ScoringContext{Round::kShortWave, 2, ""}, state));
  EXPECT_FALSE(state.awarded);
}

}  // namespace
}  // namespace zt
