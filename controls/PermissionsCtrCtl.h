// The permissions editor: a file's nine permission bits as three octal digits (owner, group,
// others), each shown in a disabled field and chosen in a menu; a choice is written 200 ms later.
#pragma once

#include <optional>

#include "controls/PermissionsPupMnu.h"
#include "framework/FolderItem.h"
#include "framework/Label.h"
#include "framework/TextField.h"
#include "framework/Timer.h"

class PermissionsCtrCtl : public fw::ContainerControl {
 public:
  using fw::ContainerControl::ContainerControl;

  // The shown file; every write goes to it.
  fw::FolderItemPtr FolderItemCopy;
  // Set while ClearMenus runs: the menus' Change handlers do nothing then.
  bool ProtectChange = false;

  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  // Names the menus and the digit fields after their columns, for screen readers.
  void NameForAccess();

  fw::TextField& UserPermTxtFld() const;
  fw::TextField& GroupPermTxtFld() const;
  fw::TextField& OthersPermTxtFld() const;
  fw::Label& UserPermLbl() const;
  PermissionsPupMnu& UserPermPupMnu() const;
  fw::Label& GrouppermLbl() const;
  fw::Label& OthersPermLbl() const;
  fw::Label& PermissionsLbl() const;
  PermissionsPupMnu& GroupPermPupMnu() const;
  PermissionsPupMnu& OthersPermPupMnu() const;
  fw::Timer& SetPermissionsTimer() const;

  void UserPermPupMnu_Change(PermissionsPupMnu& sender);
  void GroupPermPupMnu_Change(PermissionsPupMnu& sender);
  void OthersPermPupMnu_Change(PermissionsPupMnu& sender);
  void SetPermissionsTimer_Action(fw::Timer& sender);

  // Raised when a chosen mode did not reach its file (the timer's write, or a waiting one sent on
  // early): the file and why. After the timer's write the panel shows the digits the file kept.
  fw::Event<void(const fw::FolderItemPtr&, const fw::Outcome&)> WriteFailed;

  // Writes the shown digits to FolderItemCopy, keeping the file's bits above the nine.
  // Empty when nothing was written: no file, or a field that holds no digit.
  std::optional<fw::Outcome> ChangePermissions();
  // Writes the digits the user chose since the file was shown; the others stay as the file has
  // them now. Empty when nothing was written: no file, or no choice.
  std::optional<fw::Outcome> WriteChoice();
  // Blanks the fields and the menus; writes nothing, arms nothing.
  void ClearMenus();
  // "Utilisateur : 6 - Groupe : 4 - Autres : 4", from the fields.
  fw::String PermissionsReport() const;
  void SetFolderCopy(const fw::FolderItemPtr& item);
  // Shows FolderItemCopy's digits through the menus and arms no write (a choice still waiting is
  // written first); a file whose mode cannot be read leaves the panel blank.
  void SetFieldPermissions();

  bool ApplyProperty(std::string_view name, const fw::Value& v) override;

 private:
  void MenuChanged(PermissionsPupMnu& menu, fw::TextField& field);
  // Runs a write that the timer still holds, now.
  void FlushPendingWrite();
  // Shows the file's digits; a display is no choice.
  void ShowDigits();
  // True while a display sets the menus: their changes are no choice and arm nothing.
  bool showing_ = false;
  // The digits chosen since the last write: 4 owner, 2 group, 1 others.
  int chosen_ = 0;
};
