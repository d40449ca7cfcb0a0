#include <optional>
#include <string>
#include <string_view>

#include "app/ui/main_window.h"
#include "app/ui/widgets.h"
#include "corrections/ui/choice_dialog.h"
#include "corrections/qso_correction.h"

namespace zt {

namespace {

constexpr char kNothingSelected[] = "Należy najpierw zaznaczyć łączność!";
constexpr char kNothingSelectedToDelete[] = "Należy najpierw zaznaczyć łączność do usunięcia!";
constexpr char kConfirmDeletion[] = "Czy na pewno usunąć zaznaczoną łączność?";
constexpr char kModeChoiceCaption[] = "Wybór emisji";
constexpr char kConfirmShortVhfGroup[] =
    "Nowa grupa kontrolna jest nieprawidłowa.\nPoprawna grupa kontrolna to: \nnumer "
    "seryjny+lokator, np. 12KO00HU\n\nCzy na pewno zmienić grupę kontrolną?";
constexpr char kConfirmInvalidShortWaveGroup[] =
    "Nowa grupa kontrolna jest nieprawidłowa.\nPoprawne grupy kontrolne to: \n'O', 'B', 'DG' "
    "lub numer seryjny.\n\nCzy na pewno zmienić grupę kontrolną?";

struct CorrectionCommand {
  const char* caption;
  const char* prompt;
  // The field enters the duplicate key, the points or the letter bonus.
  bool recalculates;
};

CorrectionCommand CommandFor(CorrectedField field) {
  switch (field) {
    case CorrectedField::kDate:
      return {"Zmiana daty", "Nowa data (rrrr-mm-dd)", false};
    case CorrectedField::kTime:
      return {"Zmiana czasu", "Nowy czas (hhmm)", false};
    case CorrectedField::kCallsign:
      return {"Zmiana znaku korespondenta", "Nowy znak", true};
    case CorrectedField::kSentGroup:
      return {"Zmiana nadanej grupy kontrolnej", "Nowa grupa", false};
    case CorrectedField::kReceivedGroup:
      return {"Zmiana odebranej grupy kontrolnej", "Nowa grupa", true};
  }
  return {"", "", false};
}

// The clock's message for a date or time that would not fit its columns; empty when it fits.
QString DateOrTimeRefusal(CorrectedField field, std::string_view value) {
  if (field == CorrectedField::kDate) {
    switch (CheckCorrectedDate(value)) {
      case FieldCheck::kOk:
        return {};
      case FieldCheck::kBadFormat:
        return "Błędny format daty!";
      case FieldCheck::kBadData:
        return "Niewłaściwe dane w polu daty!";
    }
  }
  if (field == CorrectedField::kTime) {
    switch (CheckCorrectedTime(value)) {
      case FieldCheck::kOk:
        return {};
      case FieldCheck::kBadFormat:
        return "Błędny format czasu!";
      case FieldCheck::kBadData:
        return "Niewłaściwe dane w polu czasu!";
    }
  }
  return {};
}

QString GroupQuestionText(const ReceivedGroupCheck& check) {
  switch (check.question) {
    case GroupQuestion::kNone:
      return {};
    case GroupQuestion::kInvalidLocator:
      return "Lokator  " + FromCore(check.locator) +
             "\njest błędnym lokatorem!\nCzy na pewno zalogować ?";
    case GroupQuestion::kShortVhfGroup:
      return QString::fromUtf8(kConfirmShortVhfGroup);
    case GroupQuestion::kInvalidShortWaveGroup:
      return QString::fromUtf8(kConfirmInvalidShortWaveGroup);
  }
  return {};
}

}  // namespace

void TForm1::CorrectSelectedQso(CorrectedField field) {
  const int row = SelectedRow();
  // An empty line of a hand-edited log holds no QSO; correcting it would write a partial line
  // over every empty line of the file.
  if (row < 0 || log_list.LineAt(row).empty()) {
    prompts().Show(ErrorMessage(kNothingSelected));
    return;
  }
  SelectedLogLine = log_list.LineAt(row);
  const CorrectionCommand command = CommandFor(field);
  const QString typed =
      prompts().InputBox(QString::fromUtf8(command.caption), QString::fromUtf8(command.prompt),
                         FromCore(CurrentValue(field, SelectedLogLine)));
  const std::string typed_text = ToCore(typed);
  if (IsUnchanged(field, SelectedLogLine, typed_text)) return;
  std::string value = PreparedValue(field, typed_text);

  if (const QString refusal = DateOrTimeRefusal(field, value); !refusal.isEmpty()) {
    prompts().Show(ErrorMessage(refusal));
    return;
  }
  if (field == CorrectedField::kReceivedGroup) {
    const ReceivedGroupCheck check = CheckCorrectedReceivedGroup(value, RoundOf(ContestCategory));
    const QString question = GroupQuestionText(check);
    if (!question.isEmpty() && prompts().Show(WarningQuestion(question)) != Answer::kYes) return;
    value = check.value;
  }

  IoResult<RewriteOutcome> outcome =
      RewriteLogFile(log_files_, SelectedLogLine,
                     [field, &value](std::string_view file_line) -> std::optional<std::string> {
                       return ApplyCorrection(field, file_line, value);
                     });
  if (!outcome.ok()) {
    ShowIoError(outcome.error());
    return;
  }
  // No file line matched: the log changed underneath, so the list keeps what it shows.
  if (const std::optional<std::string>& line = outcome.value().last_changed_line) {
    log_list.Remove(row);
    log_list.Append(*line);
    SelectRow(log_list.FindFirst(*line));
    if (command.recalculates) Button9Click();
  }
  Edit4->setFocus();
}

void TForm1::zmiendate1Click() { CorrectSelectedQso(CorrectedField::kDate); }

void TForm1::ZmieczasQSO1Click() { CorrectSelectedQso(CorrectedField::kTime); }

// The band of a logged QSO follows the round and cannot be changed; the item stays disabled.
void TForm1::Zmiepasmo1Click() {}

void TForm1::Zmieemisj1Click() {
  const int row = SelectedRow();
  if (row < 0 || log_list.LineAt(row).empty()) {
    prompts().Show(ErrorMessage(kNothingSelected));
    return;
  }
  SelectedLogLine = log_list.LineAt(row);
  QStringList modes;
  for (int i = 0; i < ComboBox2->count(); ++i) modes << ComboBox2->itemText(i);
  choice_dialog().ShowChoice(TForm4::Purpose::kModeOfTheSelectedQso,
                             QString::fromUtf8(kModeChoiceCaption), modes,
                             ComboBox2->currentIndex());
}

void TForm1::Zmieznakkorespondenta1Click() { CorrectSelectedQso(CorrectedField::kCallsign); }

void TForm1::Zmienadanynumerser1Click() { CorrectSelectedQso(CorrectedField::kSentGroup); }

void TForm1::Zmieodebranynumerseryjny1Click() {
  CorrectSelectedQso(CorrectedField::kReceivedGroup);
}

void TForm1::Usu1Click() {
  const int row = SelectedRow();
  if (row < 0) {
    prompts().Show(ErrorMessage(kNothingSelectedToDelete));
    return;
  }
  if (prompts().Show(Message{"Potwierdzenie", QString::fromUtf8(kConfirmDeletion), Icon::kQuestion,
                             Buttons::kYesNo, Answer::kYes}) != Answer::kYes) {
    return;
  }
  SelectedLogLine = log_list.LineAt(row);
  IoResult<RewriteOutcome> outcome =
      RewriteLogFile(log_files_, SelectedLogLine,
                     [](std::string_view) -> std::optional<std::string> { return std::nullopt; });
  if (!outcome.ok()) {
    ShowIoError(outcome.error());
    return;
  }
  log_list.Remove(row);
  SelectRow(-1);
  Button9Click();
  Edit4->setFocus();
}

}  // namespace zt
