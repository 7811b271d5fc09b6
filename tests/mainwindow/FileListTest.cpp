// The file list with real files: drops from a file manager, the duplicate test, selection,
// row colours, reordering and the contextual menu.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <memory>

#include "framework/MessageDialog.h"
#include "framework/System.h"
#include "mainwindow/MainWindow.h"
#include "support/AppFixture.h"
#include "support/Support.h"

namespace {

const QString kBareTitle = QStringLiteral("Modification des propriétés des fichiers");

QString TitleWith(int rows) { return kBareTitle + QStringLiteral(" - %1 fichier(s)").arg(rows); }

// What a file is on disk: every property the window could change, and its bytes.
struct OnDisk {
  bool exists = false;
  qint64 mtimeNs = 0, birthNs = 0;
  mode_t mode = 0;
  QByteArray bytes, finderInfo;
  bool operator==(const OnDisk&) const = default;
};

OnDisk Read(const QByteArray& path) {
  OnDisk d;
  struct statx st {};
  if (statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW, STATX_ALL, &st) != 0) return d;
  d.exists = true;
  d.mtimeNs = qint64(st.stx_mtime.tv_sec) * 1000000000 + st.stx_mtime.tv_nsec;
  if (st.stx_mask & STATX_BTIME) d.birthNs = qint64(st.stx_btime.tv_sec) * 1000000000 + st.stx_btime.tv_nsec;
  d.mode = st.stx_mode;
  QFile f(QString::fromLocal8Bit(path));
  if (f.open(QIODevice::ReadOnly)) d.bytes = f.readAll();
  char info[64];
  ssize_t n = getxattr(path.constData(), "user.com.apple.FinderInfo", info, sizeof info);
  if (n > 0) d.finderInfo = QByteArray(info, int(n));
  return d;
}

class FileListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureApplication();
    fw::seams::ResetDialogs();
    fw::seams::ResetBeeps();
    fw::seams::ResetContextualMenu();
    w = &MainWindow::Instance();
    ASSERT_TRUE(testsupport::ShowAndActivate(w->NativeWindow()));
  }
  void TearDown() override {
    fw::seams::ResetDialogs();
    fw::seams::ResetContextualMenu();
    w->Close();
    fw::DestroyClosedWindows();
  }

  fw::Listbox& List() const { return w->FileLstBx(); }
  QWidget* Viewport() const { return List().Tree()->viewport(); }

  QByteArray Make(const QByteArray& name, const QByteArray& content = "content\n", int mode = 0644) const {
    return dir.MakeFile(name, content, mode);
  }

  // Drags the URLs over the list and drops them, as a file manager does; true when the list took it.
  // The action the list took is left in taken.
  bool DropUrls(const QList<QUrl>& urls, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction,
                Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::DropAction* taken = nullptr) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(40, 30);
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(Viewport(), &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(Viewport(), &move);
    bool offered = enter.isAccepted() && move.isAccepted();
    QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, mods);
    QApplication::sendEvent(Viewport(), &drop);
    EXPECT_EQ(offered, drop.isAccepted()) << "the drag is offered exactly when the drop is taken";
    if (taken) *taken = drop.dropAction();
    return drop.isAccepted();
  }
  bool Drop(const QList<QByteArray>& paths) {
    QList<QUrl> urls;
    for (const QByteArray& p : paths) urls << QUrl::fromLocalFile(QFile::decodeName(p));
    return DropUrls(urls);
  }

  QStringList Rows() const {
    QStringList t;
    for (int i = 0; i < List().ListCount(); ++i) t << List().List(i);
    return t;
  }
  fw::FolderItemPtr RowFile(int row) const {
    std::any tag = List().RowTag(row);
    auto* f = std::any_cast<fw::FolderItemPtr>(&tag);
    return f ? *f : nullptr;
  }
  QPoint RowCentre(int row) const { return List().Tree()->visualItemRect(List().Tree()->topLevelItem(row)).center(); }
  void ClickRow(int row) { QTest::mouseClick(Viewport(), Qt::LeftButton, {}, RowCentre(row)); }
  void ClickBelowRows() {
    QRect last = List().Tree()->visualItemRect(List().Tree()->topLevelItem(List().ListCount() - 1));
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, QPoint(40, last.bottom() + 25));
  }
  // A right-click on the list; the menu, if one is offered, is answered with that item.
  void RightClick(const QString& answer) {
    fw::seams::AnswerNextContextualMenu(answer);
    QPoint at(40, 5);
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, Viewport()->mapToGlobal(at));
    QApplication::sendEvent(Viewport(), &e);
  }

  // The seven fields, in the order a selection fills them, then the box and the panel's digits.
  QStringList Fields() const {
    return {w->FileNameTxtFld().Text(),     w->FilExtTxtFld().Text(),    w->CreationDateTxtFld().Text(),
            w->CreationTimeTxtFld().Text(), w->ModifDateTxtFld().Text(), w->ModifTimeTxtFld().Text(),
            w->MacCreatorTxtFld().Text()};
  }
  QStringList Digits() const {
    PermissionsCtrCtl& p = w->PermissionsCtrCtl1();
    return {p.UserPermTxtFld().Text(), p.GroupPermTxtFld().Text(), p.OthersPermTxtFld().Text()};
  }
  bool PanelBlank() const {
    PermissionsCtrCtl& p = w->PermissionsCtrCtl1();
    return Digits() == QStringList({"", "", ""}) && p.UserPermPupMnu().ListIndex() == -1 &&
           p.GroupPermPupMnu().ListIndex() == -1 && p.OthersPermPupMnu().ListIndex() == -1;
  }
  void ExpectBlank() const {
    EXPECT_EQ(Fields(), QStringList(7, QString()));
    EXPECT_FALSE(w->VisibleChkBx().Value());
    EXPECT_TRUE(PanelBlank());
  }

  testsupport::TempFolder dir;
  MainWindow* w = nullptr;
};

