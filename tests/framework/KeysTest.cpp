#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTest>
#include <QWindow>

#include "framework/Text.h"
#include "framework/TextField.h"
#include "framework/Window.h"
#include "support/Support.h"

using namespace fw;

namespace {

class ThreeFields : public Window {
 public:
  void CreateControls() override {
    int top = 10;
    for (const char* name : {"A", "B", "C"}) {
      ApplyDesign(New<TextField>(name), {{"Left", 10}, {"Top", top}, {"Width", 100}, {"Height", 24}});
      top += 30;
    }
  }
  TextField& A() { return Find<TextField>("A"); }
  TextField& B() { return Find<TextField>("B"); }
  TextField& C() { return Find<TextField>("C"); }
};

class KeyEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Constructor();
    ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  }
  // The platform's own path: the key goes to the window and from there to the focus.
  QWindow* Win() { return w.NativeWindow()->windowHandle(); }
  ThreeFields w;
};

TEST_F(KeyEvents, EveryKeyReachesKeyDownAsItsCharacterAndTrueStopsAllOfItsHandling) {
  const struct {
    int qtKey;
    Qt::KeyboardModifiers mods;
    QString text;
    int code;
  } cases[] = {
      {Qt::Key_Tab, {}, "\t", 9},
      {Qt::Key_Backtab, Qt::ShiftModifier, "", 9},
      {Qt::Key_Return, {}, "\r", 13},
      {Qt::Key_Enter, Qt::KeypadModifier, "\r", 3},
      {Qt::Key_Backspace, {}, "\b", 8},
      {Qt::Key_Delete, {}, "\x7f", 127},
      {Qt::Key_Escape, {}, "\x1b", 27},
      {Qt::Key_Left, {}, "", 28},
      {Qt::Key_Right, {}, "", 29},
      {Qt::Key_Up, {}, "", 30},
      {Qt::Key_Down, {}, "", 31},
      {Qt::Key_Home, {}, "", 1},
      {Qt::Key_End, {}, "", 4},
      {Qt::Key_X, {}, "x", 'x'},
      {Qt::Key_5, Qt::KeypadModifier, "5", '5'},
      {Qt::Key_Eacute, {}, "é", 0xE9},
  };
  QStringList downs, ups;
  w.A().KeyDown.Bind([&](Object&, const String& k) { return downs << k, true; });
  w.A().KeyUp.Bind([&](Object&, const String& k) { ups << k; });
  w.A().SetText("abc");
  w.A().SetFocus();
  w.A().SetSelStart(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    downs.clear(), ups.clear();
    QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key(c.qtKey), c.text, c.mods);
    EXPECT_EQ(downs, QStringList({Chr(c.code)}));
    EXPECT_EQ(ups, QStringList({Chr(c.code)}));
    EXPECT_TRUE(w.A().Widget()->hasFocus());
    EXPECT_EQ(w.A().Text(), "abc");
    EXPECT_EQ(w.A().SelStart(), 1);
  }
}

