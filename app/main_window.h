#pragma once

// The main window: the entry fields of one QSO, the log list, the score, the letter panel and
// the command buttons. Its handlers are defined in the folder of the subsystem they belong to.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/log_list_model.h"
#include "app/notification_label.h"
#include "app/prompts.h"
#include "app/up_down.h"
#include "core/contest_clock.h"
#include "core/file_io.h"
#include "core/time_source.h"
#include "export/adif.h"
#include "session/contest_log.h"
#include "settings/categories.h"
#include "station/cw_settings.h"
#include "station/radio_file.h"

namespace zt {

class TForm2;
class TForm3;
class TForm4;
class CwKeyerLink;
class RadioDialog;
class RigClient;

// The file and the system's reason, on two lines.
QString FileAndReason(const IoError& error);
// The text shown for a failed file operation: the file and the system's reason.
QString IoErrorText(const IoError& error);

// What the windows get from outside: where the files live, who answers the questions and what
// time it is. The program passes the executable's folder, Qt prompts and the system clock.
struct Environment {
  std::filesystem::path data_directory;
  Prompts* prompts = nullptr;
  const TimeSource* time_source = nullptr;
  const FileSteps* file_steps = &FileSteps::System();  // every file of the data directory
  std::filesystem::path executable = {};  // the program's own file, kept from New log's copy
};

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(const Environment& environment, QWidget* parent = nullptr);

  // The other windows are created after this one; start-up hands them over.
  void SetDialogs(TForm2* station, TForm3* adif, TForm4* choice);

  const Environment& environment() const { return environment_; }
  Prompts& prompts() const { return *environment_.prompts; }
  // The run's log: its lines, duplicate keys, letters and score.
  const ContestLog& contest_log() const { return contest_log_; }
  TForm2& station_dialog() const { return *station_dialog_; }
  TForm3& adif_dialog() const { return *adif_dialog_; }
  TForm4& choice_dialog() const { return *choice_dialog_; }

  // --- Log store and start-up (app/main_window.cpp) ---
  void FormCreate();
  void FormActivate();
  // Loads the log file into the log list, restores the next sent group and recalculates; creates
  // the log empty when there is none.
  void LoadLogFile();
  void Edit1Exit();
  void Button5Click();
  // A dialog hands the window back: shown, active, the focus in the callsign field.
  void ShowAgain();
  // Shows a failed file operation with the system's reason.
  void ShowIoError(const IoError& error);

  // --- New log (app/new_log.cpp) ---
  void Button8Click();

 private:
  // Offers to save a copy of the log; false when the operator keeps the log after all or the
  // copy failed.
  bool SaveOrDiscardLog();

 public:
  // --- QSO entry (app/entry_handlers.cpp) ---
  void Button4Click();
  // Warns that the backup could not be written; the QSO itself is stored.
  void ReportBackup(const IoStatus& failure);
  // The QSO the entry fields make, with `sent_group` as the sent group.
  NewQso EnteredQso(const std::string& sent_group) const;
  void Edit4Change();
  // Character keys; true swallows the key.
  bool Edit4KeyPress(QChar key);
  bool Edit6KeyPress(QChar key);
  bool Edit5KeyPress(QChar key);
  bool Edit7KeyPress(QChar key);
  // Any key down in the entry fields; true when it was a band or mode shortcut, which types
  // nothing.
  bool Edit4KeyDown(int key, Qt::KeyboardModifiers modifiers);
  bool Edit6KeyDown(int key, Qt::KeyboardModifiers modifiers);

 private:
  // The shortcuts of the two entry fields; `allow_ctrl_alt` only in the callsign field.
  bool EntryKeyDown(int key, Qt::KeyboardModifiers modifiers, bool allow_ctrl_alt);

 public:
  void Edit6Exit();
  void ComboBox2Change();
  void Edit8Change();
  void CheckBox1Click();

  // --- The status line (app/status_line.cpp) ---
  // The log's counts and the rate against the clock's date and time fields.
  void ShowCounts();
  // What the typed QSO would score, and the worked callsigns like the typed one.
  void ShowPreview();

