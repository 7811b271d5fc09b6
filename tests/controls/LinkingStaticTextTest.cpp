#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "controls/LinkingStaticText.h"
#include "framework/System.h"
#include "framework/Window.h"
#include "support/Support.h"

using fw::Color;
using fw::RGBHex;
using fw::String;

namespace {

const Color kDesignColor = RGBHex(0x333333);
const Color kBlue = RGBHex(0x0000FF);
const String kDesignText = QStringLiteral("https://design.example/");
constexpr int kW = 120, kH = 15;

// A window holding one link the way the footer places them, with an owner that watches it.
class LinkHost : public fw::Window {
 public:
  String openText;  // when set, the owner's Open handler gives the link this text
  int ownerOpens = 0;
  Color colorSeenAtOpen{};
  int ownerMouseEvents = 0;

  void Layout() override { fw::ApplyDesign(*this, {{"Width", 300}, {"Height", 100}}); }
  void CreateControls() override {
    auto& l = New<LinkingStaticText>("Link");
    l.SetTextSize(10);
    fw::ApplyDesign(l, {{"Left", 40},
                        {"Top", 30},
                        {"Width", kW},
                        {"Height", kH},
                        {"Text", kDesignText},
                        {"TextColor", kDesignColor},
                        {"Underline", false},
                        {"mColorOrig", RGBHex(0x000000)}});
    l.Open.Bind(this, &LinkHost::Link_Open);
    // The link keeps its mouse events to itself: none of these may run.
    l.MouseEnter.Bind([this](fw::Object&) { ++ownerMouseEvents; });
    l.MouseExit.Bind([this](fw::Object&) { ++ownerMouseEvents; });
    l.MouseDown.Bind([this](fw::Object&, int, int) { return ++ownerMouseEvents, false; });
    l.MouseDrag.Bind([this](fw::Object&, int, int) { ++ownerMouseEvents; });
    l.MouseUp.Bind([this](fw::Object&, int, int) { ++ownerMouseEvents; });
  }
  void Link_Open(LinkingStaticText& l) {
    ++ownerOpens;
    colorSeenAtOpen = l.mColorOrig;
    if (!openText.isEmpty()) l.SetText(openText);
  }
  LinkingStaticText& Link() { return Find<LinkingStaticText>("Link"); }
};

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override { fw::seams::ClearCapturedUrls(); }
  void TearDown() override { fw::seams::ClearCapturedUrls(); }
};

// Pointer events built by hand and sent to the label's widget, through the layer's bridging.
enum class Kind { Enter, Leave, Press, Move, Release };
struct Step {
  Kind kind;
  int x = 5, y = 5;
};

bool Send(QWidget* w, const Step& s) {
  QPointF local(s.x, s.y), global(w->mapToGlobal(QPoint(s.x, s.y)));
  switch (s.kind) {
    case Kind::Enter: {
      QEnterEvent e(local, local, global);
      QApplication::sendEvent(w, &e);
      return e.isAccepted();
    }
    case Kind::Leave: {
      QEvent e(QEvent::Leave);
      QApplication::sendEvent(w, &e);
      return e.isAccepted();
    }
    case Kind::Press:
    case Kind::Move:
    case Kind::Release: {
      QEvent::Type t = s.kind == Kind::Press  ? QEvent::MouseButtonPress
                       : s.kind == Kind::Move ? QEvent::MouseMove
                                              : QEvent::MouseButtonRelease;
      Qt::MouseButton button = s.kind == Kind::Move ? Qt::NoButton : Qt::LeftButton;
      Qt::MouseButtons held = s.kind == Kind::Release ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent e(t, local, global, button, held, Qt::NoModifier);
      QApplication::sendEvent(w, &e);
      return e.isAccepted();
    }
  }
  return false;
}

const Step Enter{Kind::Enter}, Leave{Kind::Leave}, Press{Kind::Press}, Release{Kind::Release};
Step Drag(int x, int y) { return {Kind::Move, x, y}; }

struct StateCase {
  const char* name;
  std::vector<Step> steps;
  bool highlighted;
  int opened;
};

