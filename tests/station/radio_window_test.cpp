#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <cerrno>

#include "station/ui/radio_dialog.h"
#include "station/ui/rig_client.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

// A stand-in for rigctld on a free port: answers "+f" and "+m" in the extended form with the
// rig's frequency and mode, or keeps silent as a stopped daemon does.
class FakeRigctld : public QObject {
 public:
  FakeRigctld() {
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* client = server_.nextPendingConnection()) {
        connect(client, &QTcpSocket::readyRead, this, [this, client] { Answer(client); });
      }
    });
  }
  quint16 port() const { return server_.serverPort(); }

  QByteArray frequency = "3545000";
  QByteArray mode = "USB";
  bool silent = false;
  QByteArray garbage;  // sent instead of every reply while set

 private:
  void Answer(QTcpSocket* client) {
    while (client->canReadLine()) {
      const QByteArray command = client->readLine().trimmed();
      if (silent) continue;
      if (!garbage.isEmpty()) {
        client->write(garbage);
        continue;
      }
      if (command == "+f") client->write("get_freq:\nFrequency: " + frequency + "\nRPRT 0\n");
      if (command == "+m") {
        client->write("get_mode:\nMode: " + mode + "\nPassband: 2400\nRPRT 0\n");
      }
    }
  }
  QTcpServer server_;
};

class RadioWindowTest : public ProgramTest {
 protected:
  void WriteRadioFile(const std::string& content) {
    WriteFile(dir_ / "zawody_teltolmowe_radio.ini", content);
  }
  void StartFollowing() {
    WriteSettings(4);  // CW and SSB
    WriteRadioFile("[rigctld]\nenabled=true\nhost=127.0.0.1\nport=" + std::to_string(rig_.port()) +
                   "\n");
    Start();
  }
  std::string RadioLine() { return form1().RadioLabel->text().toStdString(); }
  bool Shows(const std::string& text) { return RadioLine() == text; }

  FakeRigctld rig_;
};

TEST_F(RadioWindowTest, TheModeFollowsAChangeOfTheRigsModeOnly) {
  StartFollowing();
  EXPECT_EQ(form1().ComboBox2->currentText(), "CW");
  Type(form1().Edit4, "QQ1A");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows("Radio: 3545,0 kHz USB"); }, 3000));
  // Through the mode change's own path: the reports follow; the typing stays where it was.
  EXPECT_EQ(form1().ComboBox2->currentText(), "SSB");
  EXPECT_EQ(form1().Edit5->text(), "59");
  EXPECT_EQ(form1().Edit4->text(), "QQ1A");
  EXPECT_TRUE(form1().Edit4->hasFocus());

  // The operator's own choice stays while the rig's mode stays.
  Key(form1().Edit4, Qt::Key_M, Qt::AltModifier);
  ASSERT_EQ(form1().ComboBox2->currentText(), "CW");
  QTest::qWait(1000);
  EXPECT_EQ(form1().ComboBox2->currentText(), "CW");

  rig_.mode = "LSB";
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows("Radio: 3545,0 kHz LSB"); }, 3000));
  EXPECT_EQ(form1().ComboBox2->currentText(), "SSB");
  rig_.mode = "AM";  // no item of the log: the selector stays
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows("Radio: 3545,0 kHz AM"); }, 3000));
  EXPECT_EQ(form1().ComboBox2->currentText(), "SSB");
  rig_.mode = "CWR";
  rig_.frequency = "7050000";
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return Shows("Radio: 7050,0 kHz CWR · UWAGA: poza pasmem 80 m (3500-3800 kHz)"); },
      3000));
  EXPECT_EQ(form1().ComboBox2->currentText(), "CW");
  EXPECT_EQ(form1().Edit5->text(), "599");
  EXPECT_EQ(form1().Edit4->text(), "QQ1A");
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(RadioWindowTest, ASilentDaemonIsShownAndTypingGoesOn) {
  StartFollowing();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows("Radio: 3545,0 kHz USB"); }, 3000));
  rig_.silent = true;
  const std::string silent =
      "Radio: brak połączenia, rigctld na 127.0.0.1:" + std::to_string(rig_.port()) +
      " nie odpowiada";
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(silent); }, 3000));
  Type(form1().Edit4, "QQ1ABC");
  EXPECT_EQ(form1().Edit4->text(), "QQ1ABC");
  // It connects again by itself once the daemon answers.
  rig_.silent = false;
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows("Radio: 3545,0 kHz USB"); }, 6000));
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(RadioWindowTest, GarbageAndEndlessLinesAreShownAndHoldNoMemory) {
  StartFollowing();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows("Radio: 3545,0 kHz USB"); }, 3000));
  const std::string garbled =
      "Radio: brak połączenia, na 127.0.0.1:" + std::to_string(rig_.port()) +
      " odpowiada program inny niż rigctld";
  for (const QByteArray& garbage :
       {QByteArray("HTTP/1.1 400 Bad Request\r\n\r\n"), QByteArray(1 << 20, 'x')}) {
    rig_.garbage = garbage;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(garbled); }, 6000));
    EXPECT_LE(form1().rig_client().BufferedBytes(), kMaxRigLineLength);
    Type(form1().Edit4, "Q");
    rig_.garbage.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows("Radio: 3545,0 kHz USB"); }, 6000));
  }
  EXPECT_EQ(form1().Edit4->text(), "QQ");
}

