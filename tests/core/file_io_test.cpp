#include "core/file_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/platform_file.h"
#include "core/text.h"
#include "tests/support/temp_dir.h"

namespace zt {
namespace {

// The plain definition: every CR LF, lone CR and lone LF ends a line; the end of the text ends the
// last line only when something stands in it.
std::vector<std::string> ReferenceLines(const std::string& content) {
  std::vector<std::string> lines;
  std::string line;
  bool pending = false;
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      pending = false;
      if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
    } else {
      line += c;
      pending = true;
    }
  }
  if (pending) lines.push_back(line);
  return lines;
}

std::vector<std::string> ViewsAsStrings(const std::string& content) {
  std::vector<std::string> lines;
  for (std::string_view view : LineViews(content)) lines.emplace_back(view);
  return lines;
}

TEST(LineViews, AnyMixOfLineEnds_SplitsAsTheDefinitionSays) {
  struct Case {
    const char* name;
    std::string content;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"empty text", "", {}},
      {"CR LF lines", "a\r\nb\r\n", {"a", "b"}},
      {"last line without its end", "a\r\nb", {"a", "b"}},
      {"lone LF and lone CR", "a\nb\rc", {"a", "b", "c"}},
      {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
      {"empty lines kept", "\r\n\r\na\r\n", {"", "", "a"}},
      {"CR at the very end", "a\r", {"a"}},
      {"CR-only file", "a\rb\rc\r", {"a", "b", "c"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.lines, ViewsAsStrings(c.content)) << c.name;
    EXPECT_EQ(c.lines, SplitLines(c.content)) << c.name;
  }
}

TEST(LineViews, RandomTexts_AgreeWithTheDefinition) {
  std::mt19937 random(1201);
  std::uniform_int_distribution<int> length(0, 200);
  const char alphabet[] = {'a', 'b', '\r', '\n', ' '};
  std::uniform_int_distribution<int> pick(0, 4);
  for (int round = 0; round < 2000; ++round) {
    std::string content(static_cast<std::size_t>(length(random)), ' ');
    for (char& c : content) c = alphabet[pick(random)];
    ASSERT_EQ(ReferenceLines(content), ViewsAsStrings(content)) << round;
  }
}

TEST(TrimmedView, BlanksAndControlsAtEitherEnd_AreRemoved) {
  struct Case {
    const char* name;
    std::string text;
    std::string trimmed;
  };
  const Case cases[] = {
      {"nothing to trim", "QQ1ABC", "QQ1ABC"},
      {"empty", "", ""},
      {"blanks only, more than eight", std::string(19, ' '), ""},
      {"long runs on both sides", std::string(17, ' ') + "O" + std::string(9, ' '), "O"},
      {"inner blanks stay", "  12 KO00HU  ", "12 KO00HU"},
      {"tab and CR count as blanks", "\t\r QQ1ABC \x01", "QQ1ABC"},
      {"eight blanks then a control", std::string(8, ' ') + "\x1f" + "X", "X"},
      {"Polish letter is no blank", "\xF3 ", "\xF3"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.trimmed, TrimmedView(c.text)) << c.name;
    EXPECT_EQ(c.trimmed, TrimBlanks(c.text)) << c.name;
  }
}

// POSIX only: Windows has no file mode to keep, only a read-only attribute.
#ifndef _WIN32
TEST(ReplaceFileAtomically, ReadOnlyFile_IsRefusedAsAnAppendIs_AndAReplacedFileKeepsItsMode) {
  using std::filesystem::perms;
  // As root every file is writable and both succeed; otherwise the read-only one fails both.
  for (const perms mode : {perms::owner_read | perms::owner_write | perms::group_read,
                           perms::owner_read | perms::owner_write,
                           perms::owner_read | perms::group_read | perms::others_read}) {
    SCOPED_TRACE(static_cast<int>(mode));
    testing::TempDir dir;
    const std::filesystem::path path = dir / "zawody_teltolmowe.zlg";
    testing::WriteFile(path, "old\r\n");
    std::filesystem::permissions(path, mode);
    std::FILE* append = std::fopen(path.c_str(), "ab");
    const bool append_refused = append == nullptr;
    if (append) std::fclose(append);
    const IoStatus replaced =
        ReplaceFileAtomically(FileSteps::System(), path, dir / "temporary.zlg", "new\r\n");
    EXPECT_EQ(append_refused, replaced.has_value());
    EXPECT_EQ(replaced ? "old\r\n" : "new\r\n", testing::ReadFile(path));
    EXPECT_EQ(mode, std::filesystem::status(path).permissions());
    EXPECT_FALSE(FileExists(dir / "temporary.zlg"));
    std::filesystem::permissions(path, perms::owner_all);
  }
}
#endif

// Folders and files named with Polish letters: the names reach the system whole, as the operator's
// own data folder may be named.
TEST(FileLayer, PolishNames_AreWrittenReadAndReplacedUnderTheirOwnNames) {
  testing::TempDir dir;
  const std::filesystem::path folder = dir.path() / u8"Zawody \u0105\u0119\u0142\u00f3\u015b\u017c";
  std::filesystem::create_directory(folder);
  const std::filesystem::path path = folder / u8"dziennik \u0142\u0105czno\u015bci.zlg";
  const FileSteps& steps = FileSteps::System();

  ASSERT_FALSE(WriteFileDurably(steps, path, "first\r\n"));
  ASSERT_FALSE(ReplaceFileAtomically(steps, path, FreshTemporaryBeside(path), "second\r\n"));
  const IoResult<std::string> read = ReadWholeFile(steps, path);
  ASSERT_TRUE(read.ok()) << read.error().reason;
  EXPECT_EQ("second\r\n", read.value());
  std::vector<std::filesystem::path> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename());
  }
  EXPECT_EQ(std::vector<std::filesystem::path>{path.filename()}, names);
}

TEST(ErrorText, Errors_GiveTheSystemsOwnText) {
  EXPECT_EQ(std::strerror(ENOSPC), platform::ErrorText(ENOSPC));
#ifdef _WIN32
  // ERROR_DISK_FULL: the system's message without the line end it comes with.
  const std::string disk_full = platform::ErrorText(platform::WindowsError(112));
  EXPECT_FALSE(disk_full.empty());
  EXPECT_EQ(std::string::npos, disk_full.find_first_of("\r\n"));
  EXPECT_NE(' ', disk_full.back());
  EXPECT_NE(std::strerror(EIO), disk_full);
  // A code the system has no message for is still named.
  EXPECT_NE(std::string::npos,
            platform::ErrorText(platform::WindowsError(0x2345678)).find("systemu nr 36984440"));
#endif
}

TEST(FreshTemporaryBeside, NeverNamesAFileThatExists) {
  testing::TempDir dir;
  const std::filesystem::path target = dir / "kopia.log";
  EXPECT_EQ(dir / "kopia.log.zapis~", FreshTemporaryBeside(target));
  testing::WriteFile(dir / "kopia.log.zapis~", "the operator's");
#ifdef _WIN32
  // A link needs a privilege there that a test cannot count on.
  EXPECT_EQ(dir / "kopia.log.zapis1~", FreshTemporaryBeside(target));
#else
  std::filesystem::create_symlink(dir / "nowhere", dir / "kopia.log.zapis1~");
  EXPECT_EQ(dir / "kopia.log.zapis2~", FreshTemporaryBeside(target));
#endif
}

}  // namespace
}  // namespace zt
