#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "tests/support/fake_time_source.h"
#include "tests/support/scripted_file_steps.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"

namespace zt::testing {

// A settings file for a station in the given category (0-7).
std::string SettingsFileFor(int category_index, std::string_view callsign = "QQ2XYZ",
                            std::string_view locator = "KO00HU");

// The program's file as a test's Environment names it, in the test's data directory.
inline constexpr char kExecutableName[] = "zawody_teltolmowe";

// Each test gets its own data directory, its own scripted prompts, its own clock and its own
// windows. Arrange the files, then Start() the program.
class ProgramTest : public ::testing::Test {
 protected:
  void WriteSettings(int category_index, std::string_view locator = "KO00HU");
  void WriteLog(const std::vector<std::string>& lines);
  std::string LogContent() const;

  // Creates the four windows in their order, runs the start-up and shows the main window.
  void Start();

  TForm1& form1() { return program_->form1(); }
  TForm2& form2() { return program_->form2(); }
  TForm3& form3() { return program_->form3(); }
  TForm4& form4() { return program_->form4(); }

  // Types text into a field as keystrokes (the field gets the focus first).
  void Type(QWidget* field, const QString& text);
  void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // Types a QSO into the callsign and group fields and presses Enter in the group field.
  void AddQso(const QString& callsign, const QString& group);
  // The log list's lines as the core holds them.
  std::vector<std::string> ListLines() { return form1().contest_log().lines(); }

  TempDir dir_;
  ScriptedPrompts prompts_;
  FakeTimeSource clock_;
  ScriptedFileSteps file_steps_;  // every step runs until a test sets its answer
  std::unique_ptr<Program> program_;
};

}  // namespace zt::testing
