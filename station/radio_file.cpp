#include "station/radio_file.h"

#include <algorithm>

#include "core/text.h"
#include "core/whole_number.h"

namespace zt {

namespace {

constexpr char kRigctldGroup[] = "rigctld";

void SetIniValue(IniGroup& group, std::string_view key, std::string value) {
  for (auto& [name, old_value] : group) {
    if (name == key) {
      old_value = std::move(value);
      return;
    }
  }
  group.emplace_back(std::string(key), std::move(value));
}

// Qt's INI writer quotes a value only where it must; these values never need it.
std::string WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

IniDocument ParseIni(std::string_view content) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    content.remove_prefix(kByteOrderMark.size());
  }
  IniDocument document;
  // Qt puts keys before any group into [General].
  IniGroup* group = &document["General"];
  for (std::string_view line : LineViews(content)) {
    line = TrimmedView(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      group = &document[std::string(TrimmedView(line.substr(1, line.size() - 2)))];
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    SetIniValue(*group, TrimmedView(line.substr(0, equals)),
                WithoutQuotes(TrimmedView(line.substr(equals + 1))));
  }
  if (document["General"].empty()) document.erase("General");
  return document;
}

std::string FormatIni(const IniDocument& document) {
  std::string text;
  for (const auto& [name, group] : document) {
    text += '[' + name + "]\n";
    for (const auto& [key, value] : group) text += key + '=' + value + '\n';
    text += '\n';
  }
  return text;
}

const std::string* IniValue(const IniGroup& group, std::string_view key) {
  for (const auto& [name, value] : group) {
    if (name == key) return &value;
  }
  return nullptr;
}

bool HostIsValid(std::string_view host) {
  if (host.empty() || host.size() > 253) return false;
  return std::all_of(host.begin(), host.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_' || c == ':';
  });
}

std::optional<std::uint16_t> PortOf(std::string_view text) {
  text = TrimmedView(text);
  // Decimal only: "$10" would be a port no operator means.
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const std::optional<std::int32_t> port = ToWholeNumber(text);
  if (!port || *port < 1 || *port > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(*port);
}

RigctldGroup ReadRigctldGroup(const IniDocument& document) {
  RigctldGroup read;
  const auto found = document.find(kRigctldGroup);
  if (found == document.end()) return read;
  const IniGroup& group = found->second;
  RigctldSettings settings;
  if (const std::string* enabled = IniValue(group, "enabled")) {
    const std::string value = ToLowerAscii(*enabled);
    if (value == "true" || value == "1") {
      settings.enabled = true;
    } else if (value != "false" && value != "0") {
      read.problems.push_back(RadioFileProblem::kBadEnabled);
    }
  }
  if (const std::string* host = IniValue(group, "host")) {
    if (HostIsValid(*host)) {
      settings.host = *host;
    } else {
      read.problems.push_back(RadioFileProblem::kBadHost);
    }
  }
  if (const std::string* text = IniValue(group, "port")) {
    if (const std::optional<std::uint16_t> port = PortOf(*text)) {
      settings.port = *port;
    } else {
      read.problems.push_back(RadioFileProblem::kBadPort);
    }
  }
  if (read.problems.empty()) read.settings = settings;
  return read;
}

void WriteRigctldGroup(IniDocument& document, const RigctldSettings& settings) {
  IniGroup& group = document[kRigctldGroup];
  SetIniValue(group, "enabled", settings.enabled ? "true" : "false");
  SetIniValue(group, "host", settings.host);
  SetIniValue(group, "port", std::to_string(settings.port));
}

LoadedRadioSettings ParseRadioSettings(std::string_view content) {
  const IniDocument document = ParseIni(content);
  LoadedRadioSettings loaded;
  RigctldGroup rigctld = ReadRigctldGroup(document);
  loaded.settings.rigctld = rigctld.settings;
  loaded.problems = std::move(rigctld.problems);
  return loaded;
}

std::string FormatRadioSettings(const RadioSettings& settings, std::string_view previous) {
  IniDocument document = ParseIni(previous);
  WriteRigctldGroup(document, settings.rigctld);
  return FormatIni(document);
}

IoResult<LoadedRadioSettings> ReadRadioFile(const FileSteps& steps,
                                            const std::filesystem::path& data_directory) {
  const std::filesystem::path path = data_directory / kRadioFileName;
  if (!FileExists(path)) return LoadedRadioSettings{};
  IoResult<std::string> content = ReadWholeFile(steps, path);
  if (!content.ok()) return content.error();
  return ParseRadioSettings(content.value());
}

IoStatus WriteRadioFile(const FileSteps& steps, const std::filesystem::path& data_directory,
                        const RadioSettings& settings) {
  const std::filesystem::path path = data_directory / kRadioFileName;
  std::string previous;
  if (FileExists(path)) {
    IoResult<std::string> content = ReadWholeFile(steps, path);
    if (content.ok()) previous = std::move(content.value());
  }
  return ReplaceFileAtomically(steps, path, data_directory / kRadioTemporaryFileName,
                               FormatRadioSettings(settings, previous));
}

}  // namespace zt
