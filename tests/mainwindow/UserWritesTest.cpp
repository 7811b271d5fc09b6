// A file is written only for what the user changed, with what the user typed, and the reports
// say what the files now hold.
#include <sys/stat.h>
#include <time.h>

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

#include "EditingFixture.h"
#include "framework/Application.h"
#include "framework/Runtime.h"
#include "support/ReadOnlyFolder.h"

namespace {

// The file's modification time as the C library writes it, with no help from the program.
QString DiskTime(const QByteArray& path) {
  struct stat st {};
  if (::stat(path.constData(), &st) != 0) return QStringLiteral("(none)");
  struct tm t {};
  localtime_r(&st.st_mtim.tv_sec, &t);
  char buf[32];
  strftime(buf, sizeof buf, "%d/%m/%Y %H:%M:%S", &t);
  return QString::fromLatin1(buf);
}

int ModeOf(const QByteArray& path) {
  struct stat st {};
  ::stat(path.constData(), &st);
  return int(st.st_mode & 07777);
}

// Made immutable for one test; the flag goes when the test ends, so the folder can be removed.
class Immutable {
 public:
  explicit Immutable(QByteArray path) : path_(std::move(path)), on_(testsupport::SetImmutable(path_, true)) {}
  ~Immutable() {
    if (on_) testsupport::SetImmutable(path_, false);
  }
  bool Holds() const { return on_; }

 private:
  QByteArray path_;
  bool on_;
};

class UserWritesTest : public EditingTest {
 protected:
  // Mouse press and release on a "Tous" button, with the event loop turning in between as it
  // does while a real finger is on the button.
  void PressAndRelease(fw::BevelButton& b) {
    QToolButton* q = b.QtButton();
    QTest::mousePress(q, Qt::LeftButton, {}, q->rect().center());
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    QTest::qWait(30);
    QTest::mouseRelease(q, Qt::LeftButton, {}, q->rect().center());
  }
  static QAction* QuitAction(fw::Window& win) {
    for (QAction* m : win.NativeMenuBar()->actions())
      for (QAction* a : m->menu()->actions())
        if (a->text() == QLatin1String("&Quit")) return a;
    return nullptr;
  }
};

TEST_F(UserWritesTest, TousAfterARefusedWriteOfTheSelectedFileAppliesWhatWasTyped) {
  for (bool realTiming : {false, true}) {
    SCOPED_TRACE(realTiming ? "press, events, release" : "one click");
    testsupport::TempFolder folder;
    w->FileLstBx().DeleteAllRows();
    fw::seams::ResetDialogs();
    QByteArray locked = Drop(folder, "locked.txt");
    QByteArray b = Drop(folder, "b.txt");
    QByteArray c = Drop(folder, "c.txt");
    Immutable lock(locked);
    if (!lock.Holds()) GTEST_SKIP() << "the immutable flag cannot be set here";
    Select(0);
    Retype(w->ModifDateTxtFld(), "24/12/2015");
    if (realTiming) PressAndRelease(w->AllModifDateBvlBtn());
    else Click(w->AllModifDateBvlBtn());
    Settle();

    EXPECT_EQ(DiskTime(locked), "01/01/2001 08:00:00");
    EXPECT_EQ(DiskTime(b), "24/12/2015 08:00:00") << "the typed date, not the one the locked file kept";
    EXPECT_EQ(DiskTime(c), "24/12/2015 08:00:00");
    // One report, the action's, with the selected file among its failures.
    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0].Title, "Changement de la date de modification");
    EXPECT_EQ(Dialogs()[0].Message, QStringLiteral("2 fichiers sur 3 modifiés ; 1 n'a pas pu l'être."));
    EXPECT_TRUE(Dialogs()[0].Explanation.startsWith(
        QStringLiteral("Les fichiers modifiés ont maintenant la date et l'heure suivante - Date : 24/12/2015 - "
                       "Heure : 08:00:00\n« locked.txt » : ")))
        << Dialogs()[0].Explanation.toStdString();
    EXPECT_EQ(Dialogs()[0].Icon, 1) << "a failure carries the warning icon";
    // The selected file kept its date, and its fields say so.
    EXPECT_EQ(w->ModifDateTxtFld().Text(), "01/01/2001");
  }
}

