#include <cerrno>

#include "framework/Text.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/NameSplit.h"

using fw::String;

namespace {
// Lists at most this many files in a report; the count says the rest.
constexpr size_t kListedFailures = 20;
}  // namespace

void MainWindow::ReportPartial(const String& title, const char* verb, int changed, int rows,
                               const std::vector<Failure>& failures, const String& firstLine,
                               const std::vector<Failure>& afterwards) {
  const bool many = changed > 1;
  String message = QStringLiteral("%1 %2 sur %3 %4%5")
                       .arg(changed)
                       .arg(many ? QStringLiteral("fichiers") : QStringLiteral("fichier"))
                       .arg(rows)
                       .arg(String::fromUtf8(verb), many ? QStringLiteral("s") : String());
  if (failures.size() == 1) message += String::fromUtf8(" ; 1 n'a pas pu l'être");
  else if (!failures.empty()) message += String::fromUtf8(" ; %1 n'ont pas pu l'être").arg(failures.size());
  if (!afterwards.empty())
    message += String::fromUtf8(" ; l'extension visible de %1 n'a pas pu être changée").arg(afterwards.size());
  message += QLatin1Char('.');
  QStringList lines;
  if (!firstLine.isEmpty()) lines << firstLine;
  size_t listed = 0;
  for (const Failure& f : failures)
    if (listed++ < kListedFailures) lines << String::fromUtf8("« %1 » : %2").arg(f.Name, f.Reason);
  for (const Failure& f : afterwards)
    if (listed++ < kListedFailures)
      lines << String::fromUtf8("« %1 » : renommé, mais son extension visible n'a pas pu être changée : %2")
                   .arg(f.Name, f.Reason);
  if (listed > kListedFailures) {
    const size_t more = listed - kListedFailures;
    lines << (more == 1 ? String::fromUtf8("… et 1 autre.") : String::fromUtf8("… et %1 autres.").arg(more));
  }
  FailureDialog(title, message, lines.join(QLatin1Char('\n')));
}

void MainWindow::AllExtBvlBtn_Action(fw::BevelButton& sender) {
  fw::Listbox& list = FileLstBx();
  if (list.ListIndex() == -1) return;
  sender.SetEnabled(false);
  const fw::FolderItemPtr edited = SelectedEditedFile();
  String ext = FilExtTxtFld().Text();
  bool visible = VisibleChkBx().Value();
  int selected = list.ListIndex();
  int renamed = 0;
  std::vector<Failure> failures, flagFailures;
  for (int row = 0; row < list.ListCount(); ++row) {
    fw::FolderItemPtr f = RowFile(list, row);
    if (!f) continue;
    String oldName = f->Name();
    String base = BaseName(oldName);
    // The base name keeps its bytes even where they are not UTF-8.
    fw::Outcome o = f->SetNameBytes(ComposedName(f->NameBytes(), base, ext));
    if (!o) {
      failures.push_back({oldName, o.Reason});
      list.SetCell(row, 0, RowText(f->Name()));
      // A rename refused when the click left a name field is reported here, with the others.
      if (f == edited) ++tousRuns_[kNameTous];
      continue;
    }
    // Renamed, whatever its Finder info does next.
    ++renamed;
    fw::Outcome shown = f->SetExtensionVisible(visible);
    if (shown) {
      list.SetCell(row, 0, visible ? base + ext : base);
    } else {
      flagFailures.push_back({f->Name(), shown.Reason});
      list.SetCell(row, 0, RowText(f->Name()));
    }
  }
  list.SetListIndex(selected);
  // The fields show the name and state the selected file now has; they differ from what was
  // applied only when it did not take the change.
  if (edited && edited->Name() != FileNameTxtFld().Text() + FilExtTxtFld().Text()) {
    FileNameTxtFld().SetText(BaseName(edited->Name()));
    FilExtTxtFld().SetText(ExtensionPart(edited->Name()));
  }
  if (edited) VisibleChkBx().SetValue(edited->ExtensionVisible());
  list.Invalidate(true);
  // This action has no report of its own: it speaks only when a file did not take the change.
  if (!failures.empty() || !flagFailures.empty())
    ReportPartial(QStringLiteral("Modification de l'extension"), "renommé", renamed, list.ListCount(), failures, {},
                  flagFailures);
  sender.SetEnabled(true);
}

