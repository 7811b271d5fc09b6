#include <sys/statfs.h>

#include "EditingFixture.h"
#include "framework/Errors.h"
#include "framework/System.h"
#include "support/ReadOnlyFolder.h"

namespace {

TEST_F(EditingTest, TabRunsRoundTheSixFieldsAndWritesNothingWhenNothingChanged) {
  QByteArray path = Drop("photo.png");
  Select(0);
  ASSERT_TRUE(w->VisibleChkBx().Value());
  timespec before = MTime(path);
  fw::seams::ResetFileWriteCalls();

  w->FileNameTxtFld().SetFocus();
  fw::RectControl* cycle[] = {&w->FilExtTxtFld(),    &w->CreationDateTxtFld(), &w->CreationTimeTxtFld(),
                              &w->ModifDateTxtFld(), &w->ModifTimeTxtFld(),    &w->FileNameTxtFld()};
  for (fw::RectControl* next : cycle) {
    Tab();
    EXPECT_TRUE(next->Widget()->hasFocus()) << next->Name.toStdString();
  }
  Settle();
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_TRUE(Dialogs().empty());
  EXPECT_EQ(ReadAll(path), kContent);
  EXPECT_TRUE(SameTime(MTime(path), before));
  EXPECT_EQ(Row(0), "photo.png");
  EXPECT_EQ(File(0)->Name(), "photo.png");
}

TEST_F(EditingTest, LeavingTheNameOrExtensionFieldRenamesTheFileAsTyped) {
  const struct {
    const char* what;
    bool untick;
    const char* name;  // nullptr: the field is left as filled
    const char* ext;
    const char* file;
    const char* row;
  } cases[] = {
      {"extension without a dot", false, nullptr, "jpg", "photojpg", "photojpg"},
      {"the same, box unticked", true, nullptr, "jpg", "photojpg", "photo"},
      {"empty extension", false, nullptr, "", "photo", "photo"},
      {"new base name", false, "vacances d'été", nullptr, "vacances d'été.png", "vacances d'été.png"},
      {"new base name, box unticked", true, "plage", nullptr, "plage.png", "plage"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempFolder folder;
    w->FileLstBx().DeleteAllRows();
    Drop(folder, "photo.png");
    Select(0);
    if (c.untick) ClickBox();
    if (c.name) Retype(w->FileNameTxtFld(), QString::fromUtf8(c.name));
    if (c.ext) Retype(w->FilExtTxtFld(), QString::fromUtf8(c.ext));
    Tab();
    Settle();
    QByteArray now = folder.Path() + '/' + QByteArray(c.file);
    EXPECT_TRUE(Exists(now));
    EXPECT_FALSE(Exists(folder.Path() + "/photo.png"));
    EXPECT_EQ(ReadAll(now), kContent);
    EXPECT_EQ(File(0)->NativePath(), now) << "the row's file and the edited file are one";
    EXPECT_EQ(w->EditedFolderItem, File(0));
    EXPECT_EQ(Row(0), QString::fromUtf8(c.row));
    EXPECT_TRUE(Dialogs().empty());
  }
}

TEST_F(EditingTest, ARenameThatCannotBeDoneIsReportedAndTheFileKeepsItsName) {
  const struct {
    const char* what;
    const char* name;
    const char* ext;
    QString reason;
    bool systemCall;  // the system was asked and refused
  } cases[] = {
      {"name taken", "taken", nullptr, "Un fichier porte déjà ce nom", true},
      {"slash", "a/b", nullptr, "Le nom ne peut pas contenir « / »", false},
      {"empty", "", "", "Le nom ne peut pas être vide", false},
      {"dot", ".", "", "« . » et « .. » ne peuvent pas servir de nom", false},
      {"dot dot", ".", ".", "« . » et « .. » ne peuvent pas servir de nom", false},
      {"too long",
       "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
       "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
       "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
       nullptr, "Nom de fichier trop long", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempFolder folder;
    w->FileLstBx().DeleteAllRows();
    fw::seams::ResetDialogs();
    QByteArray path = Drop(folder, "photo.png");
    QByteArray other = folder.MakeFile("taken.png", "another file\n");
    ::mkdir((folder.Path() + "/a").constData(), 0755);
    Select(0);
    // Set from code: leaving a field typed in first would already rename the file.
    w->FileLstBx().SetFocus();
    if (c.ext) w->FilExtTxtFld().SetText(QString::fromUtf8(c.ext));
    Retype(w->FileNameTxtFld(), QString::fromUtf8(c.name));
    fw::seams::ResetFileWriteCalls();
    Tab();
    EXPECT_EQ(fw::seams::FileWriteCalls() > 0, c.systemCall);
    Settle();

    EXPECT_EQ(ReadAll(path), kContent);
    EXPECT_EQ(ReadAll(other), "another file\n");
    EXPECT_FALSE(Exists(folder.Path() + "/a/b.png"));
    EXPECT_EQ(File(0)->NativePath(), path);
    // The row and the fields show the name the file kept.
    EXPECT_EQ(Row(0), "photo.png");
    EXPECT_EQ(w->FileNameTxtFld().Text(), "photo");
    EXPECT_EQ(w->FilExtTxtFld().Text(), ".png");
    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0].Title, "Modification impossible");
    EXPECT_EQ(Dialogs()[0].Message, QStringLiteral("Le fichier « photo.png » n'a pas pu être modifié (nom)."));
    EXPECT_EQ(Dialogs()[0].Explanation, c.reason);
    EXPECT_EQ(Dialogs()[0].Buttons, QStringList{"Continuer"});
    EXPECT_TRUE(Dialogs()[0].WindowModal);
  }
}

TEST_F(EditingTest, ARenameInAReadOnlyFolderIsReported) {
  QByteArray path = Drop("photo.png");
  Select(0);
  Retype(w->FileNameTxtFld(), "nouveau");
  testsupport::ReadOnlyFolder locked(dir.Path());
  if (!locked.Holds()) GTEST_SKIP() << testsupport::ReadOnlyFolder::WhyNot().toStdString();
  Tab();
  Settle();
  EXPECT_TRUE(Exists(path));
  EXPECT_FALSE(Exists(In("nouveau.png")));
  EXPECT_EQ(Row(0), "photo.png");
  EXPECT_EQ(w->FileNameTxtFld().Text(), "photo");
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_TRUE(Dialogs()[0].Explanation == fw::FrenchReason(EACCES) ||
              Dialogs()[0].Explanation == fw::FrenchReason(EPERM))
      << Dialogs()[0].Explanation.toStdString();
}

TEST_F(EditingTest, AFileGoneSinceItsDropIsReportedForEachChangedProperty) {
  QByteArray path = Drop("photo.png");
  Select(0);
  ::unlink(path.constData());
  Retype(w->FileNameTxtFld(), "nouveau");
  Retype(w->ModifDateTxtFld(), "12/05/2011");
  ClickRow(0);
  ClickBox();
  Settle();
  EXPECT_FALSE(Exists(In("nouveau.png")));
  EXPECT_TRUE(w->VisibleChkBx().Value()) << "the box shows the state the file kept";
  EXPECT_EQ(Row(0), "photo.png");
  ASSERT_EQ(Dialogs().size(), 3u);
  EXPECT_EQ(Dialogs()[0].Message, QStringLiteral("Le fichier « photo.png » n'a pas pu être modifié (nom)."));
  EXPECT_EQ(Dialogs()[1].Message,
            QStringLiteral("Le fichier « photo.png » n'a pas pu être modifié (date de modification)."));
  EXPECT_EQ(Dialogs()[2].Message,
            QStringLiteral("Le fichier « photo.png » n'a pas pu être modifié (extension visible)."));
  for (const auto& d : Dialogs()) EXPECT_EQ(d.Explanation, "Fichier introuvable");
  // The date the file holds is none: the pair shows none.
  EXPECT_EQ(w->ModifDateTxtFld().Text(), "");
  EXPECT_EQ(w->ModifTimeTxtFld().Text(), "");
}

TEST_F(EditingTest, UnchangedFieldsLeaveANameThatIsNotUtf8AsItIs) {
  const QByteArray name("caf\xe9 \xff.png");
  QByteArray path = Drop(name);
  Select(0);
  fw::seams::ResetFileWriteCalls();
  w->FileNameTxtFld().SetFocus();
  Tab();
  Tab();
  Settle();
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_EQ(File(0)->NameBytes(), name);
  EXPECT_EQ(ReadAll(path), kContent);
  EXPECT_TRUE(Dialogs().empty());
  // The temporary folder's clean-up cannot remove names that are not UTF-8.
  ::unlink(path.constData());
}

TEST_F(EditingTest, ChangingOnePartOfANameThatIsNotUtf8KeepsTheOtherPartsBytes) {
  struct Case {
    QByteArray name;
    bool extensionField;
    const char* typed;
    QByteArray renamed;
  };
  const Case cases[] = {
      {"caf\xe9 \xff.png", true, ".jpg", "caf\xe9 \xff.jpg"},
      {"photo.\xe9t\xe9.png", false, "image", "image.\xe9t\xe9.png"},
  };
  for (const Case& c : cases) {
    QByteArray path = Drop(c.name);
    Select(w->FileLstBx().ListCount() - 1);
    Retype(c.extensionField ? static_cast<fw::TextField&>(w->FilExtTxtFld()) : w->FileNameTxtFld(), c.typed);
    Tab();
    Settle();
    EXPECT_EQ(File(w->FileLstBx().ListIndex())->NameBytes(), c.renamed) << c.typed;
    EXPECT_EQ(ReadAll(In(c.renamed)), kContent) << c.typed;
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(Dialogs().empty());
    // The temporary folder's clean-up cannot remove names that are not UTF-8.
    ::unlink(In(c.renamed).constData());
  }
}

TEST_F(EditingTest, LeavingAFieldByClickingAnotherRowWritesToTheFileThatWasEdited) {
  QByteArray first = Drop("premier.png");
  QByteArray second = Drop("second.jpg");
  Select(0);

  Retype(w->FileNameTxtFld(), "renommé");
  ClickRow(1);
  Settle();
  EXPECT_EQ(w->FileLstBx().ListIndex(), 1);
  EXPECT_TRUE(Exists(In(QStringLiteral("renommé.png").toUtf8())));
  EXPECT_FALSE(Exists(first));
  EXPECT_TRUE(Exists(second)) << "the clicked row's file keeps its name";
  EXPECT_EQ(Row(0), QStringLiteral("renommé.png"));
  EXPECT_EQ(Row(1), "second.jpg");
  EXPECT_EQ(w->EditedFolderItem, File(1));
  EXPECT_EQ(w->FileNameTxtFld().Text(), "second");

  // A date typed for the second file goes to it, not to the first one clicked next.
  Retype(w->ModifDateTxtFld(), "24/12/2015");
  ClickRow(0);
  Settle();
  EXPECT_EQ(Shown(second), "24/12/2015 08:00:00");
  EXPECT_EQ(Shown(In(QStringLiteral("renommé.png").toUtf8())), "01/01/2001 08:00:00");
  EXPECT_TRUE(Dialogs().empty());
}

TEST_F(EditingTest, TheBoxSetsTheExtensionVisibilityOfTheSelectedFileOnly) {
  QByteArray path = Drop("photo.png");
  // No row selected: the box changes state, no file is touched.
  fw::seams::ResetFileWriteCalls();
  bool was = w->VisibleChkBx().Value();
  ClickBox();
  EXPECT_EQ(w->VisibleChkBx().Value(), !was);
  ClickBox();
  EXPECT_EQ(w->VisibleChkBx().Value(), was);
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);

