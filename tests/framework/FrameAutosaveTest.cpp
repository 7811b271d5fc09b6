#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>

#include "framework/Window.h"

using namespace fw;

namespace {

class Plain : public Window {
 public:
  void Layout() override { ApplyDesign(*this, {{"Width", 200}, {"Height", 100}, {"Resizeable", false}}); }
};

// Takes its kept place while it is built, before it is shown, as the main window does.
class PlacedWhenOpened : public Plain {
 public:
  explicit PlacedWhenOpened(const String& name) : name_(name) {}
  void Event_Open() override { SetFrameAutosaveName(name_); }

 private:
  String name_;
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

TEST(FrameAutosave, AWindowKeptNearTheBottomComesBackWholeFrameAndTitleBarIncluded) {
  QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  for (bool frameSizeKept : {true, false}) {
    SCOPED_TRACE(frameSizeKept ? "the last run's frame known" : "first run under this window manager");
    const String name = FreshName();
    {
      Plain first;
      first.Constructor();
      first.SetFrameAutosaveName(name);
      first.NativeWindow()->move(avail.left() + 30, avail.bottom() - 40);
      QTest::qWait(20);
      first.Close();
    }
    if (!frameSizeKept) {
      QSettings kept(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/frames.ini",
                     QSettings::IniFormat);
      kept.remove("FrameSizes/" + name);
    }
    PlacedWhenOpened second(name);
    second.Constructor();
    QTest::qWait(20);
    QRect frame = second.NativeWindow()->frameGeometry();
    ASSERT_GT(frame.height(), second.NativeWindow()->height()) << "the platform draws a frame";
    EXPECT_TRUE(avail.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                       << frame.height();
    EXPECT_EQ(frame.x(), avail.left() + 30) << "only moved as far as needed";
  }
}

}  // namespace
