#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "app/ui/main_window.h"
#include "app/text.h"
#include "app/ui/widgets.h"
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

// A copy written over one of the working files would be emptied, replaced or overwritten by the
// program itself, and the copy the operator meant to keep would be lost.
bool IsWorkingFile(const LogFiles& files, const std::filesystem::path& target) {
  std::error_code error;
  const std::filesystem::path chosen = std::filesystem::weakly_canonical(target, error);
  if (error) return false;
  for (const std::filesystem::path& working : {files.log, files.backup, files.temporary}) {
    if (std::filesystem::weakly_canonical(working, error) == chosen && !error) return true;
  }
  return false;
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
    if (IsWorkingFile(log_files_, target)) {
      prompts().Show(ErrorMessage("Plik " + *chosen +
                                  " jest plikiem roboczym programu.\nWybierz inną nazwę pliku "
                                  "dla kopii logu."));
      continue;
    }
    if (FileExists(target)) {
      const Answer answer = prompts().Show(
          Message{"Ostrzeżenie", "Plik " + *chosen + " istnieje.\nCzy zastąpić istniejący plik?",
                  Icon::kWarning, Buttons::kYesNoCancel, Answer::kYes});
      if (answer == Answer::kNo) continue;
      if (answer != Answer::kYes) return false;
    }
    if (IoStatus status = CopyLogFile(log_files_, target)) {
      ShowIoError(*status);
      return false;
    }
    return true;
  }
}

void TForm1::Button8Click() {
  if (log_list.Count() > 0) {
    if (!SaveOrDiscardLog()) return;
    // The file first: if it cannot be emptied, the list still shows what the file holds.
    if (IoStatus status = CreateEmptyLogFile(log_files_)) {
      ShowIoError(*status);
      return;
    }
    log_list.Clear();
    score_state = ScoreState{};
  }
  station_dialog().EnableDataFields();
  Edit8->setText("1");
  Panel3->hide();
  if (!ClockRunning()) Panel4Click();
  score_state.letters.awarded = false;
  // Shows the emptied log's score, claimed score and letters.
  Button9Click();
  station_dialog().ShowDialog();
}

}  // namespace zt
