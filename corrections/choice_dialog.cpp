#include "corrections/choice_dialog.h"

#include "app/main_window.h"

namespace zt {

TForm4::TForm4(TForm1& main_window) : QWidget(&main_window, Qt::Dialog), main_window_(main_window) {
  setObjectName("Form4");
}

}  // namespace zt
