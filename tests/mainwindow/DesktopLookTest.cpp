// The window as a Linux desktop shows it: readable under a dark desktop palette, every fixed text
// inside its box with the face really used, the program's icon on the window and its dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>
#include <map>

#include "app/App.h"
#include "mainwindow/MainWindow.h"
#include "support/AppFixture.h"
#include "support/Support.h"

namespace {

// WCAG 2 relative luminance and contrast ratio.
double Luminance(const QColor& c) {
  auto channel = [](int v) {
    double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double Contrast(const QColor& a, const QColor& b) {
  double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark desktop scheme, as qt6ct's "darker" or a KDE dark scheme gives the application.
QPalette DarkDesktop() {
  QPalette p(QColor(0xEE, 0xEE, 0xEE), QColor(0x35, 0x35, 0x35), QColor(0x50, 0x50, 0x50), QColor(0x20, 0x20, 0x20),
             QColor(0x2A, 0x2A, 0x2A), QColor(0xF0, 0xF0, 0xF0), QColor(0xFF, 0xFF, 0xFF), QColor(0x23, 0x23, 0x23),
             QColor(0x2D, 0x2D, 0x2D));
  return p;
}

// Every control of a host, its panels' own controls included.
void Collect(const fw::ControlHost& host, std::vector<fw::RectControl*>& out) {
  for (int i = 0; i < host.ControlCount(); ++i) {
    auto* r = dynamic_cast<fw::RectControl*>(host.ControlAt(i));
    if (!r) continue;
    out.push_back(r);
    if (auto* panel = dynamic_cast<fw::ContainerControl*>(r)) Collect(*panel, out);
  }
}

class DesktopLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureApplication();
    saved_ = QApplication::palette();
    QApplication::setPalette(DarkDesktop());
    w = &MainWindow::Instance();
    ASSERT_TRUE(testsupport::ShowAndActivate(w->NativeWindow()));
    // A listed, selected file, so the fields and the permission menus show their texts too.
    w->FileLstBx().DropFiles({fw::FolderItem::FromNativePath(dir_.MakeFile("notes.txt"))});
    w->FileLstBx().SetListIndex(0);
    QTest::qWait(20);
    Collect(*w, controls);
  }
  void TearDown() override {
    w->Close();
    fw::DestroyClosedWindows();
    QApplication::setPalette(saved_);
  }
  template <class T>
  std::vector<T*> Widgets() const {
    std::vector<T*> out;
    for (auto* c : controls)
      if (auto* x = qobject_cast<T*>(c->Widget())) out.push_back(x);
    return out;
  }
  MainWindow* w = nullptr;
  std::vector<fw::RectControl*> controls;

 private:
  testsupport::TempFolder dir_;
  QPalette saved_;
};

TEST_F(DesktopLookTest, EveryTextReadsOnItsGroundUnderADarkDesktopPalette) {
  QImage shot = w->NativeWindow()->grab().toImage();
  const qreal dpr = shot.devicePixelRatio();
  int measured = 0;
  // Labels and the box's caption, as drawn: the ground is the commonest colour of the box, the
  // text the pixel that stands out most from it.
  std::vector<QWidget*> drawn;
  for (auto* l : Widgets<QLabel>())
    if (!l->text().isEmpty()) drawn.push_back(l);
  for (auto* b : Widgets<QCheckBox>()) drawn.push_back(b);
  for (QWidget* x : drawn) {
    QRect r(x->mapTo(w->NativeWindow(), QPoint(0, 0)), x->size());
    std::map<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int xx = r.left(); xx <= r.right(); ++xx) ++counts[shot.pixel(int(xx * dpr), int(y * dpr))];
    QRgb ground =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    double best = 1;
    for (auto& [rgb, n] : counts) best = std::max(best, Contrast(QColor(rgb), QColor(ground)));
    EXPECT_GE(best, 4.5) << x->objectName().toStdString() << " " << x->property("text").toString().toStdString()
                         << " on " << QColor(ground).name().toStdString();
    ++measured;
  }
  EXPECT_EQ(measured, 18) << "labels and the box";
  // Fields, menus, buttons and the list's heading, by the colours their style paints them with.
  auto roles = [](QWidget* x, QPalette::ColorRole fg, QPalette::ColorRole bg, QPalette::ColorGroup g) {
    return Contrast(x->palette().color(g, fg), x->palette().color(g, bg));
  };
  for (auto* e : Widgets<QLineEdit>()) {
    auto group = e->isEnabled() ? QPalette::Active : QPalette::Disabled;
    EXPECT_GE(roles(e, QPalette::Text, QPalette::Base, group), 4.5);
  }
  for (QWidget* b : Widgets<QComboBox>())
    EXPECT_GE(roles(b, QPalette::ButtonText, QPalette::Button, QPalette::Active), 4.5);
  for (QWidget* b : Widgets<QToolButton>())
    EXPECT_GE(roles(b, QPalette::ButtonText, QPalette::Button, QPalette::Active), 4.5);
  auto* tree = qobject_cast<QTreeWidget*>(w->FileLstBx().Widget());
  EXPECT_GE(roles(tree->header(), QPalette::ButtonText, QPalette::Button, QPalette::Active), 4.5);
  EXPECT_GE(roles(tree, QPalette::Text, QPalette::Base, QPalette::Active), 4.5);
  EXPECT_GE(roles(tree, QPalette::HighlightedText, QPalette::Highlight, QPalette::Active), 4.5);
}

TEST_F(DesktopLookTest, DialogsFollowTheDesktopPalette) {
  QMessageBox box;
  EXPECT_EQ(box.palette().color(QPalette::Window), DarkDesktop().color(QPalette::Window));
}

TEST_F(DesktopLookTest, EveryFixedTextFitsItsBoxWithTheFaceReallyUsed) {
  // The face the program really draws with: Verdana where it is installed, else the fallback.
  for (auto* c : controls) {
    if (!c->Widget() || dynamic_cast<fw::ContainerControl*>(c)) continue;
    QString face = QFontInfo(c->Widget()->font()).family();
    if (c->TextFont() == "Verdana") {
      EXPECT_TRUE(face == "Verdana" || face == "DejaVu Sans Condensed")
          << c->Name.toStdString() << ": " << face.toStdString();
    }
  }
  for (QLabel* l : Widgets<QLabel>()) {
    QFontMetrics fm(l->font());
    QRect box = l->contentsRect();
    SCOPED_TRACE(l->text().toStdString());
    if (l->wordWrap()) {
      QRect need = fm.boundingRect(QRect(0, 0, box.width(), 10000), Qt::TextWordWrap | int(l->alignment()), l->text());
      EXPECT_LE(need.height(), box.height());
    } else {
      EXPECT_LE(fm.horizontalAdvance(l->text()), box.width());
      EXPECT_LE(fm.height(), box.height());
    }
  }
  // The box's caption and the buttons: what they ask for, beside their indicator or icon.
  for (QWidget* b : Widgets<QCheckBox>())
    EXPECT_LE(b->sizeHint().width(), b->width()) << qobject_cast<QCheckBox*>(b)->text().toStdString();
  for (QToolButton* b : Widgets<QToolButton>()) EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();
  // Each row of each permission menu, in the menu's own text area.
  for (QComboBox* m : Widgets<QComboBox>()) {
    QStyleOptionComboBox opt;
    opt.initFrom(m);
    opt.editable = false;
    opt.frame = true;
    QRect field = m->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, m);
    QFontMetrics fm(m->font());
    ASSERT_EQ(m->count(), 8);
    for (int i = 0; i < m->count(); ++i)
      EXPECT_LE(fm.horizontalAdvance(m->itemText(i)), field.width()) << m->itemText(i).toStdString();
  }
  // The list's heading in its one column.
  auto* tree = qobject_cast<QTreeWidget*>(w->FileLstBx().Widget());
  QFontMetrics hm(tree->header()->font());
  EXPECT_LE(hm.horizontalAdvance(tree->headerItem()->text(0)), tree->header()->sectionSize(0));
}

TEST_F(DesktopLookTest, TheWindowAndItsDialogsCarryTheApplicationIcon) {
  QIcon icon = QApplication::windowIcon();
  ASSERT_FALSE(icon.isNull());
  QImage expected = App::Instance().pIcon->Image().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(icon.pixmap(128, 128).toImage().convertToFormat(QImage::Format_ARGB32), expected);
  EXPECT_EQ(w->NativeWindow()->windowIcon().cacheKey(), icon.cacheKey());
  QMessageBox box;
  EXPECT_EQ(box.windowIcon().cacheKey(), icon.cacheKey());
}

}  // namespace
