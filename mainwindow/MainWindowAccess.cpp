#include "framework/Accessibility.h"
#include "mainwindow/MainWindow.h"

namespace {

// "Date modif. : " names its field "Date modif.".
fw::String FieldName(const fw::Label& label) {
  fw::String t = label.Text().trimmed();
  if (t.endsWith(QLatin1Char(':'))) t.chop(1);
  return t.trimmed();
}

}  // namespace

void MainWindow::SetUpAccess() {
  using fw::SetAccessibleName;
  // The heading is padded with blanks to stand centred; a screen reader needs only its words.
  SetAccessibleName(FileLstBx(), FileLstBx().Heading().trimmed());
  SetAccessibleName(FileNameTxtFld(), FieldName(NameLbl()));
  SetAccessibleName(FilExtTxtFld(), FieldName(ExtensionLbl()));
  SetAccessibleName(VisibleChkBx(), VisibleChkBx().Caption());
  SetAccessibleName(CreationDateTxtFld(), FieldName(CreationDateLbl()));
  SetAccessibleName(CreationTimeTxtFld(), FieldName(CreationTimeLbl()));
  SetAccessibleName(ModifDateTxtFld(), FieldName(ModifDateLbl()));
  SetAccessibleName(ModifTimeTxtFld(), FieldName(ModifTimeLbl()));
  SetAccessibleName(MacCreatorTxtFld(), FieldName(MacCreatorLbl()));

  // Four buttons say "Tous": each is named after what it applies, its caption first.
  const fw::String all = AllExtBvlBtn().Caption();
  SetAccessibleName(AllExtBvlBtn(), all + QStringLiteral(" : extension"));
  SetAccessibleName(AllCreationDateBvlBtn(), all + QStringLiteral(" : date et heure de création"));
  SetAccessibleName(AllModifDateBvlBtn(), all + QStringLiteral(" : date et heure de modification"));
  SetAccessibleName(AllPermissionsBvlBtn(), all + QStringLiteral(" : permissions"));

  // The six fields pass Tab round among themselves, so the box stands in the keyboard's order
  // outside their ring, just before the button of its own row.
  fw::PutInTabOrderBefore(VisibleChkBx(), AllExtBvlBtn());
}
