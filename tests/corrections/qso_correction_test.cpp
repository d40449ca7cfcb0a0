#include "corrections/qso_correction.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

//                        1         2         3         4         5         6
//               1234567890123456789012345678901234567890123456789012345678901234567890
const char kQso[] = "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2";

TEST(CorrectionValues, EachField_PrefillsPreparesAndComparesAsStored) {
  struct Case {
    const char* name;
    CorrectedField field;
    const char* current;
    const char* typed;
    const char* prepared;
    bool unchanged;
  };
  const Case cases[] = {
      {"date as typed", CorrectedField::kDate, "2024-12-01", "2024-12-02", "2024-12-02", false},
      {"date with blanks around", CorrectedField::kDate, "2024-12-01", " 2024-12-01 ", "2024-12-01",
       true},
      {"time", CorrectedField::kTime, "0705", "0710", "0710", false},
      {"time unchanged", CorrectedField::kTime, "0705", "0705", "0705", true},
      {"callsign in lower case", CorrectedField::kCallsign, "QQ1ABC", "qq1abc", "QQ1ABC", true},
      {"new callsign", CorrectedField::kCallsign, "QQ1ABC", "qq2xyz", "QQ2XYZ", false},
      {"sent group", CorrectedField::kSentGroup, "12", "13", "13", false},
      {"sent group in lower case", CorrectedField::kSentGroup, "12", "o", "O", false},
      {"received group loses inner blanks", CorrectedField::kReceivedGroup, "5", "12 ko00hu",
       "12KO00HU", false},
      {"received group unchanged", CorrectedField::kReceivedGroup, "5", " 5 ", "5", true},
      {"pasted line breaks", CorrectedField::kCallsign, "QQ1ABC", "qq2\r\nxyz\n", "QQ2XYZ", false},
      {"pasted tab", CorrectedField::kReceivedGroup, "5", "12\tko00hu", "12KO00HU", false},
      {"pasted control characters", CorrectedField::kSentGroup, "12",
       "1\x01"
       "3\x7f",
       "13", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.current, CurrentValue(c.field, kQso)) << c.name;
    const std::string prepared = PreparedValue(c.field, c.typed);
    EXPECT_EQ(c.prepared, prepared) << c.name;
    EXPECT_EQ(c.unchanged, IsUnchanged(c.field, kQso, c.typed)) << c.name;
  }
}

TEST(CorrectionValues, CancelledBox_AlwaysCountsAsUnchanged) {
  const char* lines[] = {
      kQso,
      "2024-1-1   0705 80M CW 599     12 QQ1ABCDEFGHIJKLM599           5  2",  // short date
      "",
  };
  const CorrectedField fields[] = {CorrectedField::kDate, CorrectedField::kTime,
                                   CorrectedField::kCallsign, CorrectedField::kSentGroup,
                                   CorrectedField::kReceivedGroup};
  for (const char* line : lines) {
    for (CorrectedField field : fields) {
      const std::string prefilled = CurrentValue(field, line);
      EXPECT_TRUE(IsUnchanged(field, line, prefilled))
          << '"' << line << "\" field " << static_cast<int>(field);
    }
  }
}

TEST(CorrectionValues, HandEditedSmallLetters_TypedCapitalsMendThemAndCancelKeepsThem) {
  const char line[] = "2024-12-01 0705 80M CW 599     12 qq1abc          599           o  2";
  struct Case {
    CorrectedField field;
    const char* typed;
    bool unchanged;
  };
  const Case cases[] = {
      {CorrectedField::kReceivedGroup, "o", true},   // Cancel
      {CorrectedField::kReceivedGroup, "O", false},  // typed in capitals
      {CorrectedField::kCallsign, "qq1abc", true},
      {CorrectedField::kCallsign, "QQ1ABC", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.unchanged, IsUnchanged(c.field, line, c.typed)) << c.typed;
  }
}

