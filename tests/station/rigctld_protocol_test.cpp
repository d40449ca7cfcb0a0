#include "station/rigctld_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zt {
namespace {

struct ReplyCase {
  const char* name;
  RigCommand command;
  std::vector<std::string> reads;  // the bytes as the socket delivers them
  RigReplyStatus status;
  int error_code;
  std::vector<std::string> values;
};

class ReplyTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyTest, ReadsTheWholeReply) {
  const ReplyCase& c = GetParam();
  RigReplyReader reader;
  reader.Expect(c.command);
  for (std::size_t i = 0; i < c.reads.size(); ++i) {
    // Nothing is taken before the last piece arrives.
    ASSERT_FALSE(reader.Take().has_value()) << "before read " << i;
    reader.Feed(c.reads[i]);
  }
  const std::optional<RigReply> reply = reader.Take();
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->status, c.status);
  EXPECT_EQ(reply->error_code, c.error_code);
  EXPECT_EQ(reply->values, c.values);
  EXPECT_FALSE(reader.Take().has_value());
}

const std::string kLong(kMaxRigLineLength + 10, '7');

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyTest,
    ::testing::Values(
        ReplyCase{"ExtendedFrequency",
                  RigCommand::kGetFrequency,
                  {"get_freq:\nFrequency: 145000000\nRPRT 0\n"},
                  RigReplyStatus::kOk,
                  0,
                  {"145000000"}},
        ReplyCase{"ExtendedMode",
                  RigCommand::kGetMode,
                  {"get_mode:\nMode: CW\nPassband: 500\nRPRT 0\n"},
                  RigReplyStatus::kOk,
                  0,
                  {"CW", "500"}},
        ReplyCase{"PlainFrequency",
                  RigCommand::kGetFrequency,
                  {"3545000\n"},
                  RigReplyStatus::kOk,
                  0,
                  {"3545000"}},
        ReplyCase{"PlainModeWithCrLf",
                  RigCommand::kGetMode,
                  {"USB\r\n2400\r\n"},
                  RigReplyStatus::kOk,
                  0,
                  {"USB", "2400"}},
        ReplyCase{
            "PlainError", RigCommand::kGetMode, {"RPRT -11\n"}, RigReplyStatus::kError, -11, {}},
        ReplyCase{"ExtendedError",
                  RigCommand::kGetFrequency,
                  {"get_freq:\nRPRT -5\n"},
                  RigReplyStatus::kError,
                  -5,
                  {}},
        ReplyCase{"SplitInTheMiddleOfLines",
                  RigCommand::kGetMode,
                  {"get_m", "ode:\nMo", "de: LSB\nPassband: 2400\nRP", "RT 0", "\n"},
                  RigReplyStatus::kOk,
                  0,
                  {"LSB", "2400"}},
        ReplyCase{"ByteByByte",
                  RigCommand::kGetFrequency,
                  {"3", "5", "4", "5", "\n"},
                  RigReplyStatus::kOk,
                  0,
                  {"3545"}},
        ReplyCase{"ExtendedLineWithoutKey",
                  RigCommand::kGetFrequency,
                  {"get_freq:\ngarbage\nRPRT 0\n"},
                  RigReplyStatus::kGarbled,
                  0,
                  {}},
        ReplyCase{"LineWithoutEnd",
                  RigCommand::kGetFrequency,
                  {kLong.substr(0, 200), kLong.substr(200), "\n"},
                  RigReplyStatus::kGarbled,
                  0,
                  {}},
        ReplyCase{"TooManyExtendedLines",
                  RigCommand::kGetFrequency,
                  {"get_freq:\n" +
                   [] {
                     std::string lines;
                     for (std::size_t i = 0; i <= kMaxRigReplyLines; ++i) lines += "K: v\n";
                     return lines;
                   }()},
                  RigReplyStatus::kGarbled,
                  0,
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RigReplyReader, ReadsRepliesOneAfterAnother) {
  RigReplyReader reader;
  // Both replies in one read: the second waits until it is asked for.
  reader.Expect(RigCommand::kGetFrequency);
  reader.Feed("get_freq:\nFrequency: 3545000\nRPRT 0\nget_mode:\nMode: CW\nPassband: 500\n");
  ASSERT_EQ(reader.Take()->values, std::vector<std::string>{"3545000"});
  reader.Expect(RigCommand::kGetMode);
  EXPECT_FALSE(reader.Take().has_value());
  reader.Feed("RPRT 0\n");
  EXPECT_EQ(reader.Take()->values, (std::vector<std::string>{"CW", "500"}));
}

TEST(RigReplyReader, MemoryStaysBoundedUnderAnEndlessLineAndAFlood) {
  RigReplyReader reader;
  reader.Expect(RigCommand::kGetFrequency);
  const std::string chunk(4096, 'x');
  for (int i = 0; i < 1000; ++i) reader.Feed(chunk);
  EXPECT_LE(reader.BufferedBytes(), kMaxRigLineLength);
  std::string flood;
  for (int i = 0; i < 10000; ++i) flood += "RPRT 0\n";
  reader.Feed(flood);
  EXPECT_LE(reader.BufferedBytes(), kMaxRigLineLength * (kMaxRigReplyLines * 2 + 2));
}

TEST(RigReplyReader, ResetForgetsAHalfReadReply) {
  RigReplyReader reader;
  reader.Expect(RigCommand::kGetMode);
  reader.Feed("get_mode:\nMode: CW\n");
  reader.Reset();
  reader.Expect(RigCommand::kGetFrequency);
  reader.Feed("7050000\n");
  EXPECT_EQ(reader.Take()->values, std::vector<std::string>{"7050000"});
}

TEST(RigCommands, AreSentInTheExtendedForm) {
  EXPECT_EQ(ComposeRigCommand(RigCommand::kGetFrequency), "+f\n");
  EXPECT_EQ(ComposeRigCommand(RigCommand::kGetMode), "+m\n");
}

TEST(RprtCode, ReadsOnlyAWholeReportLine) {
  EXPECT_EQ(RprtCodeOf("RPRT 0"), 0);
  EXPECT_EQ(RprtCodeOf("RPRT -11 "), -11);
  for (const char* line : {"RPRT", "RPRT x", "RPRT 1x", "rprt 0", "XRPRT 0", "RPRT -", ""}) {
    EXPECT_FALSE(RprtCodeOf(line).has_value()) << line;
  }
}

TEST(ReplyValues, FrequencyAndModeAreCheckedBeforeUse) {
  const auto ok = [](std::string value) {
    return RigReply{RigReplyStatus::kOk, 0, {std::move(value), "500"}};
  };
  EXPECT_EQ(FrequencyHzOf(ok("3545000")), 3545000);
  EXPECT_EQ(FrequencyHzOf(ok("145000000.000000")), 145000000);
  for (const char* bad : {"", "abc", "-3545000", "35 45", "1.2.3", "1234567890123"}) {
    EXPECT_FALSE(FrequencyHzOf(ok(bad)).has_value()) << bad;
  }
  EXPECT_FALSE(FrequencyHzOf(RigReply{RigReplyStatus::kError, -11, {}}).has_value());
  EXPECT_EQ(RigModeOf(ok("PKTUSB")), "PKTUSB");
  for (const char* bad : {"", "cw", "C W", "VERYLONGMODENAME1"}) {
    EXPECT_FALSE(RigModeOf(ok(bad)).has_value()) << bad;
  }
}

}  // namespace
}  // namespace zt
