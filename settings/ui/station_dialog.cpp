#include "settings/ui/station_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>

#include "app/main_window.h"
#include "app/widgets.h"
#include "settings/categories.h"

namespace zt {

namespace {

constexpr char kRequiredStyle[] = "QLineEdit { background: #c0ffff; }";
constexpr char kGreyStyle[] = "QLineEdit { background: #e0e0e0; }";

QLabel* Heading(const char* name, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text));
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  return label;
}

QLineEdit* Field(const char* name, bool upper_case) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(name));
  SetFieldRules(edit, upper_case);
  return edit;
}

}  // namespace

TForm2::TForm2(TForm1& main_window) : QWidget(&main_window, Qt::Dialog), main_window_(main_window) {
  setObjectName("Form2");
  setWindowTitle("Nagłówek pliku Cabrillo");
  CreateControls();
  ConnectHandlers();
}

void TForm2::CreateControls() {
  Edit1 = Field("Edit1", true);
  Label1 = Heading("Label1", "Znak operatora", Edit1);
  ComboBox1 = new QComboBox;
  ComboBox1->setObjectName("ComboBox1");
  Label11 = Heading("Label11", "Kategoria", ComboBox1);
  Edit2 = Field("Edit2", false);
  Label2 = Heading("Label2", "Imię i nazwisko", Edit2);
  Edit3 = Field("Edit3", false);
  Label3 = Heading("Label3", "E-mail", Edit3);
  Edit7 = Field("Edit7", false);
  Label7 = Heading("Label7", "Liczba punktów", Edit7);
  Edit4 = Field("Edit4", false);
  Label4 = Heading("Label4", "Adres", Edit4);
  Edit5 = Field("Edit5", false);
  Edit5->setAccessibleName("Adres, druga linia");
  Edit6 = Field("Edit6", false);
  Edit6->setAccessibleName("Adres, trzecia linia");
  Edit9 = Field("Edit9", true);
  Label9 = Heading("Label9", "Nazwa zawodów", Edit9);
  Button3 = new QPushButton("OK");
  Button3->setObjectName("Button3");
  Button1 = new QPushButton("Powrót");
  // Enter presses the focused button, as in a dialog (this window is no QDialog).
  Button1->setAutoDefault(true);
  Button1->setObjectName("Button1");
  Edit8 = Field("Edit8", false);
  Label8 = Heading("Label8", "Operatorzy", Edit8);
  Memo1 = new QPlainTextEdit;
  Memo1->setObjectName("Memo1");
  Memo1->setTabChangesFocus(true);
  Label12 = Heading("Label12", "Dodatkowe uwagi", Memo1);
  Edit10 = Field("Edit10", true);
  Label10 = Heading("Label10", "Lokator", Edit10);

  auto* grid = new QGridLayout(this);
  const auto place = [grid](QLabel* label, QWidget* field, int row, int column, int span = 1) {
    if (label) grid->addWidget(label, row, column, 1, span);
    grid->addWidget(field, row + 1, column, 1, span);
  };
  place(Label1, Edit1, 0, 0);
  place(Label11, ComboBox1, 0, 1);
  place(Label2, Edit2, 2, 0);
  place(Label3, Edit3, 2, 1);
  place(Label4, Edit4, 4, 0);
  place(Label7, Edit7, 4, 1);
  grid->addWidget(Edit5, 6, 0);
  grid->addWidget(Edit6, 7, 0);
  place(Label9, Edit9, 8, 0);
  place(Label10, Edit10, 8, 1);
  place(Label8, Edit8, 10, 0, 2);
  place(Label12, Memo1, 12, 0, 2);
  grid->addWidget(Button3, 14, 0);
  grid->addWidget(Button1, 14, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setColumnMinimumWidth(0, 220);
  grid->setColumnMinimumWidth(1, 220);
  Memo1->setFixedHeight(70);
  Button3->setDefault(true);

  SetRequired(Edit1, true);
  SetRequired(Edit2, true);
  SetRequired(Edit4, true);
  Edit5->setStyleSheet(kGreyStyle);
  Edit6->setStyleSheet(kGreyStyle);
  ComboBox1->setStyleSheet("QComboBox { background: #c0ffff; }");

  QWidget* const order[] = {Edit1, ComboBox1, Edit2,   Edit3,   Edit7, Edit4, Edit5,
                            Edit6, Edit9,     Button3, Button1, Edit8, Memo1, Edit10};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

std::array<QLineEdit*, 10> TForm2::Edits() const {
  return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10};
}

void TForm2::SetRequired(QLineEdit* edit, bool required) {
  edit->setStyleSheet(required ? kRequiredStyle : "");
}

void TForm2::SetInitialTexts() {
  for (QLineEdit* edit : Edits()) edit->clear();
  Edit7->setText("0");
  Edit9->setText("ZAWODY TELTÓLMOWE");
  Edit10->setText("LOKATOR");
  Memo1->clear();
  ComboBox1->clear();
  for (const Category& category : kCategories) ComboBox1->addItem(FromCore(category.text));
  ComboBox1->setCurrentIndex(-1);
  for (QLineEdit* edit : {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9}) {
    edit->setEnabled(false);
  }
}

void TForm2::EnableDataFields() {
  for (QLineEdit* edit : Edits()) edit->setEnabled(true);
}

void TForm2::ShowDialog() {
  adjustSize();
  move(main_window_.geometry().center() - rect().center());
  show();
  raise();
  activateWindow();
}

std::string TForm2::OwnLocator() const { return ToCore(Edit10->text()); }

StationData TForm2::Data() const {
  StationData data;
  const auto edits = Edits();
  for (std::size_t i = 0; i < edits.size(); ++i) data.fields[i] = ToCore(edits[i]->text());
  data.memo = MemoLines(ToCore(Memo1->toPlainText()));
  if (CategoryIndex() >= 0) data.category_index = CategoryIndex();
  return data;
}

void TForm2::SetData(const StationData& data) {
  const auto edits = Edits();
  for (std::size_t i = 0; i < edits.size(); ++i) edits[i]->setText(FromCore(data.fields[i]));
  QStringList memo;
  for (const std::string& line : data.memo) memo << FromCore(line);
  Memo1->setPlainText(memo.join(QLatin1Char('\n')));
  ComboBox1->setCurrentIndex(data.category_index.value_or(-1));
}

void TForm2::FormCreate() {
  SetInitialTexts();
  const std::filesystem::path& directory = main_window_.environment().data_directory;
  if (!FileExists(directory / kSettingsFileName)) {
    // A first start: the operator fills the dialog when the main window first shows.
    main_window_.LoadLogFile();
    EnableDataFields();
    main_window_.ShowStationDialogAtFirstActivation();
    return;
  }
  IoResult<LoadedSettings> loaded =
      ReadSettingsFile(*main_window_.environment().file_steps, directory);
  if (!loaded.ok()) {
    main_window_.ShowIoError(loaded.error());
    return;
  }
  SetData(loaded.value().data);
  if (const auto& damaged = loaded.value().damaged_category_line) {
    main_window_.prompts().Show(ErrorMessage(
        QStringLiteral("Plik ustawień %1 jest uszkodzony:\nwiersz 12 (kategoria) zawiera \"%2\" "
                       "zamiast numeru kategorii od 0 do 7.\nWybierz kategorię w oknie "
                       "\"Zmiana danych\".")
            .arg(QString::fromStdU16String((directory / kSettingsFileName).u16string()),
                 FromCore(*damaged))));
  }
  if (CategoryIndex() >= 0) main_window_.UseCategory(ToCore(ComboBox1->currentText()));
  main_window_.SetStationCallsign(Edit1->text());
  main_window_.LoadLogFile();
}

void TForm2::closeEvent(QCloseEvent* event) {
  main_window_.ShowAgain();
  event->accept();
}

}  // namespace zt