TEST_F(FileListTest, ADropFromTheFileManagerKeepsTheFiveTypesInDropOrder) {
  QDir(QFile::decodeName(dir.Path())).mkdir("folder.txt");
  QList<QUrl> urls;
  for (QByteArray name : {"notes.TXT", "archive.zip", "photo.jpeg", "logo.png", "archive.tar.gz", "anim.gif", "noext",
                          "doc.Pdf", "code.cpp", "pic.jfif"})
    urls << QUrl::fromLocalFile(QFile::decodeName(Make(name)));
  urls.insert(3, QUrl::fromLocalFile(QFile::decodeName(dir.Path() + "/folder.txt")));
  urls.insert(5, QUrl(QStringLiteral("https://files.example/remote.txt")));
  EXPECT_EQ(List().AcceptedFileTypes(), "text/plain;image/x-png;image/gif;image/jpeg;application/pdf;");
  EXPECT_TRUE(DropUrls(urls));
  EXPECT_EQ(Rows(),
            QStringList({"notes.TXT", "photo.jpeg", "logo.png", "anim.gif", "doc.Pdf", "code.cpp", "pic.jfif"}));
  EXPECT_EQ(w->Title(), TitleWith(7));
  EXPECT_EQ(fw::seams::BeepCount(), 0);
  EXPECT_EQ(List().ListIndex(), -1) << "a drop selects nothing of its own";
  for (int i = 0; i < List().ListCount(); ++i) {
    ASSERT_NE(RowFile(i), nullptr);
    EXPECT_EQ(RowFile(i)->Name(), List().List(i)) << "each row carries its file";
  }

  // A drop of only refused things is not even offered to the list.
  w->SetTitle("unchanged");
  EXPECT_FALSE(Drop({Make("a.zip"), Make("b.tar.gz"), dir.Path() + "/folder.txt"}));
  EXPECT_EQ(List().ListCount(), 7);
  EXPECT_EQ(w->Title(), "unchanged");
}

TEST_F(FileListTest, ADroppedNameThatIsNotUtf8StillNamesItsFile) {
  QByteArray latin1 = Make("caf\xe9 #1.txt", "x", 0640);  // Latin-1, as old disks have them
  QUrl url = QUrl::fromEncoded("file://" + latin1.toPercentEncoding("/"));
  QUrl remote = QUrl::fromEncoded("file://server.example" + Make("remote.txt").toPercentEncoding("/"));
  ASSERT_TRUE(DropUrls({url, remote}));
  ASSERT_EQ(List().ListCount(), 1) << "a file on another host is not ours to edit";
  EXPECT_EQ(RowFile(0)->NativePath(), latin1);
  ClickRow(0);
  EXPECT_FALSE(w->ModifDateTxtFld().Text().isEmpty()) << "the file itself was read";
  EXPECT_EQ(Digits(), QStringList({"6", "4", "0"}));
}

