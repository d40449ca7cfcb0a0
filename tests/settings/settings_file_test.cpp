#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "core/text.h"
#include "tests/support/scripted_file_steps.h"
#include "tests/support/system_reasons.h"
#include "tests/support/temp_dir.h"

namespace zt {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using Memo = std::vector<std::string>;

StationData FullStation() {
  StationData data;
  data.fields = {
      "QQ2XYZ", "Jan Kowalski", "jan@example.org", "ul. Polna 1",          "00-001 Miasto",
      "",       "1234",         "QQ2XYZ QQ3ABC",   "ZAWODY TELT\xD3LMOWE", "JO91CD"};
  data.memo = {"Pierwsza uwaga", "Druga uwaga"};
  data.category_index = 7;
  return data;
}

void ExpectSameStation(const StationData& expected, const StationData& actual,
                       const std::string& name) {
  EXPECT_EQ(expected.fields, actual.fields) << name;
  EXPECT_EQ(expected.memo, actual.memo) << name;
  EXPECT_EQ(expected.category_index, actual.category_index) << name;
}

TEST(FormatSettings, FullStation_GivesTwelveCrLfLines) {
  EXPECT_EQ(
      "QQ2XYZ\r\nJan Kowalski\r\njan@example.org\r\nul. Polna 1\r\n00-001 Miasto\r\n\r\n1234\r\n"
      "QQ2XYZ QQ3ABC\r\nZAWODY TELT\xD3LMOWE\r\nJO91CD\r\nPierwsza uwaga|Druga uwaga\r\n7\r\n",
      FormatSettings(FullStation()));
}

TEST(SettingsFile, RoundTrip_RestoresEveryField) {
  struct Case {
    const char* name;
    void (*change)(StationData&);
  };
  const Case cases[] = {
      {"full station", [](StationData&) {}},
      {"empty memo", [](StationData& d) { d.memo.clear(); }},
      {"empty lines inside the memo",
       [](StationData& d) {
         d.memo = {"a", "", "", "b"};
       }},
      {"empty last memo line",
       [](StationData& d) {
         d.memo = {"a", ""};
       }},
      {"empty first memo line",
       [](StationData& d) {
         d.memo = {"", "a"};
       }},
      {"category 0", [](StationData& d) { d.category_index = 0; }},
      {"no category", [](StationData& d) { d.category_index.reset(); }},
      {"every byte above 0x7F",
       [](StationData& d) {
         for (int b = 0x80; b <= 0xFF; ++b) d.fields[1] += static_cast<char>(b);
       }},
      {"all fields empty", [](StationData& d) { d = StationData{}; }},
      {"blanks kept", [](StationData& d) { d.fields[3] = "  ul. Polna 1  "; }},
  };
  for (const Case& c : cases) {
    StationData data = FullStation();
    c.change(data);
    TempDir dir;
    ASSERT_FALSE(WriteSettingsFile(FileSteps::System(), dir.path(), data)) << c.name;
    const IoResult<LoadedSettings> loaded = ReadSettingsFile(FileSteps::System(), dir.path());
    ASSERT_TRUE(loaded.ok()) << c.name;
    ExpectSameStation(data, loaded.value().data, c.name);
    EXPECT_FALSE(loaded.value().damaged_category_line) << c.name;
    EXPECT_FALSE(FileExists(dir / kSettingsTemporaryFileName)) << c.name;
  }
}

TEST(SettingsFile, MemoOfOneEmptyLine_SavesEmptyAndLoadsEmpty) {
  StationData data = FullStation();
  data.memo = {""};
  EXPECT_EQ("", SplitLines(FormatSettings(data))[10]);
  EXPECT_EQ(Memo{}, ParseSettings(FormatSettings(data)).data.memo);
}

TEST(MemoLines, FinalEmptyLines_AreNoRemarks_InnerOnesStay) {
  struct Case {
    const char* text;
    Memo lines;
  };
  const Case cases[] = {
      {"", {}},
      {"\n", {}},
      {"  \n", {}},
      {"Uwaga jeden\n", {"Uwaga jeden"}},
      {"Uwaga jeden\n\n \n", {"Uwaga jeden"}},
      {"a\n\nb", {"a", "", "b"}},
      {"\na", {"", "a"}},
      {" a ", {" a "}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.lines, MemoLines(c.text)) << '"' << c.text << '"';
  }
}

TEST(SettingsFile, BarInsideAMemoLine_ComesBackAsTwoLines) {
  StationData data = FullStation();
  data.memo = {"59|599"};
  EXPECT_EQ((Memo{"59", "599"}), ParseSettings(FormatSettings(data)).data.memo);
}

TEST(SettingsFile, LineEndInsideAValue_DoesNotShiftLaterLines) {
  StationData data = FullStation();
  data.fields[1] = "Jan\r\nKowalski";
  data.fields[7] = "QQ2XYZ\tQQ3ABC\x01";
  data.memo = {"a\nb"};
  const std::string formatted = FormatSettings(data);
  EXPECT_EQ(formatted.end(), std::find_if(formatted.begin(), formatted.end(), [](char c) {
              return IsControlCharacter(c) && c != '\r' && c != '\n';
            }));
  const LoadedSettings loaded = ParseSettings(formatted);
  EXPECT_EQ("Jan  Kowalski", loaded.data.fields[1]);
  EXPECT_EQ("QQ2XYZ QQ3ABC ", loaded.data.fields[7]);
  EXPECT_EQ("JO91CD", loaded.data.fields[9]);
  EXPECT_EQ(Memo{"a b"}, loaded.data.memo);
  EXPECT_EQ(7, loaded.data.category_index);
}

TEST(ParseSettings, MemoLine_SplitsAtEveryBar) {
  struct Case {
    const char* line;
    Memo memo;
  };
  const Case cases[] = {
      {"", {}},          {"one", {"one"}},  {"a|b", {"a", "b"}}, {"a||b", {"a", "", "b"}},
      {"a|", {"a", ""}}, {"|a", {"", "a"}}, {"|", {"", ""}},     {" ", {" "}},
  };
  for (const Case& c : cases) {
    const std::string content = std::string(10, '\n') + c.line + "\n7\n";
    EXPECT_EQ(c.memo, ParseSettings(content).data.memo) << '"' << c.line << '"';
  }
}

TEST(ParseSettings, CategoryLine_AcceptsOnlyAnIndexOfTheList) {
  struct Case {
    const char* line;
    std::optional<int> index;
    bool damaged;
  };
  const Case cases[] = {
      {"", std::nullopt, false},
      {"0", 0, false},
      {"7", 7, false},
      {" 3", 3, false},
      {"$6", 6, false},
      {"8", std::nullopt, true},
      {"-1", std::nullopt, true},
      {"x", std::nullopt, true},
      {"7 ", std::nullopt, true},
      {"99999999999", std::nullopt, true},
  };
  for (const Case& c : cases) {
    const std::string content = std::string(11, '\n') + c.line + "\r\n";
    const LoadedSettings loaded = ParseSettings(content);
    EXPECT_EQ(c.index, loaded.data.category_index) << '"' << c.line << '"';
    EXPECT_EQ(c.damaged ? std::optional<std::string>(c.line) : std::nullopt,
              loaded.damaged_category_line)
        << '"' << c.line << '"';
  }
}

TEST(ParseSettings, ShortOrOddFiles_ReadMissingLinesAsEmpty) {
  const std::string ten_lines = "QQ2XYZ\r\nJan\r\n\r\n\r\n\r\n\r\n0\r\n\r\nZAWODY\r\nJO91CD\r\n";
  struct Case {
    const char* name;
    std::string content;
    std::string field10;
    Memo memo;
    std::optional<int> category;
  };
  const Case cases[] = {
      {"ten lines", ten_lines, "JO91CD", {}, std::nullopt},
      {"empty file", "", "", {}, std::nullopt},
      {"CR only", "Q\r\r\r\r\r\r\r\r\rJO91CD\ra|b\r6\r", "JO91CD", {"a", "b"}, 6},
      {"LF only", "Q\n\n\n\n\n\n\n\n\nJO91CD\na|b\n6\n", "JO91CD", {"a", "b"}, 6},
      {"no last line end",
       "Q\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nJO91CD\r\na\r\n6",
       "JO91CD",
       {"a"},
       6},
      {"extra lines", "Q\n\n\n\n\n\n\n\n\nJO91CD\na\n6\nextra\n5\n", "JO91CD", {"a"}, 6},
  };
  for (const Case& c : cases) {
    const LoadedSettings loaded = ParseSettings(c.content);
    EXPECT_EQ(c.field10, loaded.data.fields[9]) << c.name;
    EXPECT_EQ(c.memo, loaded.data.memo) << c.name;
    EXPECT_EQ(c.category, loaded.data.category_index) << c.name;
    EXPECT_FALSE(loaded.damaged_category_line) << c.name;
  }
  EXPECT_EQ("QQ2XYZ", ParseSettings(ten_lines).data.fields[0]);
  EXPECT_EQ("0", ParseSettings(ten_lines).data.fields[6]);
}

TEST(ReadSettingsFile, MissingFile_ReportsTheSystemReason) {
  TempDir dir;
  const IoResult<LoadedSettings> loaded = ReadSettingsFile(FileSteps::System(), dir.path());
  ASSERT_FALSE(loaded.ok());
  EXPECT_EQ(dir / kSettingsFileName, loaded.error().path);
  EXPECT_EQ(testing::NoSuchFileReason(), loaded.error().reason);
}

TEST(WriteSettingsFile, TemporaryFileBlocked_FailsAndKeepsTheOldFile) {
  TempDir dir;
  const std::string old_content = FormatSettings(FullStation());
  WriteFile(dir / kSettingsFileName, old_content);
  std::filesystem::create_directory(dir / kSettingsTemporaryFileName);

  StationData changed = FullStation();
  changed.fields[0] = "QQ9NEW";
  const IoStatus status = WriteSettingsFile(FileSteps::System(), dir.path(), changed);
  ASSERT_TRUE(status);
  EXPECT_FALSE(status->reason.empty());
  EXPECT_EQ(old_content, ReadFile(dir / kSettingsFileName));
}

TEST(WriteSettingsFile, RenameFails_KeepsTheOldFileAndRemovesTheTemporary) {
  TempDir dir;
  const std::string old_content = FormatSettings(FullStation());
  WriteFile(dir / kSettingsFileName, old_content);
  testing::ScriptedFileSteps steps;
  steps.answer = [](IoStep step, const std::filesystem::path&) {
    return step == IoStep::kRename ? ENOSPC : 0;
  };
  const IoStatus status = WriteSettingsFile(steps, dir.path(), StationData{});

  ASSERT_TRUE(status);
  EXPECT_EQ(old_content, ReadFile(dir / kSettingsFileName));
  EXPECT_FALSE(FileExists(dir / kSettingsTemporaryFileName));
}

}  // namespace
}  // namespace zt
