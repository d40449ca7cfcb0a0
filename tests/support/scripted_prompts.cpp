#include "tests/support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace zt::testing {

std::string Describe(const Message& message) {
  return "[" + message.caption.toStdString() + "] " + message.text.toStdString() + " (icon " +
         std::to_string(static_cast<int>(message.icon)) + ", buttons " +
         std::to_string(static_cast<int>(message.buttons)) + ", default " +
         std::to_string(static_cast<int>(message.default_button)) + ")";
}

ScriptedPrompts::~ScriptedPrompts() {
  EXPECT_TRUE(script_.empty()) << script_.size() << " expected prompt(s) never shown";
}

void ScriptedPrompts::ExpectMessage(const Message& message, Answer answer) {
  Step step{Step::Kind::kMessage, message, answer, {}, {}, {}, {}};
  script_.push_back(step);
}

void ScriptedPrompts::ExpectInput(const QString& caption, const QString& prompt,
                                  const QString& prefilled, std::optional<QString> typed) {
  script_.push_back(Step{Step::Kind::kInput, {}, Answer::kOk, caption, prompt, prefilled, typed});
}

void ScriptedPrompts::ExpectSaveFileName(const QString& suggested, const QString& filter,
                                         std::optional<QString> chosen) {
  script_.push_back(Step{Step::Kind::kSave, {}, Answer::kOk, suggested, filter, {}, chosen});
}

ScriptedPrompts::Step ScriptedPrompts::Next(Step::Kind kind, const QString& what) {
  if (script_.empty() || script_.front().kind != kind) {
    ADD_FAILURE() << "unexpected prompt: " << what.toStdString();
    return Step{kind, {}, Answer::kCancel, {}, {}, {}, std::nullopt};
  }
  Step step = script_.front();
  script_.pop_front();
  return step;
}

Answer ScriptedPrompts::Show(const Message& message) {
  shown.push_back(message);
  if (while_shown) while_shown(message);
  const Step step = Next(Step::Kind::kMessage, QString::fromStdString(Describe(message)));
  if (step.kind == Step::Kind::kMessage && !step.message.caption.isNull()) {
    EXPECT_EQ(Describe(step.message), Describe(message));
  }
  return step.answer;
}

QString ScriptedPrompts::InputBox(const QString& caption, const QString& prompt,
                                  const QString& prefilled) {
  const Step step =
      Next(Step::Kind::kInput, "input " + caption + " / " + prompt + " / " + prefilled);
  if (step.caption.isNull()) return prefilled;
  EXPECT_EQ(step.caption.toStdString(), caption.toStdString());
  EXPECT_EQ(step.prompt.toStdString(), prompt.toStdString());
  EXPECT_EQ(step.prefilled.toStdString(), prefilled.toStdString());
  return step.reply.value_or(prefilled);
}

std::optional<QString> ScriptedPrompts::SaveFileName(const QString& suggested,
                                                     const QString& filter) {
  const Step step = Next(Step::Kind::kSave, "save " + suggested + " / " + filter);
  if (step.caption.isNull()) return std::nullopt;
  EXPECT_EQ(step.caption.toStdString(), suggested.toStdString());
  EXPECT_EQ(step.prompt.toStdString(), filter.toStdString());
  return step.reply;
}

}  // namespace zt::testing
