#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTest>
#include <QUuid>

#include "framework/Window.h"

using namespace fw;

namespace {

class Plain : public Window {
 public:
  void Layout() override { ApplyDesign(*this, {{"Width", 200}, {"Height", 100}, {"Resizeable", false}}); }
};

// A name of its own, so parallel test programs never share a kept frame.
String FreshName() { return QStringLiteral("Test-") + QUuid::createUuid().toString(QUuid::WithoutBraces); }

TEST(FrameAutosave, ASecondWindowUnderTheSameNameComesBackWhereTheFirstWas) {
  const String name = FreshName();
  Plain first;
  first.Constructor();
  first.SetFrameAutosaveName(name);  // nothing kept yet: it stays where it is
  QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  QPoint where = avail.topLeft() + QPoint(41, 27);
  first.NativeWindow()->move(where);
  QTest::qWait(20);
  first.Close();

  Plain second;
  second.Constructor();
  EXPECT_NE(second.NativeWindow()->pos(), where);
  second.SetFrameAutosaveName(name);
  EXPECT_EQ(second.NativeWindow()->pos(), where) << "given back at once";

  Plain other;
  other.Constructor();
  other.SetFrameAutosaveName(FreshName());
  EXPECT_NE(other.NativeWindow()->pos(), where) << "another name keeps another frame";
}

TEST(FrameAutosave, AKeptPlaceOffTheScreenIsBroughtBackOnIt) {
  const String name = FreshName();
  QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  for (QPoint far : {QPoint(avail.right() + 3000, avail.bottom() + 2000), QPoint(-5000, -4000)}) {
    Plain first;
    first.Constructor();
    first.SetFrameAutosaveName(name);
    first.NativeWindow()->move(far);
    first.Close();

    Plain second;
    second.Constructor();
    second.SetFrameAutosaveName(name);
    QRect frame = second.NativeWindow()->frameGeometry();
    EXPECT_TRUE(avail.contains(frame)) << frame.x() << "," << frame.y();
  }
}

}  // namespace