void MainWindow::ApplyDateToAll(const DatePair& pair) {
  // A write refused when the click left one of these fields is reported here, with the others.
  ++tousRuns_[pair.Kind];
  fw::Listbox& list = FileLstBx();
  TabedDateField& dateField = (this->*pair.DateField)();
  TabedTimeField& timeField = (this->*pair.TimeField)();
  int changed = 0;
  std::optional<fw::Date> held;
  std::vector<Failure> failures;
  // Nothing in the loop touches the fields, so every file gets this one date; building it once
  // keeps a long list from paying a clock and time-zone lookup per file.
  const std::optional<fw::Date> d = ChangeDateTime(dateField, timeField);
  for (int row = 0; row < list.ListCount(); ++row) {
    fw::FolderItemPtr f = RowFile(list, row);
    if (!f) continue;
    fw::Outcome o = d ? ((*f).*pair.Write)(*d)
                      : fw::Outcome::Failure(EINVAL, String::fromUtf8("la date ou l'heure saisie n'est pas valide"));
    if (o) {
      ++changed;
      if (!held) held = ((*f).*pair.Read)();
      continue;
    }
    // A file system that records no such date: that is the reason, whatever was typed.
    if (pair.Missing && f->Exists() && !((*f).*pair.Read)()) o.Reason = String::fromUtf8(pair.Missing);
    failures.push_back({f->Name(), o.Reason});
  }
  // The pair shows what the selected file now holds: the date written, or the one it kept.
  fw::FolderItemPtr edited = SelectedEditedFile();
  if (edited && d) ShowDate(pair, *edited);
  // The report quotes the date as the files now hold it, which the fields may have written otherwise.
  if (!held) held = d;
  const String date = held ? held->ShortDate() : String(), time = held ? held->LongTime() : String();
  const String now = String::fromUtf8(pair.Now) + date + QStringLiteral(" - Heure : ") + time;
  const String title = String::fromUtf8(pair.Title);
  if (!failures.empty()) {
    String firstLine;
    if (changed > 0)
      firstLine = String::fromUtf8("Les fichiers modifiés ont maintenant la date et l'heure suivante - Date : ") +
                  date + QStringLiteral(" - Heure : ") + time;
    ReportPartial(title, "modifié", changed, list.ListCount(), failures, firstLine);
    return;
  }
  InfoDialog(title, String::fromUtf8(pair.DoneBefore) + fw::Str(list.ListCount()) + String::fromUtf8(pair.DoneAfter),
             now, false);
}

void MainWindow::AllCreationDateBvlBtn_Action(fw::BevelButton& sender) {
  if (FileLstBx().ListIndex() == -1) return;
  sender.SetEnabled(false);
  ApplyDateToAll(kCreationPair);
  sender.SetEnabled(true);
}

void MainWindow::AllModifDateBvlBtn_Action(fw::BevelButton& sender) {
  if (FileLstBx().ListIndex() == -1) return;
  sender.SetEnabled(false);
  ApplyDateToAll(kModificationPair);
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
  if (!failures.empty()) ReportPartial(title, "modifié", changed, list.ListCount(), failures);
  else
    InfoDialog(
        title,
        QStringLiteral("Modification des permissions de ") + fw::Str(list.ListCount()) +
            QStringLiteral(" fichiers avec succès"),
        QStringLiteral("Tous les fichiers ont maintenant les permissions suivantes - ") + panel.PermissionsReport(),
        false);
  sender.SetEnabled(true);
}
