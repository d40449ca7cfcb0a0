#pragma once

// The ADIF dialog "Zapis pliku ADIF": a comment for every record, the operator and the contest.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace zt {

class TForm1;

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(TForm1& main_window);

 private:
  TForm1& main_window_;
};

}  // namespace zt
