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

  // Shows the dialog centred on the main window.
  void ShowDialog();

  // --- Handlers ---
  void Button1Click();  // "Zapisz": writes the ADIF file; the dialog stays open
  void Button2Click();  // "Powrót"
  void Edit2Exit();

  // --- Controls (objectName = the name below) ---
  QLabel* Label1;        // "Komentarz dla wszystkich rekordów:"
  QLineEdit* Edit1;      // comment put into every record; kept between showings
  QPushButton* Button1;  // "Zapisz"
  QPushButton* Button2;  // "Powrót"
  QLabel* Label2;        // "Operator": a click saves too
  QLineEdit* Edit2;      // operator's callsign
  QLabel* Label3;        // "Zawody": a click saves too
  QLineEdit* Edit3;      // contest identifier

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void ConnectHandlers();

  TForm1& main_window_;
};

}  // namespace zt
