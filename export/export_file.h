#pragma once

// What the Cabrillo and ADIF exports share: the file name and the way the file is written.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/file_io.h"

namespace zt {

// The station callsign in lower case (A-Z only) with every "/" and "\" replaced by "_".
std::string ExportBaseName(std::string_view station_callsign);

// Writes the whole text through a temporary file beside it and one atomic rename, so an export
// that fails part-way never leaves a file that looks complete; an existing file is replaced.
IoStatus WriteExportFile(const FileSteps& steps, const std::filesystem::path& path,
                         std::string_view text);

}  // namespace zt
