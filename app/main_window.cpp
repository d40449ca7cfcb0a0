#include "app/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <algorithm>

#include "app/widgets.h"
#include "core/log_loading.h"
#include "settings/ui/station_dialog.h"

namespace zt {

namespace {

constexpr char kInitialCaption[] = "Zawody Teltólmowe ";

// The bonus word's letters as the panel shows them, one a pitch from the left edge 11.
constexpr const char* kBonusWordLetters[] = {"T", "E", "L", "T", "Ó", "L", "M", "E"};
constexpr int kLetterPitch = 16;

template <class Widget>
Widget* Make(QWidget* parent, const char* name, QRect geometry) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  if (geometry.isValid()) widget->setGeometry(geometry);
  return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint position) {
  auto* label = Make<QLabel>(parent, name, QRect());
  label->setText(text);
  label->move(position);
  label->adjustSize();
  return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect geometry, QLabel* heading,
                    bool upper_case) {
  auto* edit = Make<QLineEdit>(parent, name, geometry);
  SetFieldRules(edit, upper_case);
  if (heading) heading->setBuddy(edit);
  return edit;
}

QFrame* MakePanel(QWidget* parent, const char* name, QRect geometry) {
  auto* panel = Make<QFrame>(parent, name, geometry);
  panel->setFrameShape(QFrame::StyledPanel);
  return panel;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* button = Make<QPushButton>(parent, name, geometry);
  button->setText(caption);
  // Enter presses the focused button, as Space does.
  button->setAutoDefault(true);
  return button;
}

// A panel-like label: bold white text on a coloured background, centred.
template <class Label>
Label* MakeBanner(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  const char* background) {
  auto* banner = Make<Label>(parent, name, geometry);
  banner->setText(text);
  banner->setAlignment(Qt::AlignCenter);
  banner->setStyleSheet(
      QStringLiteral("QLabel { color: white; font-weight: bold; background: %1; }")
          .arg(QLatin1String(background)));
  return banner;
}

// The letters' bold face: 15 pixels, smaller only where the platform's font would not fit the
// widest letter into its pitch (the labels stand side by side and would cut each other).
QFont LetterFont(QFont font) {
  font.setBold(true);
  for (int pixel_size = 15; pixel_size > 8; --pixel_size) {
    font.setPixelSize(pixel_size);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const char* letter : kBonusWordLetters) {
      const QString text = QString::fromUtf8(letter);
      widest = std::max(
          {widest, metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1});
    }
    if (widest <= kLetterPitch) break;
  }
  return font;
}

// The damaged lines' numbers named in the start-up warning; the count names them all.
constexpr std::size_t kDamagedLinesNamed = 20;

Message DamagedLinesWarning(const std::filesystem::path& log, const std::vector<int>& numbers) {
  QStringList named;
  for (std::size_t i = 0; i < numbers.size() && i < kDamagedLinesNamed; ++i) {
    named << QString::number(numbers[i]);
  }
  if (numbers.size() > kDamagedLinesNamed) named << QStringLiteral("…");
  return Message{
      QStringLiteral("Ostrzeżenie"),
      QStringLiteral("Liczba uszkodzonych wierszy w logu %1: %2.\nNumery tych wierszy w pliku: "
                     "%3.\n\nUszkodzone wiersze zostają w logu bez zmian, ale nie są brane pod "
                     "uwagę przy ustalaniu następnej grupy nadawanej. Popraw je w pliku logu, gdy "
                     "program jest zamknięty.")
          .arg(QString::fromStdU16String(log.u16string()), QString::number(numbers.size()),
               named.join(QStringLiteral(", "))),
      Icon::kWarning, Buttons::kOk, Answer::kOk};
}

void SetFont(QWidget* widget, int pixel_size, bool bold, const char* colour = nullptr) {
  QFont font = widget->font();
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  widget->setFont(font);
  if (colour) widget->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colour)));
}

}  // namespace

