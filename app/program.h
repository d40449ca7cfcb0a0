#pragma once

#include <memory>

#include "app/main_window.h"
#include "corrections/ui/choice_dialog.h"
#include "export/ui/adif_dialog.h"
#include "settings/ui/station_dialog.h"

namespace zt {

// The four windows of the program, created in their order: the main window first, since the
// station dialog's start-up writes into it. A data folder that cannot be written is reported
// first: the log and the settings live there.
class Program {
 public:
  explicit Program(const Environment& environment);

  TForm1& form1() { return *form1_; }
  TForm2& form2() { return *form2_; }
  TForm3& form3() { return *form3_; }
  TForm4& form4() { return *form4_; }

 private:
  std::unique_ptr<TForm1> form1_;
  TForm2* form2_;
  TForm3* form3_;
  TForm4* form4_;
};

}  // namespace zt
