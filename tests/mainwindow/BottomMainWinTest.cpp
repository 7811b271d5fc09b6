#include <gtest/gtest.h>

#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "app/App.h"
#include "framework/MessageDialog.h"
#include "framework/Runtime.h"
#include "framework/System.h"
#include "framework/Window.h"
#include "mainwindow/BottomMainWin.h"
#include "support/AppFixture.h"
#include "support/Support.h"

using fw::RGBHex;
using fw::String;

namespace {

// The application's identity as the footer reads it, set by each test and given back afterwards.
struct Identity {
  String version, copyright, url;
  fw::PicturePtr icon;
};

Identity Read(const App& app) { return {app.msAppVersion, app.msAppCopyright, app.msAppUrl, app.pIcon}; }

void Write(App& app, const Identity& id) {
  app.msAppVersion = id.version;
  app.msAppCopyright = id.copyright;
  app.msAppUrl = id.url;
  app.pIcon = id.icon;
}

// The messages that MsgBox showed since the last reset.
QStringList Shown() {
  QStringList texts;
  for (const auto& d : fw::seams::ShownDialogs()) texts << d.Message;
  return texts;
}

// The footer placed as the main window places it.
const fw::Design kPlacement = {
    {"Transparent", false},
    {"HasBackColor", true},
    {"BackColor", RGBHex(0xCCCCCC)},
    {"InitialParent", String()},
    {"Left", 0},
    {"Top", 520},
    {"Width", 600},
    {"Height", 50},
    {"LockLeft", true},
    {"LockTop", false},
    {"LockRight", true},
    {"LockBottom", true},
    {"TabPanelIndex", 0},
    {"TabIndex", 13},
    {"Visible", true},
    {"Enabled", true},
    {"AutoDeactivate", true},
    {"HelpTag", String()},
    {"UseFocusRing", false},
    {"AcceptFocus", false},
    {"AcceptTabs", false},
    {"EraseBackground", false},
};

class FooterHost : public fw::Window {
 public:
  void Layout() override {
    fw::ApplyDesign(*this, {{"Width", 600},
                            {"Height", 570},
                            {"MinWidth", 600},
                            {"MinHeight", 570},
                            {"MaxWidth", 600},
                            {"MaxHeight", 570},
                            {"Visible", false}});
  }
  void CreateControls() override {
    auto& footer = New<BottomMainWin>("BottomMainWin1");
    fw::ApplyDesign(footer, kPlacement);
  }
  BottomMainWin& Footer() { return Find<BottomMainWin>("BottomMainWin1"); }
};

// A 128 x 128 icon whose top-left quarter is red and the rest blue.
fw::PicturePtr QuarterIcon() {
  QImage img(128, 128, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::blue);
  QPainter(&img).fillRect(0, 0, 64, 64, Qt::red);
  return std::make_shared<fw::Picture>(img);
}

class FooterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureApplication();
    app = fw::GetAppObject();
    saved = Read(App::Instance());
    Write(App::Instance(), id);
    fw::seams::ClearCapturedUrls();
    fw::seams::ResetDialogs();
  }
  void TearDown() override {
    if (!fw::GetAppObject()) fw::RuntimeRegisterAppObject(app);
    Write(App::Instance(), saved);
    fw::seams::FailNextPictureAllocations(0);
    fw::seams::ClearCapturedUrls();
    fw::seams::ResetDialogs();
  }
  // The identity the footer reads, given to the application by Apply.
  void Apply() { Write(App::Instance(), id); }

  Identity id{QStringLiteral("Version 1.0.0"), QStringLiteral("© 2011 le projet Brenvaltique"),
              QStringLiteral("https://www.brenvaltique.example/telechargement"), nullptr};
  Identity saved;
  std::shared_ptr<fw::Application> app;
};

struct Place {
  const char* name;
  int left, top, width, height;
};

TEST_F(FooterTest, ControlsAtSixHundredPixels) {
  FooterHost w;
  w.Constructor();
  auto& f = w.Footer();
  EXPECT_EQ(f.Widget()->geometry(), QRect(0, 520, 600, 50));
  const Place want[] = {
      {"StaticText4", 410, 5, 136, 15}, {"linkGrelmot", 410, 27, 136, 15}, {"txtAppInfo", 15, 5, 340, 15},
      {"linkAppUrl", 20, 27, 340, 15},  {"Canvas1", 556, 10, 32, 32},      {"Separator1", 0, 0, 605, 1},
  };
  ASSERT_EQ(f.ControlCount(), 6);
  for (int i = 0; i < 6; ++i) {
    const Place& p = want[i];
    auto* c = dynamic_cast<fw::RectControl*>(f.ControlAt(i));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Name, p.name) << "creation order";
    EXPECT_EQ(c->TabIndex, i + 1) << p.name;
    QRect r(p.left, p.top, p.width, p.height);
    EXPECT_EQ(QRect(c->Left(), c->Top(), c->Width(), c->Height()), r) << p.name;
    EXPECT_EQ(c->Widget()->geometry(), r) << p.name;
  }
}