TEST_F(UserWritesTest, WhatIsWrittenIsTheDateTheUserSawAndTheReportQuotesTheDisk) {
  const struct {
    const char* typed;
    bool byTous;
    const char* disk;
  } cases[] = {
      {"15/08/1985", false, "15/08/1985 10:00:00"},
      {"15/08/1985", true, "15/08/1985 10:00:00"},
      {"12/05/11", false, "12/05/2011 10:00:00"},
      {"12/05/11", true, "12/05/2011 10:00:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + (c.byTous ? " by Tous" : " left by the mouse"));
    testsupport::TempFolder folder;
    w->FileLstBx().DeleteAllRows();
    fw::seams::ResetDialogs();
    QByteArray a = Drop(folder, "a.txt");
    QByteArray b = Drop(folder, "b.txt");
    Select(0);
    w->ModifTimeTxtFld().SetText("10:00:00");
    Retype(w->ModifDateTxtFld(), QString::fromLatin1(c.typed));
    if (c.byTous) Click(w->AllModifDateBvlBtn());
    else ClickRow(1);
    Settle();
    EXPECT_EQ(DiskTime(a), c.disk);
    if (!c.byTous) {
      EXPECT_TRUE(Dialogs().empty());
      continue;
    }
    EXPECT_EQ(DiskTime(b), c.disk);
    ASSERT_EQ(Dialogs().size(), 1u);
    const QString quoted = Dialogs()[0].Explanation.section(QStringLiteral("Date : "), 1);
    EXPECT_EQ(quoted.section(QStringLiteral(" - Heure : "), 0, 0) + QLatin1Char(' ') +
                  quoted.section(QStringLiteral(" - Heure : "), 1),
              DiskTime(b));
  }
}

TEST_F(UserWritesTest, PassingThroughTheFieldsUndoesNoChangeMadeByAnotherProgram) {
  QByteArray path = Drop("photo.png");
  ::chmod(path.constData(), 0644);
  Select(0);
  // Another program, after the display.
  const fw::Date other = fw::Date::FromFields(2020, 2, 2, 20, 20, 20);
  SetMTime(path, other);
  ::chmod(path.constData(), 0600);
  const timespec changed = MTime(path);
  fw::seams::ResetFileWriteCalls();

  QLineEdit* e = w->CreationDateTxtFld().LineEdit();
  QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(3, e->height() / 2));
  for (int i = 0; i < 6; ++i) Tab();  // every field once, round to the creation date again
  ClickRow(0);
  fw::seams::AdvanceClock(300);  // past the permission timer
  Settle();
  EXPECT_TRUE(SameTime(MTime(path), changed));
  EXPECT_EQ(ModeOf(path), 0600);
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_TRUE(Dialogs().empty());

  // Shown anew, an edit writes, with the other field of its pair as shown.
  Select(-1);
  Select(0);
  Retype(w->ModifTimeTxtFld(), "09:30:00");
  ClickRow(0);
  Settle();
  EXPECT_EQ(DiskTime(path), "02/02/2020 09:30:00");
}

TEST_F(UserWritesTest, ClosingWritesTheEditOfTheFocusedField) {
  enum How { kClose, kQuit, kCloseRequest };
  for (How how : {kClose, kQuit, kCloseRequest}) {
    for (bool refused : {false, true}) {
      SCOPED_TRACE(std::string(how == kClose  ? "window closed"
                               : how == kQuit ? "File > Quit"
                                              : "close request") +
                   (refused ? ", the file refuses" : ""));
      fw::seams::ResetDialogs();
      QByteArray path = Drop(QByteArray("f") + char('0' + 2 * int(how) + int(refused)) + ".txt");
      std::optional<Immutable> lock;
      if (refused) {
        lock.emplace(path);
        if (!lock->Holds()) continue;
      }
      Select(int(files.size()) - 1);
      Retype(w->ModifTimeTxtFld(), "11:15:00");
      ASSERT_TRUE(w->ModifTimeTxtFld().HasFocus());

      std::shared_ptr<fw::Application> kept;
      if (how == kClose) {
        w->Close();
      } else if (how == kQuit) {
        // A fresh application object quits, so the one the other tests share stays as it is.
        kept = fw::GetAppObject();
        fw::RuntimeRegisterAppObject(std::make_shared<fw::Application>());
        QAction* quit = QuitAction(*w);
        ASSERT_NE(quit, nullptr);
        quit->trigger();
      } else {
        // As the window manager asks: through the platform window, a spontaneous close event.
        ASSERT_TRUE(w->NativeWindow()->windowHandle()->close());
      }
      EXPECT_FALSE(w->IsOpen());
      if (refused) {
        EXPECT_EQ(DiskTime(path), "01/01/2001 08:00:00");
        ASSERT_EQ(Dialogs().size(), 1u);
        EXPECT_EQ(Dialogs()[0].Title, "Modification impossible");
        EXPECT_EQ(Dialogs()[0].Message,
                  QStringLiteral("Le fichier « %1 » n'a pas pu être modifié (date de modification).")
                      .arg(QString::fromLatin1(path.mid(path.lastIndexOf('/') + 1))));
        EXPECT_EQ(Dialogs()[0].Icon, 1);
      } else {
        EXPECT_EQ(DiskTime(path), "01/01/2001 11:15:00");
        EXPECT_TRUE(Dialogs().empty());
      }
      if (kept) fw::RuntimeRegisterAppObject(kept);
      lock.reset();
      fw::DestroyClosedWindows();
      files.clear();
      w = &MainWindow::Instance();
      ASSERT_TRUE(testsupport::ShowAndActivate(w->NativeWindow()));
    }
  }
}

