#include "export/export_file.h"

#include <algorithm>

#include "core/text.h"

namespace zt {

std::string ExportBaseName(std::string_view station_callsign) {
  std::string name = ToLowerAscii(station_callsign);
  std::replace_if(
      name.begin(), name.end(), [](char c) { return c == '/' || c == '\\'; }, '_');
  return name;
}

IoStatus WriteExportFile(const FileSteps& steps, const std::filesystem::path& path,
                         std::string_view text) {
  return ReplaceFileAtomically(steps, path, FreshTemporaryBeside(path), text);
}

}  // namespace zt
