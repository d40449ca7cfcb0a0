#include "bench/bench_program.h"

#include <QApplication>

namespace zt::bench {

StartedProgram::StartedProgram(const std::filesystem::path& data_directory) {
  program_ = std::make_unique<Program>(Environment{data_directory, &prompts_, &clock_});
  form1().show();
  Settle();
  // A clock tick would add work that no operator action causes.
  form1().Timer1->stop();
}

StartedProgram::~StartedProgram() = default;

void StartedProgram::Settle() { QApplication::processEvents(); }

}  // namespace zt::bench
