#pragma once

// The CW page of the radio dialog: the keyer, where cwdaemon listens, the speed, the cut numbers
// and the messages F1-F8. It only shows and takes settings; the dialog saves them.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>
#include <array>

#include "station/cw_settings.h"

namespace zt {

class CwSettingsPage : public QWidget {
  Q_OBJECT

 public:
  explicit CwSettingsPage(QWidget* parent = nullptr);

  void Show(const CwSettings& settings);
  CwSettings Settings() const;

  QComboBox* KeyerBox;                                   // none / cwdaemon / rigctld
  QLineEdit* HostEdit;                                   // cwdaemon's host
  QSpinBox* PortBox;                                     // cwdaemon's port
  QSpinBox* WpmBox;                                      // 12-50 WPM
  QCheckBox* CutReportBox;                               // 599 as 5NN
  QCheckBox* CutGroupBox;                                // 0 as T, 9 as N in the sent group
  std::array<QLineEdit*, kCwMessageCount> MessageEdits;  // F1-F8
};

}  // namespace zt
