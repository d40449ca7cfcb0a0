#include "app/main_window.h"
#include "settings/station_dialog.h"

namespace zt {

void TForm1::Button1Click() {
  station_dialog().EnableDataFields();
  station_dialog().ShowDialog();
}

void TForm1::Button3Click() {}

void TForm1::ApplyCategoryConfiguration() {}

}  // namespace zt
