#include "export/cabrillo.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "core/file_io.h"
#include "export/export_file.h"
#include "tests/support/scripted_file_steps.h"
#include "tests/support/temp_dir.h"

namespace zt {
namespace {

using testing::ReadFile;
using testing::TempDir;

// The two QSOs of QQ2XYZ with QQ1ABC, as they stand in the log.
constexpr char kShortWaveLine[] =
    "2026-12-06 1205 80M CW 599     12 QQ1ABC          599          34  10";
constexpr char kVhfLine[] =
    "2026-12-06 1310  2M FM 59       7 QQ1ABC          59    003JO90AB  312+50";

TEST(CabrilloQsoLine, Examples_MatchColumnForColumn) {
  EXPECT_EQ(
      "QSO:  3500 CW 2026-12-06 1205 QQ2XYZ        599     12 QQ1ABC          599          34  ",
      CabrilloQsoLine(kShortWaveLine, Round::kShortWave, "QQ2XYZ", "JO91CD"));
  EXPECT_EQ(
      "QSO:   144 FM 2026-12-06 1310 QQ2XYZ        59  7JO91CD      QQ1ABC          59    "
      "003JO90AB  ",
      CabrilloQsoLine(kVhfLine, Round::kVhf, "QQ2XYZ", " JO91CD "));
}

TEST(CabrilloQsoLine, OddInputs_KeepEveryColumn) {
  struct Case {
    const char* name;
    std::string log_line;
    Round round;
    const char* station;
    const char* locator;
    std::size_t first;  // 1-based columns of the QSO line
    std::size_t last;
    std::string expected;
  };
  const Case cases[] = {
      {"14-character station callsign is cut to 13", kShortWaveLine, Round::kShortWave,
       "QQ/QQ2XYZ/QRPP", "", 31, 44, "QQ/QQ2XYZ/QRP "},
      {"lower case anywhere comes out in capitals",
       "2026-12-06 1205 80M cw 599      o qq1abc          599        ko00  DUPE", Round::kShortWave,
       "qq2xyz", "", 12, 88,
       "CW 2026-12-06 1205 QQ2XYZ        599      O QQ1ABC          599        KO00  "},
      {"short line is padded before it is cut", "2026-12-06 1205 80M CW 599     12 QQ1",
       Round::kShortWave, "QQ2XYZ", "", 49, 88, "    12 QQ1" + std::string(30, ' ')},
      {"empty line still gives full width", "", Round::kVhf, "QQ2XYZ", "JO91CD", 1, 94,
       "QSO:   144 " + std::string(19, ' ') + "QQ2XYZ" + std::string(12, ' ') + "JO91CD" +
           std::string(40, ' ')},
      {"long serial and locator are cut to 12",
       "2026-12-06 1310  2M FM 59  123456 QQ1ABC          59    003JO90AB  ", Round::kVhf, "QQ2XYZ",
       "JO91CDXX", 49, 61, "123456JO91CD "},
      {"empty VHF serial gives the locator alone",
       "2026-12-06 1310  2M FM 59         QQ1ABC          59    003JO90AB  ", Round::kVhf, "QQ2XYZ",
       "JO91CD", 49, 60, "JO91CD      "},
      {"result text is not exported", kShortWaveLine, Round::kShortWave, "QQ2XYZ", "", 89, 200, ""},
  };
  for (const Case& c : cases) {
    const std::string line = CabrilloQsoLine(c.log_line, c.round, c.station, c.locator);
    EXPECT_EQ(c.round == Round::kVhf ? 94u : 88u, line.size()) << c.name;
    EXPECT_EQ(c.expected, Columns(line, c.first, c.last)) << c.name;
  }
}

TEST(CabrilloCategory, EveryIndex_GivesItsValue) {
  const std::pair<std::optional<int>, const char*> cases[] = {
      {0, "CHECKLOG KF"}, {1, "Grupa A"},      {2, "Grupa B"}, {3, "Grupa C"},     {4, "Grupa D"},
      {5, "Grupa E"},     {6, "CHECKLOG UKF"}, {7, "UKF"},     {std::nullopt, ""}, {8, ""},
      {-1, ""},
  };
  for (const auto& [index, value] : cases) {
    EXPECT_EQ(value, CabrilloCategory(index)) << index.value_or(-100);
  }
}

CabrilloHeader ShortWaveHeader() {
  CabrilloHeader header;
  header.contest_name = "ZAWODY TELT\xD3LMOWE";
  header.station_callsign = "QQ2XYZ";
  header.claimed_score = "46";
  header.name = "Jan Kowalski";
  header.email = "jan@example.org";
  header.address1 = "ul. Polna 1";
  header.address3 = "00-001 Miasto";
  header.locator = "LOKATOR";
  header.remarks = {"Pierwsza uwaga", "", "Pozdrowienia z \xA3odzi"};
  header.category_index = 4;
  return header;
}

CabrilloHeader VhfHeader() {
  CabrilloHeader header;
  header.contest_name = "ZAWODY TELT\xD3LMOWE";
  header.station_callsign = "QQ/QQ2XYZ/QRPP";
  header.claimed_score = "362";
  header.name = "Anna Nowak";
  header.address1 = "ul. D\xB3uga 5";
  header.address2 = "30-001 Krak\xF3w";
  header.operators = "QQ2XYZ QQ3ABC";
  header.locator = "JO91CD";
  header.category_index = 7;
  return header;
}

std::string Golden(const char* name) {
  return ReadFile(std::filesystem::path(ZT_GOLDEN_DIR) / name);
}

TEST(CabrilloText, WholeLogs_MatchTheGoldenFiles) {
  struct Case {
    const char* golden;
    CabrilloHeader header;
    std::vector<std::string> log_lines;
    Round round;
  };
  const Case cases[] = {
      {"shortwave.cbr",
       ShortWaveHeader(),
       {kShortWaveLine, "",
        "2026-12-06 1207 80M PH 59      13 qq3def/p        57            o  DUPE",
        "2026-12-06 1210 80M CW 599     14 QQ4GHI"},
       Round::kShortWave},
      {"vhf.cbr",
       VhfHeader(),
       {kVhfLine, "2026-12-06 1312  2M FM 59       8 qq5xyz          59          123  RPRT",
        "2026-12-06 1315  2M FM 59  123456 QQ6ABC          59    123JO91AA  401"},
       Round::kVhf},
      {"empty.cbr", CabrilloHeader{}, {}, Round::kShortWave},
  };
  for (const Case& c : cases) {
    const std::string text = CabrilloText(c.header, c.log_lines, c.round);
    EXPECT_EQ(Golden(c.golden), text) << c.golden;

    TempDir dir;
    const std::filesystem::path path = dir / (ExportBaseName(c.header.station_callsign) + ".cbr");
    ASSERT_FALSE(WriteExportFile(FileSteps::System(), path, text)) << c.golden;
    EXPECT_EQ(Golden(c.golden), ReadFile(path)) << c.golden;
  }
}

TEST(CabrilloText, AddressLines_AppearOnlyWhenFilled) {
  struct Case {
    const char* address2;
    const char* address3;
    std::vector<std::string> address_lines;
  };
  const Case cases[] = {
      {"", "", {"ADDRESS: E-MAIL: ", "ADDRESS: A1"}},
      {"A2", "", {"ADDRESS: E-MAIL: ", "ADDRESS: A1", "ADDRESS: A2"}},
      {"", "A3", {"ADDRESS: E-MAIL: ", "ADDRESS: A1", "ADDRESS: A3"}},
      {"A2", "A3", {"ADDRESS: E-MAIL: ", "ADDRESS: A1", "ADDRESS: A2", "ADDRESS: A3"}},
      {" ", "", {"ADDRESS: E-MAIL: ", "ADDRESS: A1", "ADDRESS:  "}},
  };
  for (const Case& c : cases) {
    CabrilloHeader header;
    header.address1 = "A1";
    header.address2 = c.address2;
    header.address3 = c.address3;
    std::vector<std::string> address_lines;
    for (const std::string& line : SplitLines(CabrilloText(header, {}, Round::kShortWave))) {
      if (line.starts_with("ADDRESS: ")) address_lines.push_back(line);
    }
    EXPECT_EQ(c.address_lines, address_lines) << c.address2 << '/' << c.address3;
  }
}

TEST(ExportBaseName, Callsign_LowerCaseWithSlashesReplaced) {
  EXPECT_EQ("qq2xyz", ExportBaseName("QQ2XYZ"));
  EXPECT_EQ("qq2xyz_p", ExportBaseName("QQ2XYZ/P"));
  EXPECT_EQ("qq_qq2xyz_p", ExportBaseName("QQ/QQ2XYZ\\P"));
  EXPECT_EQ("\xA3qq", ExportBaseName("\xA3QQ"));  // only A-Z change case
}

TEST(WriteExportFile, ExistingFile_IsReplaced) {
  TempDir dir;
  testing::WriteFile(dir / "qq2xyz.cbr", "old and longer content");
  ASSERT_FALSE(WriteExportFile(FileSteps::System(), dir / "qq2xyz.cbr", "new"));
  EXPECT_EQ("new", ReadFile(dir / "qq2xyz.cbr"));
}

TEST(WriteExportFile, FailsPartWay_LeavesNoFileThatLooksComplete) {
  TempDir dir;
  testing::ScriptedFileSteps steps;
  testing::WriteFile(dir / "qq2xyz.adi", "previous export");
  steps.answer = [](IoStep step, const std::filesystem::path&) {
    return step == IoStep::kWrite ? ENOSPC : 0;
  };
  const IoStatus status = WriteExportFile(steps, dir / "qq2xyz.adi", "new export");
  ASSERT_TRUE(status);
  EXPECT_EQ("No space left on device", status->reason);
  EXPECT_EQ("previous export", ReadFile(dir / "qq2xyz.adi"));

  // A new file that cannot be put in place is not created at all, and nothing is left beside it.
  steps.answer = [](IoStep step, const std::filesystem::path&) {
    return step == IoStep::kRename ? EACCES : 0;
  };
  EXPECT_TRUE(WriteExportFile(steps, dir / "qq3abc.cbr", "text"));
  EXPECT_FALSE(FileExists(dir / "qq3abc.cbr"));
  EXPECT_FALSE(FileExists(dir / "qq3abc.cbr.zapis~"));
}

}  // namespace
}  // namespace zt
