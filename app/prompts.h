#pragma once

// Every modal interaction of the program goes through Prompts, so a test answers them from a
// script and checks the exact caption, text, icon, buttons and default button.

#include <QString>
#include <optional>

namespace zt {

enum class Icon { kError, kWarning, kQuestion, kInformation };
enum class Buttons { kOk, kYesNo, kYesNoCancel, kOkCancel };
enum class Answer { kOk, kYes, kNo, kCancel };

struct Message {
  QString caption;
  QString text;
  Icon icon = Icon::kError;
  Buttons buttons = Buttons::kOk;
  Answer default_button = Answer::kOk;

  bool operator==(const Message&) const = default;
};

// A refusal: "Błąd", error icon, OK.
Message ErrorMessage(const QString& text);
// A doubtful entry: "Ostrzeżenie", warning icon, Yes and No with No the default, so Enter declines.
Message WarningQuestion(const QString& text);
// A completion: "Informacja", information icon, OK.
Message InformationMessage(const QString& text);

class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual Answer Show(const Message& message) = 0;
  // Cancel returns `prefilled`.
  virtual QString InputBox(const QString& caption, const QString& prompt,
                           const QString& prefilled) = 0;
  // `suggested` may be a whole path: the dialog then opens in its folder.
  virtual std::optional<QString> SaveFileName(const QString& suggested, const QString& filter) = 0;
  virtual void Beep() = 0;
};

}  // namespace zt
