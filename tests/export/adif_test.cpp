#include "export/adif.h"

#include <gtest/gtest.h>

#include "core/file_io.h"

namespace zt {
namespace {

constexpr char kShortWaveLine[] =
    "2026-12-06 1205 80M CW 599     12 QQ1ABC          599          34  10";
constexpr char kVhfLine[] =
    "2026-12-06 1310  2M FM 59       7 QQ1ABC          59    003JO90AB  312+50";

AdifOptions OperatorOnly() { return AdifOptions{"", "QQ2XYZ", ""}; }

TEST(AdifRecord, Examples_MatchVerbatim) {
  EXPECT_EQ(
      "<QSO_DATE:8>20261206 <TIME_ON:6>120500 <BAND:3>80M <MODE:2>CW <CALL:6>QQ1ABC "
      "<RST_RCVD:3>599 <SRX:2>34 <RST_SENT:3>599 <STX:2>12 <OPERATOR:6>QQ2XYZ <EOR>",
      AdifRecord(kShortWaveLine, Round::kShortWave, OperatorOnly()));
  EXPECT_EQ(
      "<QSO_DATE:8>20261206 <TIME_ON:6>131000 <BAND:2>2M <MODE:2>FM <CALL:6>QQ1ABC "
      "<RST_RCVD:2>59 <GRIDSQUARE:6>JO90AB <SRX:3>003 <RST_SENT:2>59 <STX:1>7 "
      "<OPERATOR:6>QQ2XYZ <EOR>",
      AdifRecord(kVhfLine, Round::kVhf, OperatorOnly()));
}

// The text of the record between the first tag that starts with `from` and the next tag.
std::string FieldOf(const std::string& record, const std::string& from) {
  const std::size_t start = record.find(from);
  if (start == std::string::npos) return "(none)";
  const std::size_t end = record.find(" <", start);
  return record.substr(start, end - start);
}

TEST(AdifRecord, Variants_GiveTheirFields) {
  struct Case {
    const char* name;
    std::string log_line;
    Round round;
    AdifOptions options;
    const char* tag;
    std::string expected;
  };
  const std::string vhf_prefix = "2026-12-06 1310  2M FM 59       7 QQ1ABC          59  ";
  const Case cases[] = {
      {"PH is SSB",
       "2026-12-06 1205 80M PH 59      12 QQ1ABC          59           34  10",
       Round::kShortWave,
       {},
       "<MODE",
       "<MODE:3>SSB"},
      {"unknown mode gives no field",
       "2026-12-06 1205 80M XX 59      12 QQ1ABC          59           34  10",
       Round::kShortWave,
       {},
       "<MODE",
       "(none)"},
      {"VHF group shorter than a locator",
       vhf_prefix + "     JO90",
       Round::kVhf,
       {},
       "<GRID",
       "<GRIDSQUARE:4>JO90"},
      {"VHF group shorter than a locator leaves SRX empty",
       vhf_prefix + "     JO90",
       Round::kVhf,
       {},
       "<SRX",
       "<SRX:0>"},
      {"VHF group of exactly six", vhf_prefix + "     JO90AB", Round::kVhf, {}, "<SRX", "<SRX:0>"},
      {"VHF long group", vhf_prefix + "12345JO90AB", Round::kVhf, {}, "<SRX", "<SRX:5>12345"},
      {"short-wave group whole",
       vhf_prefix + "12345JO90AB",
       Round::kShortWave,
       {},
       "<SRX",
       "<SRX:11>12345JO90AB"},
      {"short-wave has no locator", kShortWaveLine, Round::kShortWave, {}, "<GRID", "(none)"},
      {"16-character callsign keeps 14",
       "2026-12-06 1205 80M CW 599     12 QQ9/QQ1ABCD/QRPP599          34  10",
       Round::kShortWave,
       {},
       "<CALL",
       "<CALL:14>QQ9/QQ1ABCD/QR"},
      {"comment keeps its blanks",
       kShortWaveLine,
       Round::kShortWave,
       {"  tnx qso ", "", ""},
       "<COMMENT",
       "<COMMENT:10>  tnx qso "},
      {"comment counts bytes of Polish letters",
       kShortWaveLine,
       Round::kShortWave,
       {"\xA3\xF3"
        "d\xBC",
        "", ""},
       "<COMMENT",
       "<COMMENT:4>\xA3\xF3"
       "d\xBC"},
      {"operator is trimmed",
       kShortWaveLine,
       Round::kShortWave,
       {"", " QQ2XYZ\t", ""},
       "<OPERATOR",
       "<OPERATOR:6>QQ2XYZ"},
      {"operator of blanks gives no field",
       kShortWaveLine,
       Round::kShortWave,
       {"", "   ", ""},
       "<OPERATOR",
       "(none)"},
      {"contest unchanged",
       kShortWaveLine,
       Round::kShortWave,
       {"", "", " ZAWODY TELT\xD3LMOWE 2026"},
       "<CONTEST",
       "<CONTEST_ID:23> ZAWODY TELT\xD3LMOWE 2026"},
      {"empty options give no fields", kShortWaveLine, Round::kShortWave, {}, "<COMMENT", "(none)"},
      {"short line keeps the date eight long",
       "2026-12",
       Round::kShortWave,
       {},
       "<QSO_DATE",
       "<QSO_DATE:8>202612  "},
      {"short line keeps the time six long",
       "2026-12-06 12",
       Round::kShortWave,
       {},
       "<TIME_ON",
       "<TIME_ON:6>12  00"},
  };
  for (const Case& c : cases) {
    const std::string record = AdifRecord(c.log_line, c.round, c.options);
    EXPECT_EQ(c.expected, FieldOf(record, c.tag)) << c.name;
    EXPECT_TRUE(record.ends_with(" <EOR>")) << c.name;
  }
}

TEST(AdifRecord, OptionalFields_FollowTheQsoInTheirOrder) {
  const std::string record =
      AdifRecord(kShortWaveLine, Round::kShortWave, AdifOptions{"c", "QQ2XYZ", "Z 2026"});
  EXPECT_TRUE(
      record.ends_with("<STX:2>12 <COMMENT:1>c <OPERATOR:6>QQ2XYZ <CONTEST_ID:6>Z 2026 <EOR>"))
      << record;
}

TEST(AdifText, Log_HasTheHeaderAndOneRecordPerNonEmptyLine) {
  const std::string header =
      "ADIF 2.0\r\nWygenerowane przez program Zawody Telt\xF3lmowe\r\n<EOH>\r\n";
  EXPECT_EQ(header, AdifText({}, Round::kVhf, OperatorOnly()));
  EXPECT_EQ(header + AdifRecord(kShortWaveLine, Round::kShortWave, {}) + "\r\n" +
                AdifRecord(kVhfLine, Round::kShortWave, {}) + "\r\n",
            AdifText({kShortWaveLine, "", kVhfLine}, Round::kShortWave, {}));
}

}  // namespace
}  // namespace zt
