#pragma once

// The real program on the offscreen platform, started on a generated log with prompts that
// must stay silent and a clock that stands still.

#include <filesystem>
#include <memory>

#include "app/program.h"
#include "bench/generated_log.h"
#include "tests/support/fake_time_source.h"

namespace zt::bench {

// Answers every question with `answer` and every input box with `typed` (its pre-filled text
// while `typed` is null), and counts them: a benchmark checks that it met exactly the questions
// of the path it means to measure.
class BenchPrompts : public Prompts {
 public:
  Answer Show(const Message&) override {
    ++asked;
    return answer;
  }
  QString InputBox(const QString&, const QString&, const QString& prefilled) override {
    ++asked;
    return typed.isNull() ? prefilled : typed;
  }
  std::optional<QString> SaveFileName(const QString&, const QString&) override {
    ++asked;
    return std::nullopt;
  }
  void Beep() override { ++beeps; }

  Answer answer = Answer::kNo;
  QString typed;
  int asked = 0;
  int beeps = 0;
};

// Constructs the four windows, shows the main window and lets it paint: the start-up as the
// operator sees it.
class StartedProgram {
 public:
  explicit StartedProgram(const std::filesystem::path& data_directory);
  ~StartedProgram();

  TForm1& form1() { return program_->form1(); }
  BenchPrompts& prompts() { return prompts_; }
  // Delivers what a handler posted (repaints, layout) so its cost is counted.
  static void Settle();

 private:
  BenchPrompts prompts_;
  testing::FakeTimeSource clock_;
  std::unique_ptr<Program> program_;
};

}  // namespace zt::bench
