// Menus opened over a field that holds an edit: the menu bar's and the field's own. Opening and
// dismissing them is not leaving the field, and the keyboard comes back to it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/MainMenuBar.h"
#include "controls/TabedDateField.h"
#include "controls/TabedTextField.h"
#include "framework/System.h"
#include "framework/Window.h"
#include "support/Support.h"

namespace {

class MenuWindow : public fw::Window {
 public:
  void Layout() override {
    SetMenuBar(MainMenuBar::Instance());
    fw::ApplyDesign(*this, {{"Width", 300}, {"Height", 120}});
  }
  void CreateControls() override {
    int top = 10;
    auto place = [&top](fw::RectControl& c) {
      fw::ApplyDesign(c, {{"Left", 10}, {"Top", top}, {"Width", 200}, {"Height", 24}});
      top += 30;
    };
    place(New<TabedTextField>("Name"));
    auto& date = New<TabedDateField>("Date");
    place(date);
    fw::ApplyDesign(date, {{"LimitText", 10}, {"SelectAllText", false}});
    place(New<TabedTextField>("Other"));
  }
  fw::TextField& Name() { return Find<fw::TextField>("Name"); }
  TabedDateField& Date() { return Find<TabedDateField>("Date"); }
  fw::TextField& Other() { return Find<fw::TextField>("Other"); }
};

class MenusOverFields : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Constructor();
    ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
    for (fw::TextField* f : {&w.Name(), static_cast<fw::TextField*>(&w.Date()), &w.Other()}) {
      f->LostFocus.Bind([this, f](fw::Object&) { log << f->Name + " lost"; });
      f->GotFocus.Bind([this, f](fw::Object&) { log << f->Name + " got"; });
    }
    fw::seams::ResetBeeps();
  }
  void TearDown() override {
    for (const char* item : {"EditCopy", "EditPaste", "EditCut", "EditSelectAll", "EditUndo"})
      MainMenuBar::Instance()->Lookup(item)->Action.Bind(nullptr);
  }
  QWindow* Win() { return w.NativeWindow()->windowHandle(); }
  QMenu* EditMenu() { return w.NativeMenuBar()->actions().at(1)->menu(); }
  // Lets the queued work of a closing menu run.
  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  // The control the window's keys go to. (The offscreen platform does not always give the window
  // back its activation when a menu closes, as a desktop does.)
  bool Focused(fw::RectControl& c) { return w.NativeWindow()->focusWidget() == c.Widget(); }

  MenuWindow w;
  QStringList log;
};

TEST_F(MenusOverFields, AMenuOpenedByItsLetterAndDismissedLeavesTheKeyboardInTheField) {
  for (fw::TextField* f : {&w.Name(), static_cast<fw::TextField*>(&w.Date())}) {
    SCOPED_TRACE(f->Name.toStdString());
    f->SetText("12/05/");
    f->SetFocus();
    log.clear();
    QTest::keyClick(Win(), Qt::Key_E, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), EditMenu());
    QTest::keyClick(EditMenu(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(Focused(*f));
    // Typing goes on in the field, not in the menu bar.
    QTest::keyClick(Win(), Qt::Key_1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(f->Text(), "12/05/1");
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
  }
  EXPECT_EQ(fw::seams::BeepCount(), 0);
}

TEST_F(MenusOverFields, AMenuOpenedByAClickAndDismissedLeavesTheKeyboardInTheField) {
  w.Date().SetText("12/05/");
  w.Date().SetFocus();
  log.clear();
  QMenuBar* bar = w.NativeMenuBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().at(1)).center());
  ASSERT_EQ(QApplication::activePopupWidget(), EditMenu());
  QTest::keyClick(EditMenu(), Qt::Key_Escape);
  Settle();
  EXPECT_TRUE(Focused(w.Date()));
  QTest::keyClick(Win(), Qt::Key_1);
  EXPECT_EQ(w.Date().Text(), "12/05/1");
  EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
  EXPECT_EQ(fw::seams::BeepCount(), 0);
}

TEST_F(MenusOverFields, TheFieldsContextMenuOpenedAndDismissedIsNotLeavingIt) {
  w.Date().SetText("12/05/");
  w.Date().SetFocus();
  log.clear();
  QTimer::singleShot(0, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
  });
  QLineEdit* e = w.Date().LineEdit();
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), e->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(e, &menu);
  Settle();
  EXPECT_TRUE(Focused(w.Date()));
  QTest::keyClick(Win(), Qt::Key_2);
  EXPECT_EQ(w.Date().Text(), "12/05/2");
  EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
}

// While the menu bar holds the keyboard (Alt pressed alone), the field still holds the focus: the
// control that takes it next makes the field lose it, once.
TEST_F(MenusOverFields, TheNextControlToTakeTheFocusFromTheMenuBarMakesTheFieldLoseIt) {
  w.Name().SetFocus();
  log.clear();
  w.NativeMenuBar()->setFocus(Qt::MenuBarFocusReason);
  EXPECT_TRUE(log.isEmpty());
  QTest::mouseClick(w.Other().Widget(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(Focused(w.Other()));
  EXPECT_EQ(log, QStringList({"Name lost", "Other got"}));
}

// Ctrl+C, X, V, A and Z are the Edit menu's in every field; no field takes them first.
TEST_F(MenusOverFields, TheStandardEditKeysAreTheEditMenusInEveryField) {
  QStringList chosen;
  for (const char* item : {"EditCopy", "EditPaste", "EditCut", "EditSelectAll", "EditUndo"})
    MainMenuBar::Instance()->Lookup(item)->Action.Bind([&chosen, item](fw::Object&) {
      chosen << item;
      return false;  // the standard action still runs
    });
  for (fw::TextField* f : {&w.Name(), static_cast<fw::TextField*>(&w.Date())}) {
    SCOPED_TRACE(f->Name.toStdString());
    chosen.clear();
    f->SetText("1/2/11");
    f->SetFocus();
    QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_A, "\x01", Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_C, "\x03", Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1/2/11");
    QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_X, "\x18", Qt::ControlModifier);
    EXPECT_EQ(f->Text(), "");
    QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(f->Text(), "1/2/11");
    QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_Z, "\x1a", Qt::ControlModifier);
    EXPECT_EQ(f->Text(), "");
    EXPECT_EQ(chosen, QStringList({"EditSelectAll", "EditCopy", "EditCut", "EditPaste", "EditUndo"}));
    EXPECT_TRUE(Focused(*f));
  }
  EXPECT_EQ(fw::seams::BeepCount(), 0);
}

}  // namespace
