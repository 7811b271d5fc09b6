// The program's one window. Its members live in one file per concern:
//   MainWindow.cpp          the implicit instance, Open (frame autosave), the menu-item accessors
//   MainWindowLayout.cpp    Layout, CreateControls and the control accessors
//   MainWindowDialog.cpp    InfoDialog
//   MainWindowFileList.cpp  the file list: drops, selection, row colours, contextual menu
//   MainWindowEditing.cpp   the fields' focus cycle and the writes of a focus loss or a click
//   MainWindowApplyAll.cpp  the four "Tous" buttons
#pragma once

#include <functional>
#include <map>
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
  // Reports writes that failed, with the warning icon.
  void FailureDialog(const fw::String& title, const fw::String& message, const fw::String& explanation);

  // The date of the date field at the time of the time field; none when either text is not one.
  // A year of one or two digits is one of the 2000s, as the date field's own check reads it.
  std::optional<fw::Date> ChangeDateTime(TabedDateField& dateField, TabedTimeField& timeField);
  // Blanks the property fields and the permissions panel while no row is selected.
  void ClearAllFields();
  // True when a row's base name is the file's; that row is then selected.
  bool VerifyFileExist(const fw::FolderItemPtr& file, fw::Listbox& list);

  // One of the two date pairs: its fields, how a file's date is read and written, and its words.
  struct DatePair {
    TabedDateField& (MainWindow::*DateField)() const;
    TabedTimeField& (MainWindow::*TimeField)() const;
    std::optional<fw::Date> (fw::FolderItem::*Read)() const;
    fw::Outcome (fw::FolderItem::*Write)(const fw::Date&);
    // The property in a failure report, and the "Tous" report's title, message and explanation.
    const char* What;
    const char* Title;
    const char* DoneBefore;
    const char* DoneAfter;
    const char* Now;
    // Why a file has no such date to write, where a file system may record none; nullptr otherwise.
    const char* Missing;
    // Which "Tous" a failed focus loss of these fields is reported by.
    int Kind;
  };
  static const DatePair kCreationPair, kModificationPair;
  // What a "Tous" that follows a failed focus loss reports in its place.
  enum TousKind { kNameTous, kCreationTous, kModificationTous, kTousKinds };

  // The file of the selected row, when a row is selected and the fields edit a file.
  fw::FolderItemPtr SelectedEditedFile() const;
  // The file a row stands for.
  static fw::FolderItemPtr RowFile(const fw::Listbox& list, int row);
  // The rename of a focus loss in the name or extension field.
  void RenameFromFields();
  // Writes the focused field's edit as leaving the field would, the focus staying where it is.
  void WriteFocusedEdit();
  // The row's text for a name by the row text rule.
  fw::String RowText(const fw::String& name) const;
  // Sets the title by the title rule.
  void SetTitleForRows();
  // Fills the fields from the edited file, as a selection does.
  void ShowEditedFile();
  // Puts a text in a field and remembers it: a focus loss writes only a text that differs.
  void ShowText(fw::TextField& field, const fw::String& text);
  // Shows the pair's date as the file holds it.
  void ShowDate(const DatePair& pair, const fw::FolderItem& file);
  // Reports one write of a focus loss that failed, naming the file and the reason, once the click
  // that moved the focus is over; refill then shows what the file kept. A "Tous" of the same kind
  // in that click reports the failure itself, and this report is dropped. While the window closes,
  // the report comes at once.
  void ReportFailure(const fw::String& what, const fw::String& fileName, const fw::Outcome& outcome, int kind = -1,
                     const std::function<void()>& refill = {});
  // The date writes of a focus loss: writes when the field was edited.
  void WriteBackDate(const DatePair& pair, const fw::TextField& field);
  // The two date actions: writes the pair's date to every row's file, then reports.
  void ApplyDateToAll(const DatePair& pair);
  struct Failure {
    fw::String Name;
    fw::String Reason;
  };
  // The report of an action some of whose writes failed: how many files changed ("modifié",
  // "renommé"), the others and why; first lines tell what the changed files now hold; afterwards
  // lists files changed whose second write failed.
  void ReportPartial(const fw::String& title, const char* verb, int changed, int rows,
                     const std::vector<Failure>& failures, const fw::String& firstLine = {},
                     const std::vector<Failure>& afterwards = {});

  fw::MenuItemPtr MenuItemNamed(const char* name);

  // Lives as long as the window: a report deferred past its destruction is dropped.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  // The text each field was last given from the file or written with.
  std::map<const fw::TextField*, fw::String> shown_;
  // How many times each kind of "Tous" ran.
  int tousRuns_[kTousKinds] = {};
};
