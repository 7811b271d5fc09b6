#include <gtest/gtest.h>

#include <QMainWindow>
#include <QWidget>

#include "app/MainMenuBar.h"
#include "framework/MessageDialog.h"
#include "framework/Trace.h"
#include "mainwindow/MainWindow.h"
#include "support/AppFixture.h"

class MainWindowTestAccess {
 public:
  static bool InfoDialog(MainWindow& w, const fw::String& title, const fw::String& message,
                         const fw::String& explanation, bool isDelete) {
    return w.InfoDialog(title, message, explanation, isDelete);
  }
};

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureApplication();
    fw::seams::ResetDialogs();
  }
  void TearDown() override {
    fw::seams::StopTrace();
    fw::seams::ResetDialogs();
    if (auto* w = fw::GetImplicitWindow("MainWindow.MainWindow")) w->Close();
    fw::DestroyClosedWindows();
  }
};

TEST_F(MainWindowTest, ThereIsOneWindowOpenedOnceUntilItCloses) {
  fw::seams::StartTrace();
  MainWindow& w = MainWindow::Instance();
  EXPECT_EQ(&MainWindow::Instance(), &w);
  EXPECT_EQ(fw::seams::TraceLog().count("Window.Open MainWindow.MainWindow"), 1);
  EXPECT_EQ(fw::WindowCount(), 1);
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.Title(), QStringLiteral("Modification des propriétés des fichiers"));
  EXPECT_EQ(w.ContentWidget()->size(), QSize(600, 570));
  EXPECT_EQ(w.NativeWindow()->minimumSize(), w.NativeWindow()->maximumSize()) << "fixed size";
  EXPECT_EQ(w.GetMenuBar(), MainMenuBar::Instance());
  EXPECT_NE(w.NativeMenuBar(), nullptr);
  EXPECT_EQ(w.FrameAutosaveName(), "Quorvenidane");
  EXPECT_EQ(w.EditedFolderItem, nullptr);

  w.Close();
  EXPECT_EQ(fw::GetImplicitWindow("MainWindow.MainWindow"), nullptr);
  fw::DestroyClosedWindows();
  MainWindow& again = MainWindow::Instance();
  EXPECT_TRUE(again.IsOpen());
  EXPECT_EQ(fw::seams::TraceLog().count("Window.Open MainWindow.MainWindow"), 2) << "a new window after a close";
}

TEST_F(MainWindowTest, MenuItemAccessorsFindTheirItemsAndNeedAMenuBar) {
  MainWindow& w = MainWindow::Instance();
  const std::pair<const char*, fw::MenuItemPtr (MainWindow::*)()> accessors[] = {
      {"EditMenu", &MainWindow::EditMenu},
      {"EditSelectAll", &MainWindow::EditSelectAll},
      {"EditSeparator2", &MainWindow::EditSeparator2},
      {"EditClear", &MainWindow::EditClear},
      {"EditPaste", &MainWindow::EditPaste},
      {"EditCopy", &MainWindow::EditCopy},
      {"EditCut", &MainWindow::EditCut},
      {"EditSeparator1", &MainWindow::EditSeparator1},
      {"EditUndo", &MainWindow::EditUndo},
      {"FileMenu", &MainWindow::FileMenu},
  };
  for (const auto& [name, accessor] : accessors) {
    fw::MenuItemPtr item = (w.*accessor)();
    ASSERT_NE(item, nullptr) << name;
    EXPECT_EQ(item->Name, name);
  }
  ASSERT_NE(w.FileQuit(), nullptr);
  EXPECT_EQ(w.FileQuit()->Text, "&Quit");

  w.SetMenuBar(nullptr);
  EXPECT_THROW(w.EditMenu(), fw::NilObjectException);
  EXPECT_THROW(w.FileQuit(), fw::NilObjectException);
}

TEST_F(MainWindowTest, InfoDialogConfirmsADeletionOrReportsAResult) {
  MainWindow& w = MainWindow::Instance();
  const struct {
    bool isDelete;
    const char* answer;
    bool result;
    int icon;
    QStringList buttons;
  } cases[] = {
      {true, "Supprimer", true, 1, {"Supprimer", "Annuler"}},
      {true, "Annuler", false, 1, {"Supprimer", "Annuler"}},
      {true, "(none)", false, 1, {"Supprimer", "Annuler"}},
      {false, "Continuer", false, 0, {"Continuer"}},
  };
  for (const auto& c : cases) {
    fw::seams::ResetDialogs();
    fw::seams::AnswerNextDialog(c.answer);
    bool got = MainWindowTestAccess::InfoDialog(w, QStringLiteral("Titre « é »"), "3 fichier(s) modifié(s).",
                                                QStringLiteral("Détails ici"), c.isDelete);
    EXPECT_EQ(got, c.result) << c.answer;
    ASSERT_EQ(fw::seams::ShownDialogs().size(), 1u);
    const auto& shown = fw::seams::ShownDialogs()[0];
    EXPECT_EQ(shown.Title, QStringLiteral("Titre « é »"));
    EXPECT_EQ(shown.Message, QStringLiteral("3 fichier(s) modifié(s)."));
    EXPECT_EQ(shown.Explanation, QStringLiteral("Détails ici"));
    EXPECT_EQ(shown.Icon, c.icon);
    EXPECT_EQ(shown.Buttons, c.buttons);
    EXPECT_TRUE(shown.WindowModal);
  }
}

TEST_F(MainWindowTest, DestroyingTheWindowReleasesTheEditedFile) {
  MainWindow& w = MainWindow::Instance();
  auto file = fw::FolderItem::FromPath("/tmp/some-file.txt");
  std::weak_ptr<fw::FolderItem> watch = file;
  w.EditedFolderItem = std::move(file);
  w.Close();
  EXPECT_FALSE(watch.expired()) << "kept until the window is destroyed";
  fw::DestroyClosedWindows();
  EXPECT_TRUE(watch.expired());
}

}  // namespace
