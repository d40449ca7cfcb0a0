#include "core/log_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "core/log_loading.h"
#include "tests/support/scripted_file_steps.h"
#include "tests/support/system_reasons.h"
#include "tests/support/temp_dir.h"

namespace zt {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kFirst = "2024-12-01 0705 80M CW 599     12 QQ1ABC          599           5  2";
const std::string kSecond = "2024-12-01 0710 80M CW 599     13 QQ1DEF          599           O  20";

class LogFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
  testing::ScriptedFileSteps steps_;
  LogFiles files_ = LogFiles::In(dir_.path(), steps_);
};

TEST_F(LogFileTest, Append_ToEmptyLog_BacksUpOneEmptyLineAndSyncsTheLine) {
  ASSERT_FALSE(CreateEmptyLogFile(files_));
  ASSERT_FALSE(AppendToLogFile(files_, kFirst).log);
  EXPECT_EQ("\r\n", ReadFile(files_.backup));
  EXPECT_EQ(kFirst + "\r\n", ReadFile(files_.log));
  ASSERT_FALSE(AppendToLogFile(files_, kSecond).log);
  EXPECT_EQ(kFirst + "\r\n", ReadFile(files_.backup));
  EXPECT_EQ(kFirst + "\r\n" + kSecond + "\r\n", ReadFile(files_.log));
}

TEST_F(LogFileTest, Append_AfterLastLineWithoutLineEnd_StartsANewLine) {
  WriteFile(files_.log, kFirst);
  ASSERT_FALSE(AppendToLogFile(files_, kSecond).log);
  EXPECT_EQ(kFirst + "\r\n" + kSecond + "\r\n", ReadFile(files_.log));
}

TEST_F(LogFileTest, Append_MissingLog_ReportsTheSystemReason) {
  const IoStatus status = AppendToLogFile(files_, kFirst).log;
  ASSERT_TRUE(status);
  EXPECT_EQ(files_.log, status->path);
  EXPECT_FALSE(status->reason.empty());
}

TEST_F(LogFileTest, Append_DirectoryWhereTheBackupShouldBe_StoresTheLineAndSaysWhy) {
  WriteFile(files_.log, kFirst + "\r\n");
  std::filesystem::create_directory(files_.backup);
  const AppendOutcome outcome = AppendToLogFile(files_, kSecond);
  EXPECT_FALSE(outcome.log);
  ASSERT_TRUE(outcome.backup);
  EXPECT_EQ(files_.backup, outcome.backup->path);
  EXPECT_EQ(testing::IsADirectoryReason(), outcome.backup->reason);
  EXPECT_EQ(kFirst + "\r\n" + kSecond + "\r\n", ReadFile(files_.log));
}

TEST_F(LogFileTest, Append_AnyEarlierBackup_EndsAsTheLogBeforeTheLine) {
  // The backup is normally extended by the line appended before; whatever it held, it ends as the
  // line-by-line copy of the log as it stood before this append.
  struct Case {
    const char* name;
    std::string log;
    std::optional<std::string> backup;  // none: no backup file
    std::string expected_backup;
  };
  const std::string one = kFirst + "\r\n";
  const std::string two = kFirst + "\r\n" + kSecond + "\r\n";
  const Case cases[] = {
      {"one append behind", two, one, two},
      {"up to date already", two, two, two},
      {"missing backup", two, std::nullopt, two},
      {"backup of an emptied log", one, "\r\n", one},
      {"log rewritten since", two, kSecond + "\r\n", two},
      {"damaged backup", two, kFirst + "\r\nxx", two},
      {"backup longer than the log", one, two, one},
      {"log with lone line ends", kFirst + "\n" + kSecond + "\r", one, two},
      {"log without its last line end", kFirst + "\r\n" + kSecond, one, two},
      {"empty log", "", one, "\r\n"},
  };
  for (const Case& c : cases) {
    WriteFile(files_.log, c.log);
    std::filesystem::remove(files_.backup);
    if (c.backup) WriteFile(files_.backup, *c.backup);
    ASSERT_FALSE(AppendToLogFile(files_, "NEW").log) << c.name;
    EXPECT_EQ(c.expected_backup, ReadFile(files_.backup)) << c.name;
    EXPECT_TRUE(ReadFile(files_.log).ends_with("NEW\r\n")) << c.name;
  }
}

