#include "station/ui/cw_settings_page.h"

#include <QFormLayout>
#include <QLabel>

#include "app/widgets.h"

namespace zt {

CwSettingsPage::CwSettingsPage(QWidget* parent) : QWidget(parent) {
  setObjectName("CwSettingsPage");
  auto* form = new QFormLayout(this);
  const auto add = [this, form](const char* heading, QWidget* field) {
    auto* label = new QLabel(QString::fromUtf8(heading), this);
    label->setBuddy(field);
    form->addRow(label, field);
  };
  KeyerBox = new QComboBox(this);
  KeyerBox->setObjectName("KeyerBox");
  KeyerBox->addItems({QStringLiteral("brak"), QStringLiteral("cwdaemon"),
                      QStringLiteral("rigctld (klucz radia)")});
  add("&Klucz CW", KeyerBox);
  HostEdit = new QLineEdit(this);
  HostEdit->setObjectName("HostEdit");
  add("&Adres cwdaemon", HostEdit);
  PortBox = new QSpinBox(this);
  PortBox->setObjectName("PortBox");
  PortBox->setRange(1, 65535);
  add("&Port cwdaemon", PortBox);
  WpmBox = new QSpinBox(this);
  WpmBox->setObjectName("WpmBox");
  WpmBox->setRange(kMinimumWpm, kMaximumWpm);
  WpmBox->setSuffix(QStringLiteral(" WPM"));
  add("&Szybkość", WpmBox);
  CutReportBox = new QCheckBox(QStringLiteral("Skróty cyfr w raporcie (599 jako 5NN)"), this);
  CutReportBox->setObjectName("CutReportBox");
  form->addRow(CutReportBox);
  CutGroupBox =
      new QCheckBox(QStringLiteral("Skróty cyfr w grupie kontrolnej (0 jako T, 9 jako N)"), this);
  CutGroupBox->setObjectName("CutGroupBox");
  form->addRow(CutGroupBox);
  for (int i = 0; i < kCwMessageCount; ++i) {
    MessageEdits[i] = new QLineEdit(this);
    MessageEdits[i]->setObjectName(QStringLiteral("MessageEdit%1").arg(i + 1));
    MessageEdits[i]->setToolTip(QStringLiteral("Pola: {MYCALL} {CALL} {RST} {NR}"));
    SetFieldRules(MessageEdits[i], true);
    const QByteArray heading = "F" + QByteArray::number(i + 1);
    add(heading.constData(), MessageEdits[i]);
  }
}

void CwSettingsPage::Show(const CwSettings& settings) {
  KeyerBox->setCurrentIndex(static_cast<int>(settings.keyer));
  HostEdit->setText(QString::fromStdString(settings.host));
  PortBox->setValue(settings.port);
  WpmBox->setValue(settings.wpm);
  CutReportBox->setChecked(settings.cut_report);
  CutGroupBox->setChecked(settings.cut_group);
  for (int i = 0; i < kCwMessageCount; ++i)
    MessageEdits[i]->setText(FromCore(settings.messages[i]));
}

CwSettings CwSettingsPage::Settings() const {
  // Through the file's own checks, so the page never holds what the file would refuse.
  std::map<std::string, std::string, std::less<>> values = {
      {"keyer", std::string(KeyerName(static_cast<CwKeyer>(KeyerBox->currentIndex())))},
      {"host", ToCore(HostEdit->text())},
      {"port", std::to_string(PortBox->value())},
      {"wpm", std::to_string(WpmBox->value())},
      {"cut_report", CutReportBox->isChecked() ? "true" : "false"},
      {"cut_group", CutGroupBox->isChecked() ? "true" : "false"},
  };
  for (int i = 0; i < kCwMessageCount; ++i) {
    values["F" + std::to_string(i + 1)] = ToCore(MessageEdits[i]->text());
  }
  return ReadCwSettings(values);
}

}  // namespace zt
