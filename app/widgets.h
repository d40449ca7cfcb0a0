#pragma once

// Small pieces shared by the windows: the Windows-1250 boundary, input rules of the edit fields
// and the events that Qt spreads over virtual functions (leaving a field, a click on a label).

#include <QKeyEvent>
#include <QLineEdit>
#include <QString>
#include <QValidator>
#include <functional>
#include <string>
#include <string_view>

namespace zt {

// Core text is Windows-1250: one byte a column. A character that Windows-1250 cannot hold
// becomes "?" so it never reaches a file as more than one byte.
std::string ToCore(const QString& text);
QString FromCore(std::string_view text);

// Keeps only what a Windows-1250 file can hold, without control characters, and optionally in
// capitals, as the operator types or pastes.
class FieldValidator : public QValidator {
 public:
  explicit FieldValidator(bool upper_case, QObject* parent = nullptr)
      : QValidator(parent), upper_case_(upper_case) {}
  State validate(QString& input, int& position) const override;

 private:
  bool upper_case_;
};

// Installs the field validator on an edit, and refuses the keys that Alt makes commands.
void SetFieldRules(QLineEdit* edit, bool upper_case);

// A field's own character rule, for typed keys and for text that comes without a key of its own
// (a paste, a drop, an input method): a refused key is swallowed, a refused character dropped.
// `refused` sees each character once and may beep.
void SetCharacterRule(QLineEdit* edit, std::function<bool(QChar)> refused);

// Sets the field's text where it differs. Setting the same text again would still tell a screen
// reader that the field changed, and put the cursor at its end.
void ShowText(QLineEdit* field, const QString& text);

// Runs `handler` when the widget loses the focus to another control of the program; switching
// to another program does not count as leaving the field.
void OnExit(QWidget* widget, std::function<void()> handler);

// Runs `handler` on a left mouse click on the widget (labels and panels that act as buttons).
void OnClick(QWidget* widget, std::function<void()> handler);

// Runs `handler` for every key pressed in the widget before the widget sees it; true swallows
// the key.
void OnKeyPress(QWidget* widget, std::function<bool(QKeyEvent*)> handler);

// The typed character of a key event: Enter as '\r', Esc as '\x1b'; 0 for keys without one.
QChar TypedCharacter(const QKeyEvent* event);

// A key with Alt (without Ctrl) that would type a character. Such keys are commands, never text;
// AltGr still types, as X11 reports it without Alt and Windows as Ctrl+Alt.
bool IsAltCommand(const QKeyEvent* event);

}  // namespace zt
