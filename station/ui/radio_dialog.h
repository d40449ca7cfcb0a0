#pragma once

// The "Radio" dialog: how the program reaches the station's daemons. A tab per daemon; the
// "Radio" tab sets whether the program follows the rig through rigctld, where that listens, and
// tries a connection. OK stores the radio file and applies the settings at once.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <optional>

#include "station/radio_file.h"
#include "station/ui/cw_settings_page.h"

namespace zt {

class TForm1;
class RigClient;

class RadioDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RadioDialog(TForm1& main_window);

  // Shows the settings in use, without blocking the main window, centred on it.
  void ShowDialog(const RadioSettings& settings);
  void SetSettings(const RadioSettings& settings);
  // The settings the fields hold; nothing, with the reason shown in the dialog and the focus in
  // the field, while a field holds a value that cannot be used.
  std::optional<RadioSettings> Settings();

  // --- Handlers ---
  void OkClick();
  void TestClick();

  // --- Controls (objectName = the name below) ---
  QTabWidget* Tabs;           // one page per daemon
  QWidget* RigPage;           // "Radio": rigctld
  QCheckBox* RigEnabled;      // "Śledź radio (rigctld)"
  QLabel* RigHostLabel;       // "Host"
  QLineEdit* RigHost;         // the daemon's host
  QLabel* RigPortLabel;       // "Port"
  QLineEdit* RigPort;         // the daemon's port
  QPushButton* RigTest;       // "Sprawdź połączenie"
  QLabel* RigTestResult;      // what the test connection found, or why a field is refused
  CwSettingsPage* CwPage;     // "CW": the keyer, the speed and the messages F1-F8
  QPushButton* OkButton;      // "OK": store and apply
  QPushButton* CancelButton;  // "Anuluj"

 protected:
  void done(int result) override;

 private:
  // What the page shows for a field it refuses; the focus goes there.
  void Refuse(QLineEdit* field, const QString& reason);

  TForm1& main_window_;
  RigClient* probe_ = nullptr;  // the test connection while it runs
};

}  // namespace zt
