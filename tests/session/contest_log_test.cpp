#include "session/contest_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/platform_file.h"
#include "tests/support/scripted_file_steps.h"
#include "tests/support/temp_dir.h"

namespace zt::testing {
namespace {

// A short-wave log of category 4 (group C, stations with CW): 5 gives 2 points, O gives 20.
const std::string kFirst = "2026-12-06 1205 80M CW 599      1 QQ1ABC          599           5  2";
const std::string kSecond = "2026-12-06 1207 80M CW 599      2 QQ2DEF          599           O  20";
const std::string kTwoLines = kFirst + "\r\n" + kSecond + "\r\n";
const ScoringContext kScoring{Round::kShortWave, 4, "KO00HU"};

// Windows has no EDQUOT; its own code for a full disk (ERROR_DISK_FULL) stands in.
#ifdef _WIN32
constexpr int kErrors[] = {ENOSPC, EIO, EACCES, EROFS, platform::WindowsError(112)};
#else
constexpr int kErrors[] = {ENOSPC, EIO, EACCES, EROFS, EDQUOT};
#endif

EntryFields Entry(const char* callsign, const char* received_group) {
  return EntryFields{"2026-12-06", "12:10", "CW", "599", "3", callsign, "599", received_group};
}

// What a window shows of a contest log. The lines are compared sorted: a corrected line stands
// last until the next recalculation puts it back in its place.
struct Shown {
  std::vector<std::string> lines;
  std::int64_t score;
  std::array<bool, 8> letters;
  bool operator==(const Shown&) const = default;
};

Shown ShownBy(const ContestLog& log) {
  Shown shown{log.lines(), log.score().score, log.score().letters.LitLetters()};
  std::sort(shown.lines.begin(), shown.lines.end());
  return shown;
}

// What the next start on the directory shows.
Shown ShownAfterRestart(const TempDir& dir) {
  ContestLog restarted(LogFiles::In(dir.path(), FileSteps::System()));
  EXPECT_TRUE(restarted.Load(SentGroupState{}).ok());
  EXPECT_FALSE(restarted.Recalculate(kScoring));
  return ShownBy(restarted);
}

// A run of the contest log on the two-QSO log, its file steps scripted by the test.
struct TwoQsoLog {
  TwoQsoLog() {
    WriteFile(dir / "zawody_teltolmowe.zlg", kTwoLines);
    EXPECT_TRUE(log.Load(SentGroupState{}).ok());
    EXPECT_FALSE(log.Recalculate(kScoring));
  }
  std::string Log() const { return ReadFile(dir / "zawody_teltolmowe.zlg"); }

