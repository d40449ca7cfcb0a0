#include "station/cw_message.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(CwMessage, Expand_FillsFieldsAndCutsAsSet) {
  const CwFields fields{"QQ2XYZ", " QQ1ABC ", "599", "109"};
  struct Case {
    const char* message;
    CutNumbers cut;
    const char* expanded;
  };
  const Case cases[] = {
      {"{CALL} {RST} {NR}", {}, "QQ1ABC 5NN 109"},
      {"{CALL} {RST} {NR}", {.report = false, .group = true}, "QQ1ABC 599 1TN"},
      {"cq test {mycall} test", {}, "cq test QQ2XYZ test"},
      {"{Call}{call}", {}, "QQ1ABCQQ1ABC"},
      // Unknown names and lone braces stay for the filter to leave out.
      {"{FOO} {CALL", {}, "{FOO} {CALL"},
      {"}{NR}{", {}, "}109{"},
      {"", {}, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpandCwMessage(c.message, fields, c.cut), c.expanded) << c.message;
  }
}

TEST(CwMessage, CutDigits_NineAsNZeroAsT) {
  EXPECT_EQ(CutDigits("599"), "5NN");
  EXPECT_EQ(CutDigits("100"), "1TT");
  EXPECT_EQ(CutDigits("12KO00"), "12KOTT");
}

TEST(CwMessage, Filter_KeepsMorseAndNamesWhatItLeftOut) {
  struct Case {
    const char* text;
    bool keyer_commands;
    const char* sent;
    const char* left_out;
  };
  const Case cases[] = {
      {"QQ1ABC 5NN 12", true, "QQ1ABC 5NN 12", ""},
      {"cq test", true, "CQ TEST", ""},
      {"  a   b  ", true, "A B", ""},
      {"/?.,=", true, "/?.,=", ""},
      // cwdaemon's speed, gap and echo characters never reach it from a typed callsign.
      {"QQ1+ABC-~^*", true, "QQ1ABC", "+-~^*"},
      // The rig's keyer takes the hyphen as Morse.
      {"QQ1-ABC+", false, "QQ1-ABC", "+"},
      // A leading escape would make a cwdaemon request of the text.
      {"\x1b"
       "5",
       true, "5", ""},
      {"\x1b"
       "4QQ\r\nTU",
       true, "4QQTU", ""},
      {"SP\xb9{X}\xb9", true, "SPX", "\xb9{}"},
      {"???", true, "???", ""},
      {"#$%", true, "", "#$%"},
  };
  for (const Case& c : cases) {
    const MorseText filtered = FilterMorse(c.text, c.keyer_commands);
    EXPECT_EQ(filtered.text, c.sent) << c.text;
    EXPECT_EQ(filtered.left_out, c.left_out) << c.text;
  }
}

TEST(CwMessage, SendingTime_FollowsParisTiming) {
  struct Case {
    const char* text;
    int units;
  };
  const Case cases[] = {
      {"", 0},
      {"E", 1},
      {"T", 3},
      {"EE", 5},
      {"E E", 9},
      {"PARIS", 43},
      {"PARIS ", 50},
      {"PARIS PARIS", 93},
      {"0", 19},
      {"?", 15},
      {"QQ1ABC 5NN 12", 157},
  };
  for (const Case& c : cases) EXPECT_EQ(MorseUnits(c.text), c.units) << c.text;

  // A word of 50 units takes 60 / wpm seconds.
  EXPECT_EQ(SendingTime("PARIS ", 12), std::chrono::milliseconds(5000));
  EXPECT_EQ(SendingTime("PARIS ", 50), std::chrono::milliseconds(1200));
  EXPECT_EQ(SendingTime("QQ1ABC 5NN 12", 40), std::chrono::milliseconds(4710));
  EXPECT_EQ(SendingTime("PARIS", 0), std::chrono::milliseconds(0));
}

}  // namespace
}  // namespace zt