TEST_F(LinkTest, StateTable) {
  const StateCase cases[] = {
      {"enter from plain", {Enter}, true, 0},
      {"enter while highlighted", {Press, Enter}, true, 0},
      {"exit from highlighted", {Enter, Leave}, false, 0},
      {"exit while plain", {Enter, Press, Drag(-1, 5), Leave}, false, 0},
      {"down from plain", {Press}, true, 0},
      {"down while highlighted", {Enter, Press}, true, 0},
      {"down twice", {Press, Release, Press}, true, 1},
      {"drag inside at X=0", {Press, Drag(0, 5)}, true, 0},
      {"drag inside at X=Width", {Press, Drag(kW, 5)}, true, 0},
      {"drag inside at Y=0", {Press, Drag(5, 0)}, true, 0},
      {"drag inside at Y=Height", {Press, Drag(5, kH)}, true, 0},
      {"drag out at X=-1", {Press, Drag(-1, 5)}, false, 0},
      {"drag out at X=Width+1", {Press, Drag(kW + 1, 5)}, false, 0},
      {"drag out at Y=-1", {Press, Drag(5, -1)}, false, 0},
      {"drag out at Y=Height+1", {Press, Drag(5, kH + 1)}, false, 0},
      {"drag back in at Width,Height", {Press, Drag(kW + 1, kH + 1), Drag(kW, kH)}, true, 0},
      {"drag back in at 0,0", {Press, Drag(-1, -1), Drag(0, 0)}, true, 0},
      {"drag outside while plain", {Press, Drag(-1, 5), Drag(5, kH + 1)}, false, 0},
      {"up while highlighted", {Press, Release}, false, 1},
      {"up while plain, no press", {Release}, false, 0},
      {"press, drag out, release", {Press, Drag(kW + 1, 5), {Kind::Release, kW + 1, 5}}, false, 0},
      {"press, drag out, drag in, release", {Press, Drag(-1, 5), Drag(5, 5), Release}, false, 1},
      {"hover, press, release outside", {Enter, Press, {Kind::Release, -30, -30}}, false, 1},
  };
  for (const auto& c : cases) {
    fw::seams::ClearCapturedUrls();
    LinkHost w;
    w.Constructor();
    auto& l = w.Link();
    for (const Step& s : c.steps) {
      bool accepted = Send(l.Widget(), s);
      if (s.kind == Kind::Press) {
        EXPECT_TRUE(accepted) << c.name << ": the press is claimed";
      }
    }
    EXPECT_EQ(l.Underline(), c.highlighted) << c.name;
    EXPECT_EQ(l.TextColor(), c.highlighted ? kBlue : kDesignColor) << c.name;
    EXPECT_EQ(fw::seams::CapturedUrls(), QStringList(c.opened, kDesignText)) << c.name;
    EXPECT_EQ(w.ownerMouseEvents, 0) << c.name;
  }
}

TEST_F(LinkTest, RealPointerHoverAndDragsThroughTheWindow) {
  LinkHost w;
  w.Constructor();
  ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  auto& l = w.Link();
  QWindow* win = w.NativeWindow()->windowHandle();
  QPoint origin = l.Widget()->mapTo(w.NativeWindow(), QPoint(0, 0));
  QPoint inside = origin + QPoint(5, 5), outside = origin + QPoint(-20, 5);

  QTest::mouseMove(win, inside);
  EXPECT_TRUE(l.Underline());
  EXPECT_EQ(l.TextColor(), kBlue);
  QTest::mouseMove(win, outside);
  EXPECT_FALSE(l.Underline());
  EXPECT_EQ(l.TextColor(), kDesignColor);

  // Press, drag out, release: nothing opens.
  QTest::mousePress(win, Qt::LeftButton, {}, inside);
  QTest::mouseMove(win, outside);
  EXPECT_FALSE(l.Underline());
  QTest::mouseRelease(win, Qt::LeftButton, {}, outside);
  EXPECT_TRUE(fw::seams::CapturedUrls().isEmpty());
  EXPECT_FALSE(l.Underline());

  // Press, drag out, back in on the far corner, release: opens once and ends plain.
  QTest::mousePress(win, Qt::LeftButton, {}, inside);
  QTest::mouseMove(win, outside);
  QTest::mouseMove(win, origin + QPoint(kW, kH));
  EXPECT_TRUE(l.Underline());
  QTest::mouseRelease(win, Qt::LeftButton, {}, origin + QPoint(kW, kH));
  EXPECT_EQ(fw::seams::CapturedUrls(), QStringList{kDesignText});
  EXPECT_FALSE(l.Underline());
  EXPECT_EQ(l.TextColor(), kDesignColor);
  EXPECT_EQ(w.ownerMouseEvents, 0);
  QTest::mouseMove(win, QPoint(1, 1));
}

TEST_F(LinkTest, OpenCapturesTheColourBeforeTheOwnerAndUnhighlightRestoresIt) {
  LinkHost w;
  w.openText = QStringLiteral("https://owner.example/path");
  w.Constructor();
  auto& l = w.Link();
  EXPECT_EQ(w.ownerOpens, 1);
  EXPECT_EQ(w.colorSeenAtOpen, kDesignColor);  // the design's #000000 is gone before the owner runs
  EXPECT_EQ(l.Text(), w.openText);

  // A colour the owner sets later is replaced by the captured one at the next un-highlight.
  l.SetTextColor(RGBHex(0xFF0000));
  l.ShowClickable(false);
  EXPECT_EQ(l.TextColor(), kDesignColor);
  EXPECT_FALSE(l.Underline());

  Send(l.Widget(), Press);
  Send(l.Widget(), Release);
  EXPECT_EQ(fw::seams::CapturedUrls(), QStringList{w.openText});
}

// Records the order in which the label's font and colour change.
class ChangeOrder : public QObject {
 public:
  QStringList seen;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::FontChange) seen << "underline";
    if (e->type() == QEvent::PaletteChange) seen << "colour";
    return false;
  }
};

TEST_F(LinkTest, ShowClickableSetsUnderlineThenColour) {
  LinkHost w;
  w.Constructor();
  auto& l = w.Link();
  ChangeOrder order;
  l.Widget()->installEventFilter(&order);
  l.ShowClickable(true);
  EXPECT_EQ(order.seen, QStringList({"underline", "colour"}));
  EXPECT_TRUE(l.Widget()->font().underline());
  order.seen.clear();
  l.ShowClickable(false);
  EXPECT_EQ(order.seen, QStringList({"underline", "colour"}));
  EXPECT_FALSE(l.Widget()->font().underline());
  l.Widget()->removeEventFilter(&order);
}

}  // namespace
