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
  if (c.unicode() < 0x80) return c.unicode() >= 0x20 && c.unicode() != 0x7f;
  // A surrogate is half of a character beyond 16 bits (an emoji): no Windows-1250 byte holds one.
  if (c.isSurrogate() || c.category() == QChar::Other_Control) return false;
  QStringEncoder encoder(kCodePage);
  // The encoder converts only when its result is taken.
  const QByteArray bytes = encoder.encode(QStringView(&c, 1));
  return !encoder.hasError() && bytes.size() == 1;
}

}  // namespace

std::string ToCore(const QString& text) {
  QStringEncoder encoder(kCodePage);
  const QByteArray bytes = encoder.encode(text);
  if (!encoder.hasError()) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  // The converter puts the control character SUB where it fails; the file gets "?" instead, one
  // byte for each character however many UTF-16 units it takes.
  std::string converted;
  converted.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    QStringEncoder one(kCodePage);
    const QByteArray encoded = one.encode(QStringView(text).mid(i, pair ? 2 : 1));
    converted += !one.hasError() && encoded.size() == 1 ? encoded.front() : '?';
    if (pair) ++i;
  }
  return converted;
}

QString FromCore(std::string_view text) {
  QStringDecoder decoder(kCodePage);
  return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

QValidator::State FieldValidator::validate(QString& input, int& position) const {
  QString kept;
  kept.reserve(input.size());
  const int cursor = position;
  for (qsizetype i = 0; i < input.size(); ++i) {
    // Capitals before the test: a few letters have a capital that Windows-1250 cannot hold
    // (the micro sign's is the Greek Mu), and the field must show what the file will hold.
    const QString piece = upper_case_ ? QString(input[i]).toUpper() : QString(input[i]);
    bool encodable = true;
    for (QChar c : piece) encodable = encodable && IsEncodable(c);
    if (encodable) kept += piece;
    if (i < cursor) position += static_cast<int>(encodable ? piece.size() - 1 : -1);
  }
  input = kept;
  return Acceptable;
}

void SetFieldRules(QLineEdit* edit, bool upper_case) {
  edit->setValidator(new FieldValidator(upper_case, edit));
  // A handler installed later sees the key first, so a field's own Alt shortcuts still work.
  OnKeyPress(edit, [](QKeyEvent* event) { return IsAltCommand(event); });
}

void SetCharacterRule(QLineEdit* edit, std::function<bool(QChar)> refused) {
  OnKeyPress(edit, [refused](QKeyEvent* event) {
    const QChar typed = TypedCharacter(event);
    return !typed.isNull() && refused(typed);
  });
  QObject::connect(edit, &QLineEdit::textEdited, edit,
                   [edit, refused = std::move(refused)](const QString& text) {
                     QString kept;
                     int cursor = edit->cursorPosition();
                     const int old_cursor = cursor;
                     for (qsizetype i = 0; i < text.size(); ++i) {
                       if (!refused(text[i])) {
                         kept += text[i];
                       } else if (i < old_cursor) {
                         --cursor;
                       }
                     }
                     if (kept == text) return;
                     edit->setText(kept);
                     edit->setCursorPosition(cursor);
                   });
}

void ShowText(QLineEdit* field, const QString& text) {
  if (field->text() != text) field->setText(text);
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

bool IsAltCommand(const QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  return (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier) &&
         !event->text().isEmpty() && event->text().front().isPrint();
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
    case Qt::Key_Delete:
      // Tab moves between the fields, and Delete edits: a field that refuses characters must
      // not keep them.
      return QChar();
    default:
      break;
  }
  if (event->text().size() != 1) return QChar();
  return event->text().front();
}

}  // namespace zt