// A file manager deletes the originals of a drop that the target took as a move.
TEST_F(FileListTest, AFileDropIsNeverTakenAsAMove) {
  QByteArray a = Make("a.txt"), b = Make("b.txt"), c = Make("c.txt");
  const struct {
    QByteArray path;
    Qt::DropActions offered;
    Qt::KeyboardModifiers mods;  // Shift asks for a move
    bool taken;
    Qt::DropAction action;
  } cases[] = {
      {a, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::ShiftModifier, true, Qt::CopyAction},
      {b, Qt::MoveAction | Qt::LinkAction, Qt::NoModifier, true, Qt::LinkAction},
      {c, Qt::MoveAction, Qt::NoModifier, false, {}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.path.toStdString());
    Qt::DropAction taken = Qt::IgnoreAction;
    EXPECT_EQ(DropUrls({QUrl::fromLocalFile(QFile::decodeName(k.path))}, k.offered, k.mods, &taken), k.taken);
    if (k.taken) {
      EXPECT_EQ(taken, k.action);
    }
  }
  EXPECT_EQ(Rows(), QStringList({"a.txt", "b.txt"}));
}

TEST_F(FileListTest, AFileWhoseBaseNameIsListedIsRefusedWithABeepAndItsRowSelected) {
  QByteArray report = Make("report.txt", "rapport", 0640);
  ASSERT_TRUE(Drop({report}));
  EXPECT_EQ(w->Title(), TitleWith(1));
  w->SetTitle("before");
  ASSERT_TRUE(Drop({Make("report.pdf")}));
  EXPECT_EQ(fw::seams::BeepCount(), 1);
  EXPECT_EQ(Rows(), QStringList({"report.txt"}));
  EXPECT_EQ(List().ListIndex(), 0);
  EXPECT_EQ(w->Title(), TitleWith(1)) << "set again with the same count";
  EXPECT_EQ(w->FileNameTxtFld().Text(), "report");
  EXPECT_EQ(w->FilExtTxtFld().Text(), ".txt") << "the fields show the listed file";
  EXPECT_EQ(Digits(), QStringList({"6", "4", "0"}));
  EXPECT_EQ(w->EditedFolderItem, RowFile(0)) << "the very object of the row";

  // Extensions and folders play no part; the first matching row is the one selected.
  QDir(QFile::decodeName(dir.Path())).mkdir("other");
  ASSERT_TRUE(Drop({Make("zeta.gif"), Make("other/report.txt"), Make("zeta.png")}));
  EXPECT_EQ(Rows(), QStringList({"report.txt", "zeta.gif"}));
  EXPECT_EQ(fw::seams::BeepCount(), 3);
  EXPECT_EQ(List().ListIndex(), 1);
  EXPECT_EQ(w->Title(), TitleWith(2));
}

TEST_F(FileListTest, InOneDropTheSecondOfTwoFilesWithOneBaseNameIsRefused) {
  ASSERT_TRUE(Drop({Make("a.txt"), Make("a.pdf")}));
  EXPECT_EQ(Rows(), QStringList({"a.txt"}));
  EXPECT_EQ(fw::seams::BeepCount(), 1);
  EXPECT_EQ(List().ListIndex(), 0);
  EXPECT_EQ(w->FileNameTxtFld().Text(), "a");

  // Two names that begin with "." have the same empty base name.
  ASSERT_TRUE(Drop({Make(".hidden.txt"), Make(".other.txt")}));
  EXPECT_EQ(Rows(), QStringList({"a.txt", ".hidden.txt"}));
  EXPECT_EQ(fw::seams::BeepCount(), 2);
  EXPECT_EQ(List().ListIndex(), 1);
  EXPECT_EQ(w->FileNameTxtFld().Text(), "");
  EXPECT_EQ(w->FilExtTxtFld().Text(), ".hidden.txt");
}

TEST_F(FileListTest, WithTheBoxUntickedRowsShowTheBaseNameAndTheFieldsSplitAtTheFirstDot) {
  // The type filter refuses .gz, so the file comes as a drop after the filter would.
  EXPECT_FALSE(Drop({Make("archive.tar.gz")}));
  w->VisibleChkBx().SetValue(false);
  List().DropFiles({fw::FolderItem::FromNativePath(Make("archive.tar.gz"))});
  EXPECT_EQ(Rows(), QStringList({"archive"}));
  ClickRow(0);
  EXPECT_EQ(List().ListIndex(), 0);
  EXPECT_EQ(w->FileNameTxtFld().Text(), "archive");
  EXPECT_EQ(w->FilExtTxtFld().Text(), ".tar.gz");
  EXPECT_TRUE(w->VisibleChkBx().Value()) << "set from the file, which shows its extension";
  ASSERT_TRUE(Drop({Make("notes.final.txt")}));
  EXPECT_EQ(Rows(), QStringList({"archive", "notes.final.txt"})) << "the box is read for each row";
}

