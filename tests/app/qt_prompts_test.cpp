#include "app/qt_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace zt {
namespace {

// The operator's part in the real input box: select the pre-filled text, paste over it, OK.
QString PasteIntoTheInputBox(const QString& prefilled, const QString& pasted) {
  QGuiApplication::clipboard()->setText(pasted);
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (!box) return;
    QLineEdit* edit = box->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    box->accept();
  });
  QtPrompts prompts;
  return prompts.InputBox("Zmiana znaku korespondenta", "Nowy znak", prefilled);
}

TEST(QtPromptsInputBox, PastedLineBreaksAndTabs_NeverComeBack) {
  EXPECT_EQ("QQ2XYZ", PasteIntoTheInputBox("QQ1ABC", "QQ2\r\nXYZ\t\n"));
  EXPECT_EQ(QString::fromUtf8("12KO00HU ą"),
            PasteIntoTheInputBox("5", QString::fromUtf8("12KO00HU \xF0\x9F\x98\x80ą")));
}

}  // namespace
}  // namespace zt
