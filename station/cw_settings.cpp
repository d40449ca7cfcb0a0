#include "station/cw_settings.h"

#include <optional>

#include "core/text.h"
#include "core/whole_number.h"

namespace zt {

namespace {

std::optional<bool> ReadBool(std::string_view text) {
  const std::string value = ToLowerAscii(TrimBlanks(text));
  if (value == "true" || value == "1" || value == "yes") return true;
  if (value == "false" || value == "0" || value == "no") return false;
  return std::nullopt;
}

std::optional<int> ReadDecimal(std::string_view text) {
  const std::string value = TrimBlanks(text);
  // Only decimal digits: the whole-number rule would also take "$1F".
  if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return ToWholeNumber(value);
}

}  // namespace

std::string_view KeyerName(CwKeyer keyer) {
  switch (keyer) {
    case CwKeyer::kCwdaemon:
      return "cwdaemon";
    case CwKeyer::kRigctld:
      return "rigctld";
    case CwKeyer::kNone:
      break;
  }
  return "none";
}

CwSettings ReadCwSettings(const std::map<std::string, std::string, std::less<>>& values,
                          std::vector<std::string>* rejected) {
  CwSettings settings;
  const auto reject = [rejected](std::string_view key) {
    if (rejected) rejected->emplace_back(key);
  };
  const auto value = [&values](std::string_view key) -> const std::string* {
    const auto found = values.find(key);
    return found == values.end() ? nullptr : &found->second;
  };

  if (const std::string* keyer = value("keyer")) {
    const std::string name = ToLowerAscii(TrimBlanks(*keyer));
    if (name == "cwdaemon") {
      settings.keyer = CwKeyer::kCwdaemon;
    } else if (name == "rigctld") {
      settings.keyer = CwKeyer::kRigctld;
    } else if (name != "none") {
      reject("keyer");
    }
  }
  if (const std::string* host = value("host")) {
    const std::string trimmed = TrimBlanks(*host);
    // A host name or address: no blank or control character inside.
    if (trimmed.empty() || trimmed.find_first_of(" \t\r\n") != std::string::npos) {
      reject("host");
    } else {
      settings.host = trimmed;
    }
  }
  if (const std::string* port = value("port")) {
    const std::optional<int> number = ReadDecimal(*port);
    if (number && *number >= 1 && *number <= 65535) {
      settings.port = *number;
    } else {
      reject("port");
    }
  }
  if (const std::string* wpm = value("wpm")) {
    const std::optional<int> number = ReadDecimal(*wpm);
    if (!number || ClampWpm(*number) != *number) reject("wpm");
    if (number) settings.wpm = ClampWpm(*number);
  }
  for (const auto& [key, flag] : {std::pair<const char*, bool*>{"cut_report", &settings.cut_report},
                                  {"cut_group", &settings.cut_group}}) {
    if (const std::string* text = value(key)) {
      if (const std::optional<bool> read = ReadBool(*text)) {
        *flag = *read;
      } else {
        reject(key);
      }
    }
  }
  for (int i = 0; i < kCwMessageCount; ++i) {
    const std::string key = "F" + std::to_string(i + 1);
    // A line end would end the keyer's command; the rest is the operator's to choose.
    if (const std::string* message = value(key))
      settings.messages[i] = RemoveControlCharacters(*message);
  }
  return settings;
}

std::map<std::string, std::string, std::less<>> CwSettingsValues(const CwSettings& settings) {
  std::map<std::string, std::string, std::less<>> values = {
      {"keyer", std::string(KeyerName(settings.keyer))},
      {"host", settings.host},
      {"port", std::to_string(settings.port)},
      {"wpm", std::to_string(settings.wpm)},
      {"cut_report", settings.cut_report ? "true" : "false"},
      {"cut_group", settings.cut_group ? "true" : "false"},
  };
  for (int i = 0; i < kCwMessageCount; ++i) {
    values["F" + std::to_string(i + 1)] = settings.messages[i];
  }
  return values;
}

}  // namespace zt
