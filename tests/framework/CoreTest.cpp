#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include "framework/Label.h"
#include "framework/Text.h"
#include "framework/TextField.h"
#include "framework/Window.h"
#include "support/Support.h"

using namespace fw;

namespace {

struct TextCase {
  const char* name;
  String got;
  String want;
};

TEST(Text, FunctionsCountCharactersAndClampCounts) {
  const TextCase cases[] = {
      {"Left", Left("12:30:00", 2), "12"},
      {"Left negative", Left("abc", -1), ""},
      {"Left beyond", Left("abc", 9), "abc"},
      {"Right", Right("12:30:00", 2), "00"},
      {"Right negative", Right("abc", -3), ""},
      {"Mid", Mid("12:345:00", 4, 2), "34"},
      {"Mid past end", Mid("ab", 5, 2), ""},
      {"Mid accented", Mid(QStringLiteral("éte"), 2, 1), "t"},
      {"Chr", Chr(9), "\t"},
      {"Str", Str(-42), "-42"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.name;
  EXPECT_EQ(InStr(0, "12:30:00", ":"), 3);
  EXPECT_EQ(InStr(4, "12:30:00", ":"), 6);
  EXPECT_EQ(InStr(0, "1230", ":"), 0);
  EXPECT_EQ(Val("5:"), 5);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("x1"), 0);
  EXPECT_EQ(Val(" 12.5abc"), 12.5);
}

class Host : public Window {
 public:
  void CreateControls() override {
    auto& f = New<TextField>("Field");
    ApplyDesign(f, {{"Left", 10}, {"Top", 10}, {"Width", 100}, {"Height", 24}, {"Text", String("abc")}});
    auto& g = New<TextField>("Next");
    ApplyDesign(g, {{"Left", 10}, {"Top", 40}, {"Width", 100}, {"Height", 24}});
  }
};

TEST(Design, UnknownPropertyFailsLoudly) {
  Host w;
  w.Constructor();
  auto& f = w.Find<TextField>("Field");
  EXPECT_EQ(f.Text(), "abc");
  EXPECT_THROW(ApplyDesign(f, {{"NoSuchProperty", 1}}), RuntimeException);
  EXPECT_THROW(ApplyDesign(f, {{"Left", String("x")}}), RuntimeException);
  EXPECT_THROW(w.Find<Label>("Field"), NilObjectException);
}

TEST(Keys, TrueKeyDownStopsTabAndTypingFalseLetsThemThrough) {
  Host w;
  w.Constructor();
  ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  auto& f = w.Find<TextField>("Field");
  auto& g = w.Find<TextField>("Next");
  f.SetFocus();
  QStringList keys;
  bool consume = true;
  f.KeyDown.Bind([&](Object&, const String& k) {
    keys << k;
    return consume;
  });
  QTest::keyClick(f.Widget(), Qt::Key_Tab);
  QTest::keyClick(f.Widget(), Qt::Key_X);
  EXPECT_TRUE(f.Widget()->hasFocus());
  EXPECT_EQ(f.Text(), "abc");
  consume = false;
  QTest::keyClick(f.Widget(), Qt::Key_Y);
  EXPECT_EQ(f.Text(), "abcy");
  QTest::keyClick(f.Widget(), Qt::Key_Tab);
  EXPECT_TRUE(g.Widget()->hasFocus());
  EXPECT_EQ(keys, QStringList({"\t", "x", "y", "\t"}));
}

}  // namespace
