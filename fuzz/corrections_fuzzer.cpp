// The correction commands' core on any file line and any typed value: a correction writes its
// own columns and nothing else.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "corrections/qso_correction.h"
#include "fuzz/fuzz_check.h"

namespace {

struct Span {
  std::size_t first;
  std::size_t last;
};

Span ColumnsOf(zt::CorrectedField field) {
  switch (field) {
    case zt::CorrectedField::kDate:
      return {1, 10};
    case zt::CorrectedField::kTime:
      return {12, 15};
    case zt::CorrectedField::kSentGroup:
      return {28, 33};
    case zt::CorrectedField::kCallsign:
      return {35, 50};
    case zt::CorrectedField::kReceivedGroup:
      return {55, 67};
  }
  return {0, 0};
}

// Outside the given columns the corrected line is the old one, padded with blanks where the old
// line was shorter.
void CheckOnlyColumnsChanged(const std::string& before, const std::string& after,
                             std::initializer_list<Span> changed) {
  std::size_t width = before.size();
  for (const Span& span : changed) width = std::max(width, span.last);
  ZT_FUZZ_CHECK(after.size() == width);
  for (std::size_t column = 1; column <= width; ++column) {
    const bool inside = std::any_of(changed.begin(), changed.end(), [column](const Span& span) {
      return column >= span.first && column <= span.last;
    });
    if (inside) continue;
    const char old_character = column <= before.size() ? before[column - 1] : ' ';
    ZT_FUZZ_CHECK(after[column - 1] == old_character);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto field = static_cast<zt::CorrectedField>(input.ConsumeIntegralInRange(0, 4));
  const zt::Round round = input.ConsumeBool() ? zt::Round::kVhf : zt::Round::kShortWave;
  const int mode_choice = input.ConsumeIntegralInRange(-1, 2);
  const std::string typed = input.ConsumeRandomLengthString(40);
  const std::string line = input.ConsumeRemainingBytesAsString();

  // Cancel returns the pre-filled value, which must count as no change.
  const std::string current = zt::CurrentValue(field, line);
  ZT_FUZZ_CHECK(zt::IsUnchanged(field, line, current));

  std::string value = zt::PreparedValue(field, typed);
  if (field == zt::CorrectedField::kReceivedGroup) {
    const zt::ReceivedGroupCheck check = zt::CheckCorrectedReceivedGroup(value, round);
    ZT_FUZZ_CHECK(check.locator.size() <= 6);
    value = check.value;
  }
  zt::CheckCorrectedDate(value);
  zt::CheckCorrectedTime(value);

  const Span span = ColumnsOf(field);
  const std::string corrected = zt::ApplyCorrection(field, line, value);
  CheckOnlyColumnsChanged(line, corrected, {span});

  const std::string remoded = zt::ApplyModeChoice(line, mode_choice);
  if (mode_choice == 0 || mode_choice == 1) {
    CheckOnlyColumnsChanged(line, remoded, {{21, 22}, {26, 26}, {53, 53}});
    ZT_FUZZ_CHECK(remoded.substr(20, 2) == (mode_choice == 0 ? "CW" : "PH"));
  } else {
    ZT_FUZZ_CHECK(remoded == line);
  }
  return 0;
}