 private:
  void CreateStatusArea();

 public:
  // --- CW messages (station/ui/cw_commands.cpp) ---
  // Reads the [cw] group of the radio file and sets the keyer up; F1-F8, Esc and the speed keys
  // act in every field of the window.
  void SetUpCw();
  // Takes new CW settings (the radio dialog's OK) and sets the keyer up for them.
  void UseCwSettings(const CwSettings& settings);
  const CwSettings& cw_settings() const { return cw_settings_; }
  // F1-F8: sends message `index` (from 0) while the mode selector holds CW.
  void SendCwMessage(int index);
  // Esc while a message is being sent: stops it, and nothing else.
  void AbortCw();
  // The speed keys: `step` WPM faster (or slower), within 12-50.
  void StepCwSpeed(int step);
  bool CwSending() const { return cw_sending_; }
  // The radio line and the CW line under the status line, each shown while it has something to
  // say; the window grows by the lines shown.
  void LayOutStationLines();
  // The radio dialog's CW page on OK: stores the [cw] group and takes it; false, after telling
  // the operator, when the file could not be written.
  bool SaveCwSettingsFromDialog(const CwSettings& settings);

 private:
  void CwFinished();
  void SetCwSending(bool sending);
  void ShowCwStatus(const QString& text);

 public:
  // --- Contest clock (app/clock_handlers.cpp) ---
  void Timer1Timer();
  void Panel4Click();
  void Edit2Click();
  void UpDown1Click(bool up);
  // Steps the time by a minute when the key flags say PageUp or PageDown.
  void StepTimeByMinute();
  // The checks of leaving the date and the time field; true when the field passed.
  bool Edit2Exit();
  bool Edit3Exit();
  void StartClock();
  void StopClock();
  bool ClockRunning() const { return Timer1->isActive(); }
  // Stops the clock and moves the date and time fields by `minutes`.
  void StepClockBy(int minutes);
  // Shows a field check's result; a failed check puts the focus back into the field. False when
  // the field failed, or while another field's failed check runs.
  bool ShowFieldCheck(QLineEdit* field, const CheckedField& checked, const char* bad_format,
                      const char* bad_data);

  // --- Scoring (rules/score_view.cpp) ---
  void Button9Click();
  // The settings the scoring depends on: the round, the category index and the own locator.
  ScoringContext Scoring() const;
  // Shows the score state: the score label, the letters, the bonus mark and, unless told
  // otherwise, the claimed score of the station dialog.
  void ShowScoreState(bool claimed_score_too = true);

 private:
  // What "Przelicz" shows once the log is recalculated: the score, the selection after the
  // recalculation of `remembered_row`, and why the file could not be read, if it could not.
  void ShowRecalculated(int remembered_row, const IoStatus& unread);

 public:
  // --- Log corrections (corrections/correction_commands.cpp) ---
  void zmiendate1Click();
  void ZmieczasQSO1Click();
  void Zmiepasmo1Click();
  void Zmieemisj1Click();
  void Zmieznakkorespondenta1Click();
  void Zmienadanynumerser1Click();
  void Zmieodebranynumerseryjny1Click();
  void Usu1Click();
  // The choice dialog's OK on the QSO the mode change started on: entry 0 CW, entry 1 PH; any
  // other entry writes the line back as it is. False, after telling the operator, when the log
  // could not be rewritten.
  bool ChangeModeOfSelectedQso(int chosen_index);
  // The line a correction, a mode change or a deletion started on.
  const std::string& selected_log_line() const { return selected_log_line_; }

 private:
  // The steps shared by the five corrections that ask for the new value in an input box.
  void CorrectSelectedQso(CorrectedField field);
  // Runs a flow of the contest log that may change its lines; the list reads them anew and keeps
  // its selected row while that row is still there.
  template <class Flow>
  decltype(auto) ChangeLog(Flow&& flow);

