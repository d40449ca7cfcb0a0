#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "app/widgets.h"
#include "core/file_io.h"
#include "core/log_line.h"
#include "export/ui/adif_dialog.h"
#include "settings/settings_file.h"
#include "settings/ui/station_dialog.h"
#include "tests/support/program_fixture.h"

namespace zt::testing {
namespace {

// How text reaches a field: typed one character at a time (an emoji is one key with two UTF-16
// units), inserted in one piece as an input method does, or pasted with Ctrl+V. Typing skips
// the control characters: from the keyboard they are keys with their own commands (Enter adds
// the QSO, Tab moves on), tested with the entry keys.
enum class Route { kTyped, kInserted, kPasted };
constexpr Route kRoutes[] = {Route::kTyped, Route::kInserted, Route::kPasted};
const char* NameOf(Route route) {
  return route == Route::kTyped ? "typed" : route == Route::kInserted ? "inserted" : "pasted";
}

void Enter(QLineEdit* edit, const QString& text, Route route) {
  edit->setFocus();
  switch (route) {
    case Route::kTyped:
      for (char32_t code_point : text.toUcs4()) {
        if (code_point < 0x20) continue;
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromUcs4(&code_point, 1),
                            Qt::NoModifier);
      }
      break;
    case Route::kInserted:
      edit->insert(text);
      break;
    case Route::kPasted:
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
      break;
  }
}

// Texts no Windows-1250 file can hold as typed: an emoji, a CJK character, control characters,
// line breaks, and a letter whose capital is outside the code page.
struct Hostile {
  const char* name;
  QString text;
  QString as_free_text;   // what a field without forced capitals keeps
  QString as_upper_case;  // what a field with forced capitals keeps
};

std::vector<Hostile> HostileTexts() {
  return {
      {"emoji",
       QString::fromUtf8("qq1\xF0\x9F\x98\x80"
                         "abc"),
       "qq1abc", "QQ1ABC"},
      {"control characters",
       QString::fromUtf8("qq1\ta\x01"
                         "b\x7f"
                         "c"),
       "qq1abc", "QQ1ABC"},
      {"pasted line breaks", QString::fromUtf8("qq1\r\nabc\n"), "qq1abc", "QQ1ABC"},
      {"outside the code page",
       QString::fromUtf8("qq1\xE4\xB8\xAD\xD0\x96"
                         "abc"),
       "qq1abc", "QQ1ABC"},
      {"Polish letters stay", QString::fromUtf8("za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"),
       QString::fromUtf8("za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"),
       QString::fromUtf8("ZA\xC5\xBB\xC3\x93\xC5\x81\xC4\x86")},
      {"micro sign", QString::fromUtf8("5\xC2\xB5V"), QString::fromUtf8("5\xC2\xB5V"), "5V"},
  };
}

TEST(ToCore, CharactersOutsideTheCodePage_BecomeOneQuestionMarkEach) {
  EXPECT_EQ("Za\xBF?x?", ToCore(QString::fromUtf8("Za\xC5\xBC\xF0\x9F\x98\x80x\xE4\xB8\xAD")));
  EXPECT_EQ("\x80 \xA5", ToCore(QString::fromUtf8("\xE2\x82\xAC \xC4\x84")));
}

class BadInputTest : public ProgramTest {
 protected:
  void StartShortWave() {
    WriteSettings(4);
    Start();
  }
};

// Every character a field keeps is one Windows-1250 byte and no control character.
::testing::AssertionResult FileCanHold(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
      return ::testing::AssertionFailure() << "control character in " << text.toStdString();
    }
  }
  if (FromCore(ToCore(text)) != text) {
    return ::testing::AssertionFailure() << "not in Windows-1250: " << text.toStdString();
  }
  return ::testing::AssertionSuccess();
}

