#include "station/radio_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "tests/support/scripted_file_steps.h"
#include "tests/support/temp_dir.h"

namespace zt {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(RadioFile, ReadsWhatQtWritesAndWritesWhatQtReads) {
  const LoadedRadioSettings loaded = ParseRadioSettings(
      "\xEF\xBB\xBF[rigctld]\r\nenabled=true\r\nhost = radio.local \r\n"
      "port=\"4533\"\r\n");
  EXPECT_TRUE(loaded.problems.empty());
  EXPECT_EQ(loaded.settings.rigctld, (RigctldSettings{true, "radio.local", 4533}));
  EXPECT_EQ(FormatRadioSettings(loaded.settings),
            "[rigctld]\nenabled=true\nhost=radio.local\nport=4533\n\n");
}

TEST(RadioFile, MissingGroupOrKeysAreTheDefaults) {
  for (const char* content : {"", "[rigctld]\n", "; comment\n[other]\nport=1\n"}) {
    const LoadedRadioSettings loaded = ParseRadioSettings(content);
    EXPECT_TRUE(loaded.problems.empty()) << content;
    EXPECT_EQ(loaded.settings.rigctld, RigctldSettings{}) << content;
  }
  EXPECT_EQ(ParseRadioSettings("[rigctld]\nport=4000\n").settings.rigctld,
            (RigctldSettings{false, "localhost", 4000}));
}

TEST(RadioFile, ABadValueGivesItsProblemAndTheWholeGroupsDefaults) {
  struct Case {
    const char* content;
    std::vector<RadioFileProblem> problems;
  };
  const Case kCases[] = {
      {"[rigctld]\nenabled=yes\nport=4000\n", {RadioFileProblem::kBadEnabled}},
      {"[rigctld]\nenabled=true\nhost=\n", {RadioFileProblem::kBadHost}},
      {"[rigctld]\nenabled=true\nhost=a b\n", {RadioFileProblem::kBadHost}},
      {"[rigctld]\nenabled=true\nport=0\n", {RadioFileProblem::kBadPort}},
      {"[rigctld]\nenabled=true\nport=65536\n", {RadioFileProblem::kBadPort}},
      {"[rigctld]\nenabled=true\nport=$10\n", {RadioFileProblem::kBadPort}},
      {"[rigctld]\nenabled=2\nhost=x;y\nport=-1\n",
       {RadioFileProblem::kBadEnabled, RadioFileProblem::kBadHost, RadioFileProblem::kBadPort}},
  };
  for (const Case& c : kCases) {
    const LoadedRadioSettings loaded = ParseRadioSettings(c.content);
    EXPECT_EQ(loaded.problems, c.problems) << c.content;
    EXPECT_EQ(loaded.settings.rigctld, RigctldSettings{}) << c.content;
  }
}

TEST(RadioFile, RewritingKeepsTheGroupsAndKeysItDoesNotKnow) {
  const std::string previous = "[cw]\nwpm=28\n\n[rigctld]\nenabled=false\nextra=1\nport=4532\n";
  EXPECT_EQ(FormatRadioSettings(RadioSettings{RigctldSettings{true, "::1", 4600}}, previous),
            "[cw]\nwpm=28\n\n[rigctld]\nenabled=true\nextra=1\nport=4600\nhost=::1\n\n");
}

TEST(RadioFile, IsWrittenAtomicallyAndAFailureLeavesTheOldFile) {
  TempDir dir;
  EXPECT_TRUE(ReadRadioFile(FileSteps::System(), dir.path()).ok());  // missing: defaults
  const RadioSettings on{RigctldSettings{true, "localhost", 4532}};
  ASSERT_FALSE(WriteRadioFile(FileSteps::System(), dir.path(), on));
  const std::string written = ReadFile(dir / kRadioFileName);

  testing::ScriptedFileSteps failing;
  failing.answer = [](IoStep step, const std::filesystem::path&) {
    return step == IoStep::kRename ? EACCES : 0;
  };
  const IoStatus failure = WriteRadioFile(failing, dir.path(), RadioSettings{});
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->path.filename(), kRadioFileName);
  EXPECT_EQ(ReadFile(dir / kRadioFileName), written);
  EXPECT_FALSE(std::filesystem::exists(dir / kRadioTemporaryFileName));
  EXPECT_EQ(ReadRadioFile(FileSteps::System(), dir.path()).value().settings.rigctld, on.rigctld);
}

}  // namespace
}  // namespace zt
