#include "app/notification_label.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace zt {

namespace {

// The label's accessible side: the notification role, and its text as its name.
class NotificationAccessible : public QAccessibleWidget {
 public:
  explicit NotificationAccessible(QLabel* label)
      : QAccessibleWidget(label, QAccessible::Notification) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
      return static_cast<const QLabel*>(widget())->text();
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* NotificationFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(NotificationLabel::staticMetaObject.className())) return nullptr;
  return new NotificationAccessible(static_cast<NotificationLabel*>(object));
}

}  // namespace

NotificationLabel::NotificationLabel(QWidget* parent) : QLabel(parent) {
  static const bool factory_installed = (QAccessible::installFactory(NotificationFactory), true);
  (void)factory_installed;
}

}  // namespace zt
