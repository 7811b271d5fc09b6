// The input a real desktop sends: key events shaped as an X server makes them, command keys,
// and every way text reaches a field besides typing.
#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "FieldsFixture.h"
#include "controls/TimeText.h"

namespace {

using testsupport::XKey;

class RealInput : public Fields {
 protected:
  void Send(const XKey& k) { testsupport::SendX(QApplication::focusWidget(), k); }
  // Types a character that needs Shift: Shift down, the key down, Shift up first or last.
  void Shifted(int qtKey, const QString& text, int unshiftedKey, const QString& unshifted, quint32 scan,
               bool shiftUpFirst) {
    Send({QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, "", 50});
    Send({QEvent::KeyPress, qtKey, Qt::ShiftModifier, text, scan});
    if (shiftUpFirst) {
      Send({QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, "", 50});
      Send({QEvent::KeyRelease, unshiftedKey, Qt::NoModifier, unshifted, scan});
    } else {
      Send({QEvent::KeyRelease, qtKey, Qt::ShiftModifier, text, scan});
      Send({QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, "", 50});
    }
  }
  void Plain(int qtKey, const QString& text, quint32 scan) {
    Send({QEvent::KeyPress, qtKey, Qt::NoModifier, text, scan});
    Send({QEvent::KeyRelease, qtKey, Qt::NoModifier, text, scan});
  }
};

// The French layout: the digits and "/" need Shift; unshifted, the same keys give "&é\"'(-è_çà" and ":".
struct Azerty {
  int qtKey;
  const char* unshifted;
  int unshiftedKey;
  quint32 scan;
};
const Azerty kAzertyDigits[] = {
    {Qt::Key_0, "\u00e0", Qt::Key_Agrave, 19}, {Qt::Key_1, "&", Qt::Key_Ampersand, 10},
    {Qt::Key_2, "\u00e9", Qt::Key_Eacute, 11}, {Qt::Key_3, "\"", Qt::Key_QuoteDbl, 12},
    {Qt::Key_4, "'", Qt::Key_Apostrophe, 13},  {Qt::Key_5, "(", Qt::Key_ParenLeft, 14},
    {Qt::Key_6, "-", Qt::Key_Minus, 15},       {Qt::Key_7, "\u00e8", Qt::Key_Egrave, 16},
    {Qt::Key_8, "_", Qt::Key_Underscore, 17},  {Qt::Key_9, "\u00e7", Qt::Key_Ccedilla, 18},
};

TEST_F(RealInput, EachCharacterTypedWithShiftGoesInOnceWhicheverKeyIsReleasedFirst) {
  for (bool shiftUpFirst : {true, false}) {
    SCOPED_TRACE(shiftUpFirst);
    // French: a date, every character with Shift.
    Enter(w.Date(), "");
    for (char c : std::string("12/05/2011")) {
      if (c == '/') {
        Shifted(Qt::Key_Slash, "/", Qt::Key_Colon, ":", 61, shiftUpFirst);
        continue;
      }
      const Azerty& k = kAzertyDigits[c - '0'];
      Shifted(k.qtKey, QString(QChar(c)), k.unshiftedKey, QString::fromUtf8(k.unshifted), k.scan, shiftUpFirst);
    }
    EXPECT_EQ(w.Date().Text(), "12/05/2011");
    // US: a time, the ":" with Shift.
    Enter(w.Time(), "");
    for (char c : std::string("10:15:00")) {
      if (c == ':') Shifted(Qt::Key_Colon, ":", Qt::Key_Semicolon, ";", 47, shiftUpFirst);
      else Plain(Qt::Key_0 + (c - '0'), QString(QChar(c)), c == '0' ? 19 : 9 + quint32(c - '0'));
    }
    EXPECT_EQ(w.Time().Text(), "10:15:00");
  }
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(RealInput, ADeadKeyTypesNothingAndAHeldKeyTypesOnce) {
  Enter(w.Date(), "");
  Send({QEvent::KeyPress, Qt::Key_Dead_Circumflex, Qt::NoModifier, "", 34});
  Send({QEvent::KeyRelease, Qt::Key_Dead_Circumflex, Qt::NoModifier, "", 34});
  Shifted(Qt::Key_1, "1", Qt::Key_Ampersand, "&", 10, true);
  EXPECT_EQ(w.Date().Text(), "1");
  Send({QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, "2", 11});
  for (int i = 0; i < 5; ++i) {
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_2, Qt::NoModifier, 11, 0, 0, "2", true);
    QApplication::sendEvent(QApplication::focusWidget(), &up);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, 11, 0, 0, "2", true);
    QApplication::sendEvent(QApplication::focusWidget(), &down);
  }
  Send({QEvent::KeyRelease, Qt::Key_2, Qt::NoModifier, "2", 11});
  EXPECT_EQ(w.Date().Text(), "12");
  EXPECT_EQ(Beeps(), 0);
}

