#include "station/ui/radio_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "app/widgets.h"
#include "core/text.h"
#include "station/rig_reading.h"
#include "station/ui/rig_client.h"

namespace zt {

namespace {

QString Address(const RigctldSettings& settings) {
  return QStringLiteral("%1:%2").arg(FromCore(settings.host)).arg(settings.port);
}

}  // namespace

RadioDialog::RadioDialog(TForm1& main_window) : QDialog(&main_window), main_window_(main_window) {
  setObjectName("RadioDialog");
  setWindowTitle("Radio");

  Tabs = new QTabWidget(this);
  Tabs->setObjectName("Tabs");
  RigPage = new QWidget;
  RigPage->setObjectName("RigPage");
  Tabs->addTab(RigPage, "&Radio");

  RigEnabled = new QCheckBox("Śledź radio przez rig&ctld (Hamlib)", RigPage);
  RigEnabled->setObjectName("RigEnabled");
  RigHostLabel = new QLabel("&Host:", RigPage);
  RigHostLabel->setObjectName("RigHostLabel");
  RigHost = new QLineEdit(RigPage);
  RigHost->setObjectName("RigHost");
  RigHost->setMaxLength(253);
  RigHostLabel->setBuddy(RigHost);
  RigPortLabel = new QLabel("&Port:", RigPage);
  RigPortLabel->setObjectName("RigPortLabel");
  RigPort = new QLineEdit(RigPage);
  RigPort->setObjectName("RigPort");
  RigPort->setMaxLength(5);
  RigPortLabel->setBuddy(RigPort);
  RigTest = new QPushButton("&Sprawdź połączenie", RigPage);
  RigTest->setObjectName("RigTest");
  RigTest->setAutoDefault(false);
  RigTestResult = new QLabel(RigPage);
  RigTestResult->setObjectName("RigTestResult");
  RigTestResult->setTextFormat(Qt::PlainText);
  RigTestResult->setWordWrap(true);
  RigTestResult->setMinimumWidth(320);
  RigTestResult->setAccessibleDescription("Wynik sprawdzenia połączenia");

  auto* grid = new QGridLayout(RigPage);
  grid->addWidget(RigEnabled, 0, 0, 1, 2);
  grid->addWidget(RigHostLabel, 1, 0);
  grid->addWidget(RigHost, 1, 1);
  grid->addWidget(RigPortLabel, 2, 0);
  grid->addWidget(RigPort, 2, 1);
  grid->addWidget(RigTest, 3, 1, Qt::AlignLeft);
  grid->addWidget(RigTestResult, 4, 0, 1, 2);
  grid->setRowStretch(5, 1);

  CwPage = new CwSettingsPage;
  Tabs->addTab(CwPage, "&CW");

  OkButton = new QPushButton("OK", this);
  OkButton->setObjectName("OkButton");
  OkButton->setDefault(true);
  CancelButton = new QPushButton("Anuluj", this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Tabs);
  layout->addLayout(buttons);

  connect(OkButton, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { reject(); });
  connect(RigTest, &QPushButton::clicked, this, [this] { TestClick(); });
}

void RadioDialog::ShowDialog(const RadioSettings& settings) {
  SetSettings(settings);
  RigTestResult->clear();
  Tabs->setCurrentWidget(RigPage);
  adjustSize();
  move(main_window_.geometry().center() - rect().center());
  show();
  raise();
  activateWindow();
  RigEnabled->setFocus();
}

void RadioDialog::SetSettings(const RadioSettings& settings) {
  RigEnabled->setChecked(settings.rigctld.enabled);
  RigHost->setText(FromCore(settings.rigctld.host));
  RigPort->setText(QString::number(settings.rigctld.port));
  CwPage->Show(main_window_.cw_settings());
}

void RadioDialog::Refuse(QLineEdit* field, const QString& reason) {
  RigTestResult->setText(reason);
  Tabs->setCurrentWidget(RigPage);
  field->setFocus();
  field->selectAll();
}

std::optional<RadioSettings> RadioDialog::Settings() {
  RadioSettings settings;
  settings.rigctld.enabled = RigEnabled->isChecked();
  const std::string host = TrimBlanks(ToCore(RigHost->text()));
  if (!HostIsValid(host)) {
    Refuse(RigHost,
           "Nieprawidłowy host: podaj nazwę lub adres komputera z rigctld, np. "
           "localhost.");
    return std::nullopt;
  }
  settings.rigctld.host = host;
  const std::optional<std::uint16_t> port = PortOf(ToCore(RigPort->text()));
  if (!port) {
    Refuse(RigPort, "Nieprawidłowy port: podaj liczbę od 1 do 65535 (rigctld: 4532).");
    return std::nullopt;
  }
  settings.rigctld.port = *port;
  return settings;
}

void RadioDialog::OkClick() {
  const std::optional<RadioSettings> settings = Settings();
  if (settings && main_window_.SaveRadioSettings(*settings) &&
      main_window_.SaveCwSettingsFromDialog(CwPage->Settings())) {
    accept();
  }
}

void RadioDialog::TestClick() {
  std::optional<RadioSettings> settings = Settings();
  if (!settings) return;
  delete probe_;
  RigctldSettings tried = settings->rigctld;
  tried.enabled = true;
  // One try: the answer or the fault ends it, there is no reconnect.
  probe_ = new RigClient(this, RigTiming{std::chrono::milliseconds(400),
                                         std::chrono::milliseconds(1000), std::chrono::hours(1)});
  RigClient* probe = probe_;
  RigTestResult->setText(QStringLiteral("Łączenie z rigctld na %1...").arg(Address(tried)));
  connect(probe, &RigClient::ReadingChanged, this, [this, probe, tried] {
    const RigReading& reading = probe->reading();
    QString result;
    switch (reading.link) {
      case RigLink::kOff:
      case RigLink::kConnecting:
        return;
      case RigLink::kConnected:
        result = reading.frequency_hz
                     ? QStringLiteral("rigctld na %1 odpowiada: radio na %2.")
                           .arg(Address(tried), FromCore(FrequencyText(*reading.frequency_hz)))
                     : QStringLiteral("rigctld na %1 odpowiada.").arg(Address(tried));
        break;
      case RigLink::kNotConnected:
        result = QStringLiteral("Brak połączenia z rigctld na %1.").arg(Address(tried));
        break;
      case RigLink::kNoAnswer:
        result = QStringLiteral("rigctld na %1 nie odpowiada.").arg(Address(tried));
        break;
      case RigLink::kGarbled:
        result = QStringLiteral("Pod adresem %1 odpowiada program, który nie jest rigctld.")
                     .arg(Address(tried));
        break;
    }
    RigTestResult->setText(result);
    probe_ = nullptr;
    probe->deleteLater();
  });
  probe->Configure(tried);
}

void RadioDialog::done(int result) {
  delete probe_;
  probe_ = nullptr;
  QDialog::done(result);
  main_window_.ShowAgain();
}

}  // namespace zt
