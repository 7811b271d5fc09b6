#include "controls/DateText.h"
#include "controls/TimeText.h"
#include "framework/Date.h"
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

const MainWindow::DatePair MainWindow::kCreationPair = {
    &MainWindow::CreationDateTxtFld,
    &MainWindow::CreationTimeTxtFld,
    &fw::FolderItem::CreationDate,
    &fw::FolderItem::SetCreationDate,
    "date de création",
    "Modification de la date de création",
    "La date de création des ",
    " fichiers a été modifiée avec succès",
    "Tous les fichiers ont maintenant la date et l'heure suivante - Date : ",
    "le système de fichiers n'enregistre pas de date de création pour ce fichier",
    kCreationTous,
};

const MainWindow::DatePair MainWindow::kModificationPair = {
    &MainWindow::ModifDateTxtFld,
    &MainWindow::ModifTimeTxtFld,
    &fw::FolderItem::ModificationDate,
    &fw::FolderItem::SetModificationDate,
    "date de modification",
    "Changement de la date de modification",
    "Changement de la date de modification réalisées sur ",
    " fichiers avec succès",
    "Tous les fichiers ont maintenant la date et l'heure de modification suivante - Date : ",
    nullptr,
    kModificationTous,
};

void MainWindow::ReportFailure(const String& what, const String& fileName, const fw::Outcome& outcome, int kind,
                               const std::function<void()>& refill) {
  String message = String::fromUtf8("Le fichier « %1 » n'a pas pu être modifié (%2).").arg(fileName, what);
  String explanation = outcome.Reason;
  const String title = String::fromUtf8("Modification impossible");
  // The window closing: this is the last moment to say it.
  if (Closed()) {
    FailureDialog(title, message, explanation);
    return;
  }
  // Not from inside the focus change that caused the write: the click that moved the focus ends
  // first, so that a "Tous" it pressed still reads what the user typed.
  std::weak_ptr<int> alive = alive_;
  const int runs = kind >= 0 ? tousRuns_[kind] : 0;
  fw::CallAfterClick([this, alive, title, message, explanation, kind, runs, refill] {
    if (alive.expired() || !IsOpen()) return;
    if (kind >= 0 && tousRuns_[kind] != runs) return;
    if (refill) refill();
    FailureDialog(title, message, explanation);
  });
}

void MainWindow::ShowText(fw::TextField& field, const String& text) {
  field.SetText(text);
  shown_[&field] = text;
}

void MainWindow::ShowDate(const DatePair& pair, const fw::FolderItem& file) {
  // A date the file system does not record, or a file gone since its drop, leaves the pair empty.
  std::optional<fw::Date> d = (file.*pair.Read)();
  ShowText((this->*pair.DateField)(), d ? d->ShortDate() : String());
  ShowText((this->*pair.TimeField)(), d ? d->LongTime() : String());
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
  // The row shows the name the file kept; the fields do once the report comes.
  FileLstBx().SetCell(row, 0, RowText(f->Name()));
  ReportFailure(QStringLiteral("nom"), oldName, o, kNameTous, [this, f, name, ext] {
    if (SelectedEditedFile() != f || FileNameTxtFld().Text() != name || FilExtTxtFld().Text() != ext) return;
    FileNameTxtFld().SetText(BaseName(f->Name()));
    FilExtTxtFld().SetText(ExtensionPart(f->Name()));
  });
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
  const String text = dateField.Text();
  if (!fw::ParseDate(text, d)) return std::nullopt;
  // The date field's own check would show one or two digits as a year of the 2000s; a longer year
  // is written as typed, because only that check shows its rewrite before anything is written.
  const std::string order = fw::DateOrder();
  const QStringList parts = text.split(QLatin1Char('/'));
  const size_t y = order.find('y');
  if (parts.size() == 3 && y < 3 && parts[int(y)].size() <= 2) d.SetYear(d.Year() + 2000);
  TimeParts t = SplitTimeText(timeField.Text());
  if (!TimeTextValid(t)) return std::nullopt;
  d.SetHour(t.Hour);
  d.SetMinute(t.Minute);
  d.SetSecond(t.Second);
  return d;
}

void MainWindow::WriteBackDate(const DatePair& pair, const fw::TextField& field) {
  fw::FolderItemPtr f = SelectedEditedFile();
  if (!f) return;
  // Only an edit writes: a field passed through leaves alone a date another program set since.
  if (field.Text() == shown_[&field]) return;
  TabedDateField& dateField = (this->*pair.DateField)();
  TabedTimeField& timeField = (this->*pair.TimeField)();
  std::optional<fw::Date> d = ChangeDateTime(dateField, timeField);
  if (!d) return;
  const String date = dateField.Text(), time = timeField.Text();
  std::optional<fw::Date> current = ((*f).*pair.Read)();
  // The date the file already holds, written otherwise (a two-digit year): nothing to change.
  fw::Outcome o = current && *d == *current ? fw::Outcome::Success() : ((*f).*pair.Write)(*d);
  if (o) {
    shown_[&dateField] = date;
    shown_[&timeField] = time;
    return;
  }
  ReportFailure(String::fromUtf8(pair.What), f->Name(), o, pair.Kind, [this, f, &pair, date, time] {
    // The pair shows the date the file kept, unless the user went on meanwhile.
    if (SelectedEditedFile() != f || (this->*pair.DateField)().Text() != date ||
        (this->*pair.TimeField)().Text() != time)
      return;
    ShowDate(pair, *f);
  });
}

void MainWindow::WriteFocusedEdit() {
  if (FileNameTxtFld().HasFocus() || FilExtTxtFld().HasFocus()) return RenameFromFields();
  for (const DatePair* pair : {&kCreationPair, &kModificationPair}) {
    for (fw::TextField* field : {static_cast<fw::TextField*>(&(this->*pair->DateField)()),
                                 static_cast<fw::TextField*>(&(this->*pair->TimeField)())})
      if (field->HasFocus()) return WriteBackDate(*pair, *field);
  }
}

void MainWindow::CreationDateTxtFld_LostFocus(TabedDateField& sender) { WriteBackDate(kCreationPair, sender); }
void MainWindow::CreationTimeTxtFld_LostFocus(TabedTimeField& sender) { WriteBackDate(kCreationPair, sender); }
void MainWindow::ModifDateTxtFld_LostFocus(TabedDateField& sender) { WriteBackDate(kModificationPair, sender); }
void MainWindow::ModifTimeTxtFld_LostFocus(TabedTimeField& sender) { WriteBackDate(kModificationPair, sender); }

// The permissions panel writes on its own timer; its failures are reported as the fields' are.
void MainWindow::PermissionsCtrCtl1_WriteFailed(PermissionsCtrCtl&, const fw::FolderItemPtr& file,
                                                const fw::Outcome& outcome) {
  ReportFailure(QStringLiteral("permissions"), file ? file->Name() : String(), outcome);
}
