#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDropEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "framework/FileType.h"
#include "framework/Listbox.h"
#include "framework/Window.h"
#include "support/Support.h"

using namespace fw;

namespace {

class ListWindow : public Window {
 public:
  void Layout() override { ApplyDesign(*this, {{"Width", 300}, {"Height", 300}, {"Visible", false}}); }
  void CreateControls() override {
    auto& l = New<Listbox>("List");
    ApplyDesign(l, {{"Left", 10}, {"Top", 10}, {"Width", 280}, {"Height", 200}, {"DefaultRowHeight", 20}});
    l.Change.Bind([this](Object&) { changes << List().ListIndex(); });
  }
  Listbox& List() { return Find<Listbox>("List"); }
  QList<int> changes;
};

TEST(Listbox, SelectionChangesRaiseChangeOnceAndRemovalLeavesNoSelection) {
  ListWindow w;
  w.Constructor();
  auto& l = w.List();
  for (auto t : {"a.txt", "b.txt", "c.txt"}) l.AddRow(t);
  EXPECT_EQ(l.LastIndex(), 2);
  EXPECT_EQ(l.ListIndex(), -1);
  l.SetListIndex(1);
  l.SetListIndex(1);
  EXPECT_EQ(w.changes, QList<int>({1}));
  l.RemoveRow(0);  // a row above the selection: the same row stays selected
  EXPECT_EQ(l.ListIndex(), 0);
  EXPECT_EQ(l.List(0), "b.txt");
  l.RemoveRow(0);
  EXPECT_EQ(l.ListIndex(), -1);
  EXPECT_EQ(w.changes, QList<int>({1, -1}));
  EXPECT_EQ(l.ListCount(), 1);
}

TEST(Listbox, ACellSetFromCodeIsWhatTheViewShowsAndWhatTheKeysCount) {
  ListWindow w;
  w.Constructor();
  auto& l = w.List();
  l.SetRowKey([](const String& text) { return text.section('.', 0, 0); });
  l.AddRow("a.txt");
  l.AddRow("b.txt");
  QAbstractItemModel* model = l.Tree()->model();
  QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
  l.SetCell(1, 0, "c.pdf");
  EXPECT_EQ(model->data(model->index(1, 0)).toString(), "c.pdf");
  EXPECT_EQ(l.List(1), "c.pdf");
  EXPECT_EQ(changed.count(), 1) << "the view is told, so it paints the new text";
  l.SetCell(1, 0, "c.pdf");
  EXPECT_EQ(changed.count(), 1) << "the same text again changes nothing";
  EXPECT_TRUE(l.HasRowWithKey("c"));
  EXPECT_FALSE(l.HasRowWithKey("b"));
  EXPECT_TRUE(l.HasRowWithKey("a"));
}

TEST(Listbox, ClicksSelectRowsAndAClickBelowTheLastRowClearsTheSelection) {
  ListWindow w;
  w.Constructor();
  ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  auto& l = w.List();
  l.AddRow("a.txt");
  l.AddRow("b.txt");
  QWidget* vp = l.Tree()->viewport();
  QRect second = l.Tree()->visualItemRect(l.Tree()->topLevelItem(1));
  QTest::mouseClick(vp, Qt::LeftButton, {}, second.center());
  EXPECT_EQ(l.ListIndex(), 1);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(20, second.bottom() + 30));
  EXPECT_EQ(l.ListIndex(), -1);
  EXPECT_EQ(w.changes, QList<int>({1, -1}));
}

// Drags data over the list's viewport and drops it at a point, as the desktop does. True when
// the list took the drop.
bool DragAndDrop(Listbox& l, const QMimeData* data, QPoint at) {
  QWidget* vp = l.Tree()->viewport();
  const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
  QDragEnterEvent enter(at, actions, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &enter);
  QDragMoveEvent move(at, actions, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &move);
  if (!move.isAccepted()) return false;
  QDropEvent drop(QPointF(at), actions, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &drop);
  return drop.isAccepted();
}

QStringList Texts(const Listbox& l) {
  QStringList t;
  for (int i = 0; i < l.ListCount(); ++i) t << l.List(i);
  return t;
}

class ReorderTest : public ::testing::Test {
 public:
  void SetUp() override {
    w.Constructor();
    ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
    l().SetRowKey([](const String& text) { return text.left(1); });
    l().SetEnableDragReorder(true);
    Fill();
  }
  // Rows a to d, each tagged with its text, b selected.
  void Fill() {
    for (auto t : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
      l().AddRow(t);
      l().SetRowTag(l().LastIndex(), String(t) + "-tag");
    }
    l().SetListIndex(1);
    w.changes.clear();
  }
  Listbox& l() { return w.List(); }
  // A point in the upper or lower half of a row, or below the last row.
  QPoint Upper(int row) { return Rect(row).center() - QPoint(0, 4); }
  QPoint Lower(int row) { return Rect(row).center() + QPoint(0, 4); }
  QPoint BelowRows() { return QPoint(20, Rect(l().ListCount() - 1).bottom() + 40); }
  QRect Rect(int row) { return l().Tree()->visualItemRect(l().Tree()->topLevelItem(row)); }
  ListWindow w;
};

