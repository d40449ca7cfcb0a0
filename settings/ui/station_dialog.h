#pragma once

// The station data dialog "Nagłówek pliku Cabrillo": the Cabrillo header data and the contest
// category. Its fields hold these values for the whole run; the settings file is their copy.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "settings/settings_file.h"

namespace zt {

class TForm1;

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(TForm1& main_window);

  // Start-up: initial texts, the settings file, the category and the log.
  void FormCreate();

  // Shows the dialog without blocking the main window, centred on it.
  void ShowDialog();
  // Makes the ten data fields editable.
  void EnableDataFields();

  // The values other windows read from the dialog.
  int CategoryIndex() const { return ComboBox1->currentIndex(); }
  std::string OwnLocator() const;
  StationData Data() const;
  void SetData(const StationData& data);

  // --- Handlers (settings/station_dialog_handlers.cpp) ---
  void Edit1Exit();
  bool Edit7KeyPress(QChar key);
  void ComboBox1Change();
  void ComboBox1Exit();
  void Edit10Exit();
  void Button3Click();  // "OK"
  void Button1Click();  // "Powrót"

  // --- Controls (objectName = the name below) ---
  QLabel* Label1;          // "Znak operatora"
  QLineEdit* Edit1;        // operator callsign (the station callsign in use)
  QLabel* Label11;         // "Kategoria"
  QComboBox* ComboBox1;    // contest category, pick-only
  QLabel* Label2;          // "Imię i nazwisko"
  QLineEdit* Edit2;        // name
  QLabel* Label3;          // "E-mail"
  QLineEdit* Edit3;        // e-mail address
  QLabel* Label7;          // "Liczba punktów"
  QLineEdit* Edit7;        // claimed score
  QLabel* Label4;          // "Adres"
  QLineEdit* Edit4;        // first address line
  QLineEdit* Edit5;        // second address line
  QLineEdit* Edit6;        // third address line
  QLabel* Label9;          // "Nazwa zawodów"
  QLineEdit* Edit9;        // contest name
  QPushButton* Button3;    // "OK"
  QPushButton* Button1;    // "Powrót"
  QLabel* Label8;          // "Operatorzy"
  QLineEdit* Edit8;        // operators
  QLabel* Label12;         // "Dodatkowe uwagi"
  QPlainTextEdit* Memo1;   // remarks
  QLabel* Label10;         // "Lokator"
  QLineEdit* Edit10;       // own Maidenhead locator

  // The ten data fields by number: Edits()[0] is Edit1, Edits()[9] is Edit10.
  std::array<QLineEdit*, 10> Edits() const;

  // Marks a field as required (light cyan) or gives it a plain background.
  static void SetRequired(QLineEdit* edit, bool required);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void ConnectHandlers();
  void SetInitialTexts();
  // Puts the selection back and explains when it would move a begun log to the other round.
  bool RefuseRoundChange();
  // The selected category in capitals becomes the contest category.
  void TakeSelectedCategory();

  TForm1& main_window_;
};

}  // namespace zt
