#include <gtest/gtest.h>

#include <QDir>
#include <QMainWindow>
#include <QPixmap>
#include <QTest>

#include "mainwindow/MainWindow.h"
#include "support/AppFixture.h"
#include "support/Support.h"

namespace {

// Saves a picture of the window with a few files listed, for the README and for a person to look at.
TEST(MainWindowScreenshot, SavesAPictureOfTheWindowWithFilesListed) {
  testsupport::EnsureApplication();
  testsupport::TempFolder dir;
  MainWindow& w = MainWindow::Instance();
  ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  std::vector<fw::FolderItemPtr> files;
  for (auto n : {"rapport annuel.pdf", "photo.jpg", "notes.txt", "logo.png"})
    files.push_back(fw::FolderItem::FromNativePath(dir.MakeFile(n)));
  w.FileLstBx().DropFiles(files);
  w.FileLstBx().SetListIndex(1);
  QTest::qWait(50);
  QString out = QString::fromUtf8(qgetenv("BRENVALTIQUE_BUNDLE")) + QStringLiteral("/../main-window.png");
  EXPECT_TRUE(w.NativeWindow()->grab().save(out));
  w.Close();
  fw::DestroyClosedWindows();
}

}  // namespace
