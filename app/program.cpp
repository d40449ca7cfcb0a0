#include "app/program.h"

namespace zt {

Program::Program(const Environment& environment)
    : form1_(std::make_unique<TForm1>(environment)),
      form2_(new TForm2(*form1_)),
      form3_(new TForm3(*form1_)),
      form4_(new TForm4(*form1_)) {
  form1_->SetDialogs(form2_, form3_, form4_);
  form2_->FormCreate();
}

}  // namespace zt
