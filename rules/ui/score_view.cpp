#include "app/ui/main_window.h"
#include "app/ui/widgets.h"
#include "rules/recalculation.h"
#include "settings/ui/station_dialog.h"

namespace zt {

namespace {

constexpr char kCollectedColour[] = "navy";
constexpr char kNotCollectedColour[] = "aqua";

}  // namespace

ScoringContext TForm1::Scoring() const {
  return ScoringContext{RoundOf(ContestCategory), station_dialog().CategoryIndex(),
                        station_dialog().OwnLocator()};
}

void TForm1::Button9Click() {
  const int remembered_row = SelectedRow();
  std::string file_content;
  if (FileExists(log_files_.log)) {
    IoResult<std::string> read = ReadWholeFile(*log_files_.steps, log_files_.log);
    if (read.ok()) {
      file_content = std::move(read.value());
    } else {
      ShowIoError(read.error());
      // The QSOs are still in the file: an empty list would be exported as the whole log and
      // would let New log start without offering a copy. The list keeps its lines.
      file_content = JoinLines(log_list.Lines());
    }
  }
  Recalculation recalculation = Recalculate(LineViews(file_content), Scoring());
  score_state = std::move(recalculation.state);
  log_list.SetLines(std::move(recalculation.list_lines));
  ShowScoreState();
  SelectRow(SelectionAfterRecalculation(remembered_row, log_list.Count()));
}

void TForm1::ShowScoreState(bool claimed_score_too) {
  const QString score = QString::number(score_state.score);
  Label31->setText(score);
  if (claimed_score_too && station_dialog_) station_dialog_->Edit7->setText(score);
  // Restyling a widget costs more than a recalculation of a small log: only changes are applied.
  const auto restyle = [](QWidget* widget, const QString& style) {
    if (widget->styleSheet() != style) widget->setStyleSheet(style);
  };
  const std::array<bool, 8> lit = score_state.letters.LitLetters();
  for (std::size_t i = 0; i < lit.size(); ++i) {
    restyle(LetterLabels[i],
            QStringLiteral("color: %1;").arg(lit[i] ? kCollectedColour : kNotCollectedColour));
  }
  // The panel turns to the desktop colour once the word is complete.
  restyle(Panel5, score_state.letters.awarded
                      ? QStringLiteral("QFrame#Panel5 { background: #3a6ea5; }")
                      : QString());
  Label12->setVisible(score_state.letters.awarded);
}

}  // namespace zt
