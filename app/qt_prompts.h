#pragma once

#include <QPointer>
#include <QWidget>

#include "app/prompts.h"

namespace zt {

// The program's prompts: standard Qt message boxes, input box and save dialog.
class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  Answer Show(const Message& message) override;
  QString InputBox(const QString& caption, const QString& prompt,
                   const QString& prefilled) override;
  std::optional<QString> SaveFileName(const QString& suggested, const QString& filter) override;
  void Beep() override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace zt
