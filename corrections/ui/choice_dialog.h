#pragma once

// The choice dialog: one pick-only list and "OK"; it applies a new mode to a logged QSO.

#include <QChar>
#include <QComboBox>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

namespace zt {

class TForm1;

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(TForm1& main_window);

  // What OK applies the chosen entry to.
  enum class Purpose {
    kNone,                  // nothing: the selected QSO is written back unchanged
    kModeOfTheSelectedQso,  // the mode of the QSO the main window selected
  };

  // Shows the dialog for `purpose`, with its caption and entries, `selected` chosen, centred on
  // the main window. It stays modal until OK, so no other command can replace the QSO it is
  // about to change.
  void ShowChoice(Purpose purpose, const QString& caption, const QStringList& entries,
                  int selected);

  // --- Handlers ---
  // Enter acts as OK; true swallows the key.
  bool ComboBox1KeyPress(QChar key);
  void Button1Click();  // "OK"

  // --- Controls (objectName = the name below) ---
  QComboBox* ComboBox1;  // the entries to choose from, pick-only
  QPushButton* Button1;  // "OK"

 private:
  TForm1& main_window_;
  Purpose purpose_ = Purpose::kNone;
};

}  // namespace zt
