#pragma once

// The radio file beside the program, zawody_teltolmowe_radio.ini: Qt's INI format in UTF-8, one
// group per daemon the program talks to. Each group is read and written by its own pair of
// functions, so another daemon's group is added beside [rigctld] without touching it.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/file_io.h"

namespace zt {

inline constexpr char kRadioFileName[] = "zawody_teltolmowe_radio.ini";
// The new content is written here first, so a failed save leaves the old file whole.
inline constexpr char kRadioTemporaryFileName[] = "zawody_teltolmowe_radio.in~";

// An INI file as groups of keys in their order. Keys are compared as written, as Qt does.
using IniGroup = std::vector<std::pair<std::string, std::string>>;
using IniDocument = std::map<std::string, IniGroup>;

// "[name]" lines open groups, "key=value" lines fill them; blanks around both are dropped, as
// are comment lines (";" or "#"), a UTF-8 byte-order mark and the quotes round a quoted value.
IniDocument ParseIni(std::string_view content);
// The groups in the document's order, each followed by an empty line; LF line ends, as Qt writes.
std::string FormatIni(const IniDocument& document);
// The value of `key` in `group`, or nothing.
const std::string* IniValue(const IniGroup& group, std::string_view key);

// The [rigctld] group: whether the program follows the radio, and where the daemon listens.
struct RigctldSettings {
  bool enabled = false;
  std::string host = "localhost";
  std::uint16_t port = 4532;

  bool operator==(const RigctldSettings&) const = default;
};

// A value the program cannot use; the window words the message.
enum class RadioFileProblem {
  kBadEnabled,  // "enabled" is neither true nor false
  kBadHost,     // "host" is empty, too long or holds characters no host name has
  kBadPort,     // "port" is no whole number from 1 to 65535
};

// Whether a host name typed or read can be used: letters, digits and ". - _ :" (an IPv6
// address), 1 to 253 characters.
bool HostIsValid(std::string_view host);
// The port as typed or read; nothing outside 1-65535.
std::optional<std::uint16_t> PortOf(std::string_view text);

struct RigctldGroup {
  RigctldSettings settings;  // the defaults when any value is bad: a half-read group could
                             // point a running radio at a wrong port
  std::vector<RadioFileProblem> problems;
};

// A missing group or key is the default without a problem.
RigctldGroup ReadRigctldGroup(const IniDocument& document);
void WriteRigctldGroup(IniDocument& document, const RigctldSettings& settings);

// Everything the radio file holds.
struct RadioSettings {
  RigctldSettings rigctld;
};

struct LoadedRadioSettings {
  RadioSettings settings;
  std::vector<RadioFileProblem> problems;
};

LoadedRadioSettings ParseRadioSettings(std::string_view content);
// Keeps the groups and keys of `previous` that these settings do not hold, so a file written by
// a later version keeps what it added.
std::string FormatRadioSettings(const RadioSettings& settings, std::string_view previous = {});

// A missing file reads as the defaults.
IoResult<LoadedRadioSettings> ReadRadioFile(const FileSteps& steps,
                                            const std::filesystem::path& data_directory);
// Replaces the file through the temporary file and one atomic rename.
IoStatus WriteRadioFile(const FileSteps& steps, const std::filesystem::path& data_directory,
                        const RadioSettings& settings);

}  // namespace zt
