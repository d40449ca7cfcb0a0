#include <optional>
#include <string>
#include <string_view>

#include "app/main_window.h"
#include "app/widgets.h"
#include "corrections/ui/choice_dialog.h"

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
};

CorrectionCommand CommandFor(CorrectedField field) {
  switch (field) {
    case CorrectedField::kDate:
      return {"Zmiana daty", "Nowa data (rrrr-mm-dd)"};
    case CorrectedField::kTime:
      return {"Zmiana czasu", "Nowy czas (hhmm)"};
    case CorrectedField::kCallsign:
      return {"Zmiana znaku korespondenta", "Nowy znak"};
    case CorrectedField::kSentGroup:
      return {"Zmiana nadanej grupy kontrolnej", "Nowa grupa"};
    case CorrectedField::kReceivedGroup:
      return {"Zmiana odebranej grupy kontrolnej", "Nowa grupa"};
  }
  return {"", ""};
}

// The clock's message for a date or time that would not fit its columns or is no real one.
QString DateOrTimeRefusal(CorrectedField field, CorrectionCheck::Verdict verdict) {
  const bool format = verdict == CorrectionCheck::Verdict::kBadFormat;
  if (field == CorrectedField::kDate) {
    return format ? "Błędny format daty!" : "Niewłaściwe dane w polu daty!";
  }
  return format ? "Błędny format czasu!" : "Niewłaściwe dane w polu czasu!";
}

QString GroupQuestionText(const CorrectionCheck& check) {
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
  if (!contest_log_.HoldsQso(row)) {
    prompts().Show(ErrorMessage(kNothingSelected));
    return;
  }
  selected_log_line_ = contest_log_.lines()[static_cast<std::size_t>(row)];
  const CorrectionCommand command = CommandFor(field);
  const QString typed =
      prompts().InputBox(QString::fromUtf8(command.caption), QString::fromUtf8(command.prompt),
                         FromCore(contest_log_.CurrentValue(row, field)));
  const CorrectionCheck check =
      contest_log_.CheckCorrection(row, field, ToCore(typed), RoundOf(contest_category_));
  switch (check.verdict) {
    case CorrectionCheck::Verdict::kUnchanged:
      return;
    case CorrectionCheck::Verdict::kBadFormat:
    case CorrectionCheck::Verdict::kBadData:
      prompts().Show(ErrorMessage(DateOrTimeRefusal(field, check.verdict)));
      return;
    case CorrectionCheck::Verdict::kConfirm:
      if (prompts().Show(WarningQuestion(GroupQuestionText(check))) != Answer::kYes) return;
      break;
    case CorrectionCheck::Verdict::kReady:
      break;
  }

  // The recalculation runs in the same change of the list, so the list, the counts and the
  // partial check's index are rebuilt once.
  const bool recalculates = CorrectionRecalculates(field);
  int corrected_row = -1;
  IoStatus unread;
  IoResult<std::optional<std::string>> corrected = ChangeLog([&] {
    IoResult<std::optional<std::string>> outcome = contest_log_.Correct(row, field, check.value);
    if (outcome.ok() && outcome.value()) {
      // Its row before the recalculation rewrites its result text.
      corrected_row = contest_log_.FirstRowOf(*outcome.value());
      if (recalculates) unread = contest_log_.Recalculate(Scoring());
    }
    return outcome;
  });
  if (!corrected.ok()) {
    ShowIoError(corrected.error());
    return;
  }
  // No file line matched: the log changed underneath, so the list keeps what it shows.
  if (corrected.value()) {
    if (recalculates) {
      ShowRecalculated(corrected_row, unread);
    } else {
      SelectRow(corrected_row);
    }
  }
  Edit4->setFocus();
}

void TForm1::zmiendate1Click() { CorrectSelectedQso(CorrectedField::kDate); }

void TForm1::ZmieczasQSO1Click() { CorrectSelectedQso(CorrectedField::kTime); }

// The band of a logged QSO follows the round and cannot be changed; the item stays disabled.
void TForm1::Zmiepasmo1Click() {}

void TForm1::Zmieemisj1Click() {
  const int row = SelectedRow();
  if (!contest_log_.HoldsQso(row)) {
    prompts().Show(ErrorMessage(kNothingSelected));
    return;
  }
  selected_log_line_ = contest_log_.lines()[static_cast<std::size_t>(row)];
  QStringList modes;
  for (int i = 0; i < ComboBox2->count(); ++i) modes << ComboBox2->itemText(i);
  choice_dialog().ShowChoice(TForm4::Purpose::kModeOfTheSelectedQso,
                             QString::fromUtf8(kModeChoiceCaption), modes,
                             ComboBox2->currentIndex());
}

bool TForm1::ChangeModeOfSelectedQso(int chosen_index) {
  IoResult<std::optional<std::string>> changed =
      ChangeLog([&] { return contest_log_.ChangeMode(selected_log_line_, chosen_index); });
  if (!changed.ok()) {
    ShowIoError(changed.error());
    return false;
  }
  // With the QSO gone from the file there is no new line; the recalculation shows the file.
  if (const std::optional<std::string>& line = changed.value()) {
    SelectRow(contest_log_.FirstRowOf(*line));
  }
  Button9Click();
  return true;
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
  selected_log_line_ = contest_log_.lines()[static_cast<std::size_t>(row)];
  // Deleted and recalculated in one change of the list, which is rebuilt once.
  IoStatus unread;
  if (IoStatus status = ChangeLog([&]() -> IoStatus {
        if (IoStatus deleted = contest_log_.Delete(row)) return deleted;
        unread = contest_log_.Recalculate(Scoring());
        return std::nullopt;
      })) {
    ShowIoError(*status);
    return;
  }
  ShowRecalculated(-1, unread);
  Edit4->setFocus();
}

}  // namespace zt
