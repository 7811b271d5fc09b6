// Writes that do not reach their file are reported, never passed off as done.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTest>

#include "framework/MessageDialog.h"
#include "mainwindow/MainWindow.h"
#include "support/AppFixture.h"
#include "support/Support.h"

namespace {

timespec MTime(const QByteArray& path) {
  struct stat st {};
  ::stat(path.constData(), &st);
  return st.st_mtim;
}

class WriteReports : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureApplication();
    fw::seams::ResetDialogs();
    w = &MainWindow::Instance();
    a = dir.MakeFile("a.txt", "a\n", 0644);
    b = dir.MakeFile("b.txt", "b\n", 0600);
    w->FileLstBx().DropFiles({fw::FolderItem::FromNativePath(a), fw::FolderItem::FromNativePath(b)});
    w->FileLstBx().SetListIndex(0);
    Settle();
  }
  void TearDown() override {
    fw::seams::ResetDialogs();
    w->Close();
    fw::DestroyClosedWindows();
  }
  // Lets the permission timer run and the reports, which wait for the current event, come.
  void Settle() {
    fw::Timer& t = w->PermissionsCtrCtl1().SetPermissionsTimer();
    for (int i = 0; i < 5 && t.Mode() != 0; ++i) fw::seams::AdvanceClock(t.Period());
    ASSERT_EQ(t.Mode(), 0);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  QStringList Messages() const {
    QStringList out;
    for (const auto& d : fw::seams::ShownDialogs()) out << d.Title + " | " + d.Message;
    return out;
  }

  testsupport::TempFolder dir;
  MainWindow* w = nullptr;
  QByteArray a, b;
};

TEST_F(WriteReports, APermissionChoiceThatDoesNotReachItsFileIsReported) {
  for (bool byTimer : {true, false}) {
    SCOPED_TRACE(byTimer ? "written by the timer" : "sent on when another row is selected");
    w->FileLstBx().SetListIndex(-1);
    w->FileLstBx().SetListIndex(0);
    Settle();
    fw::seams::ResetDialogs();
    w->PermissionsCtrCtl1().OthersPermPupMnu().SetListIndex(byTimer ? 7 : 5);  // the file has 644
    QByteArray moved = a + ".ailleurs";
    ::rename(a.constData(), moved.constData());
    if (!byTimer) w->FileLstBx().SetListIndex(1);
    Settle();
    ASSERT_EQ(fw::seams::ShownDialogs().size(), 1u) << Messages().join("\n").toStdString();
    const auto& d = fw::seams::ShownDialogs()[0];
    EXPECT_EQ(d.Title, "Modification impossible");
    EXPECT_EQ(d.Message, QStringLiteral("Le fichier « a.txt » n'a pas pu être modifié (permissions)."));
    EXPECT_EQ(d.Explanation, QStringLiteral("Fichier introuvable"));
    ::rename(moved.constData(), a.constData());
  }
}

TEST_F(WriteReports, PermissionChoicesWithNoRowSelectedGoToNoFile) {
  w->FileLstBx().SetListIndex(-1);
  Settle();
  fw::seams::ResetFileWriteCalls();
  PermissionsCtrCtl& panel = w->PermissionsCtrCtl1();
  panel.UserPermPupMnu().SetListIndex(7);
  panel.GroupPermPupMnu().SetListIndex(5);
  panel.OthersPermPupMnu().SetListIndex(5);
  Settle();
  // The file shown last is no longer selected: it keeps its mode, and nothing is reported.
  struct stat st {};
  ::stat(a.constData(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_TRUE(fw::seams::ShownDialogs().empty()) << Messages().join("\n").toStdString();
  w->FileLstBx().SetListIndex(0);
  Settle();
  EXPECT_EQ(panel.PermissionsReport(), "Utilisateur : 6 - Groupe : 4 - Autres : 4");
}

TEST_F(WriteReports, APermissionChoiceJustBeforeTheWindowClosesStillReachesItsFile) {
  w->PermissionsCtrCtl1().GroupPermPupMnu().SetListIndex(7);
  w->Close();
  fw::DestroyClosedWindows();
  struct stat st {};
  ::stat(a.constData(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0674u);
  w = &MainWindow::Instance();
}

TEST_F(WriteReports, APermissionChoiceThatFailsAsTheWindowClosesIsReportedBeforeItGoes) {
  w->PermissionsCtrCtl1().GroupPermPupMnu().SetListIndex(7);
  QByteArray moved = a + ".ailleurs";
  ::rename(a.constData(), moved.constData());
  w->Close();
  ASSERT_EQ(fw::seams::ShownDialogs().size(), 1u) << Messages().join("\n").toStdString();
  EXPECT_EQ(fw::seams::ShownDialogs()[0].Message,
            QStringLiteral("Le fichier « a.txt » n'a pas pu être modifié (permissions)."));
  EXPECT_EQ(fw::seams::ShownDialogs()[0].Icon, 1);
  fw::DestroyClosedWindows();
  ::rename(moved.constData(), a.constData());
  w = &MainWindow::Instance();
}

TEST_F(WriteReports, ATimeTheClocksSkipIsReportedAndNoFileGetsAnother) {
  // Paris time: 02:30 does not exist on 28 March 2021.
  const timespec beforeA = MTime(a), beforeB = MTime(b);
  w->ModifDateTxtFld().SetText("28/03/2021");
  w->ModifTimeTxtFld().SetText("02:30:00");
  w->ModifTimeTxtFld_LostFocus(w->ModifTimeTxtFld());
  Settle();
  ASSERT_EQ(fw::seams::ShownDialogs().size(), 1u) << Messages().join("\n").toStdString();
  EXPECT_EQ(fw::seams::ShownDialogs()[0].Message,
            QStringLiteral("Le fichier « a.txt » n'a pas pu être modifié (date de modification)."));
  EXPECT_EQ(MTime(a).tv_sec, beforeA.tv_sec);
  std::optional<fw::Date> kept = fw::FolderItem::FromNativePath(a)->ModificationDate();
  EXPECT_EQ(w->ModifTimeTxtFld().Text(), kept->LongTime()) << "the fields show the date the file kept";

  fw::seams::ResetDialogs();
  w->ModifDateTxtFld().SetText("28/03/2021");
  w->ModifTimeTxtFld().SetText("02:30:00");
  w->AllModifDateBvlBtn().Push();
  Settle();
  ASSERT_EQ(fw::seams::ShownDialogs().size(), 1u) << Messages().join("\n").toStdString();
  EXPECT_EQ(fw::seams::ShownDialogs()[0].Message, QStringLiteral("0 fichier sur 2 modifié ; 2 n'ont pas pu l'être."));
  EXPECT_EQ(MTime(a).tv_sec, beforeA.tv_sec);
  EXPECT_EQ(MTime(b).tv_sec, beforeB.tv_sec);
}

}  // namespace
