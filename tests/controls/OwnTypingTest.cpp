#include "FieldsFixture.h"

namespace {

// Every printable ASCII character is either typed or answered with a beep, by field.
TEST_F(Fields, EachFieldTypesItsOwnCharactersAndBeepsAtOtherPrintableOnes) {
  const struct {
    OwnTypingField* field;
    int firstTyped, lastTyped;  // the codes a field inserts
  } fields[] = {{&w.Date(), 47, 57}, {&w.Time(), 48, 58}};
  for (const auto& f : fields) {
    for (int code = 32; code <= 126; ++code) {
      SCOPED_TRACE(code);
      Enter(*f.field, "");
      int before = Beeps();
      QTest::keyClick(Win(), char(code));
      bool typed = code >= f.firstTyped && code <= f.lastTyped;
      EXPECT_EQ(f.field->Text(), typed ? QString(QChar(code)) : QString());
      EXPECT_EQ(Caret(*f.field), typed ? 1 : 0);
      EXPECT_EQ(Beeps(), before + (typed ? 0 : 1));
    }
  }
}

TEST_F(Fields, ControlAndNonAsciiKeysChangeNothingButStillRaiseKeyUp) {
  int keyUps = 0;
  w.Date().KeyUp.Bind([&](fw::Object&, const fw::String&) { ++keyUps; });
  Enter(w.Date(), "12/05/2011");
  Key(Qt::Key_Left);
  Key(Qt::Key_Left);  // caret at 8
  keyUps = 0;
  for (Qt::Key k : {Qt::Key_Home, Qt::Key_End, Qt::Key_Delete, Qt::Key_Escape}) Key(k);
  Press(Qt::Key_Eacute, QStringLiteral("é"));
  Press(Qt::Key_unknown, QStringLiteral("€"));
  Press(Qt::Key_unknown, QString::fromUcs4(U"\U0001F600"));
  EXPECT_EQ(w.Date().Text(), "12/05/2011");
  EXPECT_EQ(Caret(w.Date()), 8);
  EXPECT_EQ(Beeps(), 0);
  EXPECT_EQ(keyUps, 7);
}

TEST_F(Fields, FullFieldDropsTypedCharactersSilently) {
  Enter(w.Date(), "12/05/2011");
  Type("1");
  EXPECT_EQ(w.Date().Text(), "12/05/2011");
  EXPECT_EQ(Beeps(), 0);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(w.Date().Text(), "12/05/201");
  Type("5");
  EXPECT_EQ(w.Date().Text(), "12/05/2015");
  EXPECT_EQ(Caret(w.Date()), 10);

  fw::ApplyDesign(w.Time(), {{"LimitText", 0}});
  Enter(w.Time(), "");
  Type("12:30");
  EXPECT_EQ(w.Time().Text(), "");
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(Fields, TypingGoesInAtTheFieldsOwnCaretWithoutGuardingTheShape) {
  Enter(w.Date(), "12/05/11");
  Key(Qt::Key_Up);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  Type("1");
  EXPECT_EQ(w.Date().Text(), "121/05/11");
  EXPECT_EQ(Caret(w.Date()), 3);

  Key(Qt::Key_Down);
  EXPECT_EQ(Caret(w.Date()), 9);
  Key(Qt::Key_Right);
  EXPECT_EQ(Caret(w.Date()), 9);
  Key(Qt::Key_Up);
  Key(Qt::Key_Left);
  EXPECT_EQ(Caret(w.Date()), 0);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(w.Date().Text(), "121/05/11");
}

TEST_F(Fields, GainingTheFocusWithSelectAllText) {
  const struct {
    Qt::Key key;
    const char* text;
    int caret;
    bool selectionLeft;
  } cases[] = {
      {Qt::Key_Backspace, "10:15", 0, false},  // the caret is at the start: nothing to remove
      {Qt::Key_3, "310:15", 1, false},         // typed before the old text, which stays
      {Qt::Key_Right, "10:15", 5, false},     {Qt::Key_Left, "10:15", 0, false}, {Qt::Key_Up, "10:15", 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    Enter(w.Time(), "10:15", true);
    EXPECT_EQ(w.Time().SelLength(), 5);
    Key(c.key);
    EXPECT_EQ(w.Time().Text(), c.text);
    EXPECT_EQ(Caret(w.Time()), c.caret);
    EXPECT_EQ(w.Time().SelLength(), 0);
  }
}

TEST_F(Fields, TabIntoASelectAllTextFieldLeavesItsTextSelected) {
  w.Date().SelectAllText = true;
  w.Time().SelectAllText = true;
  w.Date().SetText("12/05/2011");
  w.Time().SetText("10:15:00");
  w.Name().SetFocus();
  Key(Qt::Key_Tab);
  ASSERT_TRUE(Focused(w.Date()));
  EXPECT_EQ(w.Date().SelLength(), 10);
  Key(Qt::Key_Tab);
  ASSERT_TRUE(Focused(w.Time()));
  EXPECT_EQ(w.Time().SelLength(), 8);
  Key(Qt::Key_Right);
  EXPECT_EQ(Caret(w.Time()), 8);
}

TEST_F(Fields, GainingTheFocusWithoutSelectAllTextPutsTheCaretAtTheEnd) {
  Enter(w.Time(), "10:15:00");
  EXPECT_EQ(Caret(w.Time()), 8);
  EXPECT_EQ(w.Time().SelLength(), 0);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(w.Time().Text(), "10:15:0");
}

TEST_F(Fields, BackspaceRemovesTheSelectionThatEndsAtTheCaret) {
  Enter(w.Date(), "12/05/2011");
  // Dragging from right to left leaves the caret where the press was.
  QLineEdit* e = w.Date().LineEdit();
  int y = e->height() / 2;
  QTest::mousePress(e, Qt::LeftButton, {}, QPoint(XAt(w.Date(), 6), y));
  QTest::mouseMove(e, QPoint(XAt(w.Date(), 3), y));
  QTest::mouseRelease(e, Qt::LeftButton, {}, QPoint(XAt(w.Date(), 3), y));
  ASSERT_EQ(w.Date().SelLength(), 3);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(w.Date().Text(), "12/2011");
  EXPECT_EQ(Caret(w.Date()), 3);
  EXPECT_EQ(w.Date().SelLength(), 0);

  // A selection longer than what lies before the caret: nothing happens.
  Click(w.Date(), 2);
  w.Date().SetSelStart(2);
  w.Date().SetSelLength(4);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(w.Date().Text(), "12/2011");
}

TEST_F(Fields, MousePressMovesTheCaretAndRaisesNothing) {
  int mouseDowns = 0, gotFocus = 0;
  w.Date().MouseDown.Bind([&](fw::Object&, int, int) { return ++mouseDowns, false; });
  w.Date().GotFocus.Bind([&](fw::Object&) { ++gotFocus; });
  w.Date().SetText("12/05/11");
  Click(w.Date(), 2);
  EXPECT_EQ(gotFocus, 1);
  Type("3");
  EXPECT_EQ(w.Date().Text(), "123/05/11");
  EXPECT_EQ(Caret(w.Date()), 3);
  EXPECT_EQ(mouseDowns, 0);
}

TEST_F(Fields, TextShortenedBehindTheCaretCountsItsEndAsTheCaret) {
  Enter(w.Date(), "12/05/2011");
  w.Date().SetText("1/1");
  Type("2");
  EXPECT_EQ(w.Date().Text(), "1/12");
  EXPECT_EQ(Caret(w.Date()), 4);

  Enter(w.Time(), "10:15:00");
  w.Time().SetText("9:");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(w.Time().Text(), "9");
  w.Time().SetText("");
  Key(Qt::Key_Left);
  EXPECT_EQ(Caret(w.Time()), 0);
}

// The owner hears of each release once, after the field has typed it; presses, held ones
// included, raise nothing and type nothing.
TEST_F(Fields, OneKeyUpPerReleaseAfterTheEdit) {
  QStringList seen;
  w.Date().KeyUp.Bind([&](fw::Object& f, const fw::String& key) {
    auto& d = static_cast<TabedDateField&>(f);
    seen << key + " " + d.Text() + " " + QString::number(Caret(d));
  });
  Enter(w.Date(), "12/05/201");
  testsupport::KeyDownOnly(w.NativeWindow(), Qt::Key_1, "1");
  EXPECT_EQ(w.Date().Text(), "12/05/201");
  for (int i = 0; i < 3; ++i) {
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, "1", true);
    QApplication::sendEvent(w.Date().Widget(), &release);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, "1", true);
    QApplication::sendEvent(w.Date().Widget(), &press);
  }
  EXPECT_EQ(w.Date().Text(), "12/05/201");
  EXPECT_TRUE(seen.isEmpty());
  testsupport::KeyUpOnly(w.NativeWindow(), Qt::Key_1, "1");
  EXPECT_EQ(seen, QStringList({"1 12/05/2011 10"}));

  // A rejected check leaves the focus, and the release, with the field.
  seen.clear();
  Enter(w.Date(), "99/99/99");
  Key(Qt::Key_Tab);
  EXPECT_EQ(seen, QStringList({"\t 99/99/99 8"}));
  EXPECT_EQ(Beeps(), 1);
}

}  // namespace

namespace {

// Text from an input method (dead keys, compose) would bypass the key events these fields type from.
TEST_F(Fields, DateAndTimeFieldsTakeNoInputMethodText) {
  auto imEnabled = [](fw::TextField& f) {
    QInputMethodQueryEvent q(Qt::ImEnabled);
    QApplication::sendEvent(f.Widget(), &q);
    return q.value(Qt::ImEnabled).toBool();
  };
  fw::ApplyDesign(w.Date(), {{"ReadOnly", false}, {"Password", false}});
  w.Date().SetFocus();
  EXPECT_FALSE(imEnabled(w.Date()));
  EXPECT_FALSE(imEnabled(w.Time()));
  EXPECT_TRUE(imEnabled(w.Name()));
}

}  // namespace
