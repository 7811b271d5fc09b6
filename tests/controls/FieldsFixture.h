// A shown, active window holding one field of each kind, linked in a chain that differs from the
// window's tab order, with keys typed through the platform's own delivery path.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QWindow>
#include <ostream>

#include "controls/TabedDateField.h"
#include "controls/TabedTextField.h"
#include "controls/TabedTimeField.h"
#include "framework/System.h"
#include "framework/Window.h"
#include "support/Support.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class FieldsWindow : public fw::Window {
 public:
  void Layout() override { fw::ApplyDesign(*this, {{"Width", 320}, {"Height", 200}}); }
  void CreateControls() override {
    int top = 10;
    auto place = [&top](fw::RectControl& c) {
      fw::ApplyDesign(c, {{"Left", 10}, {"Top", top}, {"Width", 200}, {"Height", 24}});
      top += 30;
    };
    place(New<TabedTextField>("Name"));
    place(New<TabedTextField>("Ext"));
    auto& date = New<TabedDateField>("Date");
    place(date);
    fw::ApplyDesign(date, {{"LimitText", 10}});
    auto& time = New<TabedTimeField>("Time");
    place(time);
    fw::ApplyDesign(time, {{"LimitText", 8}});
    place(New<fw::TextField>("Plain"));
  }
  // Tab order: Name, Ext, Date, Time, Plain. Chain: Name, Date, Time, Plain; Ext back to Name.
  void Event_Open() override {
    Name().ChampSuivant = &Date();
    Ext().ChampSuivant = &Name();
    Date().ChampSuivant = &Time();
    Time().ChampSuivant = &Plain();
  }
  TabedTextField& Name() { return Find<TabedTextField>("Name"); }
  TabedTextField& Ext() { return Find<TabedTextField>("Ext"); }
  TabedDateField& Date() { return Find<TabedDateField>("Date"); }
  TabedTimeField& Time() { return Find<TabedTimeField>("Time"); }
  fw::TextField& Plain() { return Find<fw::TextField>("Plain"); }
};

class Fields : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Constructor();
    ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
    fw::seams::ResetBeeps();
  }

  // Key events go to the window as the platform sends them, so they reach whatever has the focus.
  QWindow* Win() { return w.NativeWindow()->windowHandle(); }
  void Key(Qt::Key k) { QTest::keyClick(Win(), k); }
  void Type(const char* s) {
    for (; *s; ++s) QTest::keyClick(Win(), *s);
  }
  // Non-ASCII keys, which QTest's helpers refuse.
  void Press(int qtKey, const QString& text) { testsupport::PressKey(w.NativeWindow(), qtKey, text); }

  // Gives the field the focus anew holding text: its caret is then at the start of the text with
  // selectAll, at the end without.
  void Enter(OwnTypingField& f, const QString& text, bool selectAll = false) {
    w.Plain().SetFocus();
    f.SetText(text);
    fw::ApplyDesign(f, {{"SelectAllText", selectAll}});  // by name, as a window design sets it
    f.SetFocus();
  }

  static bool Focused(fw::RectControl& c) { return c.Widget()->hasFocus(); }
  static int Caret(fw::TextField& f) { return f.LineEdit()->cursorPosition(); }
  static int Beeps() { return fw::seams::BeepCount(); }

  // An x inside the field where a click lands at character position pos.
  static int XAt(fw::TextField& f, int pos) {
    QLineEdit* e = f.LineEdit();
    for (int x = 0; x < e->width(); ++x)
      if (e->cursorPositionAt(QPoint(x, e->height() / 2)) == pos) return x;
    ADD_FAILURE() << "no x for position " << pos;
    return 0;
  }
  void Click(fw::TextField& f, int pos) {
    QTest::mouseClick(f.Widget(), Qt::LeftButton, {}, QPoint(XAt(f, pos), f.Height() / 2));
  }

  FieldsWindow w;
};
