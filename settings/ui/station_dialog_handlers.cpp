#include <QApplication>

#include "app/main_window.h"
#include "app/widgets.h"
#include "core/text.h"
#include "rules/locator.h"
#include "settings/categories.h"
#include "settings/category_change.h"
#include "settings/ui/station_dialog.h"

namespace zt {

namespace {

constexpr char kStayInVhf[] =
    "Ponieważ dotychczasowe łączności logowane \nbyły jako jedna z kategorii UKF, możesz "
    "zmienić \nkategorię tylko w zakresie UKF.\nJeśli chcesz logować łączności w turze KF, "
    "\nzamknij okno nagłówka pliku Cabrillo i wybierz\nopcję \"Nowy log\" w głównym oknie "
    "programu.";
constexpr char kStayInShortWave[] =
    "Ponieważ dotychczasowe łączności logowane \nbyły jako jedna z kategorii KF, możesz "
    "zmienić \nkategorię tylko w zakresie KF.\nJeśli chcesz logować łączności w turze UKF, "
    "\nzamknij okno nagłówka pliku Cabrillo i wybierz\nopcję \"Nowy log\" w głównym oknie "
    "programu.";
constexpr char kInvalidLocator[] = "\njest błędnym lokatorem!";
constexpr char kFillAllRequired[] = "\nWszystkie niebieskie pola muszą być wypełnione!";
constexpr char kNoCallsign[] = "Proszę wprowadzić znak używany podczas zawodów!";
constexpr char kNoName[] = "Proszę wprowadzić imię i nazwisko!";
constexpr char kNoAddress[] = "Proszę wprowadzić adres!";
constexpr char kNoCategory[] = "Proszę wybrac kategorie zawodow!";
constexpr char kNoLocator[] = "Proszę wprowadzić Lokator!";

bool IsDigitOrBackspace(QChar key) {
  return (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QLatin1Char('\b');
}

}  // namespace

void TForm2::ConnectHandlers() {
  OnExit(Edit1, [this] { Edit1Exit(); });
  SetCharacterRule(Edit7, [this](QChar c) { return Edit7KeyPress(c); });
  connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
  OnExit(ComboBox1, [this] { ComboBox1Exit(); });
  OnExit(Edit10, [this] { Edit10Exit(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TForm2::Edit1Exit() { main_window_.SetStationCallsign(Edit1->text()); }

bool TForm2::Edit7KeyPress(QChar key) { return !IsDigitOrBackspace(key); }

bool TForm2::RefuseRoundChange() {
  const CategoryChangeRefusal refusal = RefusedCategoryChange(
      main_window_.contest_category(), main_window_.contest_log().lines(), CategoryIndex());
  if (refusal == CategoryChangeRefusal::kNone) return false;
  ComboBox1->setCurrentIndex(CategoryIndexOf(main_window_.contest_category()));
  main_window_.prompts().Show(ErrorMessage(QString::fromUtf8(
      refusal == CategoryChangeRefusal::kStayInVhf ? kStayInVhf : kStayInShortWave)));
  return true;
}

void TForm2::TakeSelectedCategory() {
  main_window_.SetContestCategory(ToUpperAscii(ToCore(ComboBox1->currentText())));
}

void TForm2::ComboBox1Change() {
  if (RefuseRoundChange()) return;
  TakeSelectedCategory();
  if (RoundOf(main_window_.contest_category()) == Round::kVhf) {
    // Selected, so that what the operator types replaces the placeholder "LOKATOR".
    Edit10->setFocus();
    Edit10->selectAll();
  }
  main_window_.ApplyCategoryConfiguration();
}

void TForm2::ComboBox1Exit() {
  if (RefuseRoundChange()) return;
  TakeSelectedCategory();
  const CategoryConfiguration configuration =
      ConfigurationFor(main_window_.contest_category(), OwnLocator());
  SetRequired(Edit10, configuration.locator_required);
  main_window_.ApplyLeftCategory(configuration);
}

void TForm2::Edit10Exit() {
  if (!LocatorIsInvalid(ToCore(Edit10->text()))) return;
  main_window_.prompts().Show(ErrorMessage(Edit10->text() + QString::fromUtf8(kInvalidLocator)));
  Edit10->setFocus();
}

void TForm2::Button3Click() {
  const char* missing = nullptr;
  if (Edit1->text().isEmpty()) {
    missing = kNoCallsign;
  } else if (Edit2->text().isEmpty()) {
    missing = kNoName;
  } else if (Edit4->text().isEmpty()) {
    missing = kNoAddress;
  } else if (CategoryIndex() < 0) {
    missing = kNoCategory;
  } else if (kCategories[static_cast<std::size_t>(CategoryIndex())].round == Round::kVhf &&
             Edit10->text().isEmpty()) {
    missing = kNoLocator;
  }
  if (missing) {
    main_window_.prompts().Show(
        ErrorMessage(QString::fromUtf8(missing) + QString::fromUtf8(kFillAllRequired)));
    return;
  }

  main_window_.UseCategory(TrimBlanks(ToCore(ComboBox1->currentText())));
  if (IoStatus status = WriteSettingsFile(*main_window_.environment().file_steps,
                                          main_window_.environment().data_directory, Data())) {
    main_window_.ShowIoError(*status);
    return;
  }
  main_window_.Button9Click();
  hide();
  main_window_.ShowAgain();
}

void TForm2::Button1Click() {
  hide();
  main_window_.ShowAgain();
}

}  // namespace zt