TEST_F(FileListTest, ADropWhoseFirstItemCarriesNoFileChangesNothing) {
  w->SetTitle("unchanged");
  auto a = fw::FolderItem::FromNativePath(Make("a.txt"));
  auto b = fw::FolderItem::FromNativePath(Make("b.txt"));
  List().DropFiles({nullptr, a, b});
  EXPECT_EQ(List().ListCount(), 0);
  EXPECT_EQ(w->Title(), "unchanged");
  EXPECT_EQ(fw::seams::BeepCount(), 0);

  // A later item without a file is passed over.
  List().DropFiles({a, nullptr, b});
  EXPECT_EQ(Rows(), QStringList({"a.txt", "b.txt"}));
  EXPECT_EQ(w->Title(), TitleWith(2));
  EXPECT_EQ(fw::seams::BeepCount(), 0);
}

TEST_F(FileListTest, SelectingARowFillsEveryFieldFromItsFileAndADropLeavesTheSelection) {
  QByteArray path = Make("photo.jpg", "jpeg bytes", 0754);
  // 12 May 2011, 14:03:09 local time.
  QDateTime when(QDate(2011, 5, 12), QTime(14, 3, 9));
  struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(when.toSecsSinceEpoch()), 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.constData(), times, 0), 0);
  char info[32] = {};
  memcpy(info + 4, "ABCD", 4);
  bool creator = setxattr(path.constData(), "user.com.apple.FinderInfo", info, sizeof info, 0) == 0;
  ASSERT_TRUE(Drop({path, Make("notes.txt")}));

  ClickRow(0);
  ASSERT_EQ(List().ListIndex(), 0);
  EXPECT_EQ(w->EditedFolderItem, RowFile(0));
  EXPECT_EQ(w->PermissionsCtrCtl1().FolderItemCopy, RowFile(0));
  std::optional<fw::Date> born = RowFile(0)->CreationDate();
  QStringList expected = {"photo",      ".jpg",     born ? born->ShortDate() : "", born ? born->LongTime() : "",
                          "12/05/2011", "14:03:09", creator ? "ABCD" : ""};
  EXPECT_EQ(Fields(), expected) << "where the file system records no birth time, the creation fields stay empty";
  EXPECT_TRUE(w->VisibleChkBx().Value());
  EXPECT_EQ(Digits(), QStringList({"7", "5", "4"}));
  EXPECT_EQ(w->PermissionsCtrCtl1().UserPermPupMnu().ListIndex(), 7);

  ASSERT_TRUE(Drop({Make("third.png")}));
  EXPECT_EQ(List().ListIndex(), 0) << "a drop leaves the selection where it was";
  EXPECT_EQ(Fields(), expected);
}

TEST_F(FileListTest, TheBoxFollowsEachSelectedFilesExtensionVisibility) {
  auto hidden = fw::FolderItem::FromNativePath(Make("hidden.txt"));
  if (!hidden->SetExtensionVisible(false)) GTEST_SKIP() << "no extended attributes in the temporary folder";
  ASSERT_TRUE(Drop({Make("shown.txt"), hidden->NativePath()}));
  for (int round = 0; round < 2; ++round) {
    ClickRow(1);
    EXPECT_FALSE(w->VisibleChkBx().Value());
    ClickRow(0);
    EXPECT_TRUE(w->VisibleChkBx().Value());
  }
}

TEST_F(FileListTest, AFileMovedOrDeletedSinceItsDropShowsWhatCanBeRead) {
  QByteArray moved = Make("moved.txt"), gone = Make("gone.txt"), kept = Make("kept.txt", "x", 0600);
  ASSERT_TRUE(Drop({moved, gone, kept}));
  ASSERT_EQ(::rename(moved.constData(), (dir.Path() + "/elsewhere.txt").constData()), 0);
  ASSERT_EQ(::unlink(gone.constData()), 0);
  for (int row : {0, 1}) {
    SCOPED_TRACE(row);
    ClickRow(row);
    ASSERT_EQ(List().ListIndex(), row);
    EXPECT_EQ(w->FileNameTxtFld().Text(), row == 0 ? "moved" : "gone");
    EXPECT_EQ(w->FilExtTxtFld().Text(), ".txt");
    EXPECT_EQ(Fields().mid(2), QStringList(5, QString())) << "no dates and no creator to read";
    EXPECT_TRUE(PanelBlank()) << "no permissions to read";
  }
  ClickRow(2);
  EXPECT_EQ(w->FileNameTxtFld().Text(), "kept");
  EXPECT_FALSE(w->ModifDateTxtFld().Text().isEmpty());
  EXPECT_EQ(Digits(), QStringList({"6", "0", "0"}));
  fw::seams::AdvanceClock(300);  // the panel's pending write goes to the missing file and fails quietly
  EXPECT_TRUE(w->IsOpen());
}