TEST_F(RadioWindowTest, OffByDefaultTheWindowIsAsBefore) {
  WriteSettings(4);
  Start();
  EXPECT_FALSE(form1().RadioLabel->isVisible());
  EXPECT_EQ(form1().height(), 480);
  EXPECT_EQ(form1().rig_client().reading().link, RigLink::kOff);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "zawody_teltolmowe_radio.ini"));
}

TEST_F(RadioWindowTest, ABadRadioFileIsToldOnceAndTheDefaultsAreUsed) {
  WriteSettings(4);
  WriteRadioFile("[rigctld]\nenabled=tak\nport=99999\n");
  prompts_.ExpectMessage(Message{});
  Start();
  ASSERT_EQ(prompts_.shown.size(), 1u);
  const std::string text = prompts_.shown[0].text.toStdString();
  EXPECT_NE(text.find("enabled"), std::string::npos) << text;
  EXPECT_NE(text.find("port"), std::string::npos) << text;
  EXPECT_EQ(form1().radio_settings().rigctld, RigctldSettings{});
}

TEST_F(RadioWindowTest, TheDialogStoresTheFileOrReportsItAsAnyFile) {
  WriteSettings(4);
  Start();
  Key(form1().Edit4, Qt::Key_R, Qt::ControlModifier);
  RadioDialog& dialog = form1().radio_dialog();
  ASSERT_TRUE(dialog.isVisible());
  dialog.RigEnabled->setChecked(true);
  dialog.RigPort->setText("70000");
  dialog.OkButton->click();
  EXPECT_TRUE(dialog.isVisible());  // refused in the dialog, without a message box
  EXPECT_EQ(dialog.focusWidget(), dialog.RigPort);
  EXPECT_NE(dialog.RigTestResult->text().indexOf("port"), -1);

  dialog.RigPort->setText(QString::number(rig_.port()));
  dialog.RigHost->setText("127.0.0.1");
  file_steps_.answer = [](IoStep step, const std::filesystem::path&) {
    return step == IoStep::kRename ? EACCES : 0;
  };
  prompts_.ExpectMessage(Message{});
  dialog.OkButton->click();
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_NE(prompts_.shown[0].text.indexOf("zawody_teltolmowe_radio.ini"), -1);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(form1().rig_client().reading().link, RigLink::kOff);

  file_steps_.answer = nullptr;
  dialog.RigTest->click();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return dialog.RigTestResult->text().contains("3545,0 kHz"); }, 3000));
  dialog.OkButton->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(
      ReadFile(dir_ / "zawody_teltolmowe_radio.ini"),
      "[rigctld]\nenabled=true\nhost=127.0.0.1\nport=" + std::to_string(rig_.port()) + "\n\n");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shows("Radio: 3545,0 kHz USB"); }, 3000));
  EXPECT_EQ(form1().height(), 496);
}

}  // namespace
}  // namespace zt::testing