TEST_F(KeyEvents, MenuShortcutsComeBeforeTheField) {
  int triggered = 0;
  auto* action = new QAction(w.NativeWindow());
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
  w.NativeWindow()->addAction(action);
  QStringList downs;
  w.A().KeyDown.Bind([&](Object&, const String& k) { return downs << k, true; });
  w.A().SetText("abc");
  w.A().SetFocus();
  QTest::keyClick(Win(), Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(triggered, 1);
  EXPECT_TRUE(downs.isEmpty());
}

// Keys pressed with Ctrl, Alt or Meta are commands: no KeyDown or KeyUp ever sees them, their
// text (Ctrl+C is character 3, keypad Enter's code) makes no key, and of those no menu took only
// the standard edit commands act in a field.
TEST_F(KeyEvents, CommandKeysAreNeverCharactersAndOnlyTheStandardEditCommandsAct) {
  QStringList keys;
  for (TextField* f : {&w.A(), &w.B()}) {
    f->KeyDown.Bind([&keys](Object&, const String& k) { return keys << "down " + Str(KeyCode(k)), false; });
    f->KeyUp.Bind([&keys](Object&, const String& k) { keys << "up " + Str(KeyCode(k)); });
  }
  w.A().SetText("abc");
  w.A().SetFocus();
  w.A().SetSelStart(1);
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* text;
  } nothing[] = {
      {Qt::Key_C, Qt::AltModifier, "c"},
      {Qt::Key_I, Qt::ControlModifier, "\t"},
      {Qt::Key_M, Qt::ControlModifier, "\r"},
      {Qt::Key_J, Qt::ControlModifier, "\n"},
      {Qt::Key_H, Qt::ControlModifier, "\b"},
      {Qt::Key_Left, Qt::ControlModifier, ""},
      {Qt::Key_Backspace, Qt::ControlModifier, ""},
      {Qt::Key_K, Qt::ControlModifier, "\x0b"},
      {Qt::Key_E, Qt::MetaModifier, "e"},
      {Qt::Key_Y, Qt::ControlModifier, "\x19"},
  };
  for (const auto& c : nothing) {
    SCOPED_TRACE(c.key);
    QTest::sendKeyEvent(QTest::Click, Win(), c.key, QString::fromLatin1(c.text), c.mods);
    EXPECT_TRUE(w.A().Widget()->hasFocus());
    EXPECT_EQ(w.A().Text(), "abc");
    EXPECT_EQ(w.A().SelStart(), 1);
    EXPECT_EQ(w.A().SelLength(), 0);
  }
  EXPECT_TRUE(keys.isEmpty()) << keys.join(", ").toStdString();

  QApplication::clipboard()->clear();
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_A, "\x01", Qt::ControlModifier);
  EXPECT_EQ(w.A().SelLength(), 3);
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_C, "\x03", Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "abc");
  EXPECT_TRUE(w.A().Widget()->hasFocus());
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_X, "\x18", Qt::ControlModifier);
  EXPECT_EQ(w.A().Text(), "");
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_V, "\x16", Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_V, "\x16", Qt::ControlModifier);
  EXPECT_EQ(w.A().Text(), "abcabc");
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_Z, "\x1a", Qt::ControlModifier);
  EXPECT_EQ(w.A().Text(), "abc");
  EXPECT_TRUE(keys.isEmpty()) << keys.join(", ").toStdString();
}

using testsupport::SendX;
using testsupport::XKey;

const quint32 kShift = 50, kKey1 = 10, kSemicolon = 47;

