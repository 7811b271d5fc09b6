// What the fields could not hold is never written: command keys, pastes that break a field's
// rules and menus opened over an edit leave the file as it is.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

#include "EditingFixture.h"
#include "framework/System.h"

namespace {

TEST_F(EditingTest, CommandKeysInTheDateFieldCopyAndWriteNothing) {
  QByteArray path = Drop("photo.png");
  Select(0);
  fw::seams::ResetFileWriteCalls();
  fw::seams::ResetBeeps();
  Retype(w->ModifDateTxtFld(), "12/05/11");
  QWindow* win = w->NativeWindow()->windowHandle();
  // Ctrl+C's text is keypad Enter's code, Ctrl+M's and Ctrl+I's those of Return and Tab.
  QTest::sendKeyEvent(QTest::Click, win, Qt::Key_A, "\x01", Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, win, Qt::Key_C, "\x03", Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, win, Qt::Key_M, "\r", Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, win, Qt::Key_I, "\t", Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "12/05/11");
  EXPECT_EQ(w->ModifDateTxtFld().Text(), "12/05/11");  // not checked, not rewritten
  EXPECT_TRUE(w->ModifDateTxtFld().LineEdit()->hasFocus());
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_EQ(Shown(path), "01/01/2001 08:00:00");
  EXPECT_EQ(fw::seams::BeepCount(), 0);
}

TEST_F(EditingTest, APasteThatBreaksTheTimeFieldsRulesIsRefusedAndNothingIsWritten) {
  QByteArray path = Drop("photo.png");
  Select(0);
  fw::seams::ResetFileWriteCalls();
  fw::seams::ResetBeeps();
  fw::TextField& time = w->ModifTimeTxtFld();
  QLineEdit* e = time.LineEdit();
  QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() - 3, e->height() / 2));
  time.SelectAll();
  QApplication::clipboard()->setText("-3:00:00");
  QTest::sendKeyEvent(QTest::Click, w->NativeWindow()->windowHandle(), Qt::Key_V, "\x16", Qt::ControlModifier);
  EXPECT_EQ(time.Text(), "08:00:00");
  EXPECT_EQ(fw::seams::BeepCount(), 1);
  ClickRow(0);
  Settle();
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_EQ(Shown(path), "01/01/2001 08:00:00");
}

TEST_F(EditingTest, AMenuOpenedOverAnEditWritesNothingUntilTheFieldIsLeft) {
  QByteArray path = Drop("photo.png");
  Select(0);
  fw::seams::ResetFileWriteCalls();
  Retype(w->ModifDateTxtFld(), "24/12/2015");
  QTest::keyClick(w->NativeWindow()->windowHandle(), Qt::Key_E, Qt::AltModifier);
  QWidget* menu = QApplication::activePopupWidget();
  ASSERT_NE(menu, nullptr);
  QTest::keyClick(menu, Qt::Key_Escape);
  QTest::qWait(20);
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_EQ(Shown(path), "01/01/2001 08:00:00");
  EXPECT_EQ(w->NativeWindow()->focusWidget(), w->ModifDateTxtFld().Widget());
  ClickRow(0);
  Settle();
  EXPECT_EQ(Shown(path), "24/12/2015 08:00:00");
}

}  // namespace
