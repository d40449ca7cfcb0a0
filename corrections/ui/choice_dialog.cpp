#include "corrections/ui/choice_dialog.h"

#include "app/main_window.h"
#include "app/widgets.h"

namespace zt {

namespace {

// An entry of no mode: the line keeps its mode.
constexpr int kNoMode = -1;

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
  // Only the mode change uses the dialog; for anything else OK writes the line back unchanged.
  const int chosen =
      purpose_ == Purpose::kModeOfTheSelectedQso ? ComboBox1->currentIndex() : kNoMode;
  if (!main_window_.ChangeModeOfSelectedQso(chosen)) return;
  hide();
  main_window_.ShowAgain();
}

}  // namespace zt
