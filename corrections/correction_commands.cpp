#include "app/main_window.h"

namespace zt {

void TForm1::zmiendate1Click() {}
void TForm1::ZmieczasQSO1Click() {}
void TForm1::Zmiepasmo1Click() {}
void TForm1::Zmieemisj1Click() {}
void TForm1::Zmieznakkorespondenta1Click() {}
void TForm1::Zmienadanynumerser1Click() {}
void TForm1::Zmieodebranynumerseryjny1Click() {}
void TForm1::Usu1Click() {}

}  // namespace zt
