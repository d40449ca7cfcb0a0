// A process that starts, paints its first frame and exits: with "empty", an empty window (the
// floor of any Qt Widgets program of this tree); with "program <data directory>", the logger on
// that folder's log and settings. zt_bench times it from the spawn to the exit.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <memory>

#include "app/program.h"
#include "bench/bench_program.h"
#include "core/time_source.h"

namespace {

// Ends the event loop once the window has painted a frame: the quit is queued behind the paint,
// so the frame is complete, children included, when the process exits.
class QuitAfterFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
      watched->removeEventFilter(this);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const bool program = argc == 3 && std::strcmp(argv[1], "program") == 0;
  if (!program && !(argc == 2 && std::strcmp(argv[1], "empty") == 0)) return 2;
  QApplication application(argc, argv);
  QuitAfterFirstPaint quit;
  zt::bench::BenchPrompts prompts;
  zt::SystemTimeSource clock;
  std::unique_ptr<zt::Program> logger;
  std::unique_ptr<QWidget> empty;
  QWidget* window = nullptr;
  if (program) {
    logger = std::make_unique<zt::Program>(zt::Environment{argv[2], &prompts, &clock});
    window = &logger->form1();
  } else {
    empty = std::make_unique<QWidget>();
    empty->setFixedSize(686, 480);  // the main window's size
    window = empty.get();
  }
  window->installEventFilter(&quit);
  window->show();
  const int status = QApplication::exec();
  return status == 0 && prompts.asked == 0 ? 0 : 1;
}
