#include "export/adif_dialog.h"

#include "app/main_window.h"

namespace zt {

TForm3::TForm3(TForm1& main_window) : QWidget(&main_window, Qt::Dialog), main_window_(main_window) {
  setObjectName("Form3");
  setWindowTitle("Zapis pliku ADIF");
}

}  // namespace zt
