#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QTranslator>

#include "app/program.h"
#include "app/qt_prompts.h"
#include "core/time_source.h"

namespace {

// Hints appear after 100 ms, so the operator sees them without waiting.
class HintStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* result) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return 100;
    return QProxyStyle::styleHint(hint, option, widget, result);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The name only: a display name would be appended to every window caption on X11 and
  // Windows ("Błąd — Zawody Teltólmowe"), while each window shows its caption as it is.
  QApplication::setApplicationName("Zawody Teltólmowe");
  QApplication::setStyle(new HintStyle);

  // Standard buttons and dialogs speak Polish.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::Polish), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }

  zt::QtPrompts prompts;
  zt::SystemTimeSource clock;
  // The log and the settings live beside the executable.
  zt::Environment environment{
      std::filesystem::path(QApplication::applicationDirPath().toStdU16String()), &prompts, &clock};
  environment.executable =
      std::filesystem::path(QApplication::applicationFilePath().toStdU16String());
  zt::Program program(environment);
  prompts.SetParent(&program.form1());
  program.form1().show();
  return QApplication::exec();
}
