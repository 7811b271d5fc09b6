#include <gtest/gtest.h>

#include <QMainWindow>
#include <QTest>
#include <QTreeWidget>

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

}  // namespace
