#include "app/main_window.h"
#include "app/widgets.h"
#include "core/log_line.h"
#include "core/log_loading.h"
#include "core/text.h"
#include "rules/recalculation.h"
#include "settings/ui/station_dialog.h"

namespace zt {

namespace {

constexpr char kConfirmInvalidShortWaveGroup[] =
    "Logowana grupa kontrolna jest nieprawidłowa.\nPoprawne grupy kontrolne to: \n'O', 'B', "
    "'DG' lub numer seryjny.\n\nCzy na pewno zalogować łączność?";
constexpr char kConfirmShortVhfGroup[] =
    "Logowana grupa kontrolna jest nieprawidłowa.\nPoprawna grupa kontrolna to: \nnumer "
    "seryjny+lokator, np. 12KO00HU\n\nCzy na pewno zalogować łączność?";
constexpr char kAutoIncrementNeedsDigits[] =
    "Aby uaktywnić funkcję ZWIĘKSZ AUTOMATYCZNIE, w polu NADAWANA GRUPA KONTROLNA\nmogą "
    "znajdować się wyłącznie cyfry!\nJeśli grupą kontrolną jest kolejny numer QSO, wprowadź w "
    "to pole numer nadany przy aktualnej łączności (lub 001)\ni włącz funkcję ponownie.\n";

bool IsAsciiLetter(QChar c) {
  return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
         (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool AllDigits(const QString& text) {
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

// Alt, or in the callsign field also Ctrl+Alt (AltGr on Windows keyboards); nothing else.
bool IsShortcut(Qt::KeyboardModifiers modifiers, bool allow_ctrl_alt) {
  const Qt::KeyboardModifiers relevant =
      modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier | Qt::MetaModifier);
  return relevant == Qt::AltModifier ||
         (allow_ctrl_alt && relevant == (Qt::AltModifier | Qt::ControlModifier));
}

}  // namespace

void TForm1::Button4Click() {
  if (contest_category_.empty()) {
    prompts().Show(
        ErrorMessage("Proszę najpierw wybrać kategorię zawodów\nw oknie \"Zmiana danych\"!"));
    station_dialog().ShowDialog();
    return;
  }
  // The focus can leave the date and time fields without their checks (a dialog's OK puts it
  // into the callsign field), so adding checks them as leaving them does.
  if (!Edit2Exit() || !Edit3Exit()) return;
  // A pasted text of blanks fills no field.
  const std::string callsign = TrimBlanks(ToCore(Edit4->text()));
  if (callsign.empty()) {
    prompts().Show(ErrorMessage("Brak znaku stacji!"));
    return;
  }
  if (TrimBlanks(ToCore(Edit6->text())).empty() &&
      prompts().Show(WarningQuestion(
          "Brak odebranej grupy kontrolnej !\nCzy na pewno zalogować ?")) != Answer::kYes) {
    return;
  }

  const std::string sent_group = TrimBlanks(ToCore(Edit8->text()));
  Edit8->setText(FromCore(sent_group));
  const NewQso qso = EnteredQso(sent_group);

  QString question;
  switch (qso.confirmation) {
    case Confirmation::kNone:
      break;
    case Confirmation::kInvalidShortWaveGroup:
      question = QString::fromUtf8(kConfirmInvalidShortWaveGroup);
      break;
    case Confirmation::kInvalidLocator:
      question = Edit6->text().right(6) + "\njest błędnym lokatorem!\nCzy na pewno zalogować ?";
      break;
    case Confirmation::kShortVhfGroup:
      question = QString::fromUtf8(kConfirmShortVhfGroup);
      break;
  }
  if (!question.isEmpty() && prompts().Show(WarningQuestion(question)) != Answer::kYes) return;

  const int remembered_row = SelectedRow();
  const AddOutcome added = ChangeLog(
      [&] { return contest_log_.Add(qso, callsign, ToCore(ComboBox2->currentText()), Scoring()); });
  if (added.log) {
    // The score is back to what the file holds. The fields keep the QSO, so it can be added
    // again.
    ShowScoreState();
    SelectRow(SelectionAfterRecalculation(remembered_row, LineCount()));
    if (added.unread) ShowIoError(*added.unread);
    ShowIoError(*added.log);
    return;
  }
  // The list shows a QSO only once the file holds it.
  SelectRow(contest_log_.FirstRowOf(added.line));
  ShowScoreState(added.counted);
  ReportBackup(added.backup);
  if (CheckBox1->isChecked()) {
    if (std::optional<std::string> next = IncrementedSentGroup(ToCore(Edit8->text()))) {
      Edit8->setText(FromCore(*next));
    }
  }
  Edit4->clear();
  Edit6->clear();
  Edit4->setFocus();
  StartClock();
}

NewQso TForm1::EnteredQso(const std::string& sent_group) const {
  const Round round = RoundOf(contest_category_);
  return ComposeQso(
      EntryFields{ToCore(Edit2->text()), ToCore(Edit3->text()),
                  ModeColumn(round, ComboBox2->currentIndex()), ToCore(Edit5->text()), sent_group,
                  TrimBlanks(ToCore(Edit4->text())), ToCore(Edit7->text()), ToCore(Edit6->text())},
      round);
}

void TForm1::ReportBackup(const IoStatus& failure) {
  // Told once, not at every QSO, and again only after the backup has worked in between.
  if (!failure) {
    backup_failure_reported_ = false;
    return;
  }
  if (backup_failure_reported_) return;
  backup_failure_reported_ = true;
  prompts().Show(Message{"Ostrzeżenie",
                         QStringLiteral("Nie można zapisać kopii zapasowej logu\n") +
                             FileAndReason(*failure) +
                             QStringLiteral("\n\nŁączność została zapisana w logu."),
                         Icon::kWarning, Buttons::kOk, Answer::kOk});
}

void TForm1::Edit4Change() {
  if (!Edit4->text().isEmpty()) {
    const std::string mode =
        ComboBox2->currentIndex() == 1 ? "PH" : ToCore(ComboBox2->currentText());
    if (contest_log_.IsRepeated(mode, ToCore(Edit4->text()))) {
      const QString warning = Edit4->text() + " - QSO zaliczone!";
      if (Panel3->text() != warning) {
        // Shown afresh, so that a screen reader speaks the new callsign too.
        Panel3->hide();
        Panel3->setText(warning);
      }
      Panel3->show();
      prompts().Beep();
      ShowPreview();
      return;
    }
  }
  Panel3->hide();
  ShowPreview();
}

bool TForm1::Edit4KeyPress(QChar key) {
  if (key == QLatin1Char('\r') || key == QLatin1Char(' ')) {
    Edit6->setFocus();
    return true;
  }
  if (key == QChar(0x1b)) {
    Edit4->clear();
    Edit6->clear();
    return true;
  }
  return false;
}

bool TForm1::Edit6KeyPress(QChar key) {
  if (key == QLatin1Char('\r')) {
    Button4Click();
    return true;
  }
  if (key == QLatin1Char(' ')) {
    Edit4->setFocus();
    return true;
  }
  if (key == QChar(0x1b)) {
    Edit4->clear();
    Edit6->clear();
    Edit4->setFocus();
    return true;
  }
  return false;
}

bool TForm1::Edit5KeyPress(QChar key) {
  if (!IsAsciiLetter(key)) return false;
  prompts().Beep();
  return true;
}

bool TForm1::Edit7KeyPress(QChar key) { return Edit5KeyPress(key); }

bool TForm1::EntryKeyDown(int key, Qt::KeyboardModifiers modifiers, bool allow_ctrl_alt) {
  bool shortcut = false;
  if (IsShortcut(modifiers, allow_ctrl_alt)) {
    if (key == Qt::Key_B) {
      // Steps through the bands; past the last item nothing is selected, then the first again.
      const int position = ComboBox1->currentIndex();
      const int next = position < 5 ? position + 1 : 0;
      ComboBox1->setCurrentIndex(next < ComboBox1->count() ? next : -1);
      shortcut = true;
    } else if (key == Qt::Key_M) {
      const int position = ComboBox2->currentIndex();
      const int next = position > 0 ? 0 : position + 1;
      ComboBox2->setCurrentIndex(next < ComboBox2->count() ? next : -1);
      ComboBox2Change();
      shortcut = true;
    }
  }
  page_up_pressed_ = key == Qt::Key_PageUp;
  page_down_pressed_ = key == Qt::Key_PageDown;
  StepTimeByMinute();
  return shortcut;
}

bool TForm1::Edit4KeyDown(int key, Qt::KeyboardModifiers modifiers) {
  return EntryKeyDown(key, modifiers, true);
}

bool TForm1::Edit6KeyDown(int key, Qt::KeyboardModifiers modifiers) {
  return EntryKeyDown(key, modifiers, false);
}

void TForm1::Edit6Exit() { Edit6->setText(Edit6->text().toUpper().remove(QLatin1Char(' '))); }

void TForm1::ComboBox2Change() {
  const QString mode = ComboBox2->currentText();
  if (ComboBox2->currentIndex() >= 0 && (mode == "SSB" || mode == "FM" || mode == "CW")) {
    const bool cw = mode == "CW";
    for (QLineEdit* report : {Edit5, Edit7}) {
      report->setMaxLength(cw ? 3 : 2);
      report->setText(cw ? "599" : "59");
    }
  }
  Edit4Change();
}

void TForm1::Edit8Change() {
  if (CheckBox1->isChecked() && !AllDigits(Edit8->text())) CheckBox1->setChecked(false);
}

void TForm1::CheckBox1Click() {
  if (!CheckBox1->isChecked() || AllDigits(Edit8->text())) return;
  prompts().Show(ErrorMessage(QString::fromUtf8(kAutoIncrementNeedsDigits)));
  CheckBox1->setChecked(false);
  Edit8->setFocus();
}

}  // namespace zt
