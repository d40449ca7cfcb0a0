// The Cabrillo QSO line and the ADIF record of any log line: fixed columns in one, and in the
// other fields whose stated lengths an ADIF reader can follow to "<EOR>".

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "export/adif.h"
#include "export/cabrillo.h"
#include "fuzz/fuzz_check.h"

namespace {

// Reads "<NAME:length>value" fields by their lengths, as an ADIF reader does; true when the
// record ends in "<EOR>" exactly where the last field ends.
bool ReadsAsAdif(std::string_view record) {
  std::size_t at = 0;
  for (;;) {
    while (at < record.size() && record[at] == ' ') ++at;
    if (record.substr(at) == "<EOR>") return true;
    if (at >= record.size() || record[at] != '<') return false;
    const std::size_t colon = record.find(':', at);
    const std::size_t close = record.find('>', at);
    if (colon == std::string_view::npos || close == std::string_view::npos || colon > close) {
      return false;
    }
    std::size_t length = 0;
    for (std::size_t i = colon + 1; i < close; ++i) {
      if (record[i] < '0' || record[i] > '9') return false;
      length = length * 10 + static_cast<std::size_t>(record[i] - '0');
    }
    at = close + 1 + length;
    if (at > record.size()) return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const zt::Round round = input.ConsumeBool() ? zt::Round::kVhf : zt::Round::kShortWave;
  const std::string station = input.ConsumeRandomLengthString(20);
  const std::string own_locator = input.ConsumeRandomLengthString(10);
  const zt::AdifOptions options{input.ConsumeRandomLengthString(30),
                                input.ConsumeRandomLengthString(20),
                                input.ConsumeRandomLengthString(20)};
  const std::string line = input.ConsumeRemainingBytesAsString();

  const std::string qso = zt::CabrilloQsoLine(line, round, station, own_locator);
  ZT_FUZZ_CHECK(qso.rfind("QSO:  ", 0) == 0);
  // Mode, date and time, station, report, sent group, then the 34 columns of the log line.
  ZT_FUZZ_CHECK(qso.size() == (round == zt::Round::kVhf ? 94u : 88u));

  const std::string record = zt::AdifRecord(line, round, options);
  ZT_FUZZ_CHECK(ReadsAsAdif(record));
  if (line.find_first_of("\r\n") == std::string::npos &&
      (options.comment + options.operator_callsign + options.contest_id).find_first_of("\r\n") ==
          std::string::npos) {
    ZT_FUZZ_CHECK(record.find_first_of("\r\n") == std::string::npos);
  }
  return 0;
}
