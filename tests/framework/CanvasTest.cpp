#include <gtest/gtest.h>

#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include "framework/Canvas.h"
#include "framework/Window.h"
#include "support/Support.h"

using namespace fw;

namespace {

class CanvasHost : public Window {
 public:
  std::vector<std::pair<int, int>> paintedSizes;
  void Layout() override {
    ApplyDesign(*this, {{"Width", 200}, {"Height", 100}, {"MinWidth", 200}, {"MinHeight", 100}});
  }
  void CreateControls() override {
    auto& a = New<Canvas>("Accepting");
    ApplyDesign(a,
                {{"Left", 10}, {"Top", 10}, {"Width", 40}, {"Height", 30}, {"TabStop", true}, {"AcceptFocus", true}});
    a.Paint.Bind([this](Object&, Graphics& g, const std::vector<Rect>& areas) {
      paintedSizes.push_back({g.Width(), g.Height()});
      EXPECT_FALSE(areas.empty());
      g.SetForeColor(RGBHex(0x00FF00));
      g.FillRect(0, 0, g.Width(), g.Height());
    });
    auto& r = New<Canvas>("Refusing");
    ApplyDesign(r,
                {{"Left", 60}, {"Top", 10}, {"Width", 40}, {"Height", 30}, {"TabStop", true}, {"AcceptFocus", false}});
  }
};

TEST(Canvas, PaintsOnItsOwnSurfaceAndTakesTheFocusOnlyWhenItAcceptsIt) {
  CanvasHost w;
  w.Constructor();
  ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  auto& a = w.Find<Canvas>("Accepting");
  auto& r = w.Find<Canvas>("Refusing");

  QImage img = a.Widget()->grab().toImage();
  ASSERT_FALSE(w.paintedSizes.empty());
  EXPECT_EQ(w.paintedSizes.back(), std::make_pair(40, 30));
  EXPECT_EQ(img.pixelColor(39, 29), QColor(0, 255, 0));

  QTest::mouseClick(r.Widget(), Qt::LeftButton);
  EXPECT_FALSE(r.Widget()->hasFocus());
  QTest::mouseClick(a.Widget(), Qt::LeftButton);
  EXPECT_TRUE(a.Widget()->hasFocus());
}

}  // namespace