TEST_F(FileListTest, AClickBelowTheLastRowClearsTheFieldsButNotTheRows) {
  ASSERT_TRUE(Drop({Make("a.txt"), Make("b.txt")}));
  ClickRow(1);
  ASSERT_EQ(w->FileNameTxtFld().Text(), "b");
  fw::FolderItemPtr edited = w->EditedFolderItem;
  ClickBelowRows();
  EXPECT_EQ(List().ListIndex(), -1);
  ExpectBlank();
  EXPECT_EQ(Rows(), QStringList({"a.txt", "b.txt"}));
  EXPECT_EQ(w->Title(), TitleWith(2));
  EXPECT_EQ(w->EditedFolderItem, edited) << "a deselection keeps the edited file";
  ASSERT_TRUE(Drop({Make("c.final.txt")}));
  EXPECT_EQ(Rows(), QStringList({"a.txt", "b.txt", "c"})) << "the box is unticked now";
}

TEST_F(FileListTest, EvenRowsAreTinted) {
  QList<QByteArray> paths;
  for (QByteArray n : {"r0.txt", "r1.txt", "r2.txt", "r3.txt", "r4.txt"}) paths << Make(n);
  ASSERT_TRUE(Drop(paths));
  ASSERT_EQ(List().ListIndex(), -1);
  QImage image = Viewport()->grab().toImage();
  const QColor tint(0xF3, 0xF6, 0xFA);
  for (int row = 0; row < 5; ++row) {
    QRect r = List().Tree()->visualItemRect(List().Tree()->topLevelItem(row));
    QColor left = image.pixelColor(r.right() - 4, r.top() + 2),
           right = image.pixelColor(r.left() + 300, r.bottom() - 2);
    if (row % 2 == 0) {
      EXPECT_EQ(left, tint) << row;
      EXPECT_EQ(right, tint) << row;
    } else {
      EXPECT_NE(left, tint) << row;
      EXPECT_EQ(left, Viewport()->palette().color(QPalette::Base)) << row;
    }
  }
}

TEST_F(FileListTest, ARowDraggedToAnotherPlaceKeepsItsFileAndTheSelection) {
  ASSERT_TRUE(Drop({Make("a.txt"), Make("b.txt"), Make("c.txt")}));
  ClickRow(2);
  fw::FolderItemPtr c = RowFile(2);
  std::unique_ptr<QMimeData> data(List().RowDragData(2));
  QPoint top = RowCentre(0) - QPoint(0, 5);
  QDragEnterEvent enter(top, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Viewport(), &enter);
  QDropEvent drop(QPointF(top), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Viewport(), &drop);
  EXPECT_EQ(Rows(), QStringList({"c.txt", "a.txt", "b.txt"}));
  EXPECT_EQ(RowFile(0), c);
  EXPECT_EQ(List().ListIndex(), 0);
  EXPECT_EQ(w->EditedFolderItem, c);
  EXPECT_EQ(w->FileNameTxtFld().Text(), "c");
  EXPECT_EQ(w->Title(), TitleWith(3));

  // The duplicate test finds the moved row where it is now.
  ClickRow(2);
  ASSERT_TRUE(Drop({Make("c.pdf")}));
  EXPECT_EQ(fw::seams::BeepCount(), 1);
  EXPECT_EQ(List().ListIndex(), 0);
  EXPECT_EQ(w->EditedFolderItem, c);
}

