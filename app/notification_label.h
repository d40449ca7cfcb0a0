#pragma once

#include <QLabel>
#include <QWidget>

namespace zt {

// A label that screen readers know as a notification. A reader speaks a notification when it is
// shown (Orca on its "showing" event) and leaves the focus where it is, so showing the label is
// all it takes to have its text spoken.
class NotificationLabel : public QLabel {
  Q_OBJECT

 public:
  explicit NotificationLabel(QWidget* parent = nullptr);
};

}  // namespace zt
