// CW messages from the function keys: F1-F8 send while the mode selector holds CW, Esc stops a
// message being sent and does nothing else then, Ctrl+Up and Ctrl+Down change the speed. The
// keyer works on the event loop; the status line's last row says what it does.

#include <QKeySequence>

#include "app/main_window.h"
#include "app/widgets.h"
#include "station/cw_message.h"
#include "station/ui/cw_keyer_link.h"
#include "station/ui/cw_radio_file.h"

namespace zt {

namespace {

constexpr int kSpeedStep = 2;
// Under the status line's three rows: the radio line, then the CW line.
constexpr int kStationLinesTop = 474;
constexpr int kStationLineHeight = 16;
constexpr int kWindowHeight = 480;

QString SpeedText(int wpm) { return QStringLiteral("CW %1 WPM").arg(wpm); }

}  // namespace

void TForm1::SetUpCw() {
  CwLabel = new QLabel(this);
  CwLabel->hide();
  CwLabel->setObjectName("CwLabel");
  CwLabel->setGeometry(16, 474, 649, 15);
  CwLabel->setFocusPolicy(Qt::NoFocus);
  CwLabel->setTextFormat(Qt::PlainText);
  CwLabel->setAccessibleDescription("Nadawanie CW");

  // Window shortcuts: they reach the window from whichever of its fields has the focus.
  const auto shortcut = [this](QKeySequence keys, auto handler) {
    auto* made = new QShortcut(keys, this);
    made->setContext(Qt::WindowShortcut);
    connect(made, &QShortcut::activated, this, handler);
    return made;
  };
  for (int i = 0; i < kCwMessageCount; ++i) {
    shortcut(QKeySequence(Qt::Key_F1 + i), [this, i] { SendCwMessage(i); });
  }
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { StepCwSpeed(kSpeedStep); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { StepCwSpeed(-kSpeedStep); });
  // Only while a message is sent: otherwise Esc belongs to the fields.
  cw_escape_ = shortcut(QKeySequence(Qt::Key_Escape), [this] { AbortCw(); });
  cw_escape_->setEnabled(false);

  UseCwSettings(LoadCwSettings(RadioFilePath(environment_.data_directory)));
}

void TForm1::UseCwSettings(const CwSettings& settings) {
  cw_settings_ = settings;
  if (cw_keyer_) {
    cw_keyer_->disconnect(this);
    cw_keyer_->deleteLater();
    cw_keyer_ = nullptr;
  }
  SetCwSending(false);
  cw_fault_.clear();
  const QString folder_file =
      QString::fromStdU16String(RadioFilePath(environment_.data_directory).u16string());
  switch (settings.keyer) {
    case CwKeyer::kNone:
      ShowCwStatus(QString());
      return;
    case CwKeyer::kCwdaemon:
      cw_keyer_ = new CwdaemonLink(QString::fromStdString(settings.host), settings.port, this);
      break;
    case CwKeyer::kRigctld: {
      const RigctldAddress rig = LoadRigctldAddress(RadioFilePath(environment_.data_directory));
      cw_keyer_ = new RigCwLink(rig.host, rig.port, this);
      break;
    }
  }
  connect(cw_keyer_, &CwKeyerLink::Finished, this, [this] { CwFinished(); });
  connect(cw_keyer_, &CwKeyerLink::Fault, this, [this](const QString& text) {
    cw_fault_ = text;
    ShowCwStatus(SpeedText(cw_settings_.wpm) + QStringLiteral(" · ") + text);
  });
  connect(cw_keyer_, &CwKeyerLink::Back, this, [this] {
    cw_fault_.clear();
    ShowCwStatus(cw_sending_
                     ? SpeedText(cw_settings_.wpm) + QStringLiteral(" · nadaję: ") + cw_message_
                     : SpeedText(cw_settings_.wpm));
  });
  connect(cw_keyer_, &CwKeyerLink::CannotStop, this, [this] {
    ShowCwStatus(SpeedText(cw_settings_.wpm) +
                 QStringLiteral(" · radio nie potrafi przerwać nadawania"));
  });
  cw_keyer_->SetSpeed(cw_settings_.wpm);
  ShowCwStatus(SpeedText(cw_settings_.wpm) +
               QStringLiteral(" · klucz: %1 (%2)")
                   .arg(QLatin1String(KeyerName(settings.keyer).data()), cw_keyer_->Where()));
}

void TForm1::SendCwMessage(int index) {
  const QString key = QStringLiteral("F%1").arg(index + 1);
  if (ComboBox2->currentText() != QLatin1String("CW")) {
    const QString mode =
        ComboBox2->currentIndex() < 0 ? QStringLiteral("brak") : ComboBox2->currentText();
    ShowCwStatus(QStringLiteral("CW: emisja %1 – %2 nie nadaje, komunikaty F1–F8 tylko w CW")
                     .arg(mode, key));
    return;
  }
  if (!cw_keyer_) {
    ShowCwStatus(QStringLiteral("CW: brak klucza – %1 nie nadaje (klucz w grupie [cw] pliku "
                                "zawody_teltolmowe_radio.ini)")
                     .arg(key));
    return;
  }
  const CwFields fields{ToCore(Edit1->text()), ToCore(Edit4->text()), ToCore(Edit5->text()),
                        ToCore(Edit8->text())};
  const std::string expanded =
      ExpandCwMessage(cw_settings_.messages[static_cast<std::size_t>(index)], fields,
                      CutNumbers{cw_settings_.cut_report, cw_settings_.cut_group});
  const MorseText morse = FilterMorse(expanded, cw_settings_.keyer == CwKeyer::kCwdaemon);
  QString left_out;
  if (!morse.left_out.empty()) {
    left_out = QStringLiteral(" · pominięto: ") + FromCore(morse.left_out);
  }
  if (morse.text.empty()) {
    ShowCwStatus(SpeedText(cw_settings_.wpm) + QStringLiteral(" · %1: nic do nadania").arg(key) +
                 left_out);
    return;
  }
  cw_message_ = FromCore(morse.text);
  SetCwSending(true);
  ShowCwStatus(SpeedText(cw_settings_.wpm) + QStringLiteral(" · nadaję: ") + cw_message_ +
               left_out);
  cw_keyer_->Send(morse.text, cw_settings_.wpm);
}

void TForm1::AbortCw() {
  if (!cw_sending_) return;
  SetCwSending(false);
  if (cw_keyer_) cw_keyer_->Abort();
  ShowCwStatus(SpeedText(cw_settings_.wpm) + QStringLiteral(" · przerwano: ") + cw_message_);
}

void TForm1::CwFinished() {
  if (!cw_sending_) return;
  SetCwSending(false);
  QString text = SpeedText(cw_settings_.wpm);
  text += cw_fault_.isEmpty() ? QStringLiteral(" · nadano: ") + cw_message_
                              : QStringLiteral(" · ") + cw_fault_;
  ShowCwStatus(text);
}

void TForm1::StepCwSpeed(int step) {
  const int wpm = ClampWpm(cw_settings_.wpm + step);
  cw_settings_.wpm = wpm;
  if (cw_keyer_) cw_keyer_->SetSpeed(wpm);
  // Kept for the next start; the file is tiny and local.
  CwSettings stored = LoadCwSettings(RadioFilePath(environment_.data_directory));
  stored.wpm = wpm;
  // A file that cannot take it only loses the speed for the next start; sending goes on.
  SaveCwSettings(*environment_.file_steps, environment_.data_directory, stored);
  ShowCwStatus(cw_sending_ ? SpeedText(wpm) + QStringLiteral(" · nadaję: ") + cw_message_
                           : SpeedText(wpm));
}

void TForm1::SetCwSending(bool sending) {
  cw_sending_ = sending;
  if (cw_escape_) cw_escape_->setEnabled(sending);
}

void TForm1::ShowCwStatus(const QString& text) {
  CwLabel->setText(text);
  LayOutStationLines();
}

void TForm1::LayOutStationLines() {
  int top = kStationLinesTop;
  // The radio line is made before the CW line, which may not be there yet.
  if (RadioLabel && !RadioLabel->isHidden()) {
    RadioLabel->move(16, top);
    top += kStationLineHeight;
  }
  if (CwLabel) {
    // Without a keyer the line comes only to say why a key sent nothing.
    const bool shown = cw_settings_.keyer != CwKeyer::kNone || !CwLabel->text().isEmpty();
    CwLabel->setVisible(shown);
    CwLabel->move(16, top);
    if (shown) top += kStationLineHeight;
  }
  setFixedSize(686, kWindowHeight + top - kStationLinesTop);
}

bool TForm1::SaveCwSettingsFromDialog(const CwSettings& settings) {
  // Unchanged settings are not written: a file without a [cw] group stays without one.
  if (settings == cw_settings_) return true;
  if (IoStatus status =
          SaveCwSettings(*environment_.file_steps, environment_.data_directory, settings)) {
    ShowIoError(*status);
    return false;
  }
  UseCwSettings(settings);
  return true;
}

}  // namespace zt
