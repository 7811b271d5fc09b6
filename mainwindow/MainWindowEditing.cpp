#include "controls/DateText.h"
#include "controls/TimeText.h"
#include "framework/System.h"
#include "framework/Text.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/NameSplit.h"

using fw::String;

// The focus cycle: name, extension, creation date and time, modification date and time, name.
void MainWindow::FileNameTxtFld_Open(TabedTextField& sender) { sender.ChampSuivant = &FilExtTxtFld(); }
void MainWindow::FilExtTxtFld_Open(TabedTextField& sender) { sender.ChampSuivant = &CreationDateTxtFld(); }
void MainWindow::CreationDateTxtFld_Open(TabedDateField& sender) { sender.ChampSuivant = &CreationTimeTxtFld(); }
void MainWindow::CreationTimeTxtFld_Open(TabedTimeField& sender) { sender.ChampSuivant = &ModifDateTxtFld(); }
void MainWindow::ModifDateTxtFld_Open(TabedDateField& sender) { sender.ChampSuivant = &ModifTimeTxtFld(); }
void MainWindow::ModifTimeTxtFld_Open(TabedTimeField& sender) { sender.ChampSuivant = &FileNameTxtFld(); }

fw::FolderItemPtr MainWindow::SelectedEditedFile() const {
  const fw::Listbox& list = FileLstBx();
  if (list.ListIndex() <= -1 || !EditedFolderItem) return nullptr;
  // Writes go only to the file the fields were filled from, and that is the selected row's.
  if (RowFile(list, list.ListIndex()) != EditedFolderItem) return nullptr;
  return EditedFolderItem;
}

void MainWindow::ReportFailure(const String& what, const String& fileName, const fw::Outcome& outcome) {
  // Not from inside the focus change that caused the write: the report waits for it to finish.
  String message = String::fromUtf8("Le fichier « %1 » n'a pas pu être modifié (%2).").arg(fileName, what);
  String explanation = outcome.Reason;
  std::weak_ptr<int> alive = alive_;
  fw::CallLater([this, alive, message, explanation] {
    if (alive.expired() || !IsOpen()) return;
    InfoDialog(String::fromUtf8("Modification impossible"), message, explanation, false);
  });
}

void MainWindow::RenameFromFields() {
  fw::FolderItemPtr f = SelectedEditedFile();
  if (!f) return;
  int row = FileLstBx().ListIndex();
  String oldName = f->Name();
  String name = FileNameTxtFld().Text();
  String ext = FilExtTxtFld().Text();
  // Unchanged fields leave the file alone, and an unchanged part keeps its bytes.
  QByteArray target = ComposedName(f->NameBytes(), name, ext);
  fw::Outcome o = target == f->NameBytes() ? fw::Outcome::Success() : f->SetNameBytes(target);
  if (o) {
    FileLstBx().SetCell(row, 0, VisibleChkBx().Value() ? name + ext : name);
    return;
  }
  // The row and the fields show the name the file kept.
  FileLstBx().SetCell(row, 0, RowText(f->Name()));
  FileNameTxtFld().SetText(BaseName(f->Name()));
  FilExtTxtFld().SetText(ExtensionPart(f->Name()));
  ReportFailure(QStringLiteral("nom"), oldName, o);
}

void MainWindow::FileNameTxtFld_LostFocus(TabedTextField&) { RenameFromFields(); }
void MainWindow::FilExtTxtFld_LostFocus(TabedTextField&) { RenameFromFields(); }

void MainWindow::VisibleChkBx_Action(fw::CheckBox& sender) {
  fw::FolderItemPtr f = SelectedEditedFile();
  if (!f) return;
  fw::Outcome o = f->SetExtensionVisible(sender.Value());
  if (!o) {
    sender.SetValue(f->ExtensionVisible());
    ReportFailure(QStringLiteral("extension visible"), f->Name(), o);
  }
  String name = f->Name();
  FileLstBx().SetCell(FileLstBx().ListIndex(), 0, RowText(name));
}

std::optional<fw::Date> MainWindow::ChangeDateTime(TabedDateField& dateField, TabedTimeField& timeField) {
  fw::Date d;
  if (!fw::ParseDate(dateField.Text(), d)) return std::nullopt;
  // The year as the date field would have written it, and only a time the time field accepts.
  d.SetYear(ApplyYearRule(d.Year()));
  TimeParts t = SplitTimeText(timeField.Text());
  if (!TimeTextValid(t)) return std::nullopt;
  d.SetHour(t.Hour);
  d.SetMinute(t.Minute);
  d.SetSecond(t.Second);
  return d;
}

void MainWindow::WriteBackDate(bool creation, const fw::TextField& field, bool dateField) {
  fw::FolderItemPtr f = SelectedEditedFile();
  if (!f) return;
  std::optional<fw::Date> current = creation ? f->CreationDate() : f->ModificationDate();
  String shown = current ? (dateField ? current->ShortDate() : current->LongTime()) : String();
  if (shown == field.Text()) return;
  std::optional<fw::Date> d = creation ? ChangeDateTime(CreationDateTxtFld(), CreationTimeTxtFld())
                                       : ChangeDateTime(ModifDateTxtFld(), ModifTimeTxtFld());
  // The date the file already holds, written otherwise (a two-digit year): nothing to change.
  if (!d || (current && *d == *current)) return;
  fw::Outcome o = creation ? f->SetCreationDate(*d) : f->SetModificationDate(*d);
  if (o) return;
  // The pair shows the date the file kept.
  std::optional<fw::Date> kept = creation ? f->CreationDate() : f->ModificationDate();
  fw::TextField& dateText = creation ? static_cast<fw::TextField&>(CreationDateTxtFld()) : ModifDateTxtFld();
  fw::TextField& timeText = creation ? static_cast<fw::TextField&>(CreationTimeTxtFld()) : ModifTimeTxtFld();
  dateText.SetText(kept ? kept->ShortDate() : String());
  timeText.SetText(kept ? kept->LongTime() : String());
  ReportFailure(creation ? String::fromUtf8("date de création") : QStringLiteral("date de modification"), f->Name(), o);
}

void MainWindow::CreationDateTxtFld_LostFocus(TabedDateField& sender) { WriteBackDate(true, sender, true); }
void MainWindow::CreationTimeTxtFld_LostFocus(TabedTimeField& sender) { WriteBackDate(true, sender, false); }
void MainWindow::ModifDateTxtFld_LostFocus(TabedDateField& sender) { WriteBackDate(false, sender, true); }
void MainWindow::ModifTimeTxtFld_LostFocus(TabedTimeField& sender) { WriteBackDate(false, sender, false); }

// The permissions panel writes on its own timer; its failures are reported as the fields' are.
void MainWindow::PermissionsCtrCtl1_WriteFailed(PermissionsCtrCtl&, const fw::FolderItemPtr& file,
                                                const fw::Outcome& outcome) {
  ReportFailure(QStringLiteral("permissions"), file ? file->Name() : String(), outcome);
}
