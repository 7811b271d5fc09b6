// The program's one window. Its members live in one file per concern:
//   MainWindow.cpp          the implicit instance, Open (frame autosave), the menu-item accessors
//   MainWindowLayout.cpp    Layout, CreateControls and the control accessors
//   MainWindowDialog.cpp    InfoDialog
//   MainWindowFileList.cpp  the file list: drops, selection, row colours, contextual menu
//   MainWindowEditing.cpp   the fields' focus cycle and the writes of a focus loss or a click
//   MainWindowApplyAll.cpp  the four "Tous" buttons
#pragma once

#include <memory>
#include <optional>

#include "controls/PermissionsCtrCtl.h"
#include "controls/TabedDateField.h"
#include "controls/TabedTextField.h"
#include "controls/TabedTimeField.h"
#include "framework/BevelButton.h"
#include "framework/CheckBox.h"
#include "framework/FolderItem.h"
#include "framework/Label.h"
#include "framework/Listbox.h"
#include "framework/Menu.h"
#include "framework/Window.h"
#include "mainwindow/BottomMainWin.h"

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

  // Control accessors.
  fw::Listbox& FileLstBx() const;
  TabedTextField& FileNameTxtFld() const;
  TabedTextField& FilExtTxtFld() const;
  fw::Label& InfosLbl() const;
  fw::Label& NameLbl() const;
  fw::Label& ExtensionLbl() const;
  fw::CheckBox& VisibleChkBx() const;
  BottomMainWin& BottomMainWin1() const;
  fw::BevelButton& AllExtBvlBtn() const;
  TabedDateField& CreationDateTxtFld() const;
  fw::Label& CreationDateLbl() const;
  fw::Label& CreationTimeLbl() const;
  fw::BevelButton& AllCreationDateBvlBtn() const;
  TabedTimeField& CreationTimeTxtFld() const;
  fw::Label& ModifDateLbl() const;
  TabedDateField& ModifDateTxtFld() const;
  fw::Label& ModifTimeLbl() const;
  TabedTimeField& ModifTimeTxtFld() const;
  fw::BevelButton& AllModifDateBvlBtn() const;
  fw::Label& MacCreatorLbl() const;
  fw::TextField& MacCreatorTxtFld() const;
  PermissionsCtrCtl& PermissionsCtrCtl1() const;
  fw::BevelButton& AllPermissionsBvlBtn() const;
  fw::Label& CreatorInfosLbl() const;

  // Event handlers, bound by the layout.
  void FileLstBx_DropObject(fw::Listbox& sender, fw::DragItem& obj, int action);
  void FileLstBx_Open(fw::Listbox& sender);
  bool FileLstBx_CellBackgroundPaint(fw::Listbox& sender, fw::Graphics& g, int row, int column);
  void FileLstBx_Change(fw::Listbox& sender);
  bool FileLstBx_ContextualMenuAction(fw::Listbox& sender, fw::MenuItem* hitItem);
  bool FileLstBx_ConstructContextualMenu(fw::Listbox& sender, fw::MenuItem& base, int x, int y);
  void FileNameTxtFld_LostFocus(TabedTextField& sender);
  void FileNameTxtFld_Open(TabedTextField& sender);
  void FilExtTxtFld_LostFocus(TabedTextField& sender);
  void FilExtTxtFld_Open(TabedTextField& sender);
  void VisibleChkBx_Action(fw::CheckBox& sender);
  void AllExtBvlBtn_Action(fw::BevelButton& sender);
  void CreationDateTxtFld_LostFocus(TabedDateField& sender);
  void CreationDateTxtFld_Open(TabedDateField& sender);
  void AllCreationDateBvlBtn_Action(fw::BevelButton& sender);
  void CreationTimeTxtFld_LostFocus(TabedTimeField& sender);
  void CreationTimeTxtFld_Open(TabedTimeField& sender);
  void ModifDateTxtFld_Open(TabedDateField& sender);
  void ModifDateTxtFld_LostFocus(TabedDateField& sender);
  void ModifTimeTxtFld_LostFocus(TabedTimeField& sender);
  void ModifTimeTxtFld_Open(TabedTimeField& sender);
  void AllModifDateBvlBtn_Action(fw::BevelButton& sender);
  void AllPermissionsBvlBtn_Action(fw::BevelButton& sender);
  void PermissionsCtrCtl1_WriteFailed(PermissionsCtrCtl& sender, const fw::FolderItemPtr& file,
                                      const fw::Outcome& outcome);

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
  void Event_Close() override;

  // The file whose properties the fields show and to which their changes go.
  fw::FolderItemPtr EditedFolderItem;

 private:
  friend class MainWindowTestAccess;

  // Names every field, menu, button and the list for screen readers after what the window shows,
  // and lets the keyboard reach the "Extension visible" box outside the fields' ring.
  void SetUpAccess();

  // Confirms a deletion (isDelete: True only for "Supprimer") or reports a result (always False).
  bool InfoDialog(const fw::String& title, const fw::String& message, const fw::String& explanation, bool isDelete);

  // The date of the date field at the time of the time field; none when either text is not one.
  std::optional<fw::Date> ChangeDateTime(TabedDateField& dateField, TabedTimeField& timeField);
  // Blanks the property fields and the permissions panel while no row is selected.
  void ClearAllFields();
  // True when a row's base name is the file's; that row is then selected.
  bool VerifyFileExist(const fw::FolderItemPtr& file, fw::Listbox& list);

  // The file of the selected row, when a row is selected and the fields edit a file.
  fw::FolderItemPtr SelectedEditedFile() const;
  // The file a row stands for.
  static fw::FolderItemPtr RowFile(const fw::Listbox& list, int row);
  // The rename of a focus loss in the name or extension field.
  void RenameFromFields();
  // The row's text for a name by the row text rule.
  fw::String RowText(const fw::String& name) const;
  // Sets the title by the title rule.
  void SetTitleForRows();
  // Fills the fields from the edited file, as a selection does.
  void ShowEditedFile();
  // Reports, once the current event is done, one write that failed, naming the file and the reason.
  void ReportFailure(const fw::String& what, const fw::String& fileName, const fw::Outcome& outcome);
  // The date writes of a focus loss: compares the field with the file and writes when they differ.
  void WriteBackDate(bool creation, const fw::TextField& field, bool dateField);
  // The two date actions: writes the pair's date to every row's file, then reports.
  void ApplyDateToAll(bool creation);
  struct Failure {
    fw::String Name;
    fw::String Reason;
  };
  // The report of an action some of whose writes failed: how many files changed, and the others.
  void ReportPartial(const fw::String& title, int changed, int rows, const std::vector<Failure>& failures);

  fw::MenuItemPtr MenuItemNamed(const char* name);

  // Lives as long as the window: a report deferred past its destruction is dropped.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