TForm1::TForm1(const Environment& environment, QWidget* parent)
    : QWidget(parent),
      environment_(environment),
      contest_log_(LogFiles::In(environment.data_directory, *environment.file_steps),
                   environment.executable) {
  setObjectName("Form1");
  setWindowTitle(QString::fromUtf8(kInitialCaption));
  setFixedSize(686, 480);
  // The layout is laid out in pixels for a small dialog font.
  QFont window_font = font();
  window_font.setFamilies({"Tahoma", "Arial", "Liberation Sans", "Nimbus Sans", font().family()});
  window_font.setPixelSize(11);
  setFont(window_font);
  CreateControls();
  CreateLogArea();
  CreateStatusArea();
  CreateRadio();
  // The two banners share the strip above the list with the column headings, which were made
  // later: they must stand over the headings, for the eye and for the mouse.
  Panel4->raise();
  Panel3->raise();
  CreatePopupMenu();
  SetTabOrder();
  ConnectHandlers();
  SetUpCw();
  // A hint stays five seconds.
  for (QWidget* child : findChildren<QWidget*>()) child->setToolTipDuration(5000);
  FormCreate();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TForm1::SetDialogs(TForm2* station, TForm3* adif, TForm4* choice) {
  station_dialog_ = station;
  adif_dialog_ = adif;
  choice_dialog_ = choice;
}

void TForm1::CreateControls() {
  Label1 = MakeLabel(this, "Label1", "Używany znak", {16, 8});
  Edit1 = MakeEdit(this, "Edit1", {16, 24, 121, 28}, Label1, true);
  SetFont(Edit1, 16, true, "navy");
  Button1 = MakeButton(this, "Button1", "Zmiana danych ", {152, 24, 161, 33});

  Panel2 = MakePanel(this, "Panel2", {336, 24, 161, 49});
  Label7 = MakeLabel(Panel2, "Label7", "Rprt nadany", {8, 8});
  Edit5 = MakeEdit(Panel2, "Edit5", {8, 24, 65, 23}, Label7, true);
  Label9 = MakeLabel(Panel2, "Label9", "Rprt odebrany", {90, 8});
  Edit7 = MakeEdit(Panel2, "Edit7", {88, 24, 65, 23}, Label9, false);

  Panel5 = MakePanel(this, "Panel5", {520, 24, 145, 49});
  Panel5->setAutoFillBackground(true);
  const QFont letter_font = LetterFont(Panel5->font());
  for (int i = 0; i < 8; ++i) {
    const QByteArray name = "Label" + QByteArray::number(13 + i);
    LetterLabels[i] = MakeLabel(Panel5, name.constData(), QString::fromUtf8(kBonusWordLetters[i]),
                                {11 + kLetterPitch * i, 15});
    // Sized for the bold face it shows: sized for the window's font, the bold Ó was cut to a Ć.
    LetterLabels[i]->setFont(letter_font);
    LetterLabels[i]->adjustSize();
  }
  Label12 = MakeLabel(Panel5, "Label12", "+ 20 punktów", {34, 34});
  // Bold through the font, not the style sheet: a style sheet's font is not known when the
  // label is sized, and the label then cut its text to "+ 20 punk".
  QFont bonus_font = Label12->font();
  bonus_font.setBold(true);
  Label12->setFont(bonus_font);
  Label12->setStyleSheet("QLabel { color: white; background: #3a6ea5; }");
  Label12->adjustSize();

  Label4 = MakeLabel(this, "Label4", "Data (rrrr-mm-dd)", {16, 64});
  Edit2 = MakeEdit(this, "Edit2", {16, 80, 121, 23}, Label4, false);
  Label2 = MakeLabel(this, "Label2", "Pasmo", {152, 64});
  ComboBox1 = Make<QComboBox>(this, "ComboBox1", {152, 80, 73, 23});
  ComboBox1->addItems({"80M", "2M"});
  Label2->setBuddy(ComboBox1);
  Label3 = MakeLabel(this, "Label3", "Emisja", {240, 64});
  ComboBox2 = Make<QComboBox>(this, "ComboBox2", {240, 80, 73, 23});
  ComboBox2->addItems({"SSB", "CW", "FM"});
  Label3->setBuddy(ComboBox2);

  Panel1 = MakePanel(this, "Panel1", {336, 80, 161, 73});
  Label10 = MakeLabel(Panel1, "Label10", "Nadawana grupa kontrolna", {8, 8});
  Edit8 = MakeEdit(Panel1, "Edit8", {8, 24, 73, 23}, Label10, true);
  Edit8->setToolTip("Numer kolejny, skrót województwa/powiatu lub lokator");
  Edit9 = MakeEdit(Panel1, "Edit9", {88, 24, 65, 23}, nullptr, true);
  Edit9->setReadOnly(true);
  Edit9->hide();
  Edit9->setAccessibleName("Lokator");
  CheckBox1 = Make<QCheckBox>(Panel1, "CheckBox1", {8, 48, 137, 17});
  CheckBox1->setText("Zwiększ automatycznie");
  Button4 = MakeButton(this, "Button4", "Dodaj QSO do logu", {520, 80, 145, 73});

  Label5 = MakeLabel(this, "Label5", "Czas UTC (gg:mm)", {16, 112});
  Edit3 = MakeEdit(this, "Edit3", {16, 128, 73, 23}, Label5, false);
  Edit3->setToolTip("Jeśli kursor jest w polu ZNAK, klawisze PAGE UP/PAGE DOWN zmieniają czas");
  UpDown1 = Make<UpDown>(this, "UpDown1", {88, 128, 16, 24});
  Label6 = MakeLabel(this, "Label6", "Znak", {120, 112});
  Edit4 = MakeEdit(this, "Edit4", {120, 128, 97, 23}, Label6, true);
  Label8 = MakeLabel(this, "Label8", "Grupa odebrana", {232, 112});
  Edit6 = MakeEdit(this, "Edit6", {232, 128, 81, 23}, Label8, true);
  Panel4 = MakeBanner<QLabel>(this, "Panel4", "Włącz zegar", {16, 154, 89, 22}, "blue");
  Panel3 =
      MakeBanner<NotificationLabel>(this, "Panel3", "QSO powtórzone", {120, 154, 193, 22}, "red");
  Panel3->hide();

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(500);
}

void TForm1::CreateLogArea() {
  ListBox1 = Make<QListView>(this, "ListBox1", {16, 176, 649, 201});
  ListBox1->setUniformItemSizes(true);  // every row is one line of the fixed-pitch font
  ListBox1->setModel(&log_list_);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPixelSize(13);
  ListBox1->setFont(fixed);
  ListBox1->setToolTip("Menu rozwijalne - prawy klawisz myszy");
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  ListBox1->setAccessibleName("Log");

  // The headings stand over the log's columns whatever the width of the fixed-pitch font: each
  // is placed at the column it heads.
  struct Heading {
    const char* name;
    const char* text;
    double column;  // 0-based character position in the log line
  };
  static constexpr Heading kHeadings[] = {
      {"Label11", "Data", 4},    {"Label21", "Czas", 12}, {"Label23", "Pas.", 16.6},
      {"Label22", "Em.", 20.5},  {"Label24", "Rn", 23.5}, {"Label25", "Grupa nad.", 27},
      {"Label26", "Znak", 34.5}, {"Label27", "Ro", 50.4}, {"Label28", "Gr. odebrana", 57.75},
      {"Label29", "Punkty", 67},
  };
  const int char_width = QFontMetrics(ListBox1->font()).horizontalAdvance(QLatin1Char('0'));
  const int text_left = 16 + ListBox1->frameWidth() + 2;
  for (const Heading& heading : kHeadings) {
    MakeLabel(this, heading.name, QString::fromUtf8(heading.text),
              {text_left + static_cast<int>(heading.column * char_width), 160});
  }

  Label30 = MakeLabel(this, "Label30", "Wynik:", {224, 400});
  Label31 = MakeLabel(this, "Label31", "0", {264, 398});
  SetFont(Label31, 13, true, "navy");
  Label31->setMinimumWidth(60);
  Label30->setBuddy(Label31);
  Button2 = MakeButton(this, "Button2", "Zapisz plik Cabrillo", {16, 392, 97, 25});
  Button7 = MakeButton(this, "Button7", "Zapisz plik  ADIF", {120, 392, 97, 25});
  Button9 = MakeButton(this, "Button9", "Przelicz", {328, 392, 75, 25});
  Button8 = MakeButton(this, "Button8", "Nowy log", {416, 392, 75, 25});
  Button3 = MakeButton(this, "Button3", "Info", {504, 392, 73, 25});
  Button3->setToolTip("Wersja 1.00");
  Button5 = MakeButton(this, "Button5", "Koniec", {584, 392, 81, 25});
}

void TForm1::CreatePopupMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  const auto add = [this](const char* name, const char* caption) {
    QAction* action = PopupMenu1->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
  };
  zmiendate1 = add("zmiendate1", "Zmień datę QSO");
  ZmieczasQSO1 = add("ZmieczasQSO1", "Zmień czas QSO");
  Zmiepasmo1 = add("Zmiepasmo1", "Zmień pasmo");
  Zmiepasmo1->setEnabled(false);
  Zmieemisj1 = add("Zmieemisj1", "Zmień emisję");
  Zmieznakkorespondenta1 = add("Zmieznakkorespondenta1", "Zmień znak korespondenta");
  Zmienadanynumerser1 = add("Zmienadanynumerser1", "Zmień nadaną grupę kontrolną");
  Zmieodebranynumerseryjny1 = add("Zmieodebranynumerseryjny1", "Zmień odebraną grupę kontrolną");
  PopupMenu1->addSeparator()->setObjectName("N1");
  Usu1 = add("Usu1", "Usuń QSO");
}