 public:
  // --- Export (export/export_commands.cpp) ---
  void Button2Click();
  void Button7Click();
  // The export file in the data directory, named after the station callsign. None, after telling
  // the operator, while the callsign is blank: the name would be the extension alone.
  std::optional<std::filesystem::path> ExportPath(std::string_view extension);
  // Writes the ADIF file of the log with the export dialog's options.
  void WriteAdif(const AdifOptions& options);

 private:
  // Writes an export file and reports the outcome; `kind` names the format in the messages.
  void WriteExport(const QString& kind, const std::filesystem::path& path, std::string_view text);

 public:
  // --- Station settings (settings/station_commands.cpp) ---
  void Button1Click();
  void Button3Click();
  void ApplyCategoryConfiguration();
  // The selected category text; "UKF" in it means VHF.
  const std::string& contest_category() const { return contest_category_; }
  // Takes the category as the station dialog's list shows it, nothing else changes.
  void SetContestCategory(std::string category);
  // Takes the category, names it in the caption and sets the entry up for it.
  void UseCategory(std::string category);
  // What leaving the station dialog's category list sets here: the VHF reports and the menu
  // items that follow the category.
  void ApplyLeftCategory(const CategoryConfiguration& configuration);
  void SetStationCallsign(const QString& callsign) { Edit1->setText(callsign); }
  // The station dialog opens when the window is first activated (a first start).
  void ShowStationDialogAtFirstActivation() { station_dialog_pending_ = true; }
  bool station_dialog_pending() const { return station_dialog_pending_; }

  // The log list's selected row, or -1; selecting -1 clears the selection.
  int SelectedRow() const;
  void SelectRow(int row);
  int LineCount() const { return static_cast<int>(contest_log_.lines().size()); }

  // --- The radio (station/ui/radio_commands.cpp) ---
  // Start-up: the radio file, its bad values told once, the client started when it is on.
  void StartRadio();
  // Opens the "Radio" dialog (Ctrl+R or the small button right of the status line).
  void RadioButtonClick();
  // Stores the radio file and applies the settings; false, after telling the operator, when the
  // file could not be written.
  bool SaveRadioSettings(const RadioSettings& settings);
  // Connects to the daemons the settings name, or lets them go.
  void ApplyRadioSettings(const RadioSettings& settings);
  const RadioSettings& radio_settings() const { return radio_settings_; }
  RigClient& rig_client() const { return *rig_client_; }
  RadioDialog& radio_dialog() const { return *radio_dialog_; }
  // The status line's radio line: the frequency and mode, the band warning, or the fault.
  void ShowRadio();
  // A new reading of the rig: the radio line, and the mode selector when the rig's mode changed.
  void RigReadingChanged();

 private:
  void CreateRadio();

