#include "corrections/ui/choice_dialog.h"

#include <optional>
#include <string>
#include <string_view>

#include "app/ui/main_window.h"
#include "app/ui/widgets.h"
#include "corrections/qso_correction.h"

namespace zt {

namespace {

void SetPixelFont(QWidget* widget, int pixel_size, bool bold) {
  QFont font = widget->font();
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  widget->setFont(font);
}

}  // namespace

TForm4::TForm4(TForm1& main_window)
    : QWidget(&main_window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      main_window_(main_window) {
  setObjectName("Form4");
  setFixedSize(277, 68);
  setWindowModality(Qt::ApplicationModal);

  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setEditable(false);
  SetPixelFont(ComboBox1, 19, true);
  ComboBox1->setStyleSheet("QComboBox { color: red; }");
  ComboBox1->setGeometry(16, 16, 153, ComboBox1->sizeHint().height());

  Button1 = new QPushButton("OK", this);
  // Enter presses the focused button, as in a dialog (this window is no QDialog).
  Button1->setAutoDefault(true);
  Button1->setObjectName("Button1");
  SetPixelFont(Button1, 16, false);
  Button1->setGeometry(184, 16, 75, 33);

  OnKeyPress(ComboBox1, [this](QKeyEvent* event) {
    const QChar typed = TypedCharacter(event);
    return !typed.isNull() && ComboBox1KeyPress(typed);
  });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TForm4::ShowChoice(Purpose purpose, const QString& caption, const QStringList& entries,
                        int selected) {
  purpose_ = purpose;
  setWindowTitle(caption);
  ComboBox1->clear();
  ComboBox1->addItems(entries);
  ComboBox1->setCurrentIndex(selected);
  move(main_window_.geometry().center() - rect().center());
  show();
  raise();
  activateWindow();
  ComboBox1->setFocus();
}

bool TForm4::ComboBox1KeyPress(QChar key) {
  if (key != QLatin1Char('\r')) return false;
  Button1Click();
  return true;
}

void TForm4::Button1Click() {
  const bool mode_choice = purpose_ == Purpose::kModeOfTheSelectedQso;
  const int chosen = ComboBox1->currentIndex();
  IoResult<RewriteOutcome> outcome = RewriteLogFile(
      main_window_.log_files(), main_window_.SelectedLogLine,
      [mode_choice, chosen](std::string_view file_line) -> std::optional<std::string> {
        return mode_choice ? ApplyModeChoice(file_line, chosen) : std::string(file_line);
      });
  if (!outcome.ok()) {
    main_window_.ShowIoError(outcome.error());
    return;
  }
  // With the QSO gone from the file there is no new line; the recalculation shows the file.
  if (const std::optional<std::string>& line = outcome.value().last_changed_line) {
    // The old line goes, so the list holds the file's QSOs even when the recalculation below
    // cannot read the file.
    if (*line != main_window_.SelectedLogLine) {
      const int old_row = main_window_.log_list.FindFirst(main_window_.SelectedLogLine);
      if (old_row >= 0) main_window_.log_list.Remove(old_row);
      main_window_.log_list.Append(*line);
    }
    main_window_.SelectRow(main_window_.log_list.FindFirst(*line));
  }
  main_window_.Button9Click();
  hide();
  main_window_.ShowAgain();
}

}  // namespace zt
