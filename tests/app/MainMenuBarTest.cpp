#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "app/MainMenuBar.h"
#include "framework/Application.h"
#include "framework/Runtime.h"
#include "framework/TextField.h"
#include "framework/Window.h"
#include "support/Support.h"

using fw::MenuItemPtr;

namespace {

struct Row {
  const char* parent;
  const char* name;
  bool quit;
  const char* text;
  const char* shortcut;
};
const Row kRows[] = {
    {"", "FileMenu", false, "&File", ""},
    {"FileMenu", "FileQuit", true, "&Quit", "Cmd+Q"},
    {"", "EditMenu", false, "&Edit", ""},
    {"EditMenu", "EditUndo", false, "&Undo", "Cmd+Z"},
    {"EditMenu", "EditSeparator1", false, "-", ""},
    {"EditMenu", "EditCut", false, "Cu&t", "Cmd+X"},
    {"EditMenu", "EditCopy", false, "&Copy", "Cmd+C"},
    {"EditMenu", "EditPaste", false, "&Paste", "Cmd+V"},
    {"EditMenu", "EditClear", false, "&Delete", ""},
    {"EditMenu", "EditSeparator2", false, "-", ""},
    {"EditMenu", "EditSelectAll", false, "Select &All", "Cmd+A"},
};

TEST(MainMenuBar, TheTreeHoldsFileThenEditWithTheirItemsInOrder) {
  auto bar = MainMenuBar::Instance();
  EXPECT_EQ(MainMenuBar::Instance(), bar) << "one shared instance";
  ASSERT_EQ(bar->Count(), 2);
  EXPECT_EQ(bar->Item(0)->Name, "FileMenu");
  EXPECT_EQ(bar->Item(1)->Name, "EditMenu");
  EXPECT_EQ(bar->Item(0)->Count(), 1);
  EXPECT_EQ(bar->Item(1)->Count(), 8);
  EXPECT_EQ(bar->Item(2), nullptr);

  int position[2] = {0, 0};
  for (const Row& r : kRows) {
    MenuItemPtr item = bar->Lookup(r.name);
    ASSERT_NE(item, nullptr) << r.name;
    MenuItemPtr parent = *r.parent ? bar->Child(r.parent) : nullptr;
    if (parent) EXPECT_EQ(parent->Item(position[parent == bar->Item(1)]++), item) << r.name << " in order";
    else EXPECT_EQ(bar->Child(r.name), item);
    EXPECT_EQ(item->Text, r.text) << r.name;
    EXPECT_EQ(item->KeyboardShortcut, r.shortcut) << r.name;
    EXPECT_EQ(std::dynamic_pointer_cast<fw::QuitMenuItem>(item) != nullptr, r.quit) << r.name;
    EXPECT_TRUE(item->AutoEnable && item->Visible) << r.name;
  }
  EXPECT_EQ(bar->Child("EditSelectAll"), nullptr) << "Child looks one level down only";
  EXPECT_EQ(bar->Lookup("EditSelectAll"), bar->Item(1)->Item(7));
  EXPECT_EQ(bar->Lookup("NoSuchItem"), nullptr);
}

class BarWindow : public fw::Window {
 public:
  void Layout() override {
    SetMenuBar(MainMenuBar::Instance());
    fw::ApplyDesign(*this, {{"Width", 300}, {"Height", 100}, {"Resizeable", false}});
  }
  void CreateControls() override {
    auto& f = New<fw::TextField>("Field");
    fw::ApplyDesign(f, {{"Left", 10}, {"Top", 10}, {"Width", 200}, {"Height", 24}});
  }
};

QMenu* QtMenu(fw::Window& w, int index) { return w.NativeMenuBar()->actions().at(index)->menu(); }

QAction* QtAction(fw::Window& w, const char* text) {
  for (QAction* m : w.NativeMenuBar()->actions())
    for (QAction* a : m->menu()->actions())
      if (a->text() == text) return a;
  return nullptr;
}

TEST(MainMenuBar, AWindowShowsItAsAQtMenuBar) {
  BarWindow w;
  w.Constructor();
  QMenuBar* qbar = w.NativeMenuBar();
  ASSERT_NE(qbar, nullptr);
  ASSERT_EQ(qbar->actions().size(), 2);
  EXPECT_EQ(qbar->actions()[0]->text(), "&File");
  EXPECT_EQ(qbar->actions()[1]->text(), "&Edit");
  QStringList edit;
  for (QAction* a : QtMenu(w, 1)->actions()) edit << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(edit, QStringList({"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"}));
  EXPECT_EQ(QtAction(w, "&Quit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(QtAction(w, "&Quit")->shortcut().toString(QKeySequence::NativeText), "Ctrl+Q");
  EXPECT_EQ(QtAction(w, "Select &All")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
  EXPECT_TRUE(QtAction(w, "&Delete")->shortcut().isEmpty());
}

TEST(MainMenuBar, EditItemsActOnTheFocusedTextField) {
  BarWindow w;
  w.Constructor();
  ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  auto& f = w.Find<fw::TextField>("Field");
  f.SetFocus();
  f.SetText("abc def");
  QMenu* editMenu = QtMenu(w, 1);
  auto enabledNow = [&](const char* text) {
    emit editMenu->aboutToShow();
    bool enabled = QtAction(w, text)->isEnabled();
    emit editMenu->aboutToHide();
    return enabled;
  };

  f.SetSelStart(7);
  EXPECT_FALSE(enabledNow("Cu&t")) << "nothing selected";
  EXPECT_TRUE(enabledNow("Select &All"));
  QtAction(w, "Select &All")->trigger();
  EXPECT_EQ(f.SelLength(), 7);
  EXPECT_TRUE(enabledNow("Cu&t"));
  QtAction(w, "&Copy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "abc def");
  f.SetSelStart(4);
  f.SetSelLength(3);
  QtAction(w, "Cu&t")->trigger();
  EXPECT_EQ(f.Text(), "abc ");
  EXPECT_EQ(QApplication::clipboard()->text(), "def");
  f.SetSelStart(0);
  QtAction(w, "&Paste")->trigger();
  EXPECT_EQ(f.Text(), "defabc ");
  QtAction(w, "&Undo")->trigger();
  EXPECT_EQ(f.Text(), "abc ");
  f.SetSelStart(0);
  f.SetSelLength(1);
  QtAction(w, "&Delete")->trigger();
  EXPECT_EQ(f.Text(), "bc ");

  f.Widget()->clearFocus();
  EXPECT_FALSE(enabledNow("&Copy")) << "no field has the focus";
  QtAction(w, "Select &All")->trigger();  // acts on nothing
  EXPECT_EQ(f.Text(), "bc ");
}

TEST(MainMenuBar, QuitEndsTheLoopAndClosesTheWindows) {
  auto app = std::make_shared<fw::Application>();
  fw::RuntimeRegisterAppObject(app);
  BarWindow w;
  w.Constructor();
  QTimer::singleShot(0, [&] { QtAction(w, "&Quit")->trigger(); });
  fw::RuntimeRun();
  EXPECT_TRUE(app->Quitting());
  EXPECT_FALSE(w.IsOpen());
  EXPECT_EQ(fw::RuntimeExit(), 0);
}

}  // namespace