TEST_F(FileListTest, TheContextualMenuIsOfferedOnlyWhenThereAreRows) {
  RightClick("Supprimer tout");
  EXPECT_FALSE(fw::seams::LastContextualMenu().has_value()) << "no menu on an empty list";
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());
  fw::seams::ResetContextualMenu();

  ASSERT_TRUE(Drop({Make("a.txt"), Make("b.txt")}));
  const QStringList items = {QStringLiteral("Supprimer sélection"), "-", "Supprimer tout"};
  for (int selected : {-1, 1}) {
    List().SetListIndex(selected);
    RightClick("");
    ASSERT_TRUE(fw::seams::LastContextualMenu().has_value());
    EXPECT_EQ(*fw::seams::LastContextualMenu(), items);
    EXPECT_EQ(List().ListCount(), 2) << "a dismissed menu does nothing";
    EXPECT_EQ(List().ListIndex(), selected);
  }
}

TEST_F(FileListTest, RemovingTheSelectionTakesOneRowWithoutAsking) {
  ASSERT_TRUE(Drop({Make("a.txt"), Make("b.txt")}));
  w->SetTitle("before");
  RightClick(QStringLiteral("Supprimer sélection"));
  EXPECT_EQ(List().ListCount(), 2) << "no row selected: nothing removed";
  EXPECT_EQ(w->Title(), TitleWith(2));
  ExpectBlank();

  ClickRow(0);
  RightClick(QStringLiteral("Supprimer sélection"));
  EXPECT_EQ(Rows(), QStringList({"b.txt"}));
  EXPECT_EQ(w->Title(), TitleWith(1));
  ExpectBlank();
  ClickRow(0);
  RightClick(QStringLiteral("Supprimer sélection"));
  EXPECT_EQ(List().ListCount(), 0);
  EXPECT_EQ(w->Title(), kBareTitle);
  ExpectBlank();
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());

  // Chosen from code with no item, or with one that matches nothing: fields and title all the same.
  ASSERT_TRUE(Drop({Make("c.txt")}));
  w->SetTitle("before");
  fw::MenuItem other(QStringLiteral("Autre"));
  for (fw::MenuItem* item : {static_cast<fw::MenuItem*>(nullptr), &other}) {
    EXPECT_TRUE(w->FileLstBx_ContextualMenuAction(List(), item));
    EXPECT_EQ(List().ListCount(), 1);
    EXPECT_EQ(w->Title(), TitleWith(1));
  }
}

TEST_F(FileListTest, RemovingEveryRowAsksFirstAndLeavesTheFilesAsTheyWere) {
  QList<QByteArray> paths = {Make("a.txt", "alpha", 0600), Make("b.png", "\x89PNG", 0755), Make("c.pdf", "%PDF", 0444)};
  ASSERT_TRUE(Drop(paths));
  ClickRow(1);
  fw::seams::AdvanceClock(300);  // the panel writes back what it was shown
  QStringList names =
      QDir(QFile::decodeName(dir.Path())).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  std::vector<OnDisk> before;
  for (const QByteArray& p : paths) before.push_back(Read(p));

  fw::seams::AnswerNextDialog("Annuler");
  RightClick("Supprimer tout");
  ASSERT_EQ(fw::seams::ShownDialogs().size(), 1u);
  const auto& asked = fw::seams::ShownDialogs()[0];
  EXPECT_EQ(asked.Title, "Suppression de tous les fichiers");
  EXPECT_EQ(asked.Message, "Voulez-vous vraiment supprimer Tous les fichiers ?");
  EXPECT_EQ(asked.Explanation, QStringLiteral("Cette option supprimera l'ensemble des fichiers importés"));
  EXPECT_EQ(asked.Icon, 1);
  EXPECT_EQ(asked.Buttons, QStringList({"Supprimer", "Annuler"}));
  EXPECT_EQ(List().ListCount(), 3) << "cancelled";
  EXPECT_EQ(w->Title(), TitleWith(3));
  EXPECT_EQ(List().ListIndex(), 1);
  EXPECT_EQ(w->FileNameTxtFld().Text(), "b") << "the selected row's fields keep their content";

  fw::seams::AnswerNextDialog("Supprimer");
  RightClick("Supprimer tout");
  EXPECT_EQ(fw::seams::ShownDialogs().size(), 2u);
  EXPECT_EQ(List().ListCount(), 0);
  EXPECT_EQ(w->Title(), kBareTitle);
  ExpectBlank();
  EXPECT_NE(w->EditedFolderItem, nullptr) << "a removal keeps the edited file";

  fw::seams::AdvanceClock(300);
  EXPECT_EQ(QDir(QFile::decodeName(dir.Path())).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            names);
  for (int i = 0; i < int(paths.size()); ++i)
    EXPECT_TRUE(Read(paths[i]) == before[size_t(i)]) << paths[i].toStdString();
}

}  // namespace
