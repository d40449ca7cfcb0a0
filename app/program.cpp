#include "app/program.h"

namespace zt {

Program::Program(const Environment& environment)
    : form1_(std::make_unique<TForm1>(environment)),
      form2_(new TForm2(*form1_)),
      form3_(new TForm3(*form1_)),
      form4_(new TForm4(*form1_)) {
  form1_->SetDialogs(form2_, form3_, form4_);
  if (IoStatus status =
          CheckDirectoryWritable(*environment.file_steps, environment.data_directory)) {
    environment.prompts->Show(ErrorMessage(
        QStringLiteral("Nie można zapisywać plików w folderze programu:\n%1\n(%2)\n\nLog i "
                       "ustawienia są przechowywane w tym folderze, więc łączności nie zostaną "
                       "zapisane. Uruchom program z folderu, do którego masz prawo zapisu.")
            .arg(QString::fromStdU16String(status->path.u16string()),
                 QString::fromLocal8Bit(status->reason.c_str()))));
  }
  form2_->FormCreate();
  form1_->StartRadio();
}

}  // namespace zt
