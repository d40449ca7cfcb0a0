#pragma once

// The choice dialog: one pick-only list and "OK"; it applies a new mode to a logged QSO.

#include <QChar>
#include <QComboBox>
#include <QPushButton>
#include <QWidget>

namespace zt {

class TForm1;

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(TForm1& main_window);

  // Shows the dialog centred on the main window. It stays modal until OK, so no other command
  // can replace the QSO it is about to change.
  void ShowDialog();

  // --- Handlers ---
  // Enter acts as OK; true swallows the key.
  bool ComboBox1KeyPress(QChar key);
  void Button1Click();  // "OK"

  // --- Controls (objectName = the name below) ---
  QComboBox* ComboBox1;  // the entries to choose from, pick-only
  QPushButton* Button1;  // "OK"

 private:
  TForm1& main_window_;
};

}  // namespace zt