TEST_F(LogFileTest, Append_BackupThatCannotBeRead_StoresTheLineAndSaysWhy) {
  WriteFile(files_.log, kFirst + "\r\n");
  WriteFile(files_.backup, "");
  steps_.answer = [this](IoStep step, const std::filesystem::path& path) {
    return step == IoStep::kOpen && path == files_.backup ? EIO : 0;
  };
  const AppendOutcome outcome = AppendToLogFile(files_, kSecond);
  ASSERT_TRUE(outcome.backup);
  EXPECT_EQ(files_.backup, outcome.backup->path);
  EXPECT_FALSE(outcome.log);
  EXPECT_EQ(kFirst + "\r\n" + kSecond + "\r\n", ReadFile(files_.log));
}

TEST_F(LogFileTest, Append_ManyLines_BackupAlwaysOneLineBehind) {
  ASSERT_FALSE(CreateEmptyLogFile(files_));
  std::string log;
  for (int i = 0; i < 50; ++i) {
    const std::string line = kFirst.substr(0, 60) + std::to_string(i);
    ASSERT_FALSE(AppendToLogFile(files_, line).log);
    EXPECT_EQ(log.empty() ? "\r\n" : log, ReadFile(files_.backup)) << i;
    log += line + "\r\n";
    EXPECT_EQ(log, ReadFile(files_.log)) << i;
  }
}

TEST_F(LogFileTest, Rewrite_ChangesEveryLineWithTheSameBodyAndKeepsTheRest) {
  WriteFile(files_.log, kFirst + "\r\n" + kSecond + "\n" + kFirst.substr(0, 67) + "DUPE\r");
  const auto outcome =
      RewriteLogFile(files_, kFirst.substr(0, 67) + "RPRT", [](std::string_view line) {
        return std::string(line.substr(0, 11)) + "0800" + std::string(line.substr(15));
      });
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(2, outcome.value().matched_lines);
  const std::string changed = kFirst.substr(0, 11) + "0800" + kFirst.substr(15, 52);
  EXPECT_EQ(changed + "DUPE", outcome.value().last_changed_line);
  EXPECT_EQ(changed + "2\r\n" + kSecond + "\r\n" + changed + "DUPE\r\n", ReadFile(files_.log));
  EXPECT_FALSE(FileExists(files_.temporary));
}

TEST_F(LogFileTest, Rewrite_Removal_DropsBothIdenticalQsos) {
  WriteFile(files_.log, kFirst + "\r\n" + kFirst + "\r\n");
  const auto outcome =
      RewriteLogFile(files_, kFirst, [](std::string_view) { return std::nullopt; });
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ("", ReadFile(files_.log));
}

TEST_F(LogFileTest, Rewrite_NoMatchingLine_LeavesTheFileByteForByte) {
  const std::string content = kSecond + "\n\xE9\xB9 odd bytes\r";
  WriteFile(files_.log, content);
  const auto outcome = RewriteLogFile(files_, kFirst, [](std::string_view) { return "x"; });
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(0, outcome.value().matched_lines);
  EXPECT_EQ(content, ReadFile(files_.log));
}

TEST_F(LogFileTest, Rewrite_FailingAtAnyStep_KeepsTheOldLogAndNoTemporaryFile) {
  const std::string content = kFirst + "\r\n" + kSecond + "\r\n";
  for (IoStep failing : {IoStep::kOpen, IoStep::kWrite, IoStep::kFlush, IoStep::kSync,
                         IoStep::kClose, IoStep::kRename}) {
    WriteFile(files_.log, content);
    steps_.answer = [&](IoStep step, const std::filesystem::path& path) {
      const bool temporary_step = path == files_.temporary && step != IoStep::kRename;
      const bool rename_step = step == IoStep::kRename;
      return step == failing && (temporary_step || rename_step) ? ENOSPC : 0;
    };
    const auto outcome =
        RewriteLogFile(files_, kFirst, [](std::string_view) { return std::nullopt; });
    steps_.answer = nullptr;
    ASSERT_FALSE(outcome.ok()) << static_cast<int>(failing);
    EXPECT_EQ(content, ReadFile(files_.log)) << static_cast<int>(failing);
    EXPECT_FALSE(FileExists(files_.temporary)) << static_cast<int>(failing);
  }
}

