#include "station/ui/cw_radio_file.h"

#include <QSettings>
#include <QStringList>

#include "app/widgets.h"

namespace zt {

namespace {

QSettings Open(const std::filesystem::path& radio_file) {
  return QSettings(QString::fromStdU16String(radio_file.u16string()), QSettings::IniFormat);
}

// QSettings reads an unquoted value with commas as a list; a message like "TU, 73" is one text.
QString TextOf(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ");
  return value.toString();
}

}  // namespace

std::filesystem::path RadioFilePath(const std::filesystem::path& data_directory) {
  return data_directory / "zawody_teltolmowe_radio.ini";
}

CwSettings LoadCwSettings(const std::filesystem::path& radio_file,
                          std::vector<std::string>* rejected) {
  QSettings file = Open(radio_file);
  file.beginGroup(QStringLiteral("cw"));
  std::map<std::string, std::string, std::less<>> values;
  for (const QString& key : file.childKeys()) {
    values[key.toStdString()] = ToCore(TextOf(file.value(key)));
  }
  return ReadCwSettings(values, rejected);
}

bool SaveCwSettings(const std::filesystem::path& radio_file, const CwSettings& settings) {
  QSettings file = Open(radio_file);
  file.beginGroup(QStringLiteral("cw"));
  for (const auto& [key, value] : CwSettingsValues(settings)) {
    file.setValue(QString::fromStdString(key), FromCore(value));
  }
  file.endGroup();
  file.sync();
  return file.status() == QSettings::NoError;
}

RigctldAddress LoadRigctldAddress(const std::filesystem::path& radio_file) {
  QSettings file = Open(radio_file);
  RigctldAddress address;
  address.host = file.value(QStringLiteral("rigctld/host"), address.host).toString().trimmed();
  bool number = false;
  const int port = file.value(QStringLiteral("rigctld/port")).toInt(&number);
  if (number && port >= 1 && port <= 65535) address.port = port;
  if (address.host.isEmpty()) address.host = RigctldAddress{}.host;
  return address;
}

}  // namespace zt
