// The crash test's helper process: runs the operations of one seed on the log in a directory
// until it is killed. Before each operation it writes "B <number>" to its standard output, after
// the operation has returned "E <number>", each with one unbuffered write.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/log_file.h"
#include "tests/safety/crash_workload.h"

namespace {

void Report(char what, int number) {
  const std::string text = std::string(1, what) + ' ' + std::to_string(number) + '\n';
  if (::write(STDOUT_FILENO, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    std::_Exit(3);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: crash_helper <directory> <seed> <first operation>\n");
    return 2;
  }
  const zt::LogFiles files = zt::LogFiles::In(argv[1], zt::FileSteps::System());
  const std::uint64_t seed = std::strtoull(argv[2], nullptr, 10);
  for (int number = std::atoi(argv[3]);; ++number) {
    Report('B', number);
    zt::IoResult<std::vector<std::string>> lines = zt::ReadLogFile(files);
    if (!lines.ok()) {
      std::fprintf(stderr, "%s: %s\n", lines.error().path.c_str(), lines.error().reason.c_str());
      return 1;
    }
    const zt::testing::Operation operation = zt::testing::OperationFor(seed, number, lines.value());
    if (zt::IoStatus status = zt::testing::Perform(files, operation)) {
      std::fprintf(stderr, "%s: %s\n", status->path.c_str(), status->reason.c_str());
      return 1;
    }
    Report('E', number);
  }
}