  Select(0);
  ClickBox();
  EXPECT_FALSE(File(0)->ExtensionVisible());
  EXPECT_EQ(Row(0), "photo");
  ClickBox();
  EXPECT_TRUE(File(0)->ExtensionVisible());
  EXPECT_EQ(Row(0), "photo.png");
  EXPECT_EQ(ReadAll(path), kContent);
  Settle();
  EXPECT_TRUE(Dialogs().empty());
}

TEST_F(EditingTest, ADateTypedOtherwiseButEqualToTheFilesOwnWritesNothing) {
  // 01/01/01 is the file's own 01/01/2001: a file that cannot be written is not reported for it.
  QByteArray path = Drop("photo.png");
  Select(0);
  fw::seams::ResetFileWriteCalls();
  Retype(w->ModifDateTxtFld(), "01/01/01");
  ClickRow(0);
  Settle();
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_EQ(Shown(path), "01/01/2001 08:00:00");
  EXPECT_TRUE(Dialogs().empty());
}

TEST_F(EditingTest, ADateOrTimeLeftChangedIsWrittenWithTheOtherFieldOfItsPair) {
  // The date field's own check rewrites 12/05/11 on Tab; a click leaves the text as typed, and a
  // year of one or two digits is read as the check would read it. A longer year is written as
  // typed: only the check shows its rewrite to 2100. Then only a time the time field accepts.
  const struct {
    const char* what;
    bool dateField;  // the field typed in; the other one holds its text from code
    const char* date;
    const char* time;
    bool byTab;
    const char* written;  // nullptr: the file keeps its date
  } cases[] = {
      {"date, by Tab", true, "24/12/2015", "10:15:00", true, "24/12/2015 10:15:00"},
      {"time, by Tab", false, "01/01/2001", "11:15:00", true, "01/01/2001 11:15:00"},
      {"two-digit year", true, "12/05/11", "14:05:09", false, "12/05/2011 14:05:09"},
      {"one-digit year", true, "12/05/9", "14:05:09", false, "12/05/2009 14:05:09"},
      {"year before 2000, as typed", true, "15/08/1985", "14:05:09", false, "15/08/1985 14:05:09"},
      {"short time parts", false, "12/05/2011", "9:5:30", false, "12/05/2011 09:05:30"},
      {"one colon", false, "12/05/2011", "10:30", false, nullptr},
      {"hour out of range", false, "12/05/2011", "24:00:00", false, nullptr},
      {"not a date", true, "31/02/2011", "10:15:00", false, nullptr},
      {"empty date", true, "", "10:15:00", false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempFolder folder;
    w->FileLstBx().DeleteAllRows();
    fw::seams::ResetDialogs();
    fw::seams::ResetBeeps();
    QByteArray path = Drop(folder, "photo.png");
    Select(0);
    timespec before = MTime(path);
    fw::TextField& typed = c.dateField ? static_cast<fw::TextField&>(w->ModifDateTxtFld()) : w->ModifTimeTxtFld();
    fw::TextField& other = c.dateField ? static_cast<fw::TextField&>(w->ModifTimeTxtFld()) : w->ModifDateTxtFld();
    other.SetText(QString::fromUtf8(c.dateField ? c.time : c.date));
    Retype(typed, QString::fromUtf8(c.dateField ? c.date : c.time));
    if (c.byTab) Tab();
    else ClickRow(0);
    Settle();
    if (c.written) {
      EXPECT_EQ(Shown(path), c.written);
    } else {
      EXPECT_TRUE(SameTime(MTime(path), before));
    }
    EXPECT_TRUE(Dialogs().empty()) << "a text that is not a date or a time is not reported";
    EXPECT_EQ(fw::seams::BeepCount(), 0);
    EXPECT_EQ(ReadAll(path), kContent);
    EXPECT_EQ(typed.Text(), QString::fromUtf8(c.dateField ? c.date : c.time)) << "the field keeps its text";
  }
}

TEST_F(EditingTest, TheCreationDateCannotBeSetOnLinuxAndTheFailureIsReported) {
  QByteArray path = Drop("photo.png");
  Select(0);
  std::optional<fw::Date> born = File(0)->CreationDate();
  if (!born) GTEST_SKIP() << "this file system records no birth time";
  timespec modified = MTime(path);
  Retype(w->CreationTimeTxtFld(), "11:15:00");
  Tab();
  EXPECT_TRUE(w->ModifDateTxtFld().Widget()->hasFocus());
  Settle();
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].Message,
            QStringLiteral("Le fichier « photo.png » n'a pas pu être modifié (date de création)."));
  EXPECT_EQ(Dialogs()[0].Explanation,
            QStringLiteral("Linux ne permet pas de modifier la date de création d'un fichier"));
  // The pair shows the date the file kept; no other date moved.
  EXPECT_EQ(w->CreationDateTxtFld().Text(), born->ShortDate());
  EXPECT_EQ(w->CreationTimeTxtFld().Text(), born->LongTime());
  EXPECT_TRUE(*File(0)->CreationDate() == *born);
  EXPECT_TRUE(SameTime(MTime(path), modified));
}

