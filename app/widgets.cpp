#include "app/widgets.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QStringDecoder>
#include <QStringEncoder>

namespace zt {

namespace {

constexpr char kCodePage[] = "windows-1250";

class EventHook : public QObject {
 public:
  EventHook(QObject* parent, std::function<bool(QEvent*)> hook)
      : QObject(parent), hook_(std::move(hook)) {}
  bool eventFilter(QObject*, QEvent* event) override { return hook_(event); }

 private:
  std::function<bool(QEvent*)> hook_;
};

void Hook(QWidget* widget, std::function<bool(QEvent*)> hook) {
  widget->installEventFilter(new EventHook(widget, std::move(hook)));
}

bool IsEncodable(QChar c) {
  if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
  if (c.unicode() < 0x80) return true;
  QStringEncoder encoder(kCodePage);
  encoder(QString(c));
  return !encoder.hasError();
}

}  // namespace

std::string ToCore(const QString& text) {
  QStringEncoder encoder(kCodePage);
  const QByteArray bytes = encoder(text);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromCore(std::string_view text) {
  QStringDecoder decoder(kCodePage);
  return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

QValidator::State FieldValidator::validate(QString& input, int& position) const {
  QString kept;
  kept.reserve(input.size());
  for (qsizetype i = 0; i < input.size(); ++i) {
    if (IsEncodable(input[i])) {
      kept += input[i];
    } else if (i < position) {
      --position;
    }
  }
  input = upper_case_ ? kept.toUpper() : kept;
  return Acceptable;
}

void SetFieldRules(QLineEdit* edit, bool upper_case) {
  edit->setValidator(new FieldValidator(upper_case, edit));
}

void OnExit(QWidget* widget, std::function<void()> handler) {
  Hook(widget, [handler = std::move(handler)](QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) handler();
    }
    return false;
  });
}

void OnClick(QWidget* widget, std::function<void()> handler) {
  Hook(widget, [handler = std::move(handler)](QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      handler();
    }
    // The widget still sees the click: an edit places its cursor as usual.
    return false;
  });
}

void OnKeyPress(QWidget* widget, std::function<bool(QKeyEvent*)> handler) {
  Hook(widget, [handler = std::move(handler)](QEvent* event) {
    return event->type() == QEvent::KeyPress && handler(static_cast<QKeyEvent*>(event));
  });
}

QChar TypedCharacter(const QKeyEvent* event) {
  // Alt and Ctrl combinations are commands, not characters (Ctrl+M would otherwise read as Enter).
  if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return QChar();
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return QChar('\r');
    case Qt::Key_Escape:
      return QChar(0x1b);
    case Qt::Key_Backspace:
      return QChar('\b');
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      // Tab moves between the fields; a field that refuses characters must not keep it.
      return QChar();
    default:
      break;
  }
  if (event->text().size() != 1) return QChar();
  return event->text().front();
}

}  // namespace zt
