#include "framework/Text.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/NameSplit.h"

using fw::String;

namespace {
// Lists at most this many files in a report; the count says the rest.
constexpr size_t kListedFailures = 20;
}  // namespace

void MainWindow::ReportPartial(const String& title, int changed, int rows, const std::vector<Failure>& failures) {
  String message = String::fromUtf8("%1 fichier(s) sur %2 modifié(s) ; %3 n'ont pas pu l'être.")
                       .arg(changed)
                       .arg(rows)
                       .arg(failures.size());
  QStringList lines;
  for (size_t i = 0; i < failures.size() && i < kListedFailures; ++i)
    lines << String::fromUtf8("« %1 » : %2").arg(failures[i].Name, failures[i].Reason);
  if (failures.size() > kListedFailures)
    lines << String::fromUtf8("… et %1 autre(s).").arg(failures.size() - kListedFailures);
  InfoDialog(title, message, lines.join(QLatin1Char('\n')), false);
}

void MainWindow::AllExtBvlBtn_Action(fw::BevelButton& sender) {
  fw::Listbox& list = FileLstBx();
  if (list.ListIndex() == -1) return;
  sender.SetEnabled(false);
  String ext = FilExtTxtFld().Text();
  bool visible = VisibleChkBx().Value();
  int selected = list.ListIndex();
  int changed = 0;
  std::vector<Failure> failures;
  for (int row = 0; row < list.ListCount(); ++row) {
    fw::FolderItemPtr f = RowFile(list, row);
    if (!f) continue;
    String oldName = f->Name();
    String base = BaseName(oldName);
    // The base name keeps its bytes even where they are not UTF-8.
    fw::Outcome renamed = f->SetNameBytes(ComposedName(f->NameBytes(), base, ext));
    fw::Outcome shown = renamed ? f->SetExtensionVisible(visible) : renamed;
    if (renamed && shown) {
      ++changed;
      list.SetCell(row, 0, visible ? base + ext : base);
    } else {
      failures.push_back({oldName, renamed ? shown.Reason : renamed.Reason});
      list.SetCell(row, 0, RowText(f->Name()));
    }
  }
  list.SetListIndex(selected);
  // The fields show the name and state the selected file now has; they differ from what was
  // applied only when it did not take the change.
  fw::FolderItemPtr edited = SelectedEditedFile();
  if (edited && edited->Name() != FileNameTxtFld().Text() + FilExtTxtFld().Text()) {
    FileNameTxtFld().SetText(BaseName(edited->Name()));
    FilExtTxtFld().SetText(ExtensionPart(edited->Name()));
  }
  if (edited) VisibleChkBx().SetValue(edited->ExtensionVisible());
  list.Invalidate(true);
  // This action has no report of its own: it speaks only when a file did not take the change.
  if (!failures.empty())
    ReportPartial(QStringLiteral("Modification de l'extension"), changed, list.ListCount(), failures);
  sender.SetEnabled(true);
}

void MainWindow::ApplyDateToAll(bool creation) {
  fw::Listbox& list = FileLstBx();
  TabedDateField& dateField = creation ? CreationDateTxtFld() : ModifDateTxtFld();
  TabedTimeField& timeField = creation ? CreationTimeTxtFld() : ModifTimeTxtFld();
  int changed = 0;
  bool editedFailed = false;
  std::vector<Failure> failures;
  // Nothing in the loop touches the fields, so every file gets this one date; building it once
  // keeps a long list from paying a clock and time-zone lookup per file.
  const std::optional<fw::Date> d = ChangeDateTime(dateField, timeField);
  for (int row = 0; row < list.ListCount(); ++row) {
    fw::FolderItemPtr f = RowFile(list, row);
    if (!f) continue;
    if (!d) {
      failures.push_back({f->Name(), String::fromUtf8("la date ou l'heure saisie n'est pas valide")});
      continue;
    }
    fw::Outcome o = creation ? f->SetCreationDate(*d) : f->SetModificationDate(*d);
    if (o) {
      ++changed;
      continue;
    }
    failures.push_back({f->Name(), o.Reason});
    if (f == SelectedEditedFile()) editedFailed = true;
  }
  if (editedFailed) {
    // The pair shows the date the selected file kept.
    std::optional<fw::Date> kept = creation ? EditedFolderItem->CreationDate() : EditedFolderItem->ModificationDate();
    dateField.SetText(kept ? kept->ShortDate() : String());
    timeField.SetText(kept ? kept->LongTime() : String());
  }
  String n = fw::Str(list.ListCount());
  String title = creation ? String::fromUtf8("Modification de la date de création")
                          : QStringLiteral("Changement de la date de modification");
  if (!failures.empty()) {
    ReportPartial(title, changed, list.ListCount(), failures);
    return;
  }
  if (creation)
    InfoDialog(title, String::fromUtf8("La date de création des ") + n + String::fromUtf8(" fichiers a été modifiée avec succès"),
               String::fromUtf8("Tous les fichiers ont maintenant la date et l'heure suivante - Date : ") +
                   dateField.Text() + QStringLiteral(" - Heure : ") + timeField.Text(),
               false);
  else
    InfoDialog(title, String::fromUtf8("Changement de la date de modification réalisées sur ") + n +
                          QStringLiteral(" fichiers avec succès"),
               String::fromUtf8("Tous les fichiers ont maintenant la date et l'heure de modification suivante - Date : ") +
                   dateField.Text() + QStringLiteral(" - Heure : ") + timeField.Text(),
               false);
}

void MainWindow::AllCreationDateBvlBtn_Action(fw::BevelButton& sender) {
  if (FileLstBx().ListIndex() == -1) return;
  sender.SetEnabled(false);
  ApplyDateToAll(true);
  sender.SetEnabled(true);
}

void MainWindow::AllModifDateBvlBtn_Action(fw::BevelButton& sender) {
  if (FileLstBx().ListIndex() == -1) return;
  sender.SetEnabled(false);
  ApplyDateToAll(false);
  sender.SetEnabled(true);
}

void MainWindow::AllPermissionsBvlBtn_Action(fw::BevelButton& sender) {
  fw::Listbox& list = FileLstBx();
  if (list.ListIndex() == -1) return;
  sender.SetEnabled(false);
  PermissionsCtrCtl& panel = PermissionsCtrCtl1();
  int changed = 0;
  std::vector<Failure> failures;
  for (int row = 0; row < list.ListCount(); ++row) {
    fw::FolderItemPtr f = RowFile(list, row);
    panel.SetFolderCopy(f);
    if (!f) continue;
    std::optional<fw::Outcome> o = panel.ChangePermissions();
    if (o && *o) ++changed;
    else failures.push_back({f->Name(), o ? o->Reason : String::fromUtf8("aucune permission n'est choisie")});
  }
  panel.SetFolderCopy(EditedFolderItem);
  String title = QStringLiteral("Modification des permissions de fichiers");
  if (!failures.empty())
    ReportPartial(title, changed, list.ListCount(), failures);
  else
    InfoDialog(title, QStringLiteral("Modification des permissions de ") + fw::Str(list.ListCount()) +
                          QStringLiteral(" fichiers avec succès"),
               QStringLiteral("Tous les fichiers ont maintenant les permissions suivantes - ") + panel.PermissionsReport(),
               false);
  sender.SetEnabled(true);
}
