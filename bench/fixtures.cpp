#include "bench/fixtures.h"

#include <map>
#include <memory>
#include <utility>

namespace zt::bench {

const DataDirectory& DirectoryFor(int qso_count, Round round) {
  static std::map<std::pair<int, Round>, std::unique_ptr<DataDirectory>> directories;
  std::unique_ptr<DataDirectory>& directory = directories[{qso_count, round}];
  if (!directory) directory = std::make_unique<DataDirectory>(qso_count, round);
  return *directory;
}

}  // namespace zt::bench