  TempDir dir;
  ScriptedFileSteps steps;
  ContestLog log{LogFiles::In(dir.path(), steps)};
};

// A flow a window starts, as the window runs it: the failure it would report, if any.
struct Flow {
  const char* name;
  std::function<IoStatus(ContestLog&, const TempDir&)> run;
};

// A correction or mode change is followed by a recalculation once the file holds it.
IoStatus RecalculatedAfter(ContestLog& log, const IoResult<std::optional<std::string>>& changed) {
  if (!changed.ok()) return changed.error();
  return log.Recalculate(kScoring);
}

const Flow kFlows[] = {
    {"adding",
     [](ContestLog& log, const TempDir&) {
       const AddOutcome added =
           log.Add(ComposeQso(Entry("QQ3GHI", "12"), Round::kShortWave), "QQ3GHI", "CW", kScoring);
       return added.log ? added.log : added.backup;
     }},
    {"callsign correction",
     [](ContestLog& log, const TempDir&) {
       return RecalculatedAfter(log, log.Correct(1, CorrectedField::kCallsign, "QQ2XYZ"));
     }},
    {"date correction",
     [](ContestLog& log, const TempDir&) {
       return RecalculatedAfter(log, log.Correct(0, CorrectedField::kDate, "2026-12-07"));
     }},
    {"mode change",
     [](ContestLog& log, const TempDir&) {
       return RecalculatedAfter(log, log.ChangeMode(log.lines()[0], 1));
     }},
    {"deletion",
     [](ContestLog& log, const TempDir&) {
       if (IoStatus status = log.Delete(0)) return status;
       return log.Recalculate(kScoring);
     }},
    {"New log with a copy",
     [](ContestLog& log, const TempDir& dir) {
       if (IoStatus status = log.CopyTo(dir / "kopia.log")) return status;
       return log.StartNew();
     }},
};

struct StepCall {
  IoStep step;
  std::filesystem::path path;
};

TEST(ContestLogFlows, FailingAtEveryFileStep_NamesTheFileAndLeavesWhatARestartShows) {
  std::size_t failure_points = 0;
  for (const Flow& flow : kFlows) {
    SCOPED_TRACE(flow.name);
    std::vector<StepCall> calls;
    std::string log_after;
    {
      TwoQsoLog undisturbed;
      undisturbed.steps.answer = [&](IoStep step, const std::filesystem::path& path) {
        calls.push_back({step, path});
        return 0;
      };
      EXPECT_FALSE(flow.run(undisturbed.log, undisturbed.dir));
      log_after = undisturbed.Log();
      EXPECT_EQ(ShownAfterRestart(undisturbed.dir), ShownBy(undisturbed.log));
    }
    ASSERT_FALSE(calls.empty());
    for (std::size_t failing = 0; failing < calls.size(); ++failing) {
      const std::filesystem::path file = calls[failing].path.filename();
      SCOPED_TRACE("step " + std::to_string(failing) + " on " + file.string());
      const int error = kErrors[failing % std::size(kErrors)];
      TwoQsoLog run;
      std::size_t count = 0;
      run.steps.answer = [&](IoStep, const std::filesystem::path&) {
        return count++ == failing ? error : 0;
      };
      const IoStatus reported = flow.run(run.log, run.dir);
      run.steps.answer = nullptr;
      ++failure_points;

      ASSERT_TRUE(reported);
      EXPECT_EQ(file, reported->path.filename());
      EXPECT_EQ(platform::ErrorText(error), reported->reason);
      const std::string log = run.Log();
      EXPECT_TRUE(log == kTwoLines || log == log_after) << log;
      EXPECT_EQ(ShownAfterRestart(run.dir), ShownBy(run.log));
      for (const char* leftover : {"temporary.zlg", "temporary.zl~", "kopia.log.zapis~"}) {
        EXPECT_FALSE(FileExists(run.dir / leftover)) << leftover;
      }
    }
  }
  std::printf("[ faults   ] %zu failure points injected into the contest log's flows\n",
              failure_points);
}

// A step that never returns: the process died in it, and nothing after it ran.
struct Crash {};

TEST(ContestLogFlows, AddingStoppedAtEveryFileStep_LeavesTheBackupOldOrNewAndWhole) {
  const std::string old_backup = kFirst + "\r\n";  // the log before its second QSO
  const auto arranged = [&](TwoQsoLog& run) {
    WriteFile(run.dir / "zawody_teltolmowe.zl~", old_backup);
  };
  const auto add = [](TwoQsoLog& run) {
    return run.log.Add(ComposeQso(Entry("QQ3GHI", "12"), Round::kShortWave), "QQ3GHI", "CW",
                       kScoring);
  };
  std::size_t steps = 0;
  {
    TwoQsoLog undisturbed;
    arranged(undisturbed);
    undisturbed.steps.answer = [&](IoStep, const std::filesystem::path&) { return ++steps, 0; };
    const AddOutcome added = add(undisturbed);
    EXPECT_FALSE(added.log || added.backup);
    EXPECT_EQ(kTwoLines, ReadFile(undisturbed.dir / "zawody_teltolmowe.zl~"));
  }
  ASSERT_GT(steps, 0u);
  for (const bool crash : {false, true}) {
    for (std::size_t stopping = 0; stopping < steps; ++stopping) {
      SCOPED_TRACE((crash ? "crash at step " : "failure at step ") + std::to_string(stopping));
      TwoQsoLog run;
      arranged(run);
      std::size_t count = 0;
      std::filesystem::path stopped;
      run.steps.answer = [&](IoStep, const std::filesystem::path& path) {
        if (count++ != stopping) return 0;
        stopped = path.filename();
        if (crash) throw Crash{};
        return EIO;
      };
      AddOutcome added;
      try {
        added = add(run);
        ASSERT_FALSE(crash);
      } catch (const Crash&) {
        ASSERT_TRUE(crash);
      }
      run.steps.answer = nullptr;
      const std::string backup = ReadFile(run.dir / "zawody_teltolmowe.zl~");
      EXPECT_TRUE(backup == old_backup || backup == kTwoLines) << backup;
      if (!crash && (stopped == "zawody_teltolmowe.zl~" || stopped == "temporary.zl~")) {
        // A failed backup is only a warning: the QSO is stored.
        EXPECT_TRUE(added.backup);
        EXPECT_FALSE(added.log);
        EXPECT_EQ(old_backup, backup);
        EXPECT_EQ(3u, SplitLines(run.Log()).size());
      }
    }
  }
}

TEST(ContestLogFlows, AddingTwice_TheSecondIsADuplicateAndTheCallIsRepeated) {
  TwoQsoLog run;
  const NewQso qso = ComposeQso(Entry("QQ3GHI", "12"), Round::kShortWave);
  EXPECT_FALSE(run.log.IsRepeated("CW", "QQ3GHI"));
  const AddOutcome first = run.log.Add(qso, "QQ3GHI", "CW", kScoring);
  EXPECT_TRUE(first.counted);
  EXPECT_TRUE(run.log.IsRepeated("CW", "QQ3GHI"));
  EXPECT_FALSE(run.log.IsRepeated("PH", "QQ3GHI"));
  const AddOutcome second = run.log.Add(qso, "QQ3GHI", "CW", kScoring);
  EXPECT_FALSE(second.counted);
  EXPECT_EQ(qso.body + "DUPE", second.line);
  EXPECT_EQ(4, static_cast<int>(run.log.lines().size()));
  EXPECT_EQ(2 + 20 + 2, run.log.score().score);
  EXPECT_EQ(ShownAfterRestart(run.dir), ShownBy(run.log));
}

TEST(ContestLogFlows, CheckOfATypedCorrection_SaysWhatTheWindowMustDo) {
  using Verdict = CorrectionCheck::Verdict;
  struct Case {
    CorrectedField field;
    const char* typed;
    Verdict verdict;
    GroupQuestion question;
    const char* value;
  };
  const Case cases[] = {
      {CorrectedField::kDate, "2026-12-06", Verdict::kUnchanged, GroupQuestion::kNone, ""},
      {CorrectedField::kDate, "2026 -12-07", Verdict::kReady, GroupQuestion::kNone, "2026-12-07"},
      {CorrectedField::kDate, "2026-02-30", Verdict::kBadData, GroupQuestion::kNone, "2026-02-30"},
      {CorrectedField::kDate, "7.12.2026", Verdict::kBadFormat, GroupQuestion::kNone, "7.12.2026"},
      {CorrectedField::kTime, "1261", Verdict::kBadData, GroupQuestion::kNone, "1261"},
      {CorrectedField::kTime, "12:10", Verdict::kBadFormat, GroupQuestion::kNone, "12:10"},
      {CorrectedField::kCallsign, "qq9zzz", Verdict::kReady, GroupQuestion::kNone, "QQ9ZZZ"},
      {CorrectedField::kReceivedGroup, "007", Verdict::kReady, GroupQuestion::kNone, "7"},
      {CorrectedField::kReceivedGroup, "QQ", Verdict::kConfirm,
       GroupQuestion::kInvalidShortWaveGroup, "QQ"},
  };
  TwoQsoLog run;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const CorrectionCheck check = run.log.CheckCorrection(0, c.field, c.typed, Round::kShortWave);
    EXPECT_EQ(c.verdict, check.verdict);
    EXPECT_EQ(c.question, check.question);
    if (c.verdict != Verdict::kUnchanged) {
      EXPECT_EQ(c.value, check.value);
    }
  }
}

TEST(ContestLogFlows, CorrectionOfALineTheFileNoLongerHolds_ChangesNothing) {
  TwoQsoLog run;
  WriteFile(run.dir / "zawody_teltolmowe.zlg", kSecond + "\r\n");
  const IoResult<std::optional<std::string>> corrected =
      run.log.Correct(0, CorrectedField::kCallsign, "QQ9ZZZ");
  ASSERT_TRUE(corrected.ok());
  EXPECT_FALSE(corrected.value());
  EXPECT_EQ(kSecond + "\r\n", run.Log());
  EXPECT_EQ((std::vector<std::string>{kFirst, kSecond}), run.log.lines());
}

TEST(ContestLogFlows, RecalculationOfAnUnreadableLog_KeepsTheQsosInView) {
  TwoQsoLog run;
  run.steps.answer = [](IoStep step, const std::filesystem::path&) {
    return step == IoStep::kOpen ? EACCES : 0;
  };
  const IoStatus unread = run.log.Recalculate(kScoring);
  ASSERT_TRUE(unread);
  EXPECT_EQ(platform::ErrorText(EACCES), unread->reason);
  EXPECT_EQ((std::vector<std::string>{kFirst, kSecond}), run.log.lines());
  EXPECT_EQ(22, run.log.score().score);
}

TEST(ContestLogFlows, LoadWithoutALog_CreatesItEmptyAndLoadsNothing) {
  TempDir dir;
  ContestLog log(LogFiles::In(dir.path(), FileSteps::System()));
  const IoResult<std::optional<SentGroupState>> loaded = log.Load(SentGroupState{"5", true});
  ASSERT_TRUE(loaded.ok());
  EXPECT_FALSE(loaded.value());
  EXPECT_EQ("", ReadFile(dir / "zawody_teltolmowe.zlg"));
  EXPECT_TRUE(log.lines().empty());
}

TEST(ContestLogFlows, TheProgramsOwnFiles_CannotTakeTheCopyByAnyPath) {
  TempDir dir;
  const std::filesystem::path executable = dir / "zawody_teltolmowe";
  ContestLog log(LogFiles::In(dir.path(), FileSteps::System()), executable);
  WriteFile(dir / "zawody_teltolmowe.zlg", kTwoLines);
  WriteFile(dir / "zawody_teltolmowe.ini", "QQ2XYZ\r\n");
  WriteFile(executable, "program");
  std::filesystem::create_directory(dir / "kopie");
  struct Case {
    std::filesystem::path chosen;
    const char* kept;  // the file it reaches, or none
  };
  std::vector<Case> cases = {
      {dir / "zawody_teltolmowe.zlg", "zawody_teltolmowe.zlg"},
      {dir / "zawody_teltolmowe.zl~", "zawody_teltolmowe.zl~"},
      {dir / "temporary.zlg", "temporary.zlg"},
      {dir / "temporary.zl~", "temporary.zl~"},
      {dir / "zawody_teltolmowe.ini", "zawody_teltolmowe.ini"},
      {dir / "zawody_teltolmowe.in~", "zawody_teltolmowe.in~"},
      {dir / "zawody_teltolmowe_radio.ini", "zawody_teltolmowe_radio.ini"},
      {dir / "zawody_teltolmowe_radio.in~", "zawody_teltolmowe_radio.in~"},
      {dir / ".zawody_teltolmowe.probe", ".zawody_teltolmowe.probe"},
      {executable, "zawody_teltolmowe"},
      {dir / "kopie" / ".." / "zawody_teltolmowe.ini", "zawody_teltolmowe.ini"},
      {dir / "kopie" / ".." / "temporary.zlg", "temporary.zlg"},
      {dir / "qq2xyz.log", nullptr},
      {dir / "kopie" / "zawody_teltolmowe.ini", nullptr},
  };
#ifndef _WIN32
  // Links only where the system lets every user make them.
  std::filesystem::create_symlink(dir / "zawody_teltolmowe.ini", dir / "kopie" / "dowiazanie.log");
  std::filesystem::create_directory_symlink(dir.path(), dir / "kopie" / "folder");
  std::filesystem::create_hard_link(dir / "zawody_teltolmowe.ini", dir / "kopie" / "twardy.log");
  std::filesystem::create_hard_link(executable, dir / "kopie" / "program.log");
  cases.push_back({dir / "kopie" / "dowiazanie.log", "zawody_teltolmowe.ini"});
  cases.push_back({dir / "kopie" / "folder" / "zawody_teltolmowe.zlg", "zawody_teltolmowe.zlg"});
  cases.push_back({dir / "kopie" / "twardy.log", "zawody_teltolmowe.ini"});
  cases.push_back({dir / "kopie" / "program.log", "zawody_teltolmowe"});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen.string());
    const std::optional<std::filesystem::path> kept = log.KeptFileAt(c.chosen);
    if (!c.kept) {
      EXPECT_FALSE(kept);
      continue;
    }
    ASSERT_TRUE(kept);
    EXPECT_EQ(c.kept, kept->filename().string());
  }
}

