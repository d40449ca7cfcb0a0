#include "core/log_line.h"

#include <gtest/gtest.h>

#include "core/whole_number.h"

namespace zt {
namespace {

EntryFields RulerQso() {
  return EntryFields{"2024-12-01", "07:05", "CW", "599", "12", "qq1abc", "599", "5"};
}

TEST(ComposeLogLine, RulerExample_MatchesColumnForColumn) {
  //                   1         2         3         4         5         6
  //          1234567890123456789012345678901234567890123456789012345678901234567
  EXPECT_EQ("2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  ",
            ComposeLogLine(RulerQso(), Round::kShortWave));
}

TEST(ComposeLogLine, FieldVariants_StayInTheirColumns) {
  struct Case {
    const char* name;
    void (*change)(EntryFields&);
    Round round;
    std::size_t first;
    std::size_t last;
    const char* expected;
  };
  const Case cases[] = {
      {"two-character report", [](EntryFields& f) { f.sent_report = "59"; }, Round::kShortWave, 24,
       27, "59  "},
      {"VHF band and mode", [](EntryFields& f) { f.mode = "FM"; }, Round::kVhf, 17, 23, " 2M FM "},
      {"received group with a blank", [](EntryFields& f) { f.received_group = "12 KO00HU"; },
       Round::kVhf, 55, 67, "   12KO00HU  "},
      {"long sent group keeps its end", [](EntryFields& f) { f.sent_group = "1234567"; },
       Round::kShortWave, 28, 33, "234567"},
      {"long callsign keeps its start", [](EntryFields& f) { f.callsign = "QQ1ABCDEFGHIJKLMNOPQ"; },
       Round::kShortWave, 35, 50, "QQ1ABCDEFGHIJKLM"},
      {"lower-case sent group", [](EntryFields& f) { f.sent_group = " o "; }, Round::kShortWave, 28,
       33, "     O"},
      {"short date is padded", [](EntryFields& f) { f.date = "2024-1-1"; }, Round::kShortWave, 1,
       11, "2024-1-1   "},
      {"long date is cut", [](EntryFields& f) { f.date = "2024-12-011"; }, Round::kShortWave, 1, 11,
       "2024-12-01 "},
      {"short time is padded", [](EntryFields& f) { f.time = "7:5"; }, Round::kShortWave, 12, 16,
       "7:   "},
      {"long report is cut", [](EntryFields& f) { f.received_report = "5999"; }, Round::kShortWave,
       51, 54, "599 "},
  };
  for (const Case& c : cases) {
    EntryFields fields = RulerQso();
    c.change(fields);
    const std::string line = ComposeLogLine(fields, c.round);
    EXPECT_EQ(kLineBodyLength, line.size()) << c.name;
    EXPECT_EQ(c.expected, Columns(line, c.first, c.last)) << c.name;
  }
}

TEST(LogLineReaders, TrimAndSkipShortLines) {
  const std::string line = "2024-12-01 0705 80M PH 59      12 QQ1ABC          57            5  10";
  EXPECT_EQ("PH QQ1ABC", DupeKeyOf(line));
  EXPECT_EQ("12", SentGroupOf(line));
  EXPECT_EQ("5", ReceivedGroupOf(line));
  EXPECT_EQ("10", ResultOf(line));
  EXPECT_EQ("57", ReceivedReportOf(line));
  EXPECT_EQ("", ResultOf("short"));
  EXPECT_EQ("", CallsignOf("short"));
  EXPECT_EQ(" ", DupeKeyOf(""));
}

TEST(ReplaceColumns, PadsShortLinesAndKeepsTheRest) {
  EXPECT_EQ("abXYe", ReplaceColumns("abcde", 3, "XY"));
  EXPECT_EQ("ab  XY", ReplaceColumns("ab", 5, "XY"));
}

TEST(ToWholeNumber, AcceptsTheConventionsAndNothingElse) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> expected;
  };
  const Case cases[] = {
      {"12", 12},
      {"007", 7},
      {"-5", -5},
      {"+3", 3},
      {"  42", 42},
      {"$1F", 31},
      {"x10", 16},
      {"X10", 16},
      {"0x7fffffff", 2147483647},
      {"0XaB", 171},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"2147483648", std::nullopt},
      {"0x80000000", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"12 ", std::nullopt},
      {"12A", std::nullopt},
      {"O", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"--1", std::nullopt},
      {"-$1", std::nullopt},
      {"1.5", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ToWholeNumber(c.text)) << '"' << c.text << '"';
}

}  // namespace
}  // namespace zt
