#pragma once

// The choice dialog: one pick-only list and "OK"; it applies a new mode to a logged QSO.

#include <QComboBox>
#include <QPushButton>
#include <QWidget>

namespace zt {

class TForm1;

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(TForm1& main_window);

 private:
  TForm1& main_window_;
};

}  // namespace zt