TEST_F(EditingTest, ADateTheFileSystemCannotHoldIsReportedAndNotWritten) {
  struct statfs fs {};
  ::statfs(dir.Path().constData(), &fs);
  if (fs.f_type != 0xEF53) GTEST_SKIP() << "only ext4 is known to refuse the year 100";
  QByteArray path = Drop("photo.png");
  Select(0);
  timespec before = MTime(path);
  Retype(w->ModifDateTxtFld(), "01/03/100");
  ClickRow(0);
  Settle();
  EXPECT_TRUE(SameTime(MTime(path), before));
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].Explanation, "Date non prise en charge par le système de fichiers");
  EXPECT_EQ(w->ModifDateTxtFld().Text(), "01/01/2001");
  EXPECT_EQ(w->ModifTimeTxtFld().Text(), "08:00:00");
}

TEST_F(EditingTest, FieldsLeftWithNoRowSelectedWriteNothing) {
  QByteArray path = Drop("photo.png");
  Select(0);
  Select(-1);
  EXPECT_EQ(w->FileNameTxtFld().Text(), "");
  fw::seams::ResetFileWriteCalls();
  Retype(w->FileNameTxtFld(), "autre");
  Retype(w->FilExtTxtFld(), ".txt");
  Retype(w->CreationDateTxtFld(), "12/05/2011");
  Retype(w->CreationTimeTxtFld(), "10:15:00");
  Retype(w->ModifDateTxtFld(), "12/05/2011");
  Retype(w->ModifTimeTxtFld(), "10:15:00");
  w->FileNameTxtFld().SetFocus();
  Settle();
  EXPECT_EQ(fw::seams::FileWriteCalls(), 0);
  EXPECT_TRUE(Exists(path));
  EXPECT_EQ(Shown(path), "01/01/2001 08:00:00");
  EXPECT_TRUE(Dialogs().empty());
}

TEST_F(EditingTest, AReportDueWhenTheWindowClosesIsDropped) {
  QByteArray path = Drop("photo.png");
  Select(0);
  ::unlink(path.constData());
  Retype(w->FileNameTxtFld(), "nouveau");
  w->FileLstBx().SetFocus();
  w->Close();
  fw::DestroyClosedWindows();
  QTest::qWait(20);  // the report's turn comes with no window left to show it in
  EXPECT_TRUE(Dialogs().empty());
  w = &MainWindow::Instance();
}

}  // namespace
