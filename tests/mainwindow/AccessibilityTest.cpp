// What a screen reader hears: every field, menu and button named after what the window shows.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include "mainwindow/MainWindow.h"
#include "support/AppFixture.h"

namespace {

QString NameOf(fw::RectControl& c) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c.Widget());
  return a ? a->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

TEST(Accessibility, FieldsMenusButtonsAndTheListAreNamedAfterTheirLabels) {
  testsupport::EnsureApplication();
  MainWindow& w = MainWindow::Instance();
  PermissionsCtrCtl& perms = w.PermissionsCtrCtl1();
  // A row shown in the menus, so a name taken from the current row would show.
  perms.UserPermPupMnu().SetListIndex(7);
  const struct {
    fw::RectControl* control;
    const char* name;
  } table[] = {
      {&w.FileLstBx(), "Noms des fichiers"},
      {&w.FileNameTxtFld(), "Nom Fichier"},
      {&w.FilExtTxtFld(), "Extension"},
      {&w.VisibleChkBx(), "Extension visible"},
      {&w.CreationDateTxtFld(), "Date création"},
      {&w.CreationTimeTxtFld(), "Heure création"},
      {&w.ModifDateTxtFld(), "Date modif."},
      {&w.ModifTimeTxtFld(), "Heure modification"},
      {&w.MacCreatorTxtFld(), "Code créateur"},
      {&w.AllExtBvlBtn(), "Tous : extension"},
      {&w.AllCreationDateBvlBtn(), "Tous : date et heure de création"},
      {&w.AllModifDateBvlBtn(), "Tous : date et heure de modification"},
      {&w.AllPermissionsBvlBtn(), "Tous : permissions"},
      {&perms.UserPermPupMnu(), "Utilisateur"},
      {&perms.GroupPermPupMnu(), "Groupe"},
      {&perms.OthersPermPupMnu(), "Autres"},
      {&perms.UserPermTxtFld(), "Utilisateur (chiffre)"},
      {&perms.GroupPermTxtFld(), "Groupe (chiffre)"},
      {&perms.OthersPermTxtFld(), "Autres (chiffre)"},
  };
  for (const auto& row : table)
    EXPECT_EQ(NameOf(*row.control), QString::fromUtf8(row.name)) << row.control->Name.toStdString();
  // A menu's row is its value.
  QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(perms.UserPermPupMnu().Widget());
  EXPECT_EQ(menu->text(QAccessible::Value), "Lecture, Ecriture, Exécution");
  EXPECT_EQ(menu->role(), QAccessible::ComboBox);
  // The buttons still show "Tous".
  EXPECT_EQ(w.AllPermissionsBvlBtn().Caption(), "Tous");
  w.Close();
  fw::DestroyClosedWindows();
}

}  // namespace