 public:
  // --- Controls (objectName = the name below) ---
  QLabel* Label1;                       // "Używany znak"
  QLineEdit* Edit1;                     // station callsign in use
  QPushButton* Button1;                 // "Zmiana danych ": opens the station dialog
  QFrame* Panel2;                       // holds the two report fields
  QLabel* Label7;                       // "Rprt nadany"
  QLineEdit* Edit5;                     // sent report
  QLabel* Label9;                       // "Rprt odebrany"
  QLineEdit* Edit7;                     // received report
  QFrame* Panel5;                       // letter-bonus panel
  std::array<QLabel*, 8> LetterLabels;  // Label13..Label20: T E L T Ó L M E
  QLabel* Label12;                      // "+ 20 punktów": the bonus mark
  QLabel* Label4;                       // "Data (rrrr-mm-dd)"
  QLineEdit* Edit2;                     // QSO date
  QLabel* Label2;                       // "Pasmo"
  QComboBox* ComboBox1;                 // band selector
  QLabel* Label3;                       // "Emisja"
  QComboBox* ComboBox2;                 // mode selector
  QFrame* Panel1;                       // holds the sent group
  QLabel* Label10;                      // "Nadawana grupa kontrolna"
  QLineEdit* Edit8;                     // sent control group: the next serial number
  QLineEdit* Edit9;                     // own locator, shown in the VHF round only
  QCheckBox* CheckBox1;                 // "Zwiększ automatycznie"
  QPushButton* Button4;                 // "Dodaj QSO do logu"
  QLabel* Label5;                       // "Czas UTC (gg:mm)"
  QLineEdit* Edit3;                     // QSO time
  UpDown* UpDown1;                      // steps the time by a minute
  QLabel* Label6;                       // "Znak"
  QLineEdit* Edit4;                     // correspondent's callsign
  QLabel* Label8;                       // "Grupa odebrana" / per round
  QLineEdit* Edit6;                     // received control group
  QLabel* Panel4;                       // "Włącz zegar": visible while the clock is stopped
  NotificationLabel* Panel3;            // "QSO powtórzone": the repeated-QSO warning, spoken
  QListView* ListBox1;                  // the log list
  QLabel* Label30;                      // "Wynik:"
  QLabel* Label31;                      // the score
  QPushButton* Button2;                 // "Zapisz plik Cabrillo"
  QPushButton* Button7;                 // "Zapisz plik  ADIF"
  QPushButton* Button9;                 // "Przelicz"
  QPushButton* Button8;                 // "Nowy log"
  QPushButton* Button3;                 // "Info"
  QPushButton* Button5;                 // "Koniec"
  QLabel* CountsLabel;                  // status: the counts and the rate
  QLabel* PreviewLabel;                 // status: what the typed QSO would score
  QLabel* PartialLabel;                 // status: the worked callsigns like the typed one
  QLabel* CwLabel = nullptr;            // status: the CW message sent, the speed, the keyer
  QLabel* RadioLabel = nullptr;         // status: the radio, shown while it is on
  QToolButton* RadioButton;             // "R": opens the "Radio" dialog
  QShortcut* RadioShortcut;             // Ctrl+R: opens the "Radio" dialog
  QTimer* Timer1;                       // the half-second contest clock
  QMenu* PopupMenu1;                    // the log list's pop-up menu
  QAction* zmiendate1;
  QAction* ZmieczasQSO1;
  QAction* Zmiepasmo1;
  QAction* Zmieemisj1;
  QAction* Zmieznakkorespondenta1;
  QAction* Zmienadanynumerser1;
  QAction* Zmieodebranynumerseryjny1;
  QAction* Usu1;

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void CreateLogArea();
  void CreatePopupMenu();
  void ConnectHandlers();
  void SetTabOrder();

  Environment environment_;
  ContestLog contest_log_;
  LogListModel log_list_{contest_log_.lines()};  // the lines shown by ListBox1
  std::string contest_category_;
  std::string selected_log_line_;
  bool station_dialog_pending_ = false;
  bool page_up_pressed_ = false;  // key flags read by StepTimeByMinute
  bool page_down_pressed_ = false;
  TForm2* station_dialog_ = nullptr;
  TForm3* adif_dialog_ = nullptr;
  TForm4* choice_dialog_ = nullptr;
  // Set while a failed field check puts the focus back, so that another field left on the way
  // is not checked too (two wrong fields would otherwise hand the focus back and forth).
  bool field_check_running_ = false;
  bool backup_failure_reported_ = false;
  CwSettings cw_settings_;
  CwKeyerLink* cw_keyer_ = nullptr;  // none while the keyer is "none"
  QShortcut* cw_escape_ = nullptr;   // Esc, a window shortcut only while a message is sent
  bool cw_sending_ = false;
  QString cw_message_;  // the text being sent, for the status line
  QString cw_fault_;    // the keyer's fault, shown until it answers again
  RadioSettings radio_settings_;
  RigClient* rig_client_ = nullptr;
  RadioDialog* radio_dialog_ = nullptr;
  // The rig's mode the selector last followed; the selector moves again only when it changes.
  std::string followed_rig_mode_;
};

template <class Flow>
decltype(auto) TForm1::ChangeLog(Flow&& flow) {
  const int selected = SelectedRow();
  decltype(auto) outcome = log_list_.Changing(std::forward<Flow>(flow));
  SelectRow(selected);
  ShowCounts();
  return outcome;
}

}  // namespace zt
