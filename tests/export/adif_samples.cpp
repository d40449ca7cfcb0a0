// Writes ADIF files made by the exporter, and beside them "expected.json" with the field values
// every record must carry, so that an independent ADIF reader can check what it reads back.
// Usage: adif_samples OUTPUT_DIRECTORY

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "export/adif.h"

namespace zt {
namespace {

using Record = std::map<std::string, std::string>;  // field name in lower case -> value

struct Sample {
  const char* file;
  Round round;
  AdifOptions options;
  std::vector<std::string> log_lines;
  std::vector<Record> records;
};

const char kHeaderText[] = "ADIF 2.0\r\nWygenerowane przez program Zawody Telt\xF3lmowe";

// The QSO fields of a record; the optional fields are added by the caller.
Record Qso(const char* time_on, const char* band, const char* mode, const char* call,
           const char* rst_rcvd, const char* srx, const char* rst_sent, const char* stx) {
  Record record = {
      {"qso_date", "20261206"}, {"time_on", time_on}, {"band", band},         {"call", call},
      {"rst_rcvd", rst_rcvd},   {"srx", srx},         {"rst_sent", rst_sent}, {"stx", stx}};
  if (*mode != '\0') record["mode"] = mode;
  return record;
}

Record With(Record record, const Record& more) {
  record.insert(more.begin(), more.end());
  return record;
}

std::vector<Sample> Samples() {
  const std::string comment =
      "  tnx <5nn> \xA3\xF3"
      "d\xBC ";  // leading blanks, a tag, Polish letters
  const Record short_wave_options = {
      {"comment", comment}, {"operator", "QQ2XYZ"}, {"contest_id", "ZAWODY TELT\xD3LMOWE 2026"}};
  const Record vhf_options = {{"operator", "QQ2XYZ/P"}};

  std::vector<Sample> samples;
  samples.push_back(Sample{
      "shortwave.adi",
      Round::kShortWave,
      AdifOptions{comment, " QQ2XYZ\t", "ZAWODY TELT\xD3LMOWE 2026"},
      {
          "2026-12-06 1205 80M CW 599     12 QQ1ABC          599          34  10",
          "2026-12-06 1206 80M PH 59       O QQ3DEF/P        57            B  DUPE",
          "",
          "2026-12-06 1207 80M XX 59      13 QQ4GHI          59            7  CTRL",
          "2026-12-06 1208 80M CW 599     14 QQ9/QQ1ABCD/QRPP599         DG1  10",
          "2026-12-06 1210 80M CW 599     15 QQ5JKL",
      },
      {
          With(Qso("120500", "80M", "CW", "QQ1ABC", "599", "34", "599", "12"), short_wave_options),
          With(Qso("120600", "80M", "SSB", "QQ3DEF/P", "57", "B", "59", "O"), short_wave_options),
          With(Qso("120700", "80M", "", "QQ4GHI", "59", "7", "59", "13"), short_wave_options),
          With(Qso("120800", "80M", "CW", "QQ9/QQ1ABCD/QR", "599", "DG1", "599", "14"),
               short_wave_options),
          With(Qso("121000", "80M", "CW", "QQ5JKL", "", "", "599", "15"), short_wave_options),
      },
  });
  samples.push_back(Sample{
      "vhf.adi",
      Round::kVhf,
      AdifOptions{"", "QQ2XYZ/P", ""},
      {
          "2026-12-06 1310  2M FM 59       7 QQ1ABC          59    003JO90AB  312+50",
          "2026-12-06 1311  2M FM 59       8 QQ3DEF          59         JO90  RPRT",
          "2026-12-06 1312  2M FM 59       9 QQ4GHI          59       JO90AB  RPRT",
          "2026-12-06 1313  2M FM 59      10 QQ5JKL          59  12345JO91CD  120",
          "2026-12-06 1314  2M FM 59      11 QQ6MNO          59          123  RPRT",
      },
      {
          With(Qso("131000", "2M", "FM", "QQ1ABC", "59", "003", "59", "7"), vhf_options),
          With(Qso("131100", "2M", "FM", "QQ3DEF", "59", "", "59", "8"), vhf_options),
          With(Qso("131200", "2M", "FM", "QQ4GHI", "59", "", "59", "9"), vhf_options),
          With(Qso("131300", "2M", "FM", "QQ5JKL", "59", "12345", "59", "10"), vhf_options),
          With(Qso("131400", "2M", "FM", "QQ6MNO", "59", "", "59", "11"), vhf_options),
      },
  });
  samples[1].records[0]["gridsquare"] = "JO90AB";
  samples[1].records[1]["gridsquare"] = "JO90";
  samples[1].records[2]["gridsquare"] = "JO90AB";
  samples[1].records[3]["gridsquare"] = "JO91CD";
  samples[1].records[4]["gridsquare"] = "123";
  samples.push_back(Sample{"empty.adi", Round::kShortWave, AdifOptions{}, {}, {}});
  return samples;
}

// JSON strings hold the file's bytes as Latin-1 code points, the way the reader decodes them.
std::string JsonString(std::string_view bytes) {
  std::string json = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      json += escape;
    } else {
      json += c;
    }
  }
  return json + '"';
}

std::string ExpectedJson(const std::vector<Sample>& samples) {
  std::string json = "[\n";
  for (std::size_t s = 0; s < samples.size(); ++s) {
    const Sample& sample = samples[s];
    json += "  {\"file\": " + JsonString(sample.file) + ", \"header\": " + JsonString(kHeaderText) +
            ", \"records\": [";
    for (std::size_t r = 0; r < sample.records.size(); ++r) {
      json += r == 0 ? "\n    {" : ",\n    {";
      bool first = true;
      for (const auto& [name, value] : sample.records[r]) {
        json += (first ? "" : ", ") + JsonString(name) + ": " + JsonString(value);
        first = false;
      }
      json += "}";
    }
    json += sample.records.empty() ? "]}" : "\n  ]}";
    json += s + 1 < samples.size() ? ",\n" : "\n";
  }
  return json + "]\n";
}

int Run(const std::filesystem::path& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) {
    std::fprintf(stderr, "%s: %s\n", directory.c_str(), error.message().c_str());
    return 1;
  }
  const std::vector<Sample> samples = Samples();
  for (const Sample& sample : samples) {
    const std::string text = AdifText(sample.log_lines, sample.round, sample.options);
    if (IoStatus status = WriteFileDurably(FileSteps::System(), directory / sample.file, text)) {
      std::fprintf(stderr, "%s: %s\n", status->path.c_str(), status->reason.c_str());
      return 1;
    }
  }
  if (IoStatus status = WriteFileDurably(FileSteps::System(), directory / "expected.json",
                                         ExpectedJson(samples))) {
    std::fprintf(stderr, "%s: %s\n", status->path.c_str(), status->reason.c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace zt

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  return zt::Run(argv[1]);
}
