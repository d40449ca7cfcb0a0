// The radio in the main window: the "Radio" dialog's key and button, the radio file at start-up,
// the status line's radio line, and the mode selector following the rig.

#include <QKeySequence>
#include <QShortcut>

#include "app/main_window.h"
#include "app/widgets.h"
#include "station/rig_reading.h"
#include "station/ui/radio_dialog.h"
#include "station/ui/rig_client.h"

namespace zt {

namespace {

// The radio line's first place; LayOutStationLines moves it and grows the window.
constexpr int kRadioLineTop = 474;

QString ProblemText(RadioFileProblem problem) {
  switch (problem) {
    case RadioFileProblem::kBadEnabled:
      return QStringLiteral("enabled: dozwolone są tylko true i false");
    case RadioFileProblem::kBadHost:
      return QStringLiteral("host: pusty lub ze znakami spoza nazwy komputera");
    case RadioFileProblem::kBadPort:
      return QStringLiteral("port: dozwolona jest liczba od 1 do 65535");
  }
  return {};
}

QString RadioLineText(const RigReading& reading, const RigctldSettings& settings, Round round) {
  const QString address = QStringLiteral("%1:%2").arg(FromCore(settings.host)).arg(settings.port);
  switch (reading.link) {
    case RigLink::kOff:
      return {};
    case RigLink::kConnecting:
      return QStringLiteral("Radio: łączenie z rigctld na %1").arg(address);
    case RigLink::kNotConnected:
      return QStringLiteral("Radio: brak połączenia z rigctld na %1").arg(address);
    case RigLink::kNoAnswer:
      return QStringLiteral("Radio: brak połączenia, rigctld na %1 nie odpowiada").arg(address);
    case RigLink::kGarbled:
      return QStringLiteral("Radio: brak połączenia, na %1 odpowiada program inny niż rigctld")
          .arg(address);
    case RigLink::kConnected:
      break;
  }
  QString text = QStringLiteral("Radio:");
  if (reading.frequency_hz)
    text += QLatin1Char(' ') + FromCore(FrequencyText(*reading.frequency_hz));
  if (reading.mode) text += QLatin1Char(' ') + FromCore(*reading.mode);
  if (!reading.frequency_hz && !reading.mode) text += QStringLiteral(" połączone z rigctld");
  const Band band = BandOf(round);
  if (reading.frequency_hz && !InBand(band, *reading.frequency_hz)) {
    text += QStringLiteral(" · UWAGA: poza pasmem %1 (%2-%3 kHz)")
                .arg(QString::fromUtf8(band.name))
                .arg(band.lowest_hz / 1000)
                .arg(band.highest_hz / 1000);
  }
  return text;
}

}  // namespace

void TForm1::CreateRadio() {
  RadioLabel = new QLabel(this);
  RadioLabel->setObjectName("RadioLabel");
  RadioLabel->setGeometry(16, kRadioLineTop, 649, 15);
  RadioLabel->setFocusPolicy(Qt::NoFocus);
  RadioLabel->setTextFormat(Qt::PlainText);
  RadioLabel->setAccessibleDescription("Radio");
  RadioLabel->hide();

  // In the free corner right of the status line; the mouse's way to the dialog, out of the tab
  // order, so that no control moves and the keys stay as they are.
  RadioButton = new QToolButton(this);
  RadioButton->setObjectName("RadioButton");
  RadioButton->setGeometry(667, 456, 17, 17);
  RadioButton->setText("R");
  RadioButton->setAutoRaise(true);
  RadioButton->setFocusPolicy(Qt::NoFocus);
  RadioButton->setToolTip("Radio (Ctrl+R): połączenie z rigctld");
  RadioButton->setAccessibleName("Radio");
  connect(RadioButton, &QToolButton::clicked, this, [this] { RadioButtonClick(); });

  RadioShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
  RadioShortcut->setObjectName("RadioShortcut");
  RadioShortcut->setContext(Qt::WindowShortcut);
  connect(RadioShortcut, &QShortcut::activated, this, [this] { RadioButtonClick(); });

  rig_client_ = new RigClient(this);
  connect(rig_client_, &RigClient::ReadingChanged, this, [this] { RigReadingChanged(); });
  radio_dialog_ = new RadioDialog(*this);
}

void TForm1::StartRadio() {
  IoResult<LoadedRadioSettings> loaded =
      ReadRadioFile(*environment_.file_steps, environment_.data_directory);
  if (!loaded.ok()) {
    ShowIoError(loaded.error());
    return;
  }
  if (!loaded.value().problems.empty()) {
    QStringList problems;
    for (RadioFileProblem problem : loaded.value().problems) problems << ProblemText(problem);
    prompts().Show(ErrorMessage(
        QStringLiteral("Plik ustawień radia %1 zawiera nieprawidłowe wartości w grupie "
                       "[rigctld]:\n%2\n\nProgram używa ustawień domyślnych (radio wyłączone). "
                       "Popraw je w oknie \"Radio\" (Ctrl+R).")
            .arg(QString::fromStdU16String(
                     (environment_.data_directory / kRadioFileName).u16string()),
                 problems.join(QLatin1Char('\n')))));
  }
  ApplyRadioSettings(loaded.value().settings);
}

void TForm1::RadioButtonClick() { radio_dialog_->ShowDialog(radio_settings_); }

bool TForm1::SaveRadioSettings(const RadioSettings& settings) {
  if (IoStatus status =
          WriteRadioFile(*environment_.file_steps, environment_.data_directory, settings)) {
    ShowIoError(*status);
    return false;
  }
  ApplyRadioSettings(settings);
  return true;
}

void TForm1::ApplyRadioSettings(const RadioSettings& settings) {
  radio_settings_ = settings;
  // A new connection follows the rig's mode it reports first.
  followed_rig_mode_.clear();
  RadioLabel->setVisible(settings.rigctld.enabled);
  LayOutStationLines();
  rig_client_->Configure(settings.rigctld);
  ShowRadio();
}

void TForm1::ShowRadio() {
  RadioLabel->setText(
      RadioLineText(rig_client_->reading(), radio_settings_.rigctld, RoundOf(contest_category_)));
}

void TForm1::RigReadingChanged() {
  ShowRadio();
  const std::optional<std::string>& rig_mode = rig_client_->reading().mode;
  // Only a change of the rig's mode moves the selector: the operator's own choice stays until
  // the rig's mode changes again.
  if (!rig_mode || *rig_mode == followed_rig_mode_) return;
  followed_rig_mode_ = *rig_mode;
  const std::optional<std::string> item = LoggerModeOf(*rig_mode);
  if (!item) return;
  const int index = ComboBox2->findText(FromCore(*item));
  if (index < 0 || index == ComboBox2->currentIndex()) return;
  ComboBox2->setCurrentIndex(index);
  ComboBox2Change();
}

}  // namespace zt