TEST_F(BadInputTest, HostileText_InEveryEntryField_KeepsOnlyWhatTheFileCanHold) {
  StartShortWave();
  form2().EnableDataFields();
  struct Field {
    const char* name;
    QLineEdit* edit;
    bool upper_case;
  };
  const Field fields[] = {
      {"station callsign", form1().Edit1, true},
      {"date", form1().Edit2, false},
      {"time", form1().Edit3, false},
      {"callsign", form1().Edit4, true},
      {"received group", form1().Edit6, true},
      {"sent group", form1().Edit8, true},
      {"dialog Edit1", form2().Edit1, true},
      {"dialog Edit2", form2().Edit2, false},
      {"dialog Edit3", form2().Edit3, false},
      {"dialog Edit4", form2().Edit4, false},
      {"dialog Edit5", form2().Edit5, false},
      {"dialog Edit6", form2().Edit6, false},
      {"dialog Edit8", form2().Edit8, false},
      {"dialog Edit9", form2().Edit9, true},
      {"dialog Edit10", form2().Edit10, true},
      {"ADIF comment", form3().Edit1, false},
      {"ADIF operator", form3().Edit2, true},
      {"ADIF contest", form3().Edit3, false},
  };
  for (const Field& field : fields) {
    const QString before = field.edit->text();
    for (const Hostile& hostile : HostileTexts()) {
      for (Route route : kRoutes) {
        SCOPED_TRACE(std::string(field.name) + ", " + hostile.name + ", " + NameOf(route));
        field.edit->clear();
        Enter(field.edit, hostile.text, route);
        EXPECT_EQ(field.upper_case ? hostile.as_upper_case : hostile.as_free_text,
                  field.edit->text());
      }
    }
    // Back to a valid text, so leaving the field checks nothing.
    field.edit->setText(before);
  }

  // The report fields and the claimed score also refuse typed letters, and the reports hold
  // three characters at most; what they keep is what the file can hold.
  for (QLineEdit* filtered : {form1().Edit5, form1().Edit7, form2().Edit7}) {
    const QString before = filtered->text();
    for (const Hostile& hostile : HostileTexts()) {
      for (Route route : kRoutes) {
        SCOPED_TRACE(filtered->objectName().toStdString() + ", " + hostile.name + ", " +
                     NameOf(route));
        filtered->clear();
        Enter(filtered, hostile.text, route);
        if (filtered != form2().Edit7) {
          EXPECT_LE(filtered->text().size(), 3);
        }
        EXPECT_TRUE(FileCanHold(filtered->text()));
      }
    }
    filtered->setText(before);
  }
  form1().Edit4->setFocus();
}

TEST_F(BadInputTest, OverLongHostileEntries_LoggedQso_KeepsEveryColumnInPlace) {
  StartShortWave();
  const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
  struct Paste {
    QLineEdit* edit;
    QString text;
  };
  const Paste pastes[] = {
      {form1().Edit2, "2026-12-06T12:05:59Z" + emoji + "\r\n"},
      {form1().Edit3, "12:05:59.999\t" + emoji},
      {form1().Edit8, "12345678" + emoji + "9\n"},
      {form1().Edit4, "qq1abcdefghijklmnopqrstuvwxyz" + emoji + "\r\n" + QString(300, 'X')},
      {form1().Edit6, "1\t2 3" + emoji + "4567890123\r\n"},
  };
  for (const Paste& paste : pastes) {
    paste.edit->clear();
    QGuiApplication::clipboard()->setText(paste.text);
    paste.edit->paste();
  }
  // The date and the time reach the line only in their own shapes.
  prompts_.ExpectMessage(ErrorMessage(QString::fromUtf8("Błędny format daty!")));
  form1().Button4->click();
  EXPECT_EQ(form1().Edit2, QApplication::focusWidget());
  form1().Edit2->setText("2026-12-06");
  prompts_.ExpectMessage(ErrorMessage(QString::fromUtf8("Błędny format czasu!")));
  form1().Button4->click();
  EXPECT_EQ(form1().Edit3, QApplication::focusWidget());
  EXPECT_TRUE(ListLines().empty());
  form1().Edit3->setText("12:05");
  // A received group of thirteen digits is no whole number: the operator confirms it.
  prompts_.ExpectMessage(WarningQuestion(QString::fromUtf8(
                             "Logowana grupa kontrolna jest nieprawidłowa.\nPoprawne grupy "
                             "kontrolne to: \n'O', 'B', 'DG' lub numer seryjny.\n\nCzy na pewno "
                             "zalogować łączność?")),
                         Answer::kYes);
  form1().Button4->click();

  //                                 1         2         3         4         5         6
  //                        1234567890123456789012345678901234567890123456789012345678901234567
  const std::string line =
      "2026-12-06 1205 80M CW 599 456789 QQ1ABCDEFGHIJKLM599 34567890123  RPRT";
  EXPECT_EQ((std::vector<std::string>{line}), ListLines());
  EXPECT_EQ(line + "\r\n", LogContent());
  EXPECT_EQ("QQ1ABCDEFGHIJKLM", CallsignOf(line));
  EXPECT_EQ("456789", SentGroupOf(line));
  EXPECT_EQ("34567890123", ReceivedGroupOf(line));
}