// Ctrl+C's text is character 3, keypad Enter's code; Ctrl+M's is 13 and Ctrl+I's 9.
TEST_F(RealInput, CommandKeysInTheDateAndTimeFieldsNeverValidateTypeOrBeep) {
  int keyUps = 0;
  w.Date().KeyUp.Bind([&](fw::Object&, const fw::String&) { ++keyUps; });
  Enter(w.Date(), "1/2/11", true);
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* text;
  } keys[] = {
      {Qt::Key_C, Qt::ControlModifier, "\x03"}, {Qt::Key_M, Qt::ControlModifier, "\r"},
      {Qt::Key_I, Qt::ControlModifier, "\t"},   {Qt::Key_H, Qt::ControlModifier, "\b"},
      {Qt::Key_J, Qt::ControlModifier, "\n"},   {Qt::Key_Left, Qt::ControlModifier, ""},
      {Qt::Key_D, Qt::ControlModifier, "\x04"}, {Qt::Key_F, Qt::AltModifier, "f"},
      {Qt::Key_Return, Qt::AltModifier, "\r"},  {Qt::Key_5, Qt::ControlModifier | Qt::ShiftModifier, "5"},
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(k.key);
    QTest::sendKeyEvent(QTest::Click, Win(), k.key, QString::fromLatin1(k.text), k.mods);
    EXPECT_EQ(w.Date().Text(), "1/2/11");
    EXPECT_TRUE(Focused(w.Date()));
  }
  EXPECT_EQ(Beeps(), 0);
  EXPECT_EQ(keyUps, 0);

  // The standard edit commands act, here where no menu takes them.
  QApplication::clipboard()->clear();
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_C, "\x03", Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "1/2/11");
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_X, "\x18", Qt::ControlModifier);
  EXPECT_EQ(w.Date().Text(), "");
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_V, "\x16", Qt::ControlModifier);
  EXPECT_EQ(w.Date().Text(), "1/2/11");
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_Z, "\x1a", Qt::ControlModifier);
  EXPECT_EQ(w.Date().Text(), "");
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_V, "\x16", Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_A, "\x01", Qt::ControlModifier);
  EXPECT_EQ(w.Date().SelLength(), 6);
  EXPECT_TRUE(Focused(w.Date()));
  EXPECT_EQ(Beeps(), 0);
  // And the validate key still checks, rewrites and moves on.
  Key(Qt::Key_Return);
  EXPECT_EQ(w.Date().Text(), "01/02/2011");
  EXPECT_TRUE(Focused(w.Time()));
}

// Every way text comes in besides typing, each judged by the same rule.
class TextPaths : public RealInput {
 protected:
  enum Path { EditPaste, CtrlV, ShiftInsert, ContextMenuPaste, MiddleButton, Drop, InputMethod };
  static const char* Name(Path p) {
    static const char* names[] = {"Edit paste",    "Ctrl+V", "Shift+Insert", "context menu",
                                  "middle button", "drop",   "input method"};
    return names[p];
  }