TEST(ContestLogPreview, ShortWave_TheSameRulesAsAddingAndNothingChanges) {
  struct Case {
    const char* callsign;
    const char* group;
    const char* mode;
    const char* result;
    std::int64_t points;
    char letter;  // the word's letter it would light, or none
  };
  const Case cases[] = {
      {"QQ3GHT", "O", "CW", "20", 20, 'T'},   // T is wanted
      {"QQ3GHI", "B", "CW", "10", 10, 0},     // I is no letter of the word
      {"QQ1ABC", "5", "CW", "DUPE", 0, 0},    // worked in CW already
      {"QQ3GHI", "XYZ", "CW", "RPRT", 0, 0},  // no acceptable group
  };
  TwoQsoLog run;
  const Shown before = ShownBy(run.log);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.callsign + std::string(" ") + c.group);
    EntryFields fields = Entry(c.callsign, c.group);
    fields.mode = c.mode;
    const QsoPreview preview =
        run.log.Preview(ComposeQso(fields, Round::kShortWave), c.callsign, c.mode, kScoring);
    EXPECT_EQ(c.result, preview.result);
    EXPECT_EQ(c.points, preview.points);
    EXPECT_EQ(c.letter, preview.letter);
    EXPECT_FALSE(preview.distance_km);
  }
  EXPECT_EQ(before, ShownBy(run.log));
  EXPECT_FALSE(run.log.IsRepeated("CW", "QQ3GHT"));
}