TEST(ApplyCorrection, EachField_WritesItsColumnsAndKeepsTheRest) {
  struct Case {
    const char* name;
    CorrectedField field;
    const char* value;
    const char* expected;
  };
  const Case cases[] = {
      {"date", CorrectedField::kDate, "2024-12-02",
       "2024-12-02 0705 80M CW 599     12 QQ1ABC          599           5  2"},
      {"time", CorrectedField::kTime, "2359",
       "2024-12-01 2359 80M CW 599     12 QQ1ABC          599           5  2"},
      {"callsign left-aligned", CorrectedField::kCallsign, "QQ2XYZ",
       "2024-12-01 0705 80M CW 599     12 QQ2XYZ          599           5  2"},
      {"long callsign keeps its first sixteen", CorrectedField::kCallsign, "QQ2XYZABCDEFGHIJKL",
       "2024-12-01 0705 80M CW 599     12 QQ2XYZABCDEFGHIJ599           5  2"},
      {"sent group left-aligned", CorrectedField::kSentGroup, "13",
       "2024-12-01 0705 80M CW 599 13     QQ1ABC          599           5  2"},
      {"received group right-aligned", CorrectedField::kReceivedGroup, "12KO00HU",
       "2024-12-01 0705 80M CW 599     12 QQ1ABC          599    12KO00HU  2"},
      {"long received group keeps its last eleven", CorrectedField::kReceivedGroup, "123456789012",
       "2024-12-01 0705 80M CW 599     12 QQ1ABC          599 23456789012  2"},
      {"short date cannot shift the time", CorrectedField::kDate, "2024-1-1",
       "2024-1-1   0705 80M CW 599     12 QQ1ABC          599           5  2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ApplyCorrection(c.field, kQso, c.value)) << c.name;
  }
}

TEST(ApplyCorrection, SixteenCharacterCallsign_LeavesNoStrayLastCharacter) {
  const char line[] = "2024-12-01 0705 80M CW 599     12 QQ1ABCDEFGHIJKLM599           5  2";
  EXPECT_EQ("QQ1ABCDEFGHIJKL", CurrentValue(CorrectedField::kCallsign, line));
  EXPECT_EQ("2024-12-01 0705 80M CW 599     12 QQ2XYZ          599           5  2",
            ApplyCorrection(CorrectedField::kCallsign, line, "QQ2XYZ"));
}

TEST(ApplyCorrection, ShortFileLine_IsPaddedToTheField) {
  const std::string line = ApplyCorrection(CorrectedField::kReceivedGroup, "2024-12-01", "7");
  EXPECT_EQ(kLineBodyLength, line.size());
  EXPECT_EQ("7", ReceivedGroupOf(line));
  EXPECT_EQ("2024-12-01", DateOf(line));
}

TEST(CheckCorrectedReceivedGroup, Groups_AskTheRightQuestionAndGiveTheValue) {
  struct Case {
    const char* name;
    const char* prepared;
    Round round;
    GroupQuestion question;
    const char* locator;
    const char* value;
  };
  const Case cases[] = {
      {"short-wave leading zeros", "007", Round::kShortWave, GroupQuestion::kNone, "", "7"},
      {"short-wave plus sign", "+5", Round::kShortWave, GroupQuestion::kNone, "", "5"},
      {"short-wave O", "O", Round::kShortWave, GroupQuestion::kNone, "", "O"},
      {"short-wave B", "B", Round::kShortWave, GroupQuestion::kNone, "", "B"},
      {"short-wave DG", "DG", Round::kShortWave, GroupQuestion::kNone, "", "DG"},
      {"short-wave empty", "", Round::kShortWave, GroupQuestion::kNone, "", ""},
      {"short-wave not a number", "12A", Round::kShortWave, GroupQuestion::kInvalidShortWaveGroup,
       "", "12A"},
      {"VHF invalid locator", "5KO00ZZ", Round::kVhf, GroupQuestion::kInvalidLocator, "KO00ZZ",
       "5KO00ZZ"},
      {"VHF invalid six characters", "ZZ00AA", Round::kVhf, GroupQuestion::kInvalidLocator,
       "ZZ00AA", "ZZ00AA"},
      {"VHF locator alone", "KO00HU", Round::kVhf, GroupQuestion::kShortVhfGroup, "KO00HU",
       "KO00HU"},
      {"VHF too short for a locator", "KO00H", Round::kVhf, GroupQuestion::kShortVhfGroup, "KO00H",
       "KO00H"},
      {"VHF numbers stay as typed", "007", Round::kVhf, GroupQuestion::kShortVhfGroup, "007",
       "007"},
      {"VHF serial and locator", "12KO00HU", Round::kVhf, GroupQuestion::kNone, "KO00HU",
       "12KO00HU"},
  };
  for (const Case& c : cases) {
    const ReceivedGroupCheck check = CheckCorrectedReceivedGroup(c.prepared, c.round);
    EXPECT_EQ(c.question, check.question) << c.name;
    EXPECT_EQ(c.locator, check.locator) << c.name;
    EXPECT_EQ(c.value, check.value) << c.name;
  }
  EXPECT_EQ(GroupQuestion::kNone,
            CheckCorrectedReceivedGroup(PreparedValue(CorrectedField::kReceivedGroup, "12 ko00hu"),
                                        Round::kVhf)
                .question);
}

TEST(CheckCorrectedTimeAndDate, OnlyWhatFitsTheColumnsPasses) {
  struct Case {
    const char* text;
    FieldCheck expected;
  };
  const Case times[] = {
      {"0705", FieldCheck::kOk},         {"2359", FieldCheck::kOk},
      {"0000", FieldCheck::kOk},         {"2400", FieldCheck::kBadData},
      {"1260", FieldCheck::kBadData},    {"07a5", FieldCheck::kBadData},
      {"07:05", FieldCheck::kBadFormat}, {"705", FieldCheck::kBadFormat},
      {"", FieldCheck::kBadFormat},
  };
  for (const Case& c : times) EXPECT_EQ(c.expected, CheckCorrectedTime(c.text)) << c.text;
  const Case dates[] = {
      {"2026-12-04", FieldCheck::kOk},         {"2026-02-30", FieldCheck::kBadData},
      {"2026-1-4", FieldCheck::kBadFormat},    {"2026-12-0 ", FieldCheck::kBadFormat},
      {"2026-12-041", FieldCheck::kBadFormat},
  };
  for (const Case& c : dates) EXPECT_EQ(c.expected, CheckCorrectedDate(c.text)) << c.text;
}

TEST(ApplyModeChoice, Choices_SetModeAndThirdReportCharacters) {
  struct Case {
    const char* name;
    const char* line;
    int index;
    const char* expected;
  };
  const Case cases[] = {
      {"599 to PH", "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2", 1,
       "2024-12-01 0705 80M PH 59      12 QQ1ABC          59            5  2"},
      {"59 to CW", "2024-12-01 0705 80M PH 59      12 QQ1ABC          57            5  2", 0,
       "2024-12-01 0705 80M CW 599     12 QQ1ABC          579           5  2"},
      {"579 to PH", "2024-12-01 0705 80M CW 579     12 QQ1ABC          599           5  2", 1,
       "2024-12-01 0705 80M PH 57      12 QQ1ABC          59            5  2"},
      {"same mode still sets the reports",
       "2024-12-01 0705 80M CW 55      12 QQ1ABC          55            5  2", 0,
       "2024-12-01 0705 80M CW 559     12 QQ1ABC          559           5  2"},
      {"no entry chosen", "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2",
       -1, "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2"},
      {"index past the entries",
       "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2", 2,
       "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ApplyModeChoice(c.line, c.index)) << c.name;
  EXPECT_EQ(53u, ApplyModeChoice("2024-12-01", 0).size());
}

}  // namespace
}  // namespace zt
