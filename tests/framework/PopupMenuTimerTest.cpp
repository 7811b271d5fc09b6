#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWheelEvent>

#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "framework/Window.h"

using namespace fw;

namespace {

struct MenuFixture : ::testing::Test {
  Window w;
  PopupMenu& menu = w.New<PopupMenu>("Menu");
  QList<int> changes;  // ListIndex seen by each Change

  void SetUp() override {
    menu.Change.Bind([this](Object&) { changes << menu.ListIndex(); });
  }
};

TEST_F(MenuFixture, RowsAddedToAnEmptyMenuSelectNoneAndRaiseNothing) {
  ApplyDesign(menu, {{"InitialValue", String()}, {"ListIndex", 0}});  // a row 0 given before any row exists
  menu.AddRows({"a", "b", "c"});
  menu.AddRow("d");
  EXPECT_EQ(menu.ListIndex(), -1);
  EXPECT_EQ(menu.ComboBox()->currentIndex(), -1);
  EXPECT_EQ(menu.ListCount(), 4);
  EXPECT_EQ(menu.List(1), "b");
  EXPECT_EQ(menu.List(9), "");
  EXPECT_TRUE(changes.isEmpty());
}

TEST_F(MenuFixture, EveryChangeOfSelectionFromCodeRaisesChange) {
  menu.AddRows({"a", "b", "c"});
  menu.SetListIndex(0);
  menu.SetListIndex(2);
  menu.SetListIndex(2);   // already selected
  menu.SetListIndex(7);   // no such row: ignored
  menu.SetListIndex(-2);  // ignored
  menu.SetListIndex(-1);
  EXPECT_EQ(changes, (QList<int>{0, 2, -1}));
  EXPECT_EQ(menu.ListIndex(), -1);
  // Adding rows keeps a selection as it is.
  menu.SetListIndex(1);
  menu.AddRow("d");
  EXPECT_EQ(menu.ListIndex(), 1);
  EXPECT_EQ(changes, (QList<int>{0, 2, -1, 1}));
}

TEST_F(MenuFixture, UserChoiceRaisesChange) {
  menu.AddRows({"a", "b", "c"});
  menu.SetListIndex(0);
  changes.clear();
  QTest::keyClick(menu.Widget(), Qt::Key_End);
  QTest::keyClick(menu.Widget(), Qt::Key_Up);
  EXPECT_EQ(changes, (QList<int>{2, 1}));
  EXPECT_EQ(menu.ListIndex(), 1);
}

// The wheel passing over a closed menu scrolls the window, as over any other control; the
// selection changes only through the open menu or the keyboard on the focused menu.
TEST_F(MenuFixture, TheWheelNeverChangesTheSelection) {
  menu.AddRows({"a", "b", "c"});
  menu.SetListIndex(1);
  changes.clear();
  QWidget* box = menu.Widget();
  box->setFocus();
  for (int delta : {120, -120, -240, 360}) {
    QPoint at(box->width() / 2, box->height() / 2);
    QWheelEvent wheel(at, box->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_FALSE(wheel.isAccepted());
  }
  EXPECT_EQ(menu.ListIndex(), 1);
  EXPECT_TRUE(changes.isEmpty());
}

struct TimerFixture : ::testing::Test {
  Window w;
  Timer& timer = w.New<Timer>("Timer");
  int actions = 0;
  void SetUp() override {
    timer.Action.Bind([this](Object&) { ++actions; });
  }
  void TearDown() override { seams::UseManualClock(true); }
  // The actions run so far, once the clock has moved on by ms.
  int ActionsAfter(int ms) {
    seams::AdvanceClock(ms);
    return actions;
  }
};

TEST_F(TimerFixture, SingleShotRunsOnceAlsoWhenArmedAgainWhilePending) {
  ApplyDesign(timer, {{"Mode", 0}, {"Period", 50}});
  EXPECT_EQ(timer.Period(), 50);
  timer.SetMode(Timer::ModeSingle);
  timer.SetMode(Timer::ModeSingle);
  timer.SetMode(Timer::ModeSingle);
  EXPECT_EQ(actions, 0);  // never from the assignment itself
  EXPECT_EQ(ActionsAfter(49), 0);
  EXPECT_EQ(ActionsAfter(1), 1);
  EXPECT_EQ(timer.Mode(), Timer::ModeOff);
  EXPECT_EQ(ActionsAfter(1000), 1);
}

TEST_F(TimerFixture, ArmingAgainOrANewPeriodStartsTheCountAnew) {
  timer.SetPeriod(50);
  timer.SetMode(Timer::ModeSingle);
  seams::AdvanceClock(30);
  timer.SetMode(Timer::ModeSingle);
  EXPECT_EQ(ActionsAfter(30), 0);
  timer.SetPeriod(100);
  EXPECT_EQ(ActionsAfter(99), 0);
  EXPECT_EQ(ActionsAfter(1), 1);
  // A stopped timer keeps its new period without starting.
  timer.SetPeriod(10);
  EXPECT_EQ(ActionsAfter(100), 1);
}

TEST_F(TimerFixture, ActionMayArmTheTimerAgain) {
  timer.SetPeriod(10);
  timer.Action.Bind([this](Object&) {
    if (++actions < 3) timer.SetMode(Timer::ModeSingle);
  });
  timer.SetMode(Timer::ModeSingle);
  EXPECT_EQ(ActionsAfter(1000), 3);
}

TEST_F(TimerFixture, MultipleRepeatsUntilTurnedOff) {
  timer.SetPeriod(10);
  timer.SetMode(Timer::ModeMultiple);
  EXPECT_EQ(ActionsAfter(35), 3);
  EXPECT_EQ(timer.Mode(), Timer::ModeMultiple);
  timer.SetMode(Timer::ModeOff);
  EXPECT_EQ(ActionsAfter(100), 3);
}

// The program's own timer runs on the event loop with real time.
TEST_F(TimerFixture, OnTheRealClockASingleShotRunsOnTheEventLoop) {
  seams::UseManualClock(false);
  timer.SetPeriod(10);
  timer.SetMode(Timer::ModeSingle);
  EXPECT_EQ(actions, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return actions > 0; }, 5000));
  EXPECT_EQ(timer.Mode(), Timer::ModeOff);
}

TEST_F(TimerFixture, SwitchingClocksKeepsTheTimeLeft) {
  timer.SetPeriod(60000);
  timer.SetMode(Timer::ModeSingle);
  seams::AdvanceClock(20000);
  seams::UseManualClock(false);
  seams::UseManualClock(true);
  EXPECT_EQ(ActionsAfter(39000), 0);
  EXPECT_EQ(ActionsAfter(1000), 1);
}

TEST(Timer, UnknownDesignPropertyFailsLoudly) {
  Window w;
  auto& t = w.New<Timer>("Timer");
  EXPECT_THROW(ApplyDesign(t, {{"Width", 10}}), RuntimeException);
}

}  // namespace