  // Brings text into the focused field f at its end by one path; False when this platform
  // cannot take that path.
  bool Bring(fw::TextField& f, Path p, const QString& text) {
    QLineEdit* e = f.LineEdit();
    e->end(false);
    switch (p) {
      case EditPaste:
        QApplication::clipboard()->setText(text);
        f.Paste();
        return true;
      case CtrlV:
        QApplication::clipboard()->setText(text);
        QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_V, "\x16", Qt::ControlModifier);
        return true;
      case ShiftInsert:
        QApplication::clipboard()->setText(text);
        QTest::sendKeyEvent(QTest::Click, Win(), Qt::Key_Insert, "", Qt::ShiftModifier);
        return true;
      case ContextMenuPaste: {
        QApplication::clipboard()->setText(text);
        std::unique_ptr<QMenu> menu(e->createStandardContextMenu());
        for (QAction* a : menu->actions())
          if (a->text().startsWith(QLatin1String("&Paste"))) return a->trigger(), true;
        ADD_FAILURE() << "no Paste in the context menu";
        return false;
      }
      case MiddleButton:
        if (!QApplication::clipboard()->supportsSelection()) return false;
        QApplication::clipboard()->setText(text, QClipboard::Selection);
        QTest::mouseClick(e, Qt::MiddleButton, {}, QPoint(e->width() - 4, e->height() / 2));
        return true;
      case Drop: {
        QMimeData mime;
        mime.setText(text);
        QPoint at(e->width() - 4, e->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(e, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(e, &drop);
        return true;
      }
      case InputMethod: {
        QInputMethodEvent im;
        im.setCommitString(text);
        QApplication::sendEvent(e, &im);
        return true;
      }
    }
    return false;
  }
};

TEST_F(TextPaths, TextThatBreaksAFieldsRulesIsRefusedWholeWithABeepByEveryPath) {
  fw::ApplyDesign(w.Ext(), {{"LimitText", 10}});
  const struct {
    fw::TextField* field;
    const char* before;
    const char* brought;
    bool taken;
  } cases[] = {
      {&w.Date(), "12/05/", "2011", true},   {&w.Date(), "12/05/", "-3", false},  // a character the field never types
      {&w.Date(), "12/05/", "20111", false},                                      // beyond LimitText
      {&w.Date(), "", "12.05.2011", false},  {&w.Time(), "", "-3:00:00", false},
      {&w.Time(), "", "10:15 PM", false},    {&w.Time(), "10:", "15:00", true},
      {&w.Ext(), ".", "jpeg", true},         {&w.Ext(), ".", "abcdefghijklmnopqrstuvwx", false},
      {&w.Ext(), ".", "jp\ng", false},      // no control character, by any path
      {&w.Name(), "photo", "/2011", true},  // the name field takes "/" as typing does
  };
  for (Path p : {EditPaste, CtrlV, ShiftInsert, ContextMenuPaste, MiddleButton, Drop, InputMethod}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(Name(p)) + ": " + c.field->Name.toStdString() + " " + c.brought);
      c.field->SetText(c.before);
      c.field->SetFocus();
      int beeps = Beeps();
      if (!Bring(*c.field, p, c.brought)) continue;
      EXPECT_EQ(c.field->Text(), c.taken ? QString(c.before) + c.brought : QString(c.before));
      EXPECT_EQ(Beeps(), beeps + (c.taken ? 0 : 1));
    }
  }
}

// A field already longer than its limit (set so from code) keeps what it holds, and can still be
// shortened, but grows by no path.
TEST_F(TextPaths, AFieldSetLongerThanItsLimitCanShrinkButNotGrow) {
  fw::ApplyDesign(w.Ext(), {{"LimitText", 4}});
  w.Ext().SetText(".jpeg2000");
  EXPECT_EQ(w.Ext().Text(), ".jpeg2000");
  w.Ext().SetFocus();
  QApplication::clipboard()->setText("x");
  w.Ext().Paste();
  EXPECT_EQ(w.Ext().Text(), ".jpeg2000");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(w.Ext().Text(), ".jpeg200");
  w.Ext().SelectAll();
  w.Ext().Paste();
  EXPECT_EQ(w.Ext().Text(), "x");
  w.Ext().Undo();
  EXPECT_EQ(w.Ext().Text(), ".jpeg200");
  EXPECT_EQ(Beeps(), 1);

  // In the date and time fields, as for typing, a limit of 0 lets nothing in.
  fw::ApplyDesign(w.Time(), {{"LimitText", 0}});
  Enter(w.Time(), "");
  QApplication::clipboard()->setText("12");
  w.Time().Paste();
  EXPECT_EQ(w.Time().Text(), "");
  EXPECT_EQ(Beeps(), 2);
}

