// The settings file reader on any content: whatever it reads is written back as twelve lines
// that read the same again, but for the control characters of a trusted file's lines, which
// are written as blanks.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/file_io.h"
#include "core/text.h"
#include "fuzz/fuzz_check.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const zt::LoadedSettings loaded = zt::ParseSettings(content);
  if (loaded.data.category_index) {
    ZT_FUZZ_CHECK(*loaded.data.category_index >= 0 && *loaded.data.category_index <= 7);
    ZT_FUZZ_CHECK(!loaded.damaged_category_line);
  }

  const std::string written = zt::FormatSettings(loaded.data);
  ZT_FUZZ_CHECK(zt::SplitLines(written).size() == 12);
  const zt::LoadedSettings again = zt::ParseSettings(written);
  const auto as_written = [](std::string text) {
    std::replace_if(text.begin(), text.end(), zt::IsControlCharacter, ' ');
    return text;
  };
  for (std::size_t n = 0; n < loaded.data.fields.size(); ++n) {
    ZT_FUZZ_CHECK(again.data.fields[n] == as_written(loaded.data.fields[n]));
  }
  ZT_FUZZ_CHECK(again.data.memo.size() == loaded.data.memo.size());
  for (std::size_t n = 0; n < loaded.data.memo.size(); ++n) {
    ZT_FUZZ_CHECK(again.data.memo[n] == as_written(loaded.data.memo[n]));
  }
  ZT_FUZZ_CHECK(zt::FormatSettings(again.data) == written);
  ZT_FUZZ_CHECK(again.data.category_index == loaded.data.category_index);
  ZT_FUZZ_CHECK(!again.damaged_category_line);
  return 0;
}
