#include "settings/station_dialog.h"

namespace zt {

void TForm2::ConnectHandlers() {}

}  // namespace zt