TEST(ContestLogPreview, Vhf_DistanceBearingAndTheBonusStation) {
  TempDir dir;
  WriteFile(dir / "zawody_teltolmowe.zlg", "");
  ContestLog log(LogFiles::In(dir.path(), FileSteps::System()));
  const ScoringContext vhf{Round::kVhf, 7, "KO00HU"};
  const auto preview = [&](const char* callsign, const char* group) {
    EntryFields fields = Entry(callsign, group);
    fields.mode = "FM";
    return log.Preview(ComposeQso(fields, Round::kVhf), callsign, "FM", vhf);
  };
  const QsoPreview north = preview("QQ9AAA", "4KO01HU");
  EXPECT_EQ("111+50", north.result);
  EXPECT_EQ(161, north.points);
  EXPECT_EQ(111, north.distance_km);
  EXPECT_EQ(0, north.bearing);
  EXPECT_TRUE(north.bonus_station);
  // A locator without a serial number is no acceptable group, but it is a place on the map.
  const QsoPreview bare = preview("QQ1ABC", "KO01HU");
  EXPECT_EQ("RPRT", bare.result);
  EXPECT_EQ(111, bare.distance_km);
  EXPECT_FALSE(preview("QQ1ABC", "4KO01").distance_km);
}

// The log's order is not the callsigns': the index sorts them, those sharing their first eight
// characters too, and each callsign's modes keep the order they were first logged in.
TEST(ContestLogPartialCheck, ModesInTheOrderFirstLogged_WhateverTheLogsOrder) {
  TempDir dir;
  std::string log;
  for (const auto& [call, mode] :
       std::vector<std::pair<const char*, const char*>>{{"SP9QQQ", "PH"},
                                                        {"SP1QQQ", "CW"},
                                                        {"SP9QQQ", "CW"},
                                                        {"SP9QQQ", "PH"},
                                                        {"SP9QQQ/PA", "CW"},
                                                        {"SP5QQQ", "PH"},
                                                        {"SP9QQQ/P", "PH"},
                                                        {"SP9QQQ/PA", "PH"}}) {
    std::string line = "2026-12-06 1205 80M " + std::string(mode) + " 599      1 " + call;
    line.resize(50, ' ');
    log += line + "599           5  2\r\n";
  }
  WriteFile(dir / "zawody_teltolmowe.zlg", log);
  ContestLog contest(LogFiles::In(dir.path(), FileSteps::System()));
  ASSERT_TRUE(contest.Load(SentGroupState{}).ok());
  EXPECT_EQ((std::vector<WorkedCallsign>{{"SP1QQQ", "CW"},
                                         {"SP5QQQ", "PH"},
                                         {"SP9QQQ", "PH CW"},
                                         {"SP9QQQ/P", "PH"},
                                         {"SP9QQQ/PA", "CW PH"}}),
            contest.PartialCheck("QQQ"));
  EXPECT_EQ((std::vector<WorkedCallsign>{
                {"SP9QQQ", "PH CW"}, {"SP9QQQ/P", "PH"}, {"SP9QQQ/PA", "CW PH"}}),
            contest.PartialCheck("SP9QQQ"));
}

