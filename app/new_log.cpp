#include <filesystem>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "app/widgets.h"
#include "core/text.h"
#include "settings/ui/station_dialog.h"

namespace zt {

namespace {

constexpr char kSaveFilter[] = "Wszystkie pliki (*)";
constexpr char kDiscardUnsavedLog[] =
    "Czy na pewno chcesz utworzyć nowy log \nnie zapisując poprzedniego?\nJeśli nie zapisałeś "
    "pliku Cabrillo lub ADIF,\ndane o łącznościach zostaną utracone!!";

// The station callsign in lower case with "/" made "_": QQ2XYZ/P gives qq2xyz_p.log.
std::filesystem::path SuggestedCopyName(const QString& station_callsign) {
  std::string name = ToLowerAscii(ToCore(station_callsign));
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return std::filesystem::path(FromCore(name + ".log").toStdU16String());
}

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace

bool TForm1::SaveOrDiscardLog() {
  const QString suggested =
      PathText(environment_.data_directory / SuggestedCopyName(Edit1->text()));
  for (;;) {
    const std::optional<QString> chosen =
        prompts().SaveFileName(suggested, QString::fromUtf8(kSaveFilter));
    if (!chosen) {
      return prompts().Show(Message{"Ostrzeżenie", QString::fromUtf8(kDiscardUnsavedLog),
                                    Icon::kWarning, Buttons::kOkCancel, Answer::kCancel}) ==
             Answer::kOk;
    }
    const std::filesystem::path target(chosen->toStdU16String());
    if (const std::optional<std::filesystem::path> kept = contest_log_.KeptFileAt(target)) {
      // Named by the kept file's own name too: through a link the chosen name tells nothing.
      prompts().Show(ErrorMessage("Plik " + *chosen + " jest plikiem roboczym programu (" +
                                  PathText(kept->filename()) +
                                  ").\nWybierz inną nazwę pliku dla kopii logu."));
      continue;
    }
    if (FileExists(target)) {
      const Answer answer = prompts().Show(
          Message{"Ostrzeżenie", "Plik " + *chosen + " istnieje.\nCzy zastąpić istniejący plik?",
                  Icon::kWarning, Buttons::kYesNoCancel, Answer::kYes});
      if (answer == Answer::kNo) continue;
      if (answer != Answer::kYes) return false;
    }
    if (IoStatus status = contest_log_.CopyTo(target)) {
      ShowIoError(*status);
      return false;
    }
    return true;
  }
}

void TForm1::Button8Click() {
  if (LineCount() > 0) {
    if (!SaveOrDiscardLog()) return;
    // The file first: if it cannot be emptied, the list still shows what the file holds.
    if (IoStatus status = ChangeLog([&] { return contest_log_.StartNew(); })) {
      ShowIoError(*status);
      return;
    }
  }
  station_dialog().EnableDataFields();
  Edit8->setText("1");
  Panel3->hide();
  if (!ClockRunning()) Panel4Click();
  // Shows the emptied log's score, claimed score and letters.
  Button9Click();
  station_dialog().ShowDialog();
}

}  // namespace zt