void TForm1::SetTabOrder() {
  QWidget* const order[] = {Edit4,   Edit6,    Button1, Edit2,   ComboBox1, ComboBox2,
                            Edit3,   UpDown1,  Edit7,   Edit5,   Edit8,     CheckBox1,
                            Edit9,   Button4,  Button2, Button7, Button8,   Button3,
                            Button5, ListBox1, Edit1,   Button9};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(order[i], order[i + 1]);
  }
}

void TForm1::ConnectHandlers() {
  OnExit(Edit1, [this] { Edit1Exit(); });
  connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
  connect(Edit4, &QLineEdit::textChanged, this, [this] { Edit4Change(); });
  connect(Edit6, &QLineEdit::textChanged, this, [this] { ShowPreview(); });
  for (QLineEdit* clock_field : {Edit2, Edit3}) {
    connect(clock_field, &QLineEdit::textChanged, this, [this] { ShowCounts(); });
  }
  OnKeyPress(Edit4, [this](QKeyEvent* event) {
    if (Edit4KeyDown(event->key(), event->modifiers())) return true;
    const QChar typed = TypedCharacter(event);
    return !typed.isNull() && Edit4KeyPress(typed);
  });
  OnKeyPress(Edit6, [this](QKeyEvent* event) {
    if (Edit6KeyDown(event->key(), event->modifiers())) return true;
    const QChar typed = TypedCharacter(event);
    return !typed.isNull() && Edit6KeyPress(typed);
  });
  SetCharacterRule(Edit5, [this](QChar c) { return Edit5KeyPress(c); });
  SetCharacterRule(Edit7, [this](QChar c) { return Edit7KeyPress(c); });
  OnExit(Edit6, [this] { Edit6Exit(); });
  connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });
  connect(Edit8, &QLineEdit::textChanged, this, [this] { Edit8Change(); });
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
  OnClick(Edit2, [this] { Edit2Click(); });
  OnExit(Edit2, [this] { Edit2Exit(); });
  OnExit(Edit3, [this] { Edit3Exit(); });
  connect(UpDown1, &UpDown::Clicked, this, [this](bool up) { UpDown1Click(up); });
  OnClick(Panel4, [this] { Panel4Click(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  // After a command the focus returns to the callsign field, so that the next callsign typed
  // lands there and a Space does not run the button again. A command that opens a dialog leaves
  // the focus there for the moment the window is back.
  const auto command = [this](QPushButton* button, void (TForm1::*handler)()) {
    connect(button, &QPushButton::clicked, this, [this, handler] {
      (this->*handler)();
      Edit4->setFocus();
    });
  };
  command(Button1, &TForm1::Button1Click);
  command(Button2, &TForm1::Button2Click);
  command(Button7, &TForm1::Button7Click);
  command(Button9, &TForm1::Button9Click);
  command(Button8, &TForm1::Button8Click);
  command(Button3, &TForm1::Button3Click);
  connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
  connect(ListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    PopupMenu1->exec(ListBox1->viewport()->mapToGlobal(position));
  });
  connect(zmiendate1, &QAction::triggered, this, [this] { zmiendate1Click(); });
  connect(ZmieczasQSO1, &QAction::triggered, this, [this] { ZmieczasQSO1Click(); });
  connect(Zmiepasmo1, &QAction::triggered, this, [this] { Zmiepasmo1Click(); });
  connect(Zmieemisj1, &QAction::triggered, this, [this] { Zmieemisj1Click(); });
  connect(Zmieznakkorespondenta1, &QAction::triggered, this,
          [this] { Zmieznakkorespondenta1Click(); });
  connect(Zmienadanynumerser1, &QAction::triggered, this, [this] { Zmienadanynumerser1Click(); });
  connect(Zmieodebranynumerseryjny1, &QAction::triggered, this,
          [this] { Zmieodebranynumerseryjny1Click(); });
  connect(Usu1, &QAction::triggered, this, [this] { Usu1Click(); });
}

void TForm1::FormCreate() {
  Label31->setText("0");
  StartClock();
  station_dialog_pending_ = false;
  Edit8->setText("1");
  for (QLineEdit* report : {Edit7, Edit5}) {
    report->setText("599");
    report->setMaxLength(3);
  }
  ComboBox1->setCurrentIndex(0);
  ComboBox2->setCurrentIndex(1);
  CheckBox1->setChecked(true);
  Edit4->clear();
  Edit6->clear();
  Timer1Timer();
  ShowScoreState();
  Edit4->setFocus();
}

void TForm1::FormActivate() {
  if (!station_dialog_pending_) return;
  station_dialog_pending_ = false;
  station_dialog().ShowDialog();
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Without a window manager the window may never be activated; showing it counts as well.
  QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TForm1::LoadLogFile() {
  const SentGroupState fields{ToCore(Edit8->text()), CheckBox1->isChecked()};
  IoResult<std::optional<SentGroupState>> loaded =
      ChangeLog([&] { return contest_log_.Load(fields); });
  if (!loaded.ok()) {
    ShowIoError(loaded.error());
    return;
  }
  // A log just created holds nothing to load.
  const std::optional<SentGroupState>& sent_group = loaded.value();
  if (!sent_group) return;
  SelectRow(static_cast<int>(contest_log_.lines().size()) - 1);
  Edit8->setText(FromCore(sent_group->sent_group));
  CheckBox1->setChecked(sent_group->auto_increment);
  Button9Click();
  if (!contest_log_.damaged_lines().empty()) {
    prompts().Show(DamagedLinesWarning(contest_log_.files().log, contest_log_.damaged_lines()));
  }
}

void TForm1::Edit1Exit() {
  station_dialog().Edit1->setText(Edit1->text());
  station_dialog().ShowDialog();
}

void TForm1::Button5Click() { QApplication::quit(); }

void TForm1::ShowAgain() {
  show();
  activateWindow();
  Edit4->setFocus();
}

QString FileAndReason(const IoError& error) {
  return QString::fromStdU16String(error.path.u16string()) + QLatin1Char('\n') +
         QString::fromLocal8Bit(error.reason.c_str());
}

QString IoErrorText(const IoError& error) {
  return QStringLiteral("Błąd operacji na pliku\n") + FileAndReason(error);
}

void TForm1::ShowIoError(const IoError& error) { prompts().Show(ErrorMessage(IoErrorText(error))); }

int TForm1::SelectedRow() const {
  const QModelIndexList selected = ListBox1->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void TForm1::SelectRow(int row) {
  if (row < 0 || row >= log_list_.rowCount()) {
    ListBox1->selectionModel()->clearSelection();
    ListBox1->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return;
  }
  const QModelIndex index = log_list_.index(row);
  ListBox1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  ListBox1->scrollTo(index);
}

}  // namespace zt