// A recalculation keeps the index only while it still holds the lines' callsigns: after a
// deletion or a correction of the callsign it is built again.
TEST(ContestLogPartialCheck, FollowsTheLogAfterADeletionOrACorrection_OnceRecalculated) {
  TempDir dir;
  std::string log;
  for (const char* call : {"SP1QQQ", "SP2QQQ", "SP3QQQ"}) {
    std::string line = "2026-12-06 1205 80M CW 599      1 " + std::string(call);
    line.resize(50, ' ');
    log += line + "599           5  2\r\n";
  }
  WriteFile(dir / "zawody_teltolmowe.zlg", log);
  ContestLog contest(LogFiles::In(dir.path(), FileSteps::System()));
  ASSERT_TRUE(contest.Load(SentGroupState{}).ok());
  const ScoringContext scoring{Round::kShortWave, 4, ""};
  const auto callsigns = [&contest] {
    std::vector<std::string> found;
    for (const WorkedCallsign& worked : contest.PartialCheck("QQQ")) {
      found.push_back(worked.callsign);
    }
    return found;
  };
  ASSERT_FALSE(contest.Recalculate(scoring));
  EXPECT_EQ((std::vector<std::string>{"SP1QQQ", "SP2QQQ", "SP3QQQ"}), callsigns());
  ASSERT_FALSE(contest.Delete(0));
  ASSERT_FALSE(contest.Recalculate(scoring));
  EXPECT_EQ((std::vector<std::string>{"SP2QQQ", "SP3QQQ"}), callsigns());
  const CorrectionCheck check =
      contest.CheckCorrection(0, CorrectedField::kCallsign, "SP4QQQ", Round::kShortWave);
  ASSERT_TRUE(contest.Correct(0, CorrectedField::kCallsign, check.value).ok());
  ASSERT_FALSE(contest.Recalculate(scoring));
  EXPECT_EQ((std::vector<std::string>{"SP3QQQ", "SP4QQQ"}), callsigns());
}

