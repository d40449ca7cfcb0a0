#pragma once

// The [cw] group of the radio file zawody_teltolmowe_radio.ini (Qt's INI format, UTF-8), beside
// the log. The file is the operator's to edit; what the keyer cannot take is read as its default.

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "station/cw_settings.h"

namespace zt {

std::filesystem::path RadioFilePath(const std::filesystem::path& data_directory);

// The settings of the [cw] group; the keys that held a wrong value are named in `rejected`.
CwSettings LoadCwSettings(const std::filesystem::path& radio_file,
                          std::vector<std::string>* rejected = nullptr);
// Writes the [cw] group through the temporary file and one rename, keeping the file's other
// groups.
IoStatus SaveCwSettings(const FileSteps& steps, const std::filesystem::path& data_directory,
                        const CwSettings& settings);

// Where the radio's rigctld listens (its [rigctld] group), which the rig's keyer goes through.
struct RigctldAddress {
  QString host;
  int port = 0;
};
RigctldAddress LoadRigctldAddress(const std::filesystem::path& radio_file);

}  // namespace zt
