#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "app/App.h"
#include "app/Pictures.h"
#include "framework/Localization.h"
#include "framework/MessageDialog.h"
#include "framework/Runtime.h"
#include "support/Support.h"

namespace {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::seams::ResetDialogs();
    app = std::make_shared<App>();
    fw::RuntimeRegisterAppObject(app);
  }
  void TearDown() override {
    fw::seams::FailNextPictureAllocations(0);
    fw::seams::ResetDialogs();
    fw::RuntimeExit();
  }
  std::shared_ptr<App> app;
};

TEST_F(AppTest, OpenFillsTheIdentityStringsDrawsTheIconAndSetsAutoQuit) {
  EXPECT_EQ(&App::Instance(), app.get());
  EXPECT_TRUE(app->msAppName.isEmpty() && app->msAppUrl.isEmpty() && app->msAppVersion.isEmpty());
  EXPECT_EQ(app->pIcon, nullptr);
  app->Event_Open();

  EXPECT_EQ(app->msAppName, "Brenvaltique");
  EXPECT_EQ(app->msAppHelpFile, "AideBase.html");
  EXPECT_TRUE(app->msAppUrl.endsWith("/Logiciels/Brenvaltique.zip")) << app->msAppUrl.toStdString();
  EXPECT_TRUE(app->msAppUrl.startsWith("https://brenvaltique.example/"));
  EXPECT_EQ(app->msAppVersion, app->LongVersion());
  EXPECT_TRUE(app->msAppVersion.startsWith("Version "));
  EXPECT_FALSE(app->msAppCopyright.isEmpty());
  EXPECT_FALSE(app->msAppCopyright.contains('\n'));
  EXPECT_TRUE(app->AutoQuit());
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());

  ASSERT_NE(app->pIcon, nullptr);
  const QImage& icon = app->pIcon->Image();
  EXPECT_EQ(icon.size(), QSize(128, 128));
  EXPECT_TRUE(icon.hasAlphaChannel());
  auto art = Tassilumbre128();
  ASSERT_NE(art, nullptr) << "the bundle's icon";
  EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32), art->Image().convertToFormat(QImage::Format_ARGB32))
      << "the icon drawn whole at its own size";
}

TEST_F(AppTest, OutOfMemoryForTheIconIsShownOnceAndStartUpGoesOn) {
  fw::seams::FailNextPictureAllocations(1);
  app->Event_Open();
  ASSERT_EQ(fw::seams::ShownDialogs().size(), 1u);
  const auto& box = fw::seams::ShownDialogs()[0];
  EXPECT_EQ(box.Message, "Memory is too low to create the App icon");
  EXPECT_FALSE(box.WindowModal);
  EXPECT_EQ(app->pIcon, nullptr);
  EXPECT_TRUE(app->AutoQuit());
  EXPECT_EQ(app->msAppName, "Brenvaltique");
  EXPECT_FALSE(app->msAppCopyright.isEmpty());
}

TEST_F(AppTest, ErrorIconTextIsLookedUpAtEachUse) {
  EXPECT_EQ(App::kErrorIcon(""), "Memory is too low to create the App icon");
  EXPECT_EQ(App::kErrorIcon("xx"), "Memory is too low to create the App icon");
  fw::seams::SetLocalizedString("App.kErrorIcon", "fr", QStringLiteral("Mémoire insuffisante"));
  EXPECT_EQ(App::kErrorIcon("fr"), QStringLiteral("Mémoire insuffisante"));
  EXPECT_EQ(App::kErrorIcon("xx"), "Memory is too low to create the App icon");
  fw::seams::ClearLocalizedStrings();
}

TEST(AppInstance, WithoutARegisteredAppRaises) {
  fw::RuntimeExit();
  EXPECT_THROW(App::Instance(), fw::NilObjectException);
}

// The cache rule on a bundle of our own making.
TEST(Pictures, ANilResultIsTriedAgainAndALoadedPictureIsNeverReadAgain) {
  testsupport::TempFolder bundle;
  fw::seams::SetExecutableFile(bundle.Path() + "/MacOS/brenvaltique");
  ForgetBundlePictures();

  EXPECT_EQ(Tous(), nullptr) << "no Resources folder";
  ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(bundle.Path() + "/Resources")));
  EXPECT_EQ(Tous(), nullptr) << "no picture file";
  QImage small(3, 2, QImage::Format_ARGB32);
  small.fill(Qt::red);
  ASSERT_TRUE(small.save(QString::fromUtf8(bundle.Path() + "/Resources/Tous.png")));
  fw::PicturePtr first = Tous();
  ASSERT_NE(first, nullptr) << "tried again once the file is there";
  EXPECT_EQ(first->Width(), 3);

  QImage other(5, 5, QImage::Format_ARGB32);
  other.fill(Qt::blue);
  ASSERT_TRUE(other.save(QString::fromUtf8(bundle.Path() + "/Resources/Tous.png")));
  EXPECT_EQ(Tous(), first) << "the very same picture, nothing read";
  QFile::remove(QString::fromUtf8(bundle.Path() + "/Resources/Tous.png"));
  EXPECT_EQ(Tous(), first);
  EXPECT_EQ(Tassilumbre128(), nullptr) << "each picture has its own slot";

  fw::seams::SetExecutableFile("/brenvaltique");
  EXPECT_EQ(GetApplicationBundleResources(), nullptr) << "no folder above the executable's";
  EXPECT_EQ(Tassilumbre128(), nullptr);

  fw::seams::SetExecutableFile(qgetenv("BRENVALTIQUE_BUNDLE") + "/MacOS/brenvaltique");
  ForgetBundlePictures();
  ASSERT_NE(Tassilumbre128(), nullptr);
  EXPECT_EQ(Tassilumbre128()->Width(), 128);
  EXPECT_EQ(Tassilumbre128()->Height(), 128);
  ASSERT_NE(Tous(), nullptr);
}

}  // namespace