TEST_F(BadInputTest, NothingUsableInTheCallsign_IsRefusedWithTheMissingCallsignMessage) {
  StartShortWave();
  Enter(form1().Edit4, QString::fromUtf8("\xF0\x9F\x98\x80\r\n\xE4\xB8\xAD\t"), Route::kPasted);
  EXPECT_TRUE(form1().Edit4->text().isEmpty());
  prompts_.ExpectMessage(ErrorMessage("Brak znaku stacji!"));
  Type(form1().Edit6, "5");
  Key(form1().Edit6, Qt::Key_Return);
  EXPECT_TRUE(ListLines().empty());
  EXPECT_EQ("", LogContent());
}

TEST_F(BadInputTest, OverLongStationCallsign_Export_IsRefusedWithTheSystemReason) {
  StartShortWave();
  const QString callsign(300, 'Q');
  form1().Edit1->setText(callsign);
  const std::filesystem::path temporary = dir_ / (callsign.toLower().toStdString() + ".cbr.zapis~");
  prompts_.ExpectMessage(Message{}, Answer::kYes);
  prompts_.ExpectMessage(
      ErrorMessage(IoErrorText(IoError{temporary, std::strerror(ENAMETOOLONG)})));
  form1().Button2Click();
  EXPECT_TRUE(prompts_.Done());
}

TEST_F(BadInputTest, OverLongPastedDate_LeavingTheField_ShowsTheFormatMessage) {
  StartShortWave();
  form1().Edit2->clear();
  Enter(form1().Edit2, "2026-12-06 and more\r\n", Route::kPasted);
  prompts_.ExpectMessage(ErrorMessage(QString::fromUtf8("Błędny format daty!")));
  form1().Edit4->setFocus();
  EXPECT_EQ(form1().Edit2, QApplication::focusWidget());
  EXPECT_EQ("2026-12-06andmore", form1().Edit2->text());
  form1().Edit2->setText("2026-12-06");
}

TEST_F(BadInputTest, HostileStationData_SettingsKeepTwelveLinesAndReadBackTheSame) {
  StartShortWave();
  form2().EnableDataFields();
  const QString hostile = QString::fromUtf8("a\xF0\x9F\x98\x80|b\r\nc\t") + QString(500, 'd');
  for (QLineEdit* edit : form2().Edits()) {
    edit->clear();
    Enter(edit, hostile, Route::kPasted);
  }
  form2().Memo1->clear();
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8("first\r\nsecond \xF0\x9F\x98\x80\nthird"));
  form2().Memo1->setFocus();
  QTest::keyClick(form2().Memo1, Qt::Key_V, Qt::ControlModifier);

  const StationData data = form2().Data();
  const std::string content = FormatSettings(data);
  EXPECT_EQ(12u, SplitLines(content).size());
  const LoadedSettings loaded = ParseSettings(content);
  EXPECT_EQ(data.fields, loaded.data.fields);
  EXPECT_EQ(data.category_index, loaded.data.category_index);
  // The emoji reaches the file as one byte, never as more.
  EXPECT_EQ((std::vector<std::string>{"first", "second ?", "third"}), loaded.data.memo);
  form1().Edit4->setFocus();
}

// A log edited by hand: small letters, and a received group that reaches column 54. Cancel in
// any correction box gives back the pre-filled value, which must change nothing.
TEST_F(BadInputTest, HandEditedLine_CancelledCorrections_LeaveTheFileByteForByte) {
  //                       1         2         3         4         5         6
  //              1234567890123456789012345678901234567890123456789012345678901234567
  const std::string line = "2026-12-06 1205 80M CW 599      o qq1abc          599123456789012  2";
  WriteSettings(4);
  WriteLog({line});
  Start();
  const std::string content = LogContent();
  struct Command {
    QAction* action;
    const char* caption;
    const char* prompt;
    const char* prefilled;
  };
  const Command commands[] = {
      {form1().zmiendate1, "Zmiana daty", "Nowa data (rrrr-mm-dd)", "2026-12-06"},
      {form1().ZmieczasQSO1, "Zmiana czasu", "Nowy czas (hhmm)", "1205"},
      {form1().Zmieznakkorespondenta1, "Zmiana znaku korespondenta", "Nowy znak", "qq1abc"},
      {form1().Zmienadanynumerser1, "Zmiana nadanej grupy kontrolnej", "Nowa grupa", "o"},
      {form1().Zmieodebranynumerseryjny1, "Zmiana odebranej grupy kontrolnej", "Nowa grupa",
       "123456789012"},
  };
  for (const Command& command : commands) {
    SCOPED_TRACE(command.caption);
    form1().SelectRow(0);
    prompts_.ExpectInput(QString::fromUtf8(command.caption), QString::fromUtf8(command.prompt),
                         command.prefilled, std::nullopt);
    command.action->trigger();
    EXPECT_EQ(content, LogContent());
    EXPECT_TRUE(prompts_.Done());
  }
}

}  // namespace
}  // namespace zt::testing