// Assistive technologies set the text whole; what they bring in passes the same rule.
TEST_F(TextPaths, TextFromAssistiveTechnologiesPassesTheSameRule) {
  fw::ApplyDesign(w.Ext(), {{"LimitText", 5}});
  for (fw::TextField* f : {static_cast<fw::TextField*>(&w.Time()), static_cast<fw::TextField*>(&w.Ext())}) {
    SCOPED_TRACE(f->Name.toStdString());
    f->SetText("10:");
    f->SetFocus();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f->LineEdit());
    ASSERT_TRUE(a && a->editableTextInterface());
    a->editableTextInterface()->insertText(3, "-3:00");
    EXPECT_EQ(f->Text(), "10:");
    a->editableTextInterface()->insertText(3, "15");
    EXPECT_EQ(f->Text(), "10:15");
    a->setText(QAccessible::Value, "99:99:99:99");
    EXPECT_EQ(f->Text(), "10:15");
    // Typing goes on by the field's rules afterwards.
    f->SetText("");
    QApplication::clipboard()->setText("12:00:00:00");
    f->Paste();
    EXPECT_EQ(f->Text(), "");
  }
  EXPECT_EQ(Beeps(), 6);
}

TEST_F(TextPaths, FilesDroppedOnAFieldAreNotTypedIntoIt) {
  for (fw::TextField* f : {static_cast<fw::TextField*>(&w.Name()), static_cast<fw::TextField*>(&w.Time())}) {
    f->SetText("");
    QLineEdit* e = f->LineEdit();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/photo.png")});
    mime.setText("/tmp/photo.png");
    QPoint at(4, e->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(e, &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(e, &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(f->Text(), "");
  }
  EXPECT_EQ(Beeps(), 0);
}

// Typing keeps its own rules: a full field drops digits silently, other characters beep.
TEST_F(TextPaths, TypingKeepsItsOwnRules) {
  Enter(w.Time(), "10:15:00");
  Type("1");
  EXPECT_EQ(w.Time().Text(), "10:15:00");
  EXPECT_EQ(Beeps(), 0);
  fw::ApplyDesign(w.Ext(), {{"LimitText", 3}});
  w.Ext().SetText("");
  w.Ext().SetFocus();
  Type("abcd");
  EXPECT_EQ(w.Ext().Text(), "abc");
  EXPECT_EQ(Beeps(), 0);
  w.Name().SetFocus();
  Type("a/b");
  EXPECT_EQ(w.Name().Text(), "a/b");
}

// What reached a time field by any means is read as a time only when each part is digits.
TEST(TimeText, APartIsANumberOnlyWhenMadeOfDigits) {
  const struct {
    const char* text;
    bool valid;
  } cases[] = {
      {"23:59:59", true},      {"12:5:30", true},   {"1:2:3:4", true},    {"12::", true},      {":00:00", true},
      {"-3:00:00", false},     {"+1:00:00", false}, {" 1:00:00", false},  {"1 :00:00", false}, {"1.5:00:00", false},
      {"12:-5:00", false},     {"12:00:-1", false}, {"12:00:1e1", false}, {"12:0a:00", false}, {"a:b:c", false},
      {"\u0661:00:00", false}, {"-0:00:00", false},
  };
  for (const auto& c : cases) EXPECT_EQ(TimeTextValid(QString::fromUtf8(c.text)), c.valid) << c.text;
}

TEST_F(Fields, ATimeWithASignedPartBeepsAtTheValidateKey) {
  Enter(w.Time(), "-3:00:00");
  Key(Qt::Key_Tab);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_TRUE(Focused(w.Time()));
}

}  // namespace
