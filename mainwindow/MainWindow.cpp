#include "mainwindow/MainWindow.h"

namespace {
// The only state the program keeps between runs: the window's place, under this name.
const char* const kFrameAutosaveName = "Quorvenidane";
}  // namespace

MainWindow::MainWindow() = default;

MainWindow::~MainWindow() { EditedFolderItem.reset(); }

MainWindow& MainWindow::Instance() {
  if (fw::Window* open = fw::GetImplicitWindow(QStringLiteral("MainWindow.MainWindow")))
    return static_cast<MainWindow&>(*open);
  MainWindow& w = fw::AdoptNewWindow<MainWindow>();
  w.Constructor();
  return w;
}

void MainWindow::Event_Open() {
  SetFrameAutosaveName(QString::fromLatin1(kFrameAutosaveName));
  SetUpAccess();
}

void MainWindow::Event_Close() {
  // A permission choice still waiting for its timer goes to its file before the window goes.
  PermissionsCtrCtl1().SetFolderCopy(nullptr);
  fw::Window::Event_Close();
}

fw::MenuItemPtr MainWindow::MenuItemNamed(const char* name) {
  return fw::Deref(GetMenuBar()).Lookup(QString::fromLatin1(name));
}

fw::MenuItemPtr MainWindow::EditMenu() { return MenuItemNamed("EditMenu"); }
fw::MenuItemPtr MainWindow::EditSelectAll() { return MenuItemNamed("EditSelectAll"); }
fw::MenuItemPtr MainWindow::EditSeparator2() { return MenuItemNamed("EditSeparator2"); }
fw::MenuItemPtr MainWindow::EditClear() { return MenuItemNamed("EditClear"); }
fw::MenuItemPtr MainWindow::EditPaste() { return MenuItemNamed("EditPaste"); }
fw::MenuItemPtr MainWindow::EditCopy() { return MenuItemNamed("EditCopy"); }
fw::MenuItemPtr MainWindow::EditCut() { return MenuItemNamed("EditCut"); }
fw::MenuItemPtr MainWindow::EditSeparator1() { return MenuItemNamed("EditSeparator1"); }
fw::MenuItemPtr MainWindow::EditUndo() { return MenuItemNamed("EditUndo"); }
fw::MenuItemPtr MainWindow::FileMenu() { return MenuItemNamed("FileMenu"); }
std::shared_ptr<fw::QuitMenuItem> MainWindow::FileQuit() {
  return std::dynamic_pointer_cast<fw::QuitMenuItem>(MenuItemNamed("FileQuit"));
}