TEST_F(UserWritesTest, TheExtensionActionCountsARenameThatWorkedWhenItsFinderInfoFails) {
  // A link is renamed itself; its Finder info is its target's, gone since the drop.
  QByteArray target = dir.MakeFile("cible.dat", "x");
  QByteArray link = In("a.jpg");
  ASSERT_EQ(::symlink("cible.dat", link.constData()), 0);
  files.push_back(fw::FolderItem::FromNativePath(link));
  ASSERT_TRUE(w->FileLstBx().DropFiles({files.back()}));
  Drop("b.png");
  ::unlink(target.constData());
  Select(1);
  Retype(w->FilExtTxtFld(), ".txt");
  Click(w->AllExtBvlBtn());
  Settle();
  EXPECT_TRUE(Exists(In("a.txt")));
  EXPECT_FALSE(Exists(link));
  EXPECT_TRUE(Exists(In("b.txt")));
  EXPECT_EQ(Row(0), "a.txt");
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].Message,
            QStringLiteral("2 fichiers sur 2 renommés ; l'extension visible de 1 n'a pas pu être changée."));
  EXPECT_TRUE(Dialogs()[0].Explanation.startsWith(
      QStringLiteral("« a.txt » : renommé, mais son extension visible n'a pas pu être changée : ")))
      << Dialogs()[0].Explanation.toStdString();
  EXPECT_EQ(Dialogs()[0].Icon, 1);
}

TEST_F(UserWritesTest, WhereNoCreationDateIsRecordedTheCreationActionSaysSo) {
  // /proc records no birth time; a link's dates are those of the file it names.
  QByteArray link = In("version.txt");
  ASSERT_EQ(::symlink("/proc/version", link.constData()), 0);
  files.push_back(fw::FolderItem::FromNativePath(link));
  ASSERT_TRUE(w->FileLstBx().DropFiles({files.back()}));
  Select(0);
  if (File(0)->CreationDate()) GTEST_SKIP() << "/proc records a birth time here";
  EXPECT_EQ(w->CreationDateTxtFld().Text(), "");
  for (const char* typed : {"12/05/2011", ""}) {
    SCOPED_TRACE(typed);
    fw::seams::ResetDialogs();
    w->CreationDateTxtFld().SetText(QString::fromLatin1(typed));
    w->CreationTimeTxtFld().SetText("10:15:00");
    Click(w->AllCreationDateBvlBtn());
    Settle();
    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0].Message, QStringLiteral("0 fichier sur 1 modifié ; 1 n'a pas pu l'être."));
    EXPECT_EQ(Dialogs()[0].Explanation,
              QStringLiteral("« version.txt » : le système de fichiers n'enregistre pas de date de création pour ce "
                             "fichier"));
  }
}

TEST_F(UserWritesTest, ANameRefusedJustBeforeTheExtensionActionIsStillReportedWhenTheActionRenamesTheFile) {
  Drop("a.png");
  Drop("b.png");
  dir.MakeFile("pris.txt", "in the way\n");
  Select(0);
  Retype(w->FilExtTxtFld(), ".txt");    // a.png becomes a.txt when the next click leaves the field
  Retype(w->FileNameTxtFld(), "pris");  // pris.txt is taken: refused when the click leaves the field
  Click(w->AllExtBvlBtn());
  Settle();
  EXPECT_TRUE(Exists(In("a.txt")));
  EXPECT_TRUE(Exists(In("b.txt")));
  EXPECT_EQ(ReadAll(In("pris.txt")), "in the way\n");
  // The action took its extension; the name typed went nowhere, and that is said.
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].Title, "Modification impossible");
  EXPECT_EQ(Dialogs()[0].Message, QStringLiteral("Le fichier « a.txt » n'a pas pu être modifié (nom)."));
  EXPECT_EQ(w->FileNameTxtFld().Text(), "a");
  EXPECT_EQ(w->FilExtTxtFld().Text(), ".txt");
}

}  // namespace

// A drop takes no focus but may select a listed row (a duplicate name): the edit in hand is
// written to the file it was typed for before the fields show the other file.
TEST_F(UserWritesTest, ADropThatSelectsAnotherRowFirstWritesTheEditInHand) {
  QByteArray a = Drop("photo.png");
  QByteArray b = Drop("notes.txt");
  Select(0);
  Retype(w->ModifDateTxtFld(), "24/12/2015");
  testsupport::TempFolder elsewhere;
  QByteArray twin = Drop(elsewhere, "notes.pdf");
  Settle();

  EXPECT_EQ(w->FileLstBx().ListCount(), 2) << "the twin is refused";
  EXPECT_EQ(w->FileLstBx().ListIndex(), 1);
  EXPECT_EQ(DiskTime(a), "24/12/2015 08:00:00");
  EXPECT_EQ(DiskTime(b), "01/01/2001 08:00:00");
  EXPECT_EQ(DiskTime(twin), "01/01/2001 08:00:00");
  EXPECT_EQ(w->ModifDateTxtFld().Text(), "01/01/2001") << "the fields show the row now selected";
  EXPECT_TRUE(Dialogs().empty());
}
