#include "app/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "app/widgets.h"

namespace zt {

namespace {

QMessageBox::StandardButton ToStandardButton(Answer answer) {
  switch (answer) {
    case Answer::kOk:
      return QMessageBox::Ok;
    case Answer::kYes:
      return QMessageBox::Yes;
    case Answer::kNo:
      return QMessageBox::No;
    case Answer::kCancel:
      return QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButtons ToStandardButtons(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return QMessageBox::Ok;
    case Buttons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::kYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon ToIcon(Icon icon) {
  switch (icon) {
    case Icon::kError:
      return QMessageBox::Critical;
    case Icon::kWarning:
      return QMessageBox::Warning;
    case Icon::kQuestion:
      return QMessageBox::Question;
    case Icon::kInformation:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

Message ErrorMessage(const QString& text) {
  return Message{QStringLiteral("Błąd"), text, Icon::kError, Buttons::kOk, Answer::kOk};
}

Message WarningQuestion(const QString& text) {
  return Message{QStringLiteral("Ostrzeżenie"), text, Icon::kWarning, Buttons::kYesNo, Answer::kNo};
}

Message InformationMessage(const QString& text) {
  return Message{QStringLiteral("Informacja"), text, Icon::kInformation, Buttons::kOk, Answer::kOk};
}

Answer QtPrompts::Show(const Message& message) {
  QMessageBox box(ToIcon(message.icon), message.caption, message.text,
                  ToStandardButtons(message.buttons), parent_);
  box.setDefaultButton(ToStandardButton(message.default_button));
  // Closing the box with Esc or its close button answers like its safe choice.
  box.setEscapeButton(ToStandardButton(message.buttons == Buttons::kYesNo ? Answer::kNo
                                       : message.buttons == Buttons::kOk  ? Answer::kOk
                                                                          : Answer::kCancel));
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    case QMessageBox::Cancel:
      return Answer::kCancel;
    default:
      return Answer::kOk;
  }
}

QString QtPrompts::InputBox(const QString& caption, const QString& prompt,
                            const QString& prefilled) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(caption);
  dialog.setLabelText(prompt);
  dialog.setTextValue(prefilled);
  // What the box gives back is written into a log line: a paste keeps only what a field keeps,
  // so a line break cannot split the line.
  if (auto* edit = dialog.findChild<QLineEdit*>()) SetFieldRules(edit, false);
  return dialog.exec() == QDialog::Accepted ? dialog.textValue() : prefilled;
}

std::optional<QString> QtPrompts::SaveFileName(const QString& suggested, const QString& filter) {
  QFileDialog dialog(parent_, QString(), suggested, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The program asks its own overwrite question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(suggested);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void QtPrompts::Beep() { QApplication::beep(); }

}  // namespace zt