TEST_F(LogFileTest, Rewrite_DirectoryWhereTheTemporaryFileShouldBe_KeepsTheOldLog) {
  const std::string content = kFirst + "\r\n";
  WriteFile(files_.log, content);
  std::filesystem::create_directory(files_.temporary);
  EXPECT_FALSE(RewriteLogFile(files_, kFirst, [](std::string_view) { return std::nullopt; }).ok());
  EXPECT_EQ(content, ReadFile(files_.log));
}

TEST_F(LogFileTest, Read_AnyLineEnds_GiveTheSameLines) {
  for (const char* content : {"a\r\n\r\nb\r\n", "a\n\nb\n", "a\r\rb\r", "a\r\n\nb"}) {
    WriteFile(files_.log, content);
    const auto lines = ReadLogFile(files_);
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ((std::vector<std::string>{"a", "", "b"}), lines.value()) << content;
  }
}

TEST_F(LogFileTest, Copy_FilesOfTheOperatorBesideTheTarget_StayUntouched) {
  WriteFile(files_.log, kFirst + "\r\n");
  WriteFile(dir_ / "kopia.log~", "mine");
  WriteFile(dir_ / "kopia.log.zapis~", "mine too");
  ASSERT_FALSE(CopyLogFile(files_, dir_ / "kopia.log"));
  EXPECT_EQ(kFirst + "\r\n", ReadFile(dir_ / "kopia.log"));
  EXPECT_EQ("mine", ReadFile(dir_ / "kopia.log~"));
  EXPECT_EQ("mine too", ReadFile(dir_ / "kopia.log.zapis~"));
  EXPECT_FALSE(FileExists(dir_ / "kopia.log.zapis1~"));
}

TEST(NextSentGroup, FollowsTheLargestNumberOrTheLastText) {
  struct Case {
    const char* name;
    std::vector<std::string> groups;
    std::string expected;
    bool auto_increment;
  };
  const Case cases[] = {
      {"1 2 3", {"1", "2", "3"}, "4", true}, {"largest, not last", {"5", "3"}, "6", true},
      {"leading zeros", {"007"}, "8", true}, {"text in between", {"4", "B", "2"}, "3", false},
      {"all text", {"O", "O"}, "O", false},  {"no QSO lines", {}, "1", true},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    for (const std::string& group : c.groups) {
      lines.push_back("2024-12-01 0705 80M CW 599 " + std::string(6 - group.size(), ' ') + group +
                      " QQ1ABC          599           5  2");
      lines.emplace_back();  // empty lines take no part
    }
    const LoadedLog loaded = LoadLogLines(lines, SentGroupState{});
    EXPECT_EQ(c.expected, loaded.sent_group.sent_group) << c.name;
    EXPECT_EQ(c.auto_increment, loaded.sent_group.auto_increment) << c.name;
    EXPECT_EQ(c.groups.size(), loaded.lines.size()) << c.name;
  }
}

TEST(NextSentGroup, DamagedLines_AreKeptAndNamedButSetNoSentGroup) {
  const std::string qso = "2024-12-01 0705 80M CW 599      7 QQ1ABC          599           5  2";
  const std::string cut = qso.substr(0, 30);  // a power cut inside the sent group
  const std::string body = qso.substr(0, 67);
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string expected;
    bool auto_increment;
    std::vector<int> damaged;
  };
  const Case cases[] = {
      {"cut inside the sent group", {qso, cut}, "8", true, {2}},
      {"zero bytes after the last line", {qso, std::string(40, '\0')}, "8", true, {2}},
      {"zero byte in a full line",
       {qso, qso.substr(0, 40) + '\0' + qso.substr(41)},
       "8",
       true,
       {2}},
      {"just long enough, no result", {qso, qso.substr(0, 33)}, "8", true, {}},
      {"line numbers count empty lines", {"", "x", qso, "", "abc"}, "8", true, {2, 5}},
      {"Polish letters are no damage", {body + "\xF3\xB9"}, "8", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LoadedLog loaded = LoadLogLines(c.lines, SentGroupState{});
    EXPECT_EQ(c.expected, loaded.sent_group.sent_group);
    EXPECT_EQ(c.auto_increment, loaded.sent_group.auto_increment);
    EXPECT_EQ(c.damaged, loaded.damaged_lines);
    std::vector<std::string> non_empty;
    for (const std::string& line : c.lines) {
      if (!line.empty()) non_empty.push_back(line);
    }
    EXPECT_EQ(non_empty, loaded.lines);
  }
}

}  // namespace
}  // namespace zt
