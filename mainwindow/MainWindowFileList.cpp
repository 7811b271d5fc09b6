#include "app/FileTypes1.h"
#include "framework/Picture.h"
#include "framework/System.h"
#include "framework/Text.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowDesign.h"
#include "mainwindow/NameSplit.h"

using fw::String;

namespace {
const fw::Color kEvenRow{0xF3, 0xF6, 0xFA};
}  // namespace

fw::FolderItemPtr MainWindow::RowFile(const fw::Listbox& list, int row) {
  std::any tag = list.RowTag(row);
  if (auto* f = std::any_cast<fw::FolderItemPtr>(&tag)) return *f;
  return nullptr;
}

void MainWindow::FileLstBx_Open(fw::Listbox& sender) {
  sender.AcceptFileDrop(FileTypes1::All());
  // The duplicate test looks the base name up before it searches the rows.
  sender.SetRowKey(BaseName);
}

String MainWindow::RowText(const String& name) const { return VisibleChkBx().Value() ? name : BaseName(name); }

void MainWindow::SetTitleForRows() {
  int n = FileLstBx().ListCount();
  String title = String::fromUtf8(mainwindow_design::kTitle);
  if (n > 0) title += QStringLiteral(" - ") + fw::Str(n) + QStringLiteral(" fichier(s)");
  SetTitle(title);
}

void MainWindow::FileLstBx_DropObject(fw::Listbox& sender, fw::DragItem& obj, int) {
  if (!obj.FolderItemAvailable()) return;
  // A drop takes no focus, yet it can select another row: the edit in hand goes first to its file.
  WriteFocusedEdit();
  do {
    if (!obj.FolderItemAvailable()) continue;
    fw::FolderItemPtr f = obj.FolderItem();
    if (VerifyFileExist(f, sender)) {
      fw::Beep();
      continue;
    }
    sender.AddRow(RowText(f->Name()));
    sender.SetRowTag(sender.LastIndex(), f);
  } while (obj.NextItem());
  SetTitleForRows();
}

bool MainWindow::VerifyFileExist(const fw::FolderItemPtr& file, fw::Listbox& list) {
  if (list.ListCount() == 0) return false;
  String key = BaseName(fw::Deref(file).Name());
  if (!list.HasRowWithKey(key)) return false;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (BaseName(list.List(i)) == key) {
      list.SetListIndex(i);
      return true;
    }
  }
  return false;
}

void MainWindow::FileLstBx_Change(fw::Listbox& sender) {
  if (sender.ListIndex() <= -1) {
    // With no row selected the menus stand for no file: a choice made then writes nothing.
    PermissionsCtrCtl1().SetFolderCopy(nullptr);
    ClearAllFields();
    return;
  }
  EditedFolderItem = RowFile(sender, sender.ListIndex());
  PermissionsCtrCtl1().SetFolderCopy(EditedFolderItem);
  if (!EditedFolderItem) return;
  ShowEditedFile();
}

void MainWindow::ShowEditedFile() {
  const fw::FolderItem& f = *EditedFolderItem;
  String name = f.Name();
  FileNameTxtFld().SetText(BaseName(name));
  FilExtTxtFld().SetText(ExtensionPart(name));
  VisibleChkBx().SetValue(f.ExtensionVisible());
  ShowDate(kCreationPair, f);
  ShowDate(kModificationPair, f);
  MacCreatorTxtFld().SetText(f.MacCreator());
  PermissionsCtrCtl1().SetFieldPermissions();
}

void MainWindow::ClearAllFields() {
  if (FileLstBx().ListIndex() > -1) return;
  shown_.clear();
  for (int i = 0; i < ControlCount(); ++i) {
    fw::Control* c = ControlAt(i);
    if (auto* t = dynamic_cast<fw::TextField*>(c)) t->SetText(String());
    else if (auto* b = dynamic_cast<fw::CheckBox*>(c)) b->SetValue(false);
  }
  PermissionsCtrCtl1().ClearMenus();
}

bool MainWindow::FileLstBx_CellBackgroundPaint(fw::Listbox&, fw::Graphics& g, int row, int) {
  if (row % 2 == 0) {
    g.SetForeColor(kEvenRow);
    g.FillRect(0, 0, g.Width(), g.Height());
  }
  return false;
}

bool MainWindow::FileLstBx_ConstructContextualMenu(fw::Listbox& sender, fw::MenuItem& base, int, int) {
  if (sender.ListCount() == 0) return false;
  base.Append(std::make_shared<fw::MenuItem>(String::fromUtf8("Supprimer sélection")));
  base.Append(std::make_shared<fw::MenuItem>(QStringLiteral("-")));
  base.Append(std::make_shared<fw::MenuItem>(QStringLiteral("Supprimer tout")));
  return true;
}

bool MainWindow::FileLstBx_ContextualMenuAction(fw::Listbox& sender, fw::MenuItem* hitItem) {
  if (hitItem) {
    if (sender.ListIndex() > -1 && hitItem->Text == String::fromUtf8("Supprimer sélection"))
      sender.RemoveRow(sender.ListIndex());
    if (sender.ListCount() > 0 && hitItem->Text == QLatin1String("Supprimer tout")) {
      if (InfoDialog(QStringLiteral("Suppression de tous les fichiers"),
                     QStringLiteral("Voulez-vous vraiment supprimer Tous les fichiers ?"),
                     String::fromUtf8("Cette option supprimera l'ensemble des fichiers importés"), true))
        sender.DeleteAllRows();
    }
  }
  ClearAllFields();
  SetTitleForRows();
  return true;
}
