// The program's one window. Its members live in one file per concern:
//   MainWindow.cpp        the implicit instance, Open (frame autosave), the menu-item accessors
//   MainWindowLayout.cpp  Layout, CreateControls and the control accessors
//   MainWindowDialog.cpp  InfoDialog
#pragma once

#include "framework/FolderItem.h"
#include "framework/Menu.h"
#include "framework/Window.h"

class MainWindow : public fw::Window {
 public:
  MainWindow();
  ~MainWindow() override;

  // The implicit instance: the open MainWindow, or a new one, built and opened.
  static MainWindow& Instance();
  fw::String FullClassName() const override { return QStringLiteral("MainWindow.MainWindow"); }

  // Layout steps.
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();

  // Menu-item accessors: the item of that name in the window's menu bar (NilObjectException
  // without a menu bar).
  fw::MenuItemPtr EditMenu();
  fw::MenuItemPtr EditSelectAll();
  fw::MenuItemPtr EditSeparator2();
  fw::MenuItemPtr EditClear();
  fw::MenuItemPtr EditPaste();
  fw::MenuItemPtr EditCopy();
  fw::MenuItemPtr EditCut();
  fw::MenuItemPtr EditSeparator1();
  fw::MenuItemPtr EditUndo();
  fw::MenuItemPtr FileMenu();
  std::shared_ptr<fw::QuitMenuItem> FileQuit();

  void Event_Open() override;

  // The file whose properties the fields show and to which their changes go.
  fw::FolderItemPtr EditedFolderItem;

 private:
  friend class MainWindowTestAccess;

  // Confirms a deletion (isDelete: True only for "Supprimer") or reports a result (always False).
  bool InfoDialog(const fw::String& title, const fw::String& message, const fw::String& explanation, bool isDelete);

  fw::MenuItemPtr MenuItemNamed(const char* name);
};