TEST_F(ReorderTest, ADraggedRowMovesWithItsTagAndTheSelectionFollowsIt) {
  const struct {
    int from;
    QPoint (ReorderTest::*at)(int);
    int atRow;
    QStringList order;
    int selected;
  } cases[] = {
      {0, &ReorderTest::Lower, 2, {"b.txt", "c.txt", "a.txt", "d.txt"}, 0},
      {3, &ReorderTest::Upper, 0, {"d.txt", "a.txt", "b.txt", "c.txt"}, 2},
      {1, &ReorderTest::Upper, 3, {"a.txt", "c.txt", "b.txt", "d.txt"}, 2},
      {2, &ReorderTest::Upper, 2, {"a.txt", "b.txt", "c.txt", "d.txt"}, 1},
      {2, &ReorderTest::Lower, 1, {"a.txt", "b.txt", "c.txt", "d.txt"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from);
    std::unique_ptr<QMimeData> data(l().RowDragData(c.from));
    EXPECT_TRUE(DragAndDrop(l(), data.get(), (this->*c.at)(c.atRow)));
    EXPECT_EQ(Texts(l()), c.order);
    for (int i = 0; i < l().ListCount(); ++i)
      EXPECT_EQ(std::any_cast<String>(l().RowTag(i)), l().List(i) + "-tag") << i;
    EXPECT_EQ(l().ListIndex(), c.selected);
    ASSERT_EQ(l().Tree()->selectedItems().size(), 1);
    EXPECT_EQ(l().Tree()->selectedItems().first()->text(0), "b.txt") << "the selected row stays selected";
    EXPECT_TRUE(w.changes.isEmpty()) << "the selected file is the same";
    // Back to the starting order for the next case.
    while (l().ListCount()) l().RemoveRow(0);
    for (auto key : {"a", "b", "c", "d"}) EXPECT_FALSE(l().HasRowWithKey(key)) << "the key counts stayed right";
    Fill();
  }
}

TEST_F(ReorderTest, ARowDroppedBelowTheLastRowGoesLastAndAClickThereStillClearsTheSelection) {
  std::unique_ptr<QMimeData> data(l().RowDragData(0));
  EXPECT_TRUE(DragAndDrop(l(), data.get(), BelowRows()));
  EXPECT_EQ(Texts(l()), QStringList({"b.txt", "c.txt", "d.txt", "a.txt"}));
  EXPECT_EQ(l().ListIndex(), 0);
  QTest::mouseClick(l().Tree()->viewport(), Qt::LeftButton, {}, BelowRows());
  EXPECT_EQ(l().ListIndex(), -1);
  EXPECT_EQ(w.changes, QList<int>({-1}));
}

TEST_F(ReorderTest, ARowDragNeverLeavesItsListAndIsRefusedWhenReorderingIsOff) {
  std::unique_ptr<QMimeData> data(l().RowDragData(0));
  EXPECT_EQ(data->formats().size(), 1) << "no text, no address: nothing outside the list takes it";
  EXPECT_FALSE(data->hasText());
  EXPECT_FALSE(data->hasUrls());

  ListWindow other;
  other.Constructor();
  other.List().AddRow("x.txt");
  other.List().AddRow("y.txt");
  other.List().SetEnableDragReorder(true);
  std::unique_ptr<QMimeData> foreign(other.List().RowDragData(0));
  EXPECT_FALSE(DragAndDrop(l(), foreign.get(), Lower(3)));
  EXPECT_EQ(other.List().ListCount(), 2);

  std::unique_ptr<QMimeData> stale(l().RowDragData(7));
  EXPECT_FALSE(DragAndDrop(l(), stale.get(), Lower(3))) << "a row the list does not have";

  l().SetEnableDragReorder(false);
  EXPECT_FALSE(DragAndDrop(l(), data.get(), Lower(3)));
  EXPECT_EQ(Texts(l()), QStringList({"a.txt", "b.txt", "c.txt", "d.txt"}));
  EXPECT_EQ(l().ListIndex(), 1);
}

// A file manager sends each path's bytes percent-encoded; a name that is not UTF-8 must arrive as
// the file it names, not as a look-alike that does not exist.
TEST(Listbox, ADropHandsOverTheFilesByTheirOwnBytes) {
  testsupport::TempFolder dir;
  auto type = std::make_shared<FileType>();
  type->Name = "text/plain";
  type->Extensions = ".txt";
  type->ToString();
  const QByteArray names[] = {"caf\xe9.txt", "\xff\xfe.txt", "été 100% #1?.txt"};
  QByteArray list;
  std::vector<QByteArray> paths;
  for (const QByteArray& n : names) {
    paths.push_back(dir.MakeFile(n));
    list += "file://" + paths.back().toPercentEncoding("/") + "\r\n";
  }

  ListWindow w;
  w.Constructor();
  auto& l = w.List();
  l.AcceptFileDrop("text/plain;");
  std::vector<QByteArray> got;
  l.DropObject.Bind([&](Object&, DragItem& item, int) {
    do got.push_back(item.FolderItem()->NativePath());
    while (item.NextItem());
  });
  QMimeData mime;
  mime.setData("text/uri-list", list);
  QWidget* vp = l.Tree()->viewport();
  QPoint at = vp->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &drop);
  EXPECT_EQ(got, paths);
  // The temporary folder removes its files by text, which misses these names.
  for (const QByteArray& p : paths) ::unlink(p.constData());
}

}  // namespace
