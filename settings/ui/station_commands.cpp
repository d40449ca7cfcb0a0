#include "app/main_window.h"
#include "app/widgets.h"
#include "settings/categories.h"
#include "settings/ui/station_dialog.h"

namespace zt {

namespace {

// The caption names the category after the program's name.
constexpr char kProgramCaption[] = "Zawody Teltólmowe          ";

constexpr char kProgramInformation[] =
    "Program do logowania QSO podczas Zawodów Teltólmowych.\n\nSkróty klawiszowe (jeśli kursor "
    "jest w polu znaku):\nPage Up/Page Down  - ręczna zmiana czasu,\nALT + B   - zmiana "
    "pasma,\nALT + M   - zmiana emisji.\n\nKliknięcie prawym klawiszem myszy na oknie logu "
    "otwiera\ndodatkowe menu umożliwiające edycję zaznaczonego QSO.\n\nWersja 1.00";

QStringList ToItems(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << FromCore(item);
  return list;
}

}  // namespace

void TForm1::Button1Click() {
  station_dialog().EnableDataFields();
  station_dialog().ShowDialog();
}

void TForm1::Button3Click() {
  prompts().Show(Message{"O programie...", QString::fromUtf8(kProgramInformation),
                         Icon::kInformation, Buttons::kOk, Answer::kOk});
}

void TForm1::SetContestCategory(std::string category) { contest_category_ = std::move(category); }

void TForm1::UseCategory(std::string category) {
  SetContestCategory(std::move(category));
  setWindowTitle(QString::fromUtf8(kProgramCaption) + FromCore(contest_category_));
  ApplyCategoryConfiguration();
}

void TForm1::ApplyLeftCategory(const CategoryConfiguration& configuration) {
  if (RoundOf(contest_category_) == Round::kVhf) {
    Edit5->setText(FromCore(configuration.report));
    Edit7->setText(FromCore(configuration.report));
  }
  Zmiepasmo1->setEnabled(configuration.change_band_enabled);
  Zmieemisj1->setEnabled(configuration.change_mode_enabled);
}

void TForm1::ApplyCategoryConfiguration() {
  const CategoryConfiguration configuration =
      ConfigurationFor(contest_category_, station_dialog().OwnLocator());
  ComboBox1->clear();
  ComboBox2->clear();
  ComboBox1->addItems(ToItems(configuration.band_items));
  ComboBox2->addItems(ToItems(configuration.mode_items));
  ComboBox2->setCurrentIndex(configuration.selected_mode);
  for (QLineEdit* report : {Edit5, Edit7}) {
    report->setMaxLength(configuration.report_max_length);
    report->setText(FromCore(configuration.report));
  }
  Edit8->setToolTip(FromCore(configuration.sent_group_hint));
  Edit9->setText(FromCore(configuration.own_locator_text));
  Edit9->setToolTip(FromCore(configuration.own_locator_hint));
  Edit9->setVisible(configuration.own_locator_visible);
  TForm2::SetRequired(station_dialog().Edit10, configuration.locator_required);
  Label8->setText(FromCore(configuration.received_group_label));
  Label8->adjustSize();
  Zmiepasmo1->setEnabled(configuration.change_band_enabled);
  Zmieemisj1->setEnabled(configuration.change_mode_enabled);
  ComboBox1->setCurrentIndex(0);
  ShowCounts();
  // The band check follows the round.
  ShowRadio();
}

}  // namespace zt