TEST_F(FooterTest, LabelsFontsColoursAndTexts) {
  FooterHost w;
  w.Constructor();
  auto& f = w.Footer();
  struct LabelLook {
    fw::Label* label;
    int unit;
    fw::Color color;
    bool multiline;
  };
  const LabelLook looks[] = {
      {&f.StaticText4(), 0, RGBHex(0x993300), false},
      {&f.linkGrelmot(), 2, RGBHex(0x333333), false},
      {&f.txtAppInfo(), 0, RGBHex(0x333333), true},
      {&f.linkAppUrl(), 0, RGBHex(0x333333), false},
  };
  for (const auto& l : looks) {
    EXPECT_EQ(l.label->TextSize(), 10) << l.label->Name.toStdString();
    EXPECT_EQ(l.label->TextUnit(), l.unit) << l.label->Name.toStdString();
    EXPECT_EQ(l.label->TextFont(), "Verdana");
    EXPECT_EQ(l.label->TextColor(), l.color) << l.label->Name.toStdString();
    EXPECT_EQ(l.label->Multiline(), l.multiline) << l.label->Name.toStdString();
    EXPECT_FALSE(l.label->Underline());
  }
  // Each link captured its design colour at Open, over the design's black.
  EXPECT_EQ(f.linkGrelmot().mColorOrig, RGBHex(0x333333));
  EXPECT_EQ(f.linkAppUrl().mColorOrig, RGBHex(0x333333));

  EXPECT_EQ(f.txtAppInfo().Text(), "Version 1.0.0 © 2011 le projet Brenvaltique");
  EXPECT_EQ(f.linkAppUrl().Text(), id.url);
  EXPECT_TRUE(f.StaticText4().Text().startsWith("ArtWork by "));
  EXPECT_EQ(f.linkGrelmot().Text(), "https://brenvaltique.example/");
}

TEST_F(FooterTest, CreditLineJoinsVersionAndCreditWithOneBlank) {
  const struct {
    const char* version;
    const char* copyright;
    const char* want;
  } cases[] = {
      {"", "© le projet", " © le projet"},
      {"Version 2", "", "Version 2 "},
      {"", "", " "},
  };
  for (const auto& c : cases) {
    id.version = QString::fromUtf8(c.version);
    id.copyright = QString::fromUtf8(c.copyright);
    Apply();
    FooterHost w;
    w.Constructor();
    EXPECT_EQ(w.Footer().txtAppInfo().Text(), QString::fromUtf8(c.want));
  }
}

TEST_F(FooterTest, EachLinkOpensTheTextItShows) {
  FooterHost w;
  w.Constructor();
  ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  auto& f = w.Footer();
  QWindow* win = w.NativeWindow()->windowHandle();
  for (LinkingStaticText* link : {&f.linkAppUrl(), &f.linkGrelmot()}) {
    QPoint p = link->Widget()->mapTo(w.NativeWindow(), QPoint(5, 5));
    QTest::mouseClick(win, Qt::LeftButton, {}, p);
    EXPECT_FALSE(link->Underline());
    EXPECT_EQ(link->TextColor(), RGBHex(0x333333));
  }
  EXPECT_EQ(fw::seams::CapturedUrls(), QStringList({id.url, f.linkGrelmot().Text()}));
  QTest::mouseMove(win, QPoint(1, 1));
}

QImage Paint(BottomMainWin& f) { return f.Canvas1().Widget()->grab().toImage(); }

TEST_F(FooterTest, IconIsTheWholePictureAtThirtyTwoPixelsFromTheCurrentIconAtEachPaint) {
  id.icon = QuarterIcon();
  Apply();
  FooterHost w;
  w.Constructor();
  auto& f = w.Footer();
  QImage img = Paint(f);
  ASSERT_EQ(img.size(), QSize(32, 32));
  EXPECT_EQ(img.pixelColor(4, 4), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(27, 4), QColor(Qt::blue));
  EXPECT_EQ(img.pixelColor(27, 27), QColor(Qt::blue));

  // Nil draws nothing: the canvas shows only its background.
  id.icon = nullptr;
  Apply();
  img = Paint(f);
  EXPECT_EQ(img.pixelColor(4, 4), img.pixelColor(27, 27));
  EXPECT_NE(img.pixelColor(4, 4), QColor(Qt::red));
  EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(FooterTest, OutOfMemoryWhileDrawingShowsTheMessageOncePerFailingPaint) {
  id.icon = QuarterIcon();
  Apply();
  FooterHost w;
  w.Constructor();
  auto& f = w.Footer();
  fw::seams::FailNextPictureAllocations(2);
  QImage first = Paint(f);
  EXPECT_EQ(Shown(), QStringList{"Memory is too low to create the App icon"});
  EXPECT_NE(first.pixelColor(4, 4), QColor(Qt::red));  // the paint ended without the icon
  Paint(f);
  EXPECT_EQ(Shown().size(), 2);
  // The next paint is unaffected.
  EXPECT_EQ(Paint(f).pixelColor(4, 4), QColor(Qt::red));
  EXPECT_EQ(Shown().size(), 2);
}

TEST_F(FooterTest, OtherFaultsInThePaintPassOn) {
  FooterHost w;
  w.Constructor();
  auto& f = w.Footer();
  // With no application object the icon cannot be read at all.
  fw::RuntimeRegisterAppObject(nullptr);
  auto surface = std::make_shared<fw::Picture>(32, 32);
  auto g = surface->Graphics();
  EXPECT_THROW(f.Canvas1_Paint(f.Canvas1(), *g, {}), fw::NilObjectException);
  EXPECT_TRUE(Shown().isEmpty());
}

}  // namespace
