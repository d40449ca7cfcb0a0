#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/file_io.h"
#include "core/log_file.h"
#include "core/log_loading.h"
#include "tests/safety/crash_workload.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace zt::testing {
namespace {

constexpr int kKills = 250;
constexpr std::uint64_t kDefaultSeed = 20261206;
// The helper runs this long at most before it is killed; an operation takes about a millisecond
// or two, so most kills land inside one.
constexpr std::uint64_t kLongestRunMicroseconds = 12000;
// A helper that reports nothing for this long is stuck; the test fails instead of waiting on.
constexpr int kReportTimeoutMilliseconds = 10000;

std::uint64_t Seed() {
  const char* text = std::getenv("ZT_CRASH_SEED");
  return text ? std::strtoull(text, nullptr, 10) : kDefaultSeed;
}

// The helper process with its standard output on a pipe.
class Helper {
 public:
  Helper(const std::filesystem::path& directory, std::uint64_t seed, int first_operation) {
    int pipe_ends[2];
    if (::pipe2(pipe_ends, O_CLOEXEC) != 0) return;
    read_end_ = pipe_ends[0];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    const std::string directory_text = directory.string();
    const std::string seed_text = std::to_string(seed);
    const std::string first_text = std::to_string(first_operation);
    char* arguments[] = {
        const_cast<char*>(ZT_CRASH_HELPER), const_cast<char*>(directory_text.c_str()),
        const_cast<char*>(seed_text.c_str()), const_cast<char*>(first_text.c_str()), nullptr};
    if (posix_spawn(&pid_, ZT_CRASH_HELPER, &actions, nullptr, arguments, environ) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe_ends[1]);
  }
  ~Helper() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (read_end_ >= 0) ::close(read_end_);
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;

  bool started() const { return pid_ > 0; }

  // Waits for the first report line, so the kill lands in the work and not in the start-up;
  // false when none came in time.
  bool WaitForFirstReport() {
    while (reports_.find('\n') == std::string::npos) {
      pollfd readable{read_end_, POLLIN, 0};
      if (::poll(&readable, 1, kReportTimeoutMilliseconds) <= 0 || !ReadSome()) return false;
    }
    return true;
  }

  // Kills the helper and returns its wait status and everything it reported.
  int Kill() {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    while (ReadSome()) {
    }
    return status;
  }

  const std::string& reports() const { return reports_; }

 private:
  bool ReadSome() {
    char buffer[4096];
    const ssize_t count = ::read(read_end_, buffer, sizeof buffer);
    if (count <= 0) return false;
    reports_.append(buffer, static_cast<std::size_t>(count));
    return true;
  }

  pid_t pid_ = -1;
  int read_end_ = -1;
  std::string reports_;
};

struct Reports {
  int last_begun = 0;     // 0 when the helper began nothing
  int last_finished = 0;  // 0 when it finished nothing
};

// "B n" and "E n" lines; each operation must begin and end in turn, from `first` on.
Reports ParseReports(const std::string& text, int first) {
  Reports reports{first - 1, first - 1};
  std::istringstream lines(text);
  char what = 0;
  int number = 0;
  while (lines >> what >> number) {
    if (what == 'B') {
      EXPECT_EQ(reports.last_finished + 1, number) << text;
      reports.last_begun = number;
    } else {
      EXPECT_EQ(reports.last_begun, number) << text;
      reports.last_finished = number;
    }
  }
  return reports;
}

struct Tally {
  int operations = 0;              // operations the helpers finished
  int inside_append = 0;           // kills while an append was running
  int inside_rewrite = 0;          // kills while a correction or deletion was running
  int new_content = 0;             // kills after which the log already held the new content
  int temporary_left = 0;          // kills that left the temporary file behind
  int started_with_temporary = 0;  // helpers started with a temporary file left in the directory
};

TEST(CrashConsistency, KilledAtRandomMoments_LogIsAlwaysTheOldOrTheNewContent) {
  const std::uint64_t seed = Seed();
  SCOPED_TRACE("ZT_CRASH_SEED=" + std::to_string(seed));
  TempDir dir;
  const LogFiles files = LogFiles::In(dir.path(), FileSteps::System());
  ASSERT_FALSE(CreateEmptyLogFile(files));
  std::mt19937_64 timing(seed);
  std::vector<std::string> lines;  // what the log holds after `finished` operations
  int finished = 0;
  Tally tally;

  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill) + " after operation " + std::to_string(finished));
    if (FileExists(files.temporary)) ++tally.started_with_temporary;
    Helper helper(dir.path(), seed, finished + 1);
    ASSERT_TRUE(helper.started());
    ASSERT_TRUE(helper.WaitForFirstReport()) << "the helper reported nothing";
    std::this_thread::sleep_for(std::chrono::microseconds(timing() % kLongestRunMicroseconds));
    const int status = helper.Kill();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the helper stopped by itself:\n"
        << helper.reports();
    const Reports reports = ParseReports(helper.reports(), finished + 1);

    for (int number = finished + 1; number <= reports.last_finished; ++number) {
      lines = LinesAfter(lines, OperationFor(seed, number, lines));
    }
    tally.operations += reports.last_finished - finished;
    finished = reports.last_finished;
    const Operation next = OperationFor(seed, finished + 1, lines);
    if (reports.last_begun > finished) {
      ++(next.kind == OperationKind::kAppend ? tally.inside_append : tally.inside_rewrite);
    }

    ASSERT_TRUE(FileExists(files.log)) << "the log is missing";
    const std::string content = ReadFile(files.log);
    std::vector<std::string> next_lines = LinesAfter(lines, next);
    if (content != JoinLines(lines)) {
      ASSERT_EQ(JoinLines(next_lines), content) << "neither the old nor the new log";
      lines = std::move(next_lines);
      ++finished;
      ++tally.new_content;
    }
    if (FileExists(files.temporary)) ++tally.temporary_left;

    // The next start loads exactly these QSOs; the next helper goes on from here, with any
    // temporary file still in the directory.
    IoResult<std::vector<std::string>> read = ReadLogFile(files);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(lines, LoadLogLines(read.value(), SentGroupState{}).lines);
  }

  EXPECT_GT(tally.inside_append + tally.inside_rewrite, 0);
  std::printf(
      "[ crash    ] seed %llu: %d kills survived, %d operations finished, %d kills inside an "
      "append, %d inside a rewrite, %d left the new content, %d left the temporary file, %d "
      "helpers started with one; the log ends with %zu lines\n",
      static_cast<unsigned long long>(seed), kKills, tally.operations, tally.inside_append,
      tally.inside_rewrite, tally.new_content, tally.temporary_left, tally.started_with_temporary,
      lines.size());
}

}  // namespace
}  // namespace zt::testing
