#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/prompts.h"

namespace zt::testing {

// Answers every prompt from a script and records it; a prompt the test did not expect fails
// the test.
class ScriptedPrompts : public Prompts {
 public:
  ~ScriptedPrompts() override;

  // Expects a message box and answers it.
  void ExpectMessage(const Message& message, Answer answer = Answer::kOk);
  // Expects an input box with this caption, prompt and pre-filled text; answers `typed`, or
  // the pre-filled text when `typed` is empty (Cancel).
  void ExpectInput(const QString& caption, const QString& prompt, const QString& prefilled,
                   std::optional<QString> typed);
  // Expects the save dialog with this suggestion and filter; nothing cancels it.
  void ExpectSaveFileName(const QString& suggested, const QString& filter,
                          std::optional<QString> chosen);

  Answer Show(const Message& message) override;
  QString InputBox(const QString& caption, const QString& prompt,
                   const QString& prefilled) override;
  std::optional<QString> SaveFileName(const QString& suggested, const QString& filter) override;
  void Beep() override { ++beeps; }

  // Every expected prompt was shown.
  bool Done() const { return script_.empty(); }
  // Runs while each message box is open, to look at what the windows show behind it.
  std::function<void(const Message&)> while_shown;
  // The messages shown, in order.
  std::vector<Message> shown;
  int beeps = 0;

 private:
  struct Step {
    enum class Kind { kMessage, kInput, kSave } kind;
    Message message;
    Answer answer = Answer::kOk;
    QString caption, prompt, prefilled;
    std::optional<QString> reply;
  };
  Step Next(Step::Kind kind, const QString& what);
  std::deque<Step> script_;
};

// Prints a message in test failures.
std::string Describe(const Message& message);

}  // namespace zt::testing
