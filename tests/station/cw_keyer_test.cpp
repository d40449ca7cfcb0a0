#include "station/cw_keyer.h"

#include <gtest/gtest.h>

#include "station/cw_settings.h"

namespace zt {
namespace {

TEST(CwKeyer, CwdaemonDatagrams) {
  EXPECT_EQ(CwdaemonText("QQ1ABC 5NN 12"), "QQ1ABC 5NN 12");
  // Whatever reaches the datagram, it never starts a request nor changes the speed.
  EXPECT_EQ(CwdaemonText("\x1b"
                         "5"),
            "5");
  EXPECT_EQ(CwdaemonText(" \x1b"
                         "4CQ+-~^*"),
            "4CQ");
  EXPECT_EQ(CwdaemonText("\x1b"), "");
  EXPECT_EQ(CwdaemonSpeed(25),
            "\x1b"
            "225");
  EXPECT_EQ(CwdaemonSpeed(5),
            "\x1b"
            "212");
  EXPECT_EQ(CwdaemonSpeed(99),
            "\x1b"
            "250");
  EXPECT_EQ(CwdaemonAbort(),
            "\x1b"
            "4");
  EXPECT_EQ(CwdaemonEchoRequest("zt7"),
            "\x1b"
            "hzt7");
}

TEST(CwKeyer, CwdaemonReplies) {
  struct Case {
    const char* datagram;
    const char* token;
    CwdaemonReply reply;
  };
  const Case cases[] = {
      {"hzt7\r\n", "zt7", CwdaemonReply::kFinished},
      {"hzt7", "zt7", CwdaemonReply::kFinished},
      // The echo of an earlier, stopped message does not end this one.
      {"hzt6\r\n", "zt7", CwdaemonReply::kOther},
      {"hzt77\r\n", "zt7", CwdaemonReply::kOther},
      {"break\r\n", "zt7", CwdaemonReply::kAborted},
      {"h\r\n", "", CwdaemonReply::kOther},
      {"", "zt7", CwdaemonReply::kOther},
      {"\xff\x00garbage", "zt7", CwdaemonReply::kOther},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadCwdaemonReply(c.datagram, c.token), c.reply) << c.datagram;
  }
}

TEST(CwKeyer, RigCommands) {
  EXPECT_EQ(RigSendMorse("QQ1ABC 5NN 12"), "b QQ1ABC 5NN 12\n");
  EXPECT_EQ(RigSendMorse("QQ1-ABC"), "b QQ1-ABC\n");
  // A line end would end the command and start another.
  EXPECT_EQ(RigSendMorse("CQ\nF 7000000"), "b CQF 7000000\n");
  // rigctld would wait for the text of a bare b.
  EXPECT_EQ(RigSendMorse(""), "");
  EXPECT_EQ(RigSendMorse(" \r"), "");
  EXPECT_EQ(RigStopMorse(), "\\stop_morse\n");
  EXPECT_EQ(RigKeyerSpeed(28), "L KEYSPD 28\n");
  EXPECT_EQ(RigKeyerSpeed(8), "L KEYSPD 12\n");
}

TEST(CwSettings, Read_TakesGoodValuesAndDefaultsTheRest) {
  EXPECT_EQ(ReadCwSettings({}), CwSettings{});

  std::vector<std::string> rejected;
  const CwSettings read = ReadCwSettings({{"keyer", " CWdaemon "},
                                          {"host", "radio.local"},
                                          {"port", "16789"},
                                          {"wpm", "30"},
                                          {"cut_report", "false"},
                                          {"cut_group", "1"},
                                          {"F1", "CQ {MYCALL}\r\n"},
                                          {"F8", "73"}},
                                         &rejected);
  EXPECT_TRUE(rejected.empty());
  EXPECT_EQ(read.keyer, CwKeyer::kCwdaemon);
  EXPECT_EQ(read.host, "radio.local");
  EXPECT_EQ(read.port, 16789);
  EXPECT_EQ(read.wpm, 30);
  EXPECT_FALSE(read.cut_report);
  EXPECT_TRUE(read.cut_group);
  EXPECT_EQ(read.messages[0], "CQ {MYCALL}");
  EXPECT_EQ(read.messages[1], "{CALL} {RST} {NR}");
  EXPECT_EQ(read.messages[7], "73");
}

TEST(CwSettings, Read_RejectsWhatTheKeyerCannotTake) {
  struct Case {
    const char* key;
    const char* value;
    CwSettings expected;
  };
  CwSettings slowest, fastest;
  slowest.wpm = 12;
  fastest.wpm = 50;
  const Case cases[] = {
      {"keyer", "winkeyer", {}},   {"host", "", {}},
      {"host", "a b", {}},         {"port", "0", {}},
      {"port", "65536", {}},       {"port", "$1F", {}},
      {"wpm", "fast", {}},         {"wpm", "-5", {}},
      {"wpm", "8", slowest},       {"wpm", "80", fastest},
      {"cut_report", "maybe", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> rejected;
    EXPECT_EQ(ReadCwSettings({{c.key, c.value}}, &rejected), c.expected) << c.key << c.value;
    EXPECT_EQ(rejected, std::vector<std::string>{c.key}) << c.key << c.value;
  }
}

TEST(CwSettings, Values_ReadBackTheSame) {
  CwSettings settings;
  settings.keyer = CwKeyer::kRigctld;
  settings.wpm = 33;
  settings.cut_group = true;
  settings.messages[6] = "QRZ?";
  std::map<std::string, std::string, std::less<>> values = CwSettingsValues(settings);
  EXPECT_EQ(values.at("keyer"), "rigctld");
  EXPECT_EQ(values.at("F7"), "QRZ?");
  EXPECT_EQ(ReadCwSettings(values), settings);
}

}  // namespace
}  // namespace zt
