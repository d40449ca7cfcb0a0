#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/log_file.h"
#include "core/platform_file.h"
#include "corrections/qso_correction.h"
#include "export/cabrillo.h"
#include "export/export_file.h"
#include "settings/settings_file.h"
#include "tests/support/scripted_file_steps.h"
#include "tests/support/system_reasons.h"
#include "tests/support/temp_dir.h"

namespace zt::testing {
namespace {

const std::string kFirst = "2026-12-06 1205 80M CW 599      1 QQ1ABC          599           5  2";
const std::string kSecond = "2026-12-06 1207 80M PH 59       2 QQ2DEF          59            O  1";
const std::string kThird = "2026-12-06 1210 80M CW 599      3 QQ3GHI          599          12  2";
const std::string kTwoLines = kFirst + "\r\n" + kSecond + "\r\n";
constexpr char kLongRemark[] = "Antena: dipol 2 x 20 m, moc 100 W, zasilanie awaryjne";

struct StepCall {
  IoStep step;
  std::filesystem::path path;  // the file name in the data directory
};

// The errors a failing step reports, taken in turn, so the message is seen to be the system's.
// Windows has no EDQUOT; its own code for a full disk (ERROR_DISK_FULL) stands in.
#ifdef _WIN32
constexpr int kErrors[] = {ENOSPC, EIO, EACCES, EROFS, platform::WindowsError(112)};
#else
constexpr int kErrors[] = {ENOSPC, EIO, EACCES, EROFS, EDQUOT};
#endif

StationData Station(const char* callsign, const char* remark = "73") {
  StationData data;
  data.fields = {callsign, "Jan Kowalski",         "jan@example.com", "ul. Polna 1", "", "", "0",
                 "",       "ZAWODY TELT\xD3LMOWE", "KO00HU"};
  data.memo = {remark};
  data.category_index = 4;
  return data;
}

// One file-writing command of the core, with the file it must leave whole and the contents it
// may hold: the old one after a failure, the new one after success.
struct Command {
  const char* name;
  std::function<void(const TempDir&)> arrange;
  std::function<IoStatus(const TempDir&)> run;
  const char* target;
  std::string old_content;
  std::string new_content;
  std::vector<const char*> left_behind;  // names that must not stay after a failure
  // Files whose failure is only reported: the command still writes its target.
  std::vector<const char*> warning_only = {};
};

IoStatus Rewrite(const FileSteps& steps, const TempDir& dir, std::string_view selected,
                 const LineChange& change) {
  IoResult<RewriteOutcome> outcome =
      RewriteLogFile(LogFiles::In(dir.path(), steps), selected, change);
  return outcome.ok() ? std::nullopt : IoStatus(outcome.error());
}

// The commands, each taking its file steps from `steps`.
std::vector<Command> Commands(const FileSteps& steps) {
  const auto log_holds = [](std::string content) {
    return [content](const TempDir& dir) { WriteFile(dir / "zawody_teltolmowe.zlg", content); };
  };
  const std::string corrected = ApplyCorrection(CorrectedField::kCallsign, kSecond, "QQ2XYZ");
  const std::string old_settings = FormatSettings(Station("QQ2OLD"));
  const std::string cabrillo = CabrilloText(
      CabrilloHeader{"ZAWODY", "QQ2XYZ", "5", "Jan", "", "", "", "", "", "KO00HU", {}, 4},
      {kFirst, kSecond}, Round::kShortWave);
  const std::vector<const char*> temporaries = {"temporary.zlg"};
  const std::vector<const char*> backup = {"zawody_teltolmowe.zl~", "temporary.zl~"};
  // A failed backup is a warning: the line is stored all the same.
  const auto append = [&steps](const TempDir& dir) {
    const AppendOutcome outcome = AppendToLogFile(LogFiles::In(dir.path(), steps), kThird);
    return outcome.log ? outcome.log : outcome.backup;
  };
  return {
      {"append",
       log_holds(kTwoLines),
       append,
       "zawody_teltolmowe.zlg",
       kTwoLines,
       kTwoLines + kThird + "\r\n",
       {},
       backup},
      {"append to an empty log",
       log_holds(""),
       append,
       "zawody_teltolmowe.zlg",
       "",
       kThird + "\r\n",
       {},
       backup},
      {"append after a last line without line end",
       log_holds(kFirst),
       append,
       "zawody_teltolmowe.zlg",
       kFirst,
       kFirst + "\r\n" + kThird + "\r\n",
       {},
       backup},
      {"correction", log_holds(kTwoLines),
       [&steps](const TempDir& dir) {
         return Rewrite(steps, dir, kSecond, [](std::string_view line) {
           return ApplyCorrection(CorrectedField::kCallsign, line, "QQ2XYZ");
         });
       },
       "zawody_teltolmowe.zlg", kTwoLines, kFirst + "\r\n" + corrected + "\r\n", temporaries},
      {"deletion", log_holds(kTwoLines),
       [&steps](const TempDir& dir) {
         return Rewrite(steps, dir, kFirst, [](std::string_view) { return std::nullopt; });
       },
       "zawody_teltolmowe.zlg", kTwoLines, kSecond + "\r\n", temporaries},
      {"new empty log", log_holds(kTwoLines),
       [&steps](const TempDir& dir) { return CreateEmptyLogFile(LogFiles::In(dir.path(), steps)); },
       "zawody_teltolmowe.zlg", kTwoLines, "", temporaries},
      {"New log copy over an older copy",
       [](const TempDir& dir) {
         WriteFile(dir / "zawody_teltolmowe.zlg", kTwoLines);
         WriteFile(dir / "qq2xyz.log", "an older copy\r\n");
       },
       [&steps](const TempDir& dir) {
         return CopyLogFile(LogFiles::In(dir.path(), steps), dir / "qq2xyz.log");
       },
       "qq2xyz.log",
       "an older copy\r\n",
       kTwoLines,
       {"qq2xyz.log.zapis~"}},
      {"settings",
       [old_settings](const TempDir& dir) { WriteFile(dir / kSettingsFileName, old_settings); },
       [&steps](const TempDir& dir) {
         return WriteSettingsFile(steps, dir.path(), Station("QQ2NEW", kLongRemark));
       },
       kSettingsFileName,
       old_settings,
       FormatSettings(Station("QQ2NEW", kLongRemark)),
       {kSettingsTemporaryFileName}},
      {"Cabrillo export over an older one",
       [](const TempDir& dir) { WriteFile(dir / "qq2xyz.cbr", "an older export\r\n"); },
       [cabrillo, &steps](const TempDir& dir) {
         return WriteExportFile(steps, dir / "qq2xyz.cbr", cabrillo);
       },
       "qq2xyz.cbr",
       "an older export\r\n",
       cabrillo,
       {"qq2xyz.cbr.zapis~"}},
  };
}

class IoFaultTest : public ::testing::Test {
 protected:
  ScriptedFileSteps file_steps_;
};

// Records every step the file layer takes while the command runs undisturbed on `file_steps`,
// the steps it was made with.
std::vector<StepCall> StepsOf(const Command& command, ScriptedFileSteps& file_steps) {
  TempDir dir;
  command.arrange(dir);
  std::vector<StepCall> steps;
  file_steps.answer = [&](IoStep step, const std::filesystem::path& path) {
    steps.push_back({step, path.filename()});
    return 0;
  };
  EXPECT_FALSE(command.run(dir)) << command.name;
  file_steps.answer = nullptr;
  return steps;
}

std::string Describe(const StepCall& call, std::size_t index) {
  static constexpr const char* kNames[] = {"open", "write", "flush", "sync", "close", "rename"};
  return "step " + std::to_string(index) + ": " + kNames[static_cast<int>(call.step)] + " " +
         call.path.string();
}

TEST_F(IoFaultTest, EveryStepOfEveryCommandFailing_ReportsTheSystemReasonAndKeepsTheOldFile) {
  int failure_points = 0;
  for (const Command& command : Commands(file_steps_)) {
    SCOPED_TRACE(command.name);
    const std::vector<StepCall> steps = StepsOf(command, file_steps_);
    ASSERT_FALSE(steps.empty());
    for (std::size_t failing = 0; failing < steps.size(); ++failing) {
      SCOPED_TRACE(Describe(steps[failing], failing));
      const int error = kErrors[failing % std::size(kErrors)];
      TempDir dir;
      command.arrange(dir);
      std::size_t calls = 0;
      file_steps_.answer = [&](IoStep, const std::filesystem::path&) {
        return calls++ == failing ? error : 0;
      };
      const IoStatus status = command.run(dir);
      file_steps_.answer = nullptr;
      ++failure_points;

      ASSERT_TRUE(status) << "a failure reported as success";
      EXPECT_EQ(dir / steps[failing].path.string(), status->path);
      EXPECT_EQ(platform::ErrorText(error), status->reason);
      if (std::find(command.warning_only.begin(), command.warning_only.end(),
                    steps[failing].path.string()) != command.warning_only.end()) {
        EXPECT_EQ(command.new_content, ReadFile(dir / command.target));
        continue;
      }
      EXPECT_EQ(command.old_content, ReadFile(dir / command.target));
      for (const char* name : command.left_behind) EXPECT_FALSE(FileExists(dir / name)) << name;

      // Nothing the failure left stands in the way of the next attempt.
      EXPECT_FALSE(command.run(dir));
      EXPECT_EQ(command.new_content, ReadFile(dir / command.target));
    }
  }
  std::printf("[ faults   ] %d failure points injected into the core's file commands\n",
              failure_points);
}

// A directory standing where a file should be: the command fails with the system's reason, the
// old files stay whole and the directory stays where it is.
TEST_F(IoFaultTest, DirectoryInPlaceOfAFile_FailsWithTheSystemReasonAndKeepsTheLog) {
  const std::string is_a_directory = IsADirectoryReason();
  struct Case {
    const char* name;
    const char* directory;
    std::function<IoStatus(const TempDir&)> run;
  };
  const auto append = [](const TempDir& dir) {
    return AppendToLogFile(LogFiles::In(dir.path(), FileSteps::System()), kThird).log;
  };
  const auto deletion = [](const TempDir& dir) {
    return Rewrite(FileSteps::System(), dir, kFirst, [](std::string_view) { return std::nullopt; });
  };
  const auto empty_log = [](const TempDir& dir) {
    return CreateEmptyLogFile(LogFiles::In(dir.path(), FileSteps::System()));
  };
  const Case cases[] = {
      {"deletion, temporary file is a directory", "temporary.zlg", deletion},
      {"new empty log, temporary file is a directory", "temporary.zlg", empty_log},
      {"settings, temporary file is a directory", kSettingsTemporaryFileName,
       [](const TempDir& dir) {
         return WriteSettingsFile(FileSteps::System(), dir.path(), Station("QQ2NEW"));
       }},
      {"New log copy, target is a directory", "qq2xyz.log",
       [](const TempDir& dir) {
         return CopyLogFile(LogFiles::In(dir.path(), FileSteps::System()), dir / "qq2xyz.log");
       }},
      {"export, target is a directory", "qq2xyz.cbr",
       [](const TempDir& dir) {
         return WriteExportFile(FileSteps::System(), dir / "qq2xyz.cbr", "text\r\n");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteFile(dir / "zawody_teltolmowe.zlg", kTwoLines);
    std::filesystem::create_directory(dir / c.directory);
    const IoStatus status = c.run(dir);
    ASSERT_TRUE(status);
    EXPECT_EQ(is_a_directory, status->reason);
    EXPECT_EQ(kTwoLines, ReadFile(dir / "zawody_teltolmowe.zlg"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / c.directory));
  }

  // The log itself a directory: every command that reads or replaces it says so.
  using Run = std::function<IoStatus(const TempDir&)>;
  for (const Run& run : {Run(append), Run(deletion), Run(empty_log)}) {
    TempDir dir;
    std::filesystem::create_directories(dir / "zawody_teltolmowe.zlg" / "inside");
    const IoStatus status = run(dir);
    ASSERT_TRUE(status);
    EXPECT_EQ(dir / "zawody_teltolmowe.zlg", status->path);
    EXPECT_EQ(is_a_directory, status->reason);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "zawody_teltolmowe.zlg" / "inside"));
    EXPECT_FALSE(FileExists(dir / "temporary.zlg"));
  }
}

// POSIX only: the limit is set with setrlimit in a forked child, and Windows has neither.
#ifndef _WIN32
// A file size limit makes the system write part of the data and then refuse the rest, as a full
// disk does. The command runs in a child process, since the limit holds for the whole process.
TEST_F(IoFaultTest, PartialWrite_FileSizeLimit_LeavesTheOldFileWhole) {
  for (const Command& command : Commands(FileSteps::System())) {
    if (command.new_content.size() <= command.old_content.size()) continue;
    SCOPED_TRACE(command.name);
    TempDir dir;
    command.arrange(dir);
    // Room for the old content and a backup of it (which may gain a line end), and for a few
    // bytes of what is new.
    const rlim_t limit = command.old_content.size() + 12;
    ASSERT_LT(limit, command.new_content.size()) << "the limit must cut the new content";
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit file_size{limit, limit};
      ::setrlimit(RLIMIT_FSIZE, &file_size);
      const IoStatus status = command.run(dir);
      ::_exit(status && status->reason == std::strerror(EFBIG) ? 0 : 1);
    }
    int wait_status = 0;
    ::waitpid(child, &wait_status, 0);
    EXPECT_TRUE(WIFEXITED(wait_status) && WEXITSTATUS(wait_status) == 0)
        << "the command did not report the refused write";
    EXPECT_EQ(command.old_content, ReadFile(dir / command.target));
    for (const char* name : command.left_behind) EXPECT_FALSE(FileExists(dir / name)) << name;
  }
}
#endif

}  // namespace
}  // namespace zt::testing
