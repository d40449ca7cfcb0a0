// F1-F8, Esc and the speed keys in the main window against a stand-in for cwdaemon: a datagram
// socket of the test that records what the program sends and answers as cwdaemon does.

#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <cerrno>

#include "station/cw_settings.h"
#include "station/ui/cw_radio_file.h"
#include "station/ui/cw_settings_page.h"
#include "station/ui/radio_dialog.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

class CwWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(daemon_.bind(QHostAddress::LocalHost, 0));
    WriteSettings(4);
  }

  void WriteCw(const QString& keyer, int port) {
    QSettings file(QString::fromStdU16String(RadioFilePath(dir_.path()).u16string()),
                   QSettings::IniFormat);
    file.setValue("cw/keyer", keyer);
    file.setValue("cw/port", port);
    file.setValue("cw/wpm", 30);
    file.setValue("cw/F1", "CQ TEST {MYCALL} TEST");
    file.setValue("cw/F3", "{CALL}+{CALL}");
    file.setValue("rigctld/port", 4533);
  }

  // The datagrams received until `count` have come (or a second has passed).
  std::vector<std::string> Received(std::size_t count) {
    for (int i = 0; i < 100 && received_.size() < count; ++i) {
      QTest::qWait(10);
      while (daemon_.hasPendingDatagrams()) {
        QByteArray datagram(static_cast<qsizetype>(daemon_.pendingDatagramSize()), '\0');
        daemon_.readDatagram(datagram.data(), datagram.size(), &sender_, &sender_port_);
        received_.push_back(datagram.toStdString());
      }
    }
    return received_;
  }

  void Answer(const QByteArray& reply) { daemon_.writeDatagram(reply, sender_, sender_port_); }

  QString CwStatus() { return form1().CwLabel->text(); }

  QUdpSocket daemon_;
  QHostAddress sender_;
  quint16 sender_port_ = 0;
  std::vector<std::string> received_;
};

TEST_F(CwWindowTest, F2_SendsTheExchangeAndEscStopsIt_ThenEscEmptiesTheFields) {
  WriteCw("cwdaemon", daemon_.localPort());
  Start();
  EXPECT_EQ(Received(1), std::vector<std::string>{"\x1b"
                                                  "230"});
  form1().Edit8->setText("109");
  Type(form1().Edit4, "qq1abc");
  Key(form1().Edit4, Qt::Key_F2);
  const std::vector<std::string> sent = Received(3);
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[1].substr(0, 2),
            "\x1b"
            "h");
  EXPECT_EQ(sent[2], "QQ1ABC 5NN 109");
  EXPECT_TRUE(form1().CwSending());
  EXPECT_EQ(CwStatus(), "CW 30 WPM · nadaję: QQ1ABC 5NN 109");

  // Esc stops the message and does nothing else: the fields keep their text.
  Type(form1().Edit6, "12");
  Key(form1().Edit6, Qt::Key_Escape);
  EXPECT_EQ(Received(4).back(),
            "\x1b"
            "4");
  EXPECT_FALSE(form1().CwSending());
  EXPECT_EQ(form1().Edit4->text(), "QQ1ABC");
  EXPECT_EQ(form1().Edit6->text(), "12");
  EXPECT_TRUE(CwStatus().startsWith("CW 30 WPM · przerwano: "));
  // Now Esc does what it always does.
  Key(form1().Edit6, Qt::Key_Escape);
  EXPECT_EQ(form1().Edit4->text(), "");
  EXPECT_EQ(form1().Edit6->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), form1().Edit4);
}

TEST_F(CwWindowTest, EchoEndsTheMessage_AndAStaleEchoDoesNot) {
  WriteCw("cwdaemon", daemon_.localPort());
  Start();
  Received(1);
  // From a field that is not an entry field, too.
  form1().Edit1->setText("QQ2XYZ");
  form1().Edit8->setFocus();
  Key(form1().Edit8, Qt::Key_F1);
  const std::vector<std::string> sent = Received(3);
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[2], "CQ TEST QQ2XYZ TEST");
  Answer("hzt0\r\n");
  QTest::qWait(50);
  EXPECT_TRUE(form1().CwSending());
  Answer(QByteArray::fromStdString("h" + sent[1].substr(2) + "\r\n"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form1().CwSending(); }));
  EXPECT_EQ(CwStatus(), "CW 30 WPM · nadano: CQ TEST QQ2XYZ TEST");
}

