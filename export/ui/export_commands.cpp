#include "app/main_window.h"
#include "app/widgets.h"
#include "core/text.h"
#include "export/cabrillo.h"
#include "export/export_file.h"
#include "export/ui/adif_dialog.h"
#include "settings/ui/station_dialog.h"

namespace zt {

namespace {

constexpr char kCabrilloQuestion[] =
    "Podczas zapisu pliku Cabrillo zostaną\nwykorzystane dane podane w oknie\n\"Nagłówek pliku "
    "Cabrillo\", wyświetlanym\nprzyciskiem \"Zmiana danych\". Jeśli nie są \none poprawne, "
    "skoryguj je i ponownie\nwybierz funkcję zapisywania pliku Cabrillo.\n\nCzy kontynuować?";

constexpr char kNoCallsign[] =
    "Pole \"Używany znak\" jest puste!\nWprowadź znak w oknie \"Zmiana danych\".";

QString ShownPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace

void TForm1::Button2Click() {
  const std::filesystem::path& log = contest_log_.files().log;
  if (!FileExists(log)) {
    prompts().Show(ErrorMessage(QStringLiteral("Plik \"%1\" nie istnieje!").arg(ShownPath(log))));
    return;
  }
  const std::optional<std::filesystem::path> path = ExportPath(".cbr");
  if (!path) return;
  const Answer answer = prompts().Show(Message{"Informacja", QString::fromUtf8(kCabrilloQuestion),
                                               Icon::kQuestion, Buttons::kYesNo, Answer::kYes});
  if (answer != Answer::kYes) return;

  const StationData station = station_dialog().Data();
  CabrilloHeader header;
  header.contest_name = station.fields[8];
  header.station_callsign = ToCore(Edit1->text());
  header.claimed_score = station.fields[6];
  header.name = station.fields[1];
  header.email = station.fields[2];
  header.address1 = station.fields[3];
  header.address2 = station.fields[4];
  header.address3 = station.fields[5];
  header.operators = station.fields[7];
  header.locator = station.fields[9];
  header.remarks = station.memo;
  header.category_index = station.category_index;
  WriteExport("Cabrillo", *path,
              CabrilloText(header, contest_log_.lines(), RoundOf(contest_category_)));
}

void TForm1::WriteAdif(const AdifOptions& options) {
  const std::optional<std::filesystem::path> path = ExportPath(".adi");
  if (!path) return;
  WriteExport("ADIF", *path, AdifText(contest_log_.lines(), RoundOf(contest_category_), options));
}

void TForm1::Button7Click() {
  hide();
  TForm3& dialog = adif_dialog();
  dialog.Edit3->setText(station_dialog().Edit9->text() + QLatin1Char(' ') +
                        QStringLiteral("%1").arg(environment().time_source->LocalNow().year, 4, 10,
                                                 QLatin1Char('0')));
  dialog.Edit2->setText(Edit1->text());
  dialog.ShowDialog();
}

std::optional<std::filesystem::path> TForm1::ExportPath(std::string_view extension) {
  const std::string callsign = ToCore(Edit1->text());
  if (TrimBlanks(callsign).empty()) {
    prompts().Show(ErrorMessage(QString::fromUtf8(kNoCallsign)));
    return std::nullopt;
  }
  // Through UTF-16, so a Polish letter in the callsign names the file as the operator sees it.
  const QString file_name = FromCore(ExportBaseName(callsign) + std::string(extension));
  return environment().data_directory / std::filesystem::path(file_name.toStdU16String());
}

void TForm1::WriteExport(const QString& kind, const std::filesystem::path& path,
                         std::string_view text) {
  if (IoStatus status = WriteExportFile(*environment().file_steps, path, text)) {
    ShowIoError(*status);
    return;
  }
  prompts().Show(InformationMessage(
      QStringLiteral("Plik %1: \n%2\nzostał zapisany!").arg(kind, ShownPath(path))));
}

}  // namespace zt
