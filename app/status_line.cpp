// The operator's status line under the buttons: the log's counts and rate, what the QSO being
// typed would score, and the worked callsigns that look like the one typed. It only shows; it
// takes no focus and writes nothing.

#include "app/main_window.h"
#include "app/widgets.h"
#include "core/text.h"
#include "rules/contest.h"
#include "session/log_status.h"

namespace zt {

namespace {

QString CountsText(const LogCounts& counts, Round round) {
  QString text = QStringLiteral("QSO: %1, zaliczone: %2 · ").arg(counts.qsos).arg(counts.counting);
  text += round == Round::kVhf ? QStringLiteral("FM: %1").arg(counts.fm)
                               : QStringLiteral("CW: %1, SSB: %2").arg(counts.cw).arg(counts.ph);
  return text + QStringLiteral(" · ostatnie 60 min: %1, 10 min: %2")
                    .arg(counts.last_60_minutes)
                    .arg(counts.last_10_minutes);
}

QString VerdictText(const QsoPreview& preview) {
  if (preview.result == "DUPE") return QStringLiteral("powtórzone, 0 pkt");
  if (preview.result == "CTRL") return QStringLiteral("emisja nie punktuje w tej kategorii");
  if (preview.result == "RPRT") return QStringLiteral("nieprawidłowa grupa kontrolna");
  return QStringLiteral("%1 pkt").arg(preview.points);
}

QString PreviewText(const QsoPreview& preview, Round round) {
  QString text = QStringLiteral("To QSO: ");
  if (round == Round::kVhf) {
    // Nothing until the group ends in a locator the distance can be measured to.
    if (!preview.distance_km) return {};
    text += QStringLiteral("%1 km").arg(*preview.distance_km);
    if (preview.bearing) text += QStringLiteral(", azymut %1°").arg(*preview.bearing);
    text += QStringLiteral(" · ");
  }
  text += VerdictText(preview);
  if (preview.bonus_station)
    text += QStringLiteral(" (+%1 stacja premiowana)").arg(kBonusStationPoints);
  if (preview.letter)
    text +=
        QStringLiteral(" · litera %1 do TELTÓLME").arg(FromCore(std::string(1, preview.letter)));
  return text;
}

QString PartialText(const std::vector<WorkedCallsign>& found) {
  if (found.empty()) return QStringLiteral("Podobne: brak");
  QStringList shown;
  for (const WorkedCallsign& worked : found) {
    // The modes as the mode box names them: the log's PH is SSB there.
    const QString modes =
        FromCore(worked.modes).replace(QStringLiteral("PH"), QStringLiteral("SSB"));
    shown << FromCore(worked.callsign) + QStringLiteral(" (") + modes + QLatin1Char(')');
  }
  return QStringLiteral("Podobne: ") + shown.join(QStringLiteral(", "));
}

}  // namespace

void TForm1::CreateStatusArea() {
  const auto make = [this](const char* name, int top) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(16, top, 649, 15);
    label->setFocusPolicy(Qt::NoFocus);
    label->setTextFormat(Qt::PlainText);
    return label;
  };
  CountsLabel = make("CountsLabel", 426);
  PreviewLabel = make("PreviewLabel", 442);
  PartialLabel = make("PartialLabel", 458);
  CountsLabel->setAccessibleDescription("Liczba QSO i tempo");
  PreviewLabel->setAccessibleDescription("Punkty wpisywanego QSO");
  PartialLabel->setAccessibleDescription("Podobne znaki w logu");
}

void TForm1::ShowCounts() {
  const LogCounts counts =
      CountLog(contest_log_.lines(), ToCore(Edit2->text()), ToCore(Edit3->text()));
  CountsLabel->setText(CountsText(counts, RoundOf(contest_category_)));
}

void TForm1::ShowPreview() {
  const std::string callsign = TrimBlanks(ToCore(Edit4->text()));
  QString preview;
  if (!contest_category_.empty() && !TrimBlanks(ToCore(Edit6->text())).empty()) {
    const Round round = RoundOf(contest_category_);
    preview =
        PreviewText(contest_log_.Preview(EnteredQso(TrimBlanks(ToCore(Edit8->text()))), callsign,
                                         ToCore(ComboBox2->currentText()), Scoring()),
                    round);
  }
  PreviewLabel->setText(preview);
  PartialLabel->setText(callsign.size() < kPartialCheckMinimum
                            ? QString()
                            : PartialText(contest_log_.PartialCheck(callsign)));
}

}  // namespace zt
