#include "export/ui/adif_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>

#include "app/main_window.h"
#include "app/widgets.h"
#include "core/text.h"
#include "export/adif.h"

namespace zt {

namespace {

QLineEdit* Field(const char* name, bool upper_case) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(name));
  SetFieldRules(edit, upper_case);
  return edit;
}

QLabel* Heading(const char* name, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text));
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  return label;
}

QPushButton* Button(const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption));
  button->setObjectName(QString::fromLatin1(name));
  // Enter presses the focused button, as in a dialog (this window is no QDialog).
  button->setAutoDefault(true);
  return button;
}

}  // namespace

TForm3::TForm3(TForm1& main_window) : QWidget(&main_window, Qt::Dialog), main_window_(main_window) {
  setObjectName("Form3");
  setWindowTitle("Zapis pliku ADIF");
  CreateControls();
  ConnectHandlers();
}

void TForm3::CreateControls() {
  Edit1 = Field("Edit1", false);
  Label1 = Heading("Label1", "Komentarz dla wszystkich rekordów:", Edit1);
  Button1 = Button("Button1", "Zapisz");
  Button2 = Button("Button2", "Powrót");
  Edit2 = Field("Edit2", true);
  Label2 = Heading("Label2", "Operator", Edit2);
  Edit3 = Field("Edit3", false);
  Label3 = Heading("Label3", "Zawody", Edit3);
  // The two captions save as well; the hand tells the operator they can be clicked.
  Label2->setCursor(Qt::PointingHandCursor);
  Label3->setCursor(Qt::PointingHandCursor);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0, 1, 2);
  grid->addWidget(Edit1, 1, 0, 1, 2);
  grid->addWidget(Label2, 2, 0);
  grid->addWidget(Label3, 2, 1);
  grid->addWidget(Edit2, 3, 0);
  grid->addWidget(Edit3, 3, 1);
  grid->addWidget(Button1, 4, 0);
  grid->addWidget(Button2, 4, 1);
  // Wide enough for the contest field to show the contest name and the year whole.
  Edit1->setMinimumWidth(420);

  QWidget* const order[] = {Edit1, Button1, Button2, Edit2, Edit3};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void TForm3::ConnectHandlers() {
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  OnClick(Label2, [this] { Button1Click(); });
  OnClick(Label3, [this] { Button1Click(); });
  OnExit(Edit2, [this] { Edit2Exit(); });
}

void TForm3::ShowDialog() {
  adjustSize();
  // The client areas are centred on each other; move() would place the frame instead.
  setGeometry(QRect(main_window_.geometry().center() - rect().center(), size()));
  show();
  raise();
  activateWindow();
}

void TForm3::Button1Click() {
  main_window_.WriteAdif(
      AdifOptions{ToCore(Edit1->text()), ToCore(Edit2->text()), ToCore(Edit3->text())});
}

void TForm3::Button2Click() {
  hide();
  main_window_.ShowAgain();
}

void TForm3::Edit2Exit() {
  const QString trimmed = FromCore(TrimBlanks(ToCore(Edit2->text())));
  if (trimmed != Edit2->text()) Edit2->setText(trimmed);
}

void TForm3::closeEvent(QCloseEvent* event) {
  main_window_.ShowAgain();
  event->accept();
}

}  // namespace zt
