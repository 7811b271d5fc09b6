#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDropEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>

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