TEST(ContestLogPartialCheck, ExactFirstThenAlphabeticalAtMostEight) {
  TempDir dir;
  std::string log;
  for (const char* call : {"QQ1ABC", "QQ1ABCD", "XQQ1ABC", "QQ2ABC", "QQ1AB", "QQ1ABE", "QQ1ABF",
                           "QQ1ABG", "QQ1ABH", "QQ1ABI", "QQ1ABJ"}) {
    for (const char* mode : {"CW", "PH"}) {
      std::string line = "2026-12-06 1205 80M " + std::string(mode) + " 599      1 " + call;
      line.resize(50, ' ');
      log += line + "599           5  2\r\n";
    }
  }
  WriteFile(dir / "zawody_teltolmowe.zlg", log);
  ContestLog contest(LogFiles::In(dir.path(), FileSteps::System()));
  ASSERT_TRUE(contest.Load(SentGroupState{}).ok());
  EXPECT_TRUE(contest.PartialCheck("QQ").empty());
  const std::vector<WorkedCallsign> found = contest.PartialCheck("QQ1ABC");
  EXPECT_EQ((std::vector<WorkedCallsign>{
                {"QQ1ABC", "CW PH"}, {"QQ1ABCD", "CW PH"}, {"XQQ1ABC", "CW PH"}}),
            found);
  const std::vector<WorkedCallsign> many = contest.PartialCheck("1AB");
  ASSERT_EQ(kPartialCheckLimit, many.size());
  EXPECT_EQ("QQ1AB", many.front().callsign);
  EXPECT_TRUE(contest.PartialCheck("ZZZ").empty());
}

}  // namespace
}  // namespace zt::testing
