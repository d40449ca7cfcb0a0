#include "station/ui/cw_radio_file.h"

#include <QFile>

#include "app/widgets.h"
#include "station/radio_file.h"

namespace zt {

namespace {

constexpr char kCwGroup[] = "cw";

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

// The file as groups; a missing or unreadable file has none.
IniDocument ReadDocument(const std::filesystem::path& radio_file) {
  QFile file(PathText(radio_file));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray content = file.readAll();
  return ParseIni(std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
}

}  // namespace

std::filesystem::path RadioFilePath(const std::filesystem::path& data_directory) {
  return data_directory / kRadioFileName;
}

CwSettings LoadCwSettings(const std::filesystem::path& radio_file,
                          std::vector<std::string>* rejected) {
  const IniDocument document = ReadDocument(radio_file);
  std::map<std::string, std::string, std::less<>> values;
  if (const auto group = document.find(kCwGroup); group != document.end()) {
    // The file is UTF-8; the messages are core text.
    for (const auto& [key, value] : group->second) {
      values[key] = ToCore(QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    }
  }
  return ReadCwSettings(values, rejected);
}

IoStatus SaveCwSettings(const FileSteps& steps, const std::filesystem::path& data_directory,
                        const CwSettings& settings) {
  const std::filesystem::path radio_file = RadioFilePath(data_directory);
  IniDocument document = ReadDocument(radio_file);
  IniGroup& group = document[kCwGroup];
  for (const auto& [key, value] : CwSettingsValues(settings)) {
    std::string text = FromCore(value).toUtf8().toStdString();
    bool replaced = false;
    for (auto& [name, old_value] : group) {
      if (name == key) {
        old_value = text;
        replaced = true;
      }
    }
    if (!replaced) group.emplace_back(key, std::move(text));
  }
  // The other groups and keys stay; the file is replaced whole, as the radio's own group is.
  return ReplaceFileAtomically(steps, radio_file, data_directory / kRadioTemporaryFileName,
                               FormatIni(document));
}

RigctldAddress LoadRigctldAddress(const std::filesystem::path& radio_file) {
  const RigctldSettings rig = ReadRigctldGroup(ReadDocument(radio_file)).settings;
  return {QString::fromStdString(rig.host), rig.port};
}

}  // namespace zt