TEST_F(CwWindowTest, KeyerCommandsInACallsign_NeverReachTheKeyer) {
  WriteCw("cwdaemon", daemon_.localPort());
  Start();
  Received(1);
  form1().Edit4->setText("QQ1-A~B^");
  Key(form1().Edit4, Qt::Key_F3);
  ASSERT_EQ(Received(3).size(), 3u);
  EXPECT_EQ(received_[2], "QQ1ABQQ1AB");
  EXPECT_TRUE(CwStatus().endsWith(" · pominięto: -~^+")) << CwStatus().toStdString();
}

TEST_F(CwWindowTest, InSsb_FKeysSendNothingAndSaySo) {
  WriteCw("cwdaemon", daemon_.localPort());
  Start();
  Received(1);
  Type(form1().Edit4, "QQ1ABC");
  Key(form1().Edit4, Qt::Key_M, Qt::AltModifier);
  ASSERT_EQ(form1().ComboBox2->currentText(), "SSB");
  Key(form1().Edit4, Qt::Key_F2);
  EXPECT_EQ(Received(2).size(), 1u);
  EXPECT_EQ(CwStatus(), "CW: emisja SSB – F2 nie nadaje, komunikaty F1–F8 tylko w CW");
  EXPECT_FALSE(form1().CwSending());
}

TEST_F(CwWindowTest, SpeedKeys_StepWithinTheRangeAndAreKept) {
  WriteCw("cwdaemon", daemon_.localPort());
  Start();
  Received(1);
  Key(form1().Edit4, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Received(2).back(),
            "\x1b"
            "232");
  EXPECT_EQ(CwStatus(), "CW 32 WPM");
  for (int i = 0; i < 20; ++i) Key(form1().Edit6, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Received(22).back(),
            "\x1b"
            "212");
  EXPECT_EQ(LoadCwSettings(RadioFilePath(dir_.path())).wpm, 12);
  // Keeping the speed keeps the rest of the file.
  EXPECT_EQ(LoadCwSettings(RadioFilePath(dir_.path())).messages[2], "{CALL}+{CALL}");
  EXPECT_EQ(LoadRigctldAddress(RadioFilePath(dir_.path())).port, 4533);
  // The speed keys leave the time alone.
  EXPECT_TRUE(form1().Timer1->isActive() || !form1().Panel4->isVisible());
}

TEST_F(CwWindowTest, KeyerGone_TypingAndLoggingGoOn) {
  const quint16 closed = daemon_.localPort();
  daemon_.close();
  WriteCw("cwdaemon", closed);
  Start();
  Type(form1().Edit4, "QQ1ABC");
  // "?": a short message, so the missing echo is noticed soon.
  Key(form1().Edit4, Qt::Key_F6);
  EXPECT_TRUE(form1().CwSending());
  AddQso("QQ1ABC", "12");
  ASSERT_EQ(ListLines().size(), 1u);
  EXPECT_EQ(LogContent(), ListLines()[0] + "\r\n");
  EXPECT_TRUE(QTest::qWaitFor([&] { return CwStatus().contains("cwdaemon nie odpowiada"); }, 8000))
      << CwStatus().toStdString();
  EXPECT_FALSE(form1().CwSending());
  Type(form1().Edit4, "QQ2");
  EXPECT_EQ(form1().Edit4->text(), "QQ2");
}

TEST_F(CwWindowTest, NoKeyer_FKeysSaySo) {
  Start();
  Key(form1().Edit4, Qt::Key_F1);
  EXPECT_TRUE(CwStatus().startsWith("CW: brak klucza – F1 nie nadaje")) << CwStatus().toStdString();
  Key(form1().Edit4, Qt::Key_Escape);
  EXPECT_FALSE(form1().CwSending());
}

