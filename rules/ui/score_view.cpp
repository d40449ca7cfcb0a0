#include "app/main_window.h"
#include "app/widgets.h"
#include "rules/recalculation.h"
#include "settings/ui/station_dialog.h"

namespace zt {

namespace {

constexpr char kCollectedColour[] = "navy";
constexpr char kNotCollectedColour[] = "aqua";

}  // namespace

ScoringContext TForm1::Scoring() const {
  return ScoringContext{RoundOf(contest_category_), station_dialog().CategoryIndex(),
                        station_dialog().OwnLocator()};
}

void TForm1::Button9Click() {
  const int remembered_row = SelectedRow();
  const IoStatus unread = ChangeLog([&] { return contest_log_.Recalculate(Scoring()); });
  ShowRecalculated(remembered_row, unread);
}

void TForm1::ShowRecalculated(int remembered_row, const IoStatus& unread) {
  ShowScoreState();
  SelectRow(SelectionAfterRecalculation(remembered_row, LineCount()));
  if (unread) ShowIoError(*unread);
}

void TForm1::ShowScoreState(bool claimed_score_too) {
  const ScoreState& state = contest_log_.score();
  const QString score = QString::number(state.score);
  Label31->setText(score);
  if (claimed_score_too && station_dialog_) station_dialog_->Edit7->setText(score);
  // Restyling a widget costs more than a recalculation of a small log: only changes are applied.
  const auto restyle = [](QWidget* widget, const QString& style) {
    if (widget->styleSheet() != style) widget->setStyleSheet(style);
  };
  const std::array<bool, 8> lit = state.letters.LitLetters();
  for (std::size_t i = 0; i < lit.size(); ++i) {
    restyle(LetterLabels[i],
            QStringLiteral("color: %1;").arg(lit[i] ? kCollectedColour : kNotCollectedColour));
  }
  // The panel turns to the desktop colour once the word is complete.
  restyle(Panel5, state.letters.awarded ? QStringLiteral("QFrame#Panel5 { background: #3a6ea5; }")
                                        : QString());
  Label12->setVisible(state.letters.awarded);
}

}  // namespace zt