TEST_F(KeyEvents, AReleaseCarriesTheKeyOfItsPressWhateverTheModifiersDidMeanwhile) {
  using T = QEvent;
  const XKey shiftDown{T::KeyPress, Qt::Key_Shift, Qt::NoModifier, "", kShift};
  const XKey shiftUp{T::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, "", kShift};
  const struct {
    const char* what;
    std::vector<XKey> events;
    const char* key;  // the one key both KeyDown and KeyUp see
  } cases[] = {
      {"US, Shift released first",
       {shiftDown,
        {T::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, "!", kKey1},
        shiftUp,
        {T::KeyRelease, Qt::Key_1, Qt::NoModifier, "1", kKey1}},
       "!"},
      {"US, Shift released last",
       {shiftDown,
        {T::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, "!", kKey1},
        {T::KeyRelease, Qt::Key_Exclam, Qt::ShiftModifier, "!", kKey1},
        shiftUp},
       "!"},
      {"US, Shift pressed while the key is held",
       {{T::KeyPress, Qt::Key_Semicolon, Qt::NoModifier, ";", kSemicolon},
        shiftDown,
        {T::KeyRelease, Qt::Key_Colon, Qt::ShiftModifier, ":", kSemicolon},
        shiftUp},
       ";"},
      {"French, Shift released first",
       {shiftDown,
        {T::KeyPress, Qt::Key_1, Qt::ShiftModifier, "1", kKey1},
        shiftUp,
        {T::KeyRelease, Qt::Key_Ampersand, Qt::NoModifier, "&", kKey1}},
       "1"},
      {"French, held down with Shift released on the way",
       {shiftDown,
        {T::KeyPress, Qt::Key_1, Qt::ShiftModifier, "1", kKey1},
        {T::KeyRelease, Qt::Key_1, Qt::ShiftModifier, "1", kKey1, true},
        {T::KeyPress, Qt::Key_1, Qt::ShiftModifier, "1", kKey1, true},
        shiftUp,
        {T::KeyRelease, Qt::Key_Ampersand, Qt::NoModifier, "&", kKey1, true},
        {T::KeyPress, Qt::Key_Ampersand, Qt::NoModifier, "&", kKey1, true},
        {T::KeyRelease, Qt::Key_Ampersand, Qt::NoModifier, "&", kKey1}},
       "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QStringList downs, ups;
    w.A().KeyDown.Bind([&](Object&, const String& k) { return downs << k, true; });
    w.A().KeyUp.Bind([&](Object&, const String& k) { ups << k; });
    w.A().SetFocus();
    for (const XKey& k : c.events) SendX(w.A().Widget(), k);
    EXPECT_EQ(ups, QStringList({c.key}));
    EXPECT_EQ(downs.value(0), c.key);
  }
}

// A dead key makes no character of its own; the next key does.
TEST_F(KeyEvents, DeadKeysMakeNoKey) {
  QStringList ups;
  w.A().KeyDown.Bind([&](Object&, const String&) { return true; });
  w.A().KeyUp.Bind([&](Object&, const String& k) { ups << k; });
  w.A().SetFocus();
  for (int dead : {int(Qt::Key_Dead_Circumflex), int(Qt::Key_Dead_Diaeresis), int(Qt::Key_Dead_Grave)}) {
    SendX(w.A().Widget(), {QEvent::KeyPress, dead, Qt::NoModifier, "^", 34});
    SendX(w.A().Widget(), {QEvent::KeyRelease, dead, Qt::NoModifier, "^", 34});
  }
  SendX(w.A().Widget(), {QEvent::KeyPress, Qt::Key_1, Qt::ShiftModifier, "1", kKey1});
  SendX(w.A().Widget(), {QEvent::KeyRelease, Qt::Key_1, Qt::ShiftModifier, "1", kKey1});
  EXPECT_EQ(ups, QStringList({"1"}));
}

// Qt hands the press and the release to whatever has the focus by then.
TEST_F(KeyEvents, PressThatMovesTheFocusIsRaisedOnceAndItsReleaseGoesBackToWhereItBegan) {
  QStringList log;
  for (TextField* f : {&w.A(), &w.B(), &w.C()}) {
    f->KeyDown.Bind([&log, f, this](Object&, const String& k) {
      log << f->Name + " down " + Str(KeyCode(k));
      if (f == &w.A()) w.C().SetFocus();
      return f == &w.A();
    });
    f->KeyUp.Bind([&log, f](Object&, const String& k) { log << f->Name + " up " + Str(KeyCode(k)); });
  }
  w.A().SetFocus();
  QTest::keyClick(Win(), Qt::Key_Tab);
  EXPECT_TRUE(w.C().Widget()->hasFocus());
  EXPECT_EQ(log, QStringList({"A down 9", "A up 9"}));

  // Let through, Tab moves one step in the window's tab order, wrapping to A.
  log.clear();
  QTest::keyClick(Win(), Qt::Key_Tab);
  EXPECT_TRUE(w.A().Widget()->hasFocus());
  EXPECT_EQ(log, QStringList({"C down 9", "C up 9"}));
}

TEST_F(KeyEvents, HeldKeyRaisesKeyDownOnEachPressAndKeyUpOnceAtTheRealRelease) {
  int downs = 0;
  QStringList ups;
  w.A().KeyDown.Bind([&](Object&, const String&) { return ++downs, true; });
  w.A().KeyUp.Bind([&](Object&, const String& k) { ups << k; });
  w.A().SetFocus();
  auto send = [&](QEvent::Type t, bool repeat) {
    QKeyEvent e(t, Qt::Key_7, Qt::NoModifier, "7", repeat);
    QApplication::sendEvent(w.A().Widget(), &e);
  };
  send(QEvent::KeyPress, false);
  for (int i = 0; i < 3; ++i) send(QEvent::KeyRelease, true), send(QEvent::KeyPress, true);
  EXPECT_TRUE(ups.isEmpty());
  send(QEvent::KeyRelease, false);
  EXPECT_EQ(downs, 4);
  EXPECT_EQ(ups, QStringList({"7"}));
}

}  // namespace
