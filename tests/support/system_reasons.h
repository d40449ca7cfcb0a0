#pragma once

// The system's own reasons for the failures that tests arrange with real files, as the file layer
// reports them: POSIX names them by errno, Windows by its own codes and texts.

#include <string>

namespace zt::testing {

// Opening a directory as a file.
std::string IsADirectoryReason();

// Opening a file that does not exist.
std::string NoSuchFileReason();

}  // namespace zt::testing
