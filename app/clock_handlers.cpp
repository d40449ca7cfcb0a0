#include "app/main_window.h"
#include "app/widgets.h"
#include "core/contest_clock.h"

namespace zt {

void TForm1::Timer1Timer() {
  const ClockFields now = CurrentUtcFields(*environment_.time_source);
  // Each tick writes only what changed: most ticks change nothing.
  ShowText(Edit3, FromCore(now.time));
  ShowText(Edit2, FromCore(now.date));
}

void TForm1::StartClock() {
  // Starting a running clock leaves its ticks alone: a restart would put off the next tick, and
  // QSOs added faster than the tick would keep a stale time.
  if (!Timer1->isActive()) Timer1->start();
  Panel4->hide();
}

void TForm1::StopClock() {
  Timer1->stop();
  Panel4->show();
}

void TForm1::Panel4Click() {
  // The date follows at the next tick.
  Edit3->setText(FromCore(CurrentUtcFields(*environment_.time_source).time));
  StartClock();
}

void TForm1::Edit2Click() { StopClock(); }

void TForm1::UpDown1Click(bool up) {
  // While the time is being typed, the spinner must not overwrite it.
  if (Edit3->hasFocus()) return;
  StepClockBy(up ? 1 : -1);
}

void TForm1::StepTimeByMinute() {
  if (page_up_pressed_) {
    StepClockBy(1);
  } else if (page_down_pressed_) {
    StepClockBy(-1);
  }
}

void TForm1::StepClockBy(int minutes) {
  StopClock();
  const StepOutcome outcome =
      StepByMinute(ClockFields{ToCore(Edit2->text()), ToCore(Edit3->text())}, minutes);
  switch (outcome.result) {
    case StepResult::kOk:
      Edit2->setText(FromCore(outcome.fields.date));
      Edit3->setText(FromCore(outcome.fields.time));
      break;
    case StepResult::kBadTime:
      prompts().Show(ErrorMessage("Niewłaściwe dane w polu czasu!"));
      break;
    case StepResult::kBadDate:
      prompts().Show(ErrorMessage("Niewłaściwe dane w polu daty!"));
      break;
  }
}

bool TForm1::ShowFieldCheck(QLineEdit* field, const CheckedField& checked, const char* bad_format,
                            const char* bad_data) {
  if (field_check_running_) return false;
  ShowText(field, FromCore(checked.text));
  if (checked.check == FieldCheck::kOk) return true;
  field_check_running_ = true;
  prompts().Show(ErrorMessage(
      QString::fromUtf8(checked.check == FieldCheck::kBadFormat ? bad_format : bad_data)));
  field->setFocus();
  field_check_running_ = false;
  return false;
}

bool TForm1::Edit3Exit() {
  return ShowFieldCheck(Edit3, CheckTimeField(ToCore(Edit3->text())), "Błędny format czasu!",
                        "Niewłaściwe dane w polu czasu!");
}

bool TForm1::Edit2Exit() {
  return ShowFieldCheck(Edit2, CheckDateField(ToCore(Edit2->text())), "Błędny format daty!",
                        "Niewłaściwe dane w polu daty!");
}

}  // namespace zt
