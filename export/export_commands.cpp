#include "app/main_window.h"

namespace zt {

void TForm1::Button2Click() {}
void TForm1::Button7Click() {}

}  // namespace zt
