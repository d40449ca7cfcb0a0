#include "app/main_window.h"

namespace zt {

void TForm1::Button8Click() {}

}  // namespace zt