TEST_F(CwWindowTest, RigKeyer_SendsB_AndSaysWhenTheRadioCannotStop) {
  // A stand-in for rigctld with the dummy radio: every command is taken, the stop is not.
  QTcpServer rigctld;
  ASSERT_TRUE(rigctld.listen(QHostAddress::LocalHost));
  QByteArray commands;
  QObject::connect(&rigctld, &QTcpServer::newConnection, [&] {
    QTcpSocket* client = rigctld.nextPendingConnection();
    QObject::connect(client, &QTcpSocket::readyRead, [&commands, client] {
      while (client->canReadLine()) {
        const QByteArray line = client->readLine();
        commands += line;
        client->write(line.startsWith("\\stop_morse") ? "RPRT -11\n" : "RPRT 0\n");
      }
    });
  });
  WriteCw("rigctld", 1);
  {
    QSettings file(QString::fromStdU16String(RadioFilePath(dir_.path()).u16string()),
                   QSettings::IniFormat);
    file.setValue("rigctld/host", "127.0.0.1");
    file.setValue("rigctld/port", rigctld.serverPort());
  }
  Start();
  Type(form1().Edit4, "QQ1-ABC");
  Key(form1().Edit4, Qt::Key_F2);
  EXPECT_TRUE(form1().CwSending());
  EXPECT_TRUE(QTest::qWaitFor([&] { return commands.contains("b QQ1-ABC 5NN 1\n"); }));
  EXPECT_TRUE(commands.startsWith("L KEYSPD 30\n")) << commands.toStdString();
  Key(form1().Edit4, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return CwStatus() == "CW 30 WPM · radio nie potrafi przerwać nadawania";
  })) << CwStatus().toStdString();
  EXPECT_EQ(form1().Edit4->text(), "QQ1-ABC");
  // Without a stop, the message ends after its length at the speed.
  Key(form1().Edit4, Qt::Key_F6);
  EXPECT_TRUE(form1().CwSending());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form1().CwSending(); }, 1000));
}

TEST_F(CwWindowTest, RadioDialogCwPage_StoresTheGroupAndTakesIt) {
  Start();
  form1().radio_dialog().ShowDialog(form1().radio_settings());
  CwSettingsPage& page = *form1().radio_dialog().CwPage;
  page.KeyerBox->setCurrentIndex(1);
  page.PortBox->setValue(daemon_.localPort());
  page.MessageEdits[7]->setText("73 {MYCALL}");
  // A radio file that cannot be replaced is reported like any other file, and nothing is taken.
  file_steps_.answer = [](IoStep step, const std::filesystem::path&) {
    return step == IoStep::kRename ? EACCES : 0;
  };
  prompts_.ExpectMessage(Message{});
  QTest::mouseClick(form1().radio_dialog().OkButton, Qt::LeftButton);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_NE(prompts_.shown[0].text.indexOf("zawody_teltolmowe_radio.ini"), -1);
  EXPECT_TRUE(form1().radio_dialog().isVisible());
  EXPECT_EQ(form1().cw_settings().keyer, CwKeyer::kNone);

  file_steps_.answer = nullptr;
  QTest::mouseClick(form1().radio_dialog().OkButton, Qt::LeftButton);
  EXPECT_FALSE(form1().radio_dialog().isVisible());
  const CwSettings stored = LoadCwSettings(RadioFilePath(dir_.path()));
  EXPECT_EQ(stored.keyer, CwKeyer::kCwdaemon);
  EXPECT_EQ(stored.messages[7], "73 {MYCALL}");
  EXPECT_EQ(form1().cw_settings(), stored);
  // The keyer is taken at once: it is given the speed.
  EXPECT_EQ(Received(1), std::vector<std::string>{"\x1b"
                                                  "225"});
}

TEST(CwSettingsPage, ShowsAndTakesTheSettings) {
  CwSettingsPage page;
  CwSettings settings;
  settings.keyer = CwKeyer::kRigctld;
  settings.port = 16789;
  settings.wpm = 44;
  settings.cut_report = false;
  settings.messages[7] = "73 {MYCALL}";
  page.Show(settings);
  EXPECT_EQ(page.Settings(), settings);
  page.MessageEdits[0]->setText("cq {mycall}");
  EXPECT_EQ(page.Settings().messages[0], "CQ {MYCALL}");
}

}  // namespace
}  // namespace zt::testing
