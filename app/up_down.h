#pragma once

#include <QToolButton>
#include <QWidget>

namespace zt {

// A pair of step buttons (up and down arrow) that does not take the focus when clicked, so the
// field being edited keeps it; the arrow keys step it when it has the focus itself.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  QToolButton* up_button() const { return up_; }
  QToolButton* down_button() const { return down_; }

 signals:
  void Clicked(bool up);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace zt
