#include "tests/support/program_fixture.h"

#include "core/log_file.h"

namespace zt::testing {

std::string SettingsFileFor(int category_index, std::string_view callsign,
                            std::string_view locator) {
  std::string content;
  const std::string lines[] = {std::string(callsign),
                               "Jan Kowalski",
                               "jan@example.com",
                               "ul. Polna 1",
                               "00-001 Warszawa",
                               "",
                               "0",
                               "",
                               "ZAWODY TELT\xD3LMOWE",
                               std::string(locator),
                               "",
                               std::to_string(category_index)};
  for (const std::string& line : lines) content += line + "\r\n";
  return content;
}

void ProgramTest::WriteSettings(int category_index, std::string_view locator) {
  WriteFile(dir_ / "zawody_teltolmowe.ini", SettingsFileFor(category_index, "QQ2XYZ", locator));
}

void ProgramTest::WriteLog(const std::vector<std::string>& lines) {
  std::string content;
  for (const std::string& line : lines) content += line + "\r\n";
  WriteFile(dir_ / "zawody_teltolmowe.zlg", content);
}

std::string ProgramTest::LogContent() const { return ReadFile(dir_ / "zawody_teltolmowe.zlg"); }

void ProgramTest::Start() {
  program_ = std::make_unique<Program>(
      Environment{dir_.path(), &prompts_, &clock_, &file_steps_, dir_ / kExecutableName});
  form1().show();
  form1().activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&form1()));
  // The clock would overwrite typed dates and times; tests start it when they need it.
  form1().Timer1->stop();
}

void ProgramTest::Type(QWidget* field, const QString& text) {
  field->setFocus();
  QTest::keyClicks(field, text);
}

void ProgramTest::Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(widget, key, modifiers);
}

void ProgramTest::AddQso(const QString& callsign, const QString& group) {
  Type(form1().Edit4, callsign);
  Type(form1().Edit6, group);
  Key(form1().Edit6, Qt::Key_Return);
}

}  // namespace zt::testing
