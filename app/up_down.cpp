#include "app/up_down.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace zt {

UpDown::UpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton), down_(new QToolButton) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (QToolButton* button : {up_, down_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(button);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setObjectName("UpDown1Up");
  down_->setObjectName("UpDown1Down");
  setFocusPolicy(Qt::TabFocus);
  connect(up_, &QToolButton::clicked, this, [this] { emit Clicked(true); });
  connect(down_, &QToolButton::clicked, this, [this] { emit Clicked(false); });
}

void UpDown::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    emit Clicked(event->key() == Qt::Key_Up);
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace zt
