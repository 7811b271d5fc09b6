// The main window as it is built: its controls' classes, places, tab order, texts and limits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>
#include <typeinfo>

#include "framework/MessageDialog.h"
#include "mainwindow/MainWindow.h"
#include "support/AppFixture.h"
#include "support/Support.h"

namespace {

class MainWindowLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureApplication();
    fw::seams::ResetDialogs();
    w = &MainWindow::Instance();
  }
  void TearDown() override {
    fw::seams::ResetDialogs();
    w->Close();
    fw::DestroyClosedWindows();
  }
  fw::RectControl& Control(const char* name) const { return w->Find<fw::RectControl>(QString::fromLatin1(name)); }
  // Where a widget stands in the window's content area.
  QRect InContent(QWidget* widget) const {
    return QRect(widget->mapTo(w->ContentWidget(), QPoint(0, 0)), widget->size());
  }
  MainWindow* w = nullptr;
};

template <class T>
bool IsExactly(const fw::Control& c) {
  return typeid(c) == typeid(T);
}

enum Locks { L = 1, T = 2, R = 4, B = 8 };

TEST_F(MainWindowLayoutTest, TheControlsAreCreatedInOrderWithTheirClassPlaceLocksAndTabIndex) {
  const struct {
    const char* name;
    bool (*isClass)(const fw::Control&);
    int left, top, width, height, locks, tabIndex;
  } table[] = {
      {"FileLstBx", IsExactly<fw::Listbox>, 25, 50, 550, 160, L | T | R, 0},
      {"FileNameTxtFld", IsExactly<TabedTextField>, 140, 220, 360, 24, L | T, 1},
      {"FilExtTxtFld", IsExactly<TabedTextField>, 140, 257, 87, 24, L | T, 2},
      {"InfosLbl", IsExactly<fw::Label>, 25, 4, 550, 38, L | T, 10},
      {"NameLbl", IsExactly<fw::Label>, 25, 220, 100, 20, L | T, 11},
      {"ExtensionLbl", IsExactly<fw::Label>, 25, 260, 100, 20, L | T, 12},
      {"VisibleChkBx", IsExactly<fw::CheckBox>, 270, 260, 137, 20, L | T, 3},
      {"BottomMainWin1", IsExactly<BottomMainWin>, 0, 520, 600, 50, L | R | B, 13},
      {"AllExtBvlBtn", IsExactly<fw::BevelButton>, 518, 260, 62, 24, L | T, 14},
      {"CreationDateTxtFld", IsExactly<TabedDateField>, 140, 300, 87, 24, L | T, 4},
      {"CreationDateLbl", IsExactly<fw::Label>, 25, 303, 100, 20, L | T, 15},
      {"CreationTimeLbl", IsExactly<fw::Label>, 303, 303, 112, 20, L | T, 16},
      {"AllCreationDateBvlBtn", IsExactly<fw::BevelButton>, 518, 300, 62, 24, L | T, 17},
      {"CreationTimeTxtFld", IsExactly<TabedTimeField>, 420, 300, 80, 24, L | T, 5},
      {"ModifDateLbl", IsExactly<fw::Label>, 25, 343, 100, 20, L | T, 18},
      {"ModifDateTxtFld", IsExactly<TabedDateField>, 140, 340, 87, 24, L | T, 6},
      {"ModifTimeLbl", IsExactly<fw::Label>, 275, 343, 137, 20, L | T, 19},
      {"ModifTimeTxtFld", IsExactly<TabedTimeField>, 420, 340, 80, 24, L | T, 7},
      {"AllModifDateBvlBtn", IsExactly<fw::BevelButton>, 518, 340, 62, 24, L | T, 20},
      {"MacCreatorLbl", IsExactly<fw::Label>, 25, 383, 100, 20, L | T, 21},
      {"MacCreatorTxtFld", IsExactly<fw::TextField>, 140, 380, 87, 24, L | T, 8},
      {"PermissionsCtrCtl1", IsExactly<PermissionsCtrCtl>, 0, 420, 600, 90, L | T, 9},
      {"AllPermissionsBvlBtn", IsExactly<fw::BevelButton>, 518, 443, 62, 24, L | T, 22},
      {"CreatorInfosLbl", IsExactly<fw::Label>, 275, 381, 301, 20, L | T, 23},
  };
  ASSERT_EQ(w->ControlCount(), 24);
  for (int i = 0; i < 24; ++i) {
    const auto& c = table[i];
    SCOPED_TRACE(c.name);
    auto* r = dynamic_cast<fw::RectControl*>(w->ControlAt(i));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Name, c.name) << "creation order";
    EXPECT_TRUE(c.isClass(*r));
    EXPECT_EQ(r->Index, INT_MIN);
    EXPECT_EQ(QRect(r->Left(), r->Top(), r->Width(), r->Height()), QRect(c.left, c.top, c.width, c.height));
    EXPECT_EQ(r->Widget()->parentWidget(), w->ContentWidget());
    EXPECT_EQ(r->Widget()->geometry(), QRect(c.left, c.top, c.width, c.height)) << "where it is drawn";
    EXPECT_TRUE(r->Widget()->isVisible());
    EXPECT_EQ(r->LockLeft + 2 * r->LockTop + 4 * r->LockRight + 8 * r->LockBottom, c.locks);
    EXPECT_EQ(r->TabIndex, c.tabIndex);
  }
}

TEST_F(MainWindowLayoutTest, TheWindowKeepsItsSizeAndStartsEmpty) {
  EXPECT_EQ(w->Title(), QStringLiteral("Modification des propriétés des fichiers"));
  EXPECT_EQ(w->ContentWidget()->size(), QSize(600, 570));
  w->NativeWindow()->resize(800, 700);
  QApplication::processEvents();
  EXPECT_EQ(w->ContentWidget()->size(), QSize(600, 570)) << "an attempt to resize leaves it as it was";
  EXPECT_EQ(w->FileLstBx().ListCount(), 0);
  EXPECT_EQ(w->FileLstBx().ListIndex(), -1);
  for (fw::TextField* f :
       {static_cast<fw::TextField*>(&w->FileNameTxtFld()), static_cast<fw::TextField*>(&w->FilExtTxtFld()),
        static_cast<fw::TextField*>(&w->CreationDateTxtFld()), static_cast<fw::TextField*>(&w->CreationTimeTxtFld()),
        static_cast<fw::TextField*>(&w->ModifDateTxtFld()), static_cast<fw::TextField*>(&w->ModifTimeTxtFld()),
        &w->MacCreatorTxtFld()})
    EXPECT_EQ(f->Text(), QString()) << f->Name.toStdString();
  EXPECT_TRUE(w->VisibleChkBx().Value());
  EXPECT_EQ(w->EditedFolderItem, nullptr);
}

TEST_F(MainWindowLayoutTest, TextsHelpTagsAndLimits) {
  const QString heading = QString(52, QLatin1Char(' ')) + QStringLiteral("Noms des fichiers");
  const struct {
    const char* name;
    QString text;  // the heading, text or caption shown
    QString help;
    int limit;  // -1: not a text field
  } table[] = {
      {"FileLstBx", heading, QStringLiteral("Déposer ici vos fichiers pour modifier leurs propriétés."), -1},
      {"FileNameTxtFld", "", QStringLiteral("Modifier le nom du fichier sélectionné."), 0},
      {"FilExtTxtFld", "", QStringLiteral("Changer ici l'extension de vos fichiers"), 10},
      {"InfosLbl",
       QStringLiteral("Glissez-déposez ici vos fichiers (texte, images) dont vous voulez modifier les propriétés "
                      "(nom, extension, dates de création ou modification \u2026)"),
       "", -1},
      {"NameLbl", "Nom Fichier : ", "", -1},
      {"ExtensionLbl", "Extension : ", "", -1},
      {"VisibleChkBx", "Extension visible",
       "Permet de rendre visible/invisible l'extension de vos fichiers dans le Finder.", -1},
      {"AllExtBvlBtn", "Tous",
       QStringLiteral("Permet d'appliquer cette modification (extension) à tous les fichiers de la liste."), -1},
      {"CreationDateTxtFld", "", QStringLiteral("Permet de modifier la date de création du fichier sélectionné."), 10},
      {"CreationDateLbl", QStringLiteral("Date création : "), "", -1},
      {"CreationTimeLbl", QStringLiteral("Heure création : "), "", -1},
      {"AllCreationDateBvlBtn", "Tous",
       QStringLiteral("Permet de modifier la date et l'heure de création de tous les fichiers de la liste."), -1},
      {"CreationTimeTxtFld", "", QStringLiteral("Permet de modifier l'heure de création du fichier sélectionné."), 8},
      {"ModifDateLbl", "Date modif. : ", "", -1},
      {"ModifDateTxtFld", "", QStringLiteral("Permet de modifier la date de modification du fichier sélectionné."), 10},
      {"ModifTimeLbl", "Heure modification : ", "", -1},
      {"ModifTimeTxtFld", "", QStringLiteral("Permet de modifier l'heure de modification du fichier sélectionné."), 8},
      {"AllModifDateBvlBtn", "Tous",
       QStringLiteral("Permet de modifier la date et l'heure de modification de tous les fichiers de la liste."), -1},
      {"MacCreatorLbl", QStringLiteral("Code créateur : "), "", -1},
      {"MacCreatorTxtFld", "", "Les modification de ce champ ne sont pas prises en compte.", 10},
      {"AllPermissionsBvlBtn", "Tous",
       QStringLiteral("Permet d'appliquer les permissions sélectionnées à tous les fichiers de la liste."), -1},
      {"CreatorInfosLbl", QStringLiteral("Pour information. N'est plus utilisé par le Finder."), "", -1},
  };
  EXPECT_EQ(heading.size(), 69);
  for (const auto& c : table) {
    SCOPED_TRACE(c.name);
    fw::RectControl& r = Control(c.name);
    QString shown;
    if (auto* l = dynamic_cast<fw::Listbox*>(&r)) shown = l->Heading();
    else if (auto* f = dynamic_cast<fw::TextField*>(&r)) shown = f->Text();
    else if (auto* lb = dynamic_cast<fw::Label*>(&r)) shown = lb->Text();
    else if (auto* b = dynamic_cast<fw::CheckBox*>(&r)) shown = b->Caption();
    else if (auto* bb = dynamic_cast<fw::BevelButton*>(&r)) shown = bb->Caption();
    EXPECT_EQ(shown, c.text);
    EXPECT_EQ(r.HelpTag(), c.help);
    if (c.limit >= 0) {
      EXPECT_EQ(dynamic_cast<fw::TextField&>(r).LimitText(), c.limit);
    }
  }
  EXPECT_EQ(w->FileLstBx().Tree()->headerItem()->text(0), heading) << "the heading as drawn";
  EXPECT_TRUE(w->VisibleChkBx().Value());
  for (TabedDateField* d : {&w->CreationDateTxtFld(), &w->ModifDateTxtFld()}) EXPECT_FALSE(d->SelectAllText);
  for (TabedTimeField* t : {&w->CreationTimeTxtFld(), &w->ModifTimeTxtFld()}) EXPECT_FALSE(t->SelectAllText);
  for (auto* b :
       {&w->AllExtBvlBtn(), &w->AllCreationDateBvlBtn(), &w->AllModifDateBvlBtn(), &w->AllPermissionsBvlBtn()})
    EXPECT_NE(b->Icon(), nullptr) << b->Name.toStdString();
}

TEST_F(MainWindowLayoutTest, TheCreatorFieldCannotBeTypedInto) {
  ASSERT_TRUE(testsupport::ShowAndActivate(w->NativeWindow()));
  fw::TextField& f = w->MacCreatorTxtFld();
  EXPECT_FALSE(f.Enabled());
  f.SetFocus();
  QTest::keyClicks(f.LineEdit(), "ABCD");
  EXPECT_EQ(f.Text(), QString());
}

TEST_F(MainWindowLayoutTest, FontsColoursAndBold) {
  const fw::Color black{0, 0, 0}, infoRed{0xCC, 0x33, 0x00};
  const struct {
    const char* name;
    fw::Color color;
    bool bold, multiline;
  } labels[] = {
      {"InfosLbl", infoRed, false, true},         {"NameLbl", black, true, false},
      {"ExtensionLbl", black, true, false},       {"CreationDateLbl", black, true, false},
      {"CreationTimeLbl", black, true, false},    {"ModifDateLbl", black, true, false},
      {"ModifTimeLbl", black, true, false},       {"MacCreatorLbl", black, true, false},
      {"CreatorInfosLbl", infoRed, false, false},
  };
  for (const auto& c : labels) {
    SCOPED_TRACE(c.name);
    auto& l = w->Find<fw::Label>(QString::fromLatin1(c.name));
    EXPECT_EQ(l.TextColor(), c.color);
    EXPECT_EQ(l.Bold(), c.bold);
    EXPECT_EQ(l.QtLabel()->font().bold(), c.bold);
    EXPECT_EQ(l.Multiline(), c.multiline);
    EXPECT_EQ(l.QtLabel()->palette().color(QPalette::WindowText), QColor(c.color.Red, c.color.Green, c.color.Blue));
  }
  EXPECT_TRUE(w->VisibleChkBx().Bold());
  for (int i = 0; i < w->ControlCount(); ++i) {
    auto* r = dynamic_cast<fw::RectControl*>(w->ControlAt(i));
    if (dynamic_cast<fw::ContainerControl*>(r)) continue;
    SCOPED_TRACE(r->Name.toStdString());
    EXPECT_EQ(r->TextFont(), "Verdana");
    EXPECT_EQ(r->TextSize(), 12.0);
    EXPECT_EQ(r->TextUnit(), r->Name == "FileLstBx" ? 1 : 0);
    EXPECT_EQ(r->Widget()->font().families().value(0), "Verdana");
    EXPECT_EQ(r->Widget()->font().pixelSize(), 12);
  }
  EXPECT_TRUE(w->PermissionsCtrCtl1().HasBackColor());
  EXPECT_EQ(w->PermissionsCtrCtl1().BackColor(), (fw::Color{0xE6, 0xE6, 0xE6}));
  EXPECT_FALSE(w->PermissionsCtrCtl1().ProtectChange);
  EXPECT_TRUE(w->BottomMainWin1().HasBackColor());
  EXPECT_EQ(w->BottomMainWin1().BackColor(), (fw::Color{0xCC, 0xCC, 0xCC}));
}

// The panels are laid out for other widths; placed 600 wide, their controls stand here.
TEST_F(MainWindowLayoutTest, ThePanelsControlsStandAtTheirPlacedPositions) {
  const struct {
    fw::ContainerControl* panel;
    const char* name;
    QRect inPanel;
  } table[] = {
      {&w->PermissionsCtrCtl1(), "UserPermTxtFld", {127, 24, 35, 24}},
      {&w->PermissionsCtrCtl1(), "GroupPermTxtFld", {285, 24, 35, 24}},
      {&w->PermissionsCtrCtl1(), "OthersPermTxtFld", {449, 23, 35, 24}},
      {&w->PermissionsCtrCtl1(), "UserPermLbl", {107, 0, 76, 20}},
      {&w->PermissionsCtrCtl1(), "UserPermPupMnu", {67, 60, 150, 20}},
      {&w->PermissionsCtrCtl1(), "GrouppermLbl", {277, 0, 56, 20}},
      {&w->PermissionsCtrCtl1(), "OthersPermLbl", {439, -1, 56, 20}},
      {&w->PermissionsCtrCtl1(), "PermissionsLbl", {25, 23, 100, 24}},
      {&w->PermissionsCtrCtl1(), "GroupPermPupMnu", {229, 60, 150, 20}},
      {&w->PermissionsCtrCtl1(), "OthersPermPupMnu", {391, 60, 150, 20}},
      {&w->BottomMainWin1(), "StaticText4", {410, 5, 136, 15}},
      {&w->BottomMainWin1(), "linkGrelmot", {410, 27, 136, 15}},
      {&w->BottomMainWin1(), "txtAppInfo", {15, 5, 340, 15}},
      {&w->BottomMainWin1(), "linkAppUrl", {20, 27, 340, 15}},
      {&w->BottomMainWin1(), "Canvas1", {556, 10, 32, 32}},
      {&w->BottomMainWin1(), "Separator1", {0, 0, 605, 1}},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.name);
    auto& r = c.panel->Find<fw::RectControl>(QString::fromLatin1(c.name));
    EXPECT_EQ(InContent(r.Widget()), c.inPanel.translated(c.panel->Left(), c.panel->Top()));
  }
}

TEST_F(MainWindowLayoutTest, TabFollowsTheTabIndexesThroughThePermissionsPanel) {
  // The widgets that Tab reaches, in order from the list. The box stands outside the six fields'
  // ring (they pass Tab among themselves), before the button of its row, so the keyboard reaches it.
  QWidget* start = w->FileLstBx().Widget();
  QList<QWidget*> chain;
  for (QWidget* x = start; chain.size() < 200; x = x->nextInFocusChain()) {
    if (x->focusPolicy() & Qt::TabFocus) chain << x;
    if (x->nextInFocusChain() == start) break;
  }
  PermissionsCtrCtl& perms = w->PermissionsCtrCtl1();
  QList<QWidget*> expected = {
      w->FileLstBx().Widget(),
      w->FileNameTxtFld().Widget(),
      w->FilExtTxtFld().Widget(),
      w->CreationDateTxtFld().Widget(),
      w->CreationTimeTxtFld().Widget(),
      w->ModifDateTxtFld().Widget(),
      w->ModifTimeTxtFld().Widget(),
      w->MacCreatorTxtFld().Widget(),
      perms.UserPermTxtFld().Widget(),
      perms.GroupPermTxtFld().Widget(),
      perms.OthersPermTxtFld().Widget(),
      perms.UserPermPupMnu().Widget(),
      perms.GroupPermPupMnu().Widget(),
      perms.OthersPermPupMnu().Widget(),
      w->VisibleChkBx().Widget(),
      w->AllExtBvlBtn().Widget(),
      w->AllCreationDateBvlBtn().Widget(),
      w->AllModifDateBvlBtn().Widget(),
      w->AllPermissionsBvlBtn().Widget(),
  };
  EXPECT_EQ(chain, expected);

  // Real Tab presses where the window's order decides (the entry fields follow their own chain).
  ASSERT_TRUE(testsupport::ShowAndActivate(w->NativeWindow()));
  const struct {
    fw::RectControl* from;
    Qt::KeyboardModifiers modifiers;
    fw::RectControl* to;
  } presses[] = {
      {&w->FileLstBx(), Qt::NoModifier, &w->FileNameTxtFld()},
      {&perms.OthersPermPupMnu(), Qt::NoModifier, &w->VisibleChkBx()},
      {&w->VisibleChkBx(), Qt::NoModifier, &w->AllExtBvlBtn()},
      {&w->AllExtBvlBtn(), Qt::ShiftModifier, &w->VisibleChkBx()},
      {&w->AllModifDateBvlBtn(), Qt::NoModifier, &w->AllPermissionsBvlBtn()},
      {&w->AllPermissionsBvlBtn(), Qt::NoModifier, &w->FileLstBx()},
  };
  for (const auto& p : presses) {
    SCOPED_TRACE(p.from->Name.toStdString());
    p.from->SetFocus();
    ASSERT_EQ(QApplication::focusWidget(), p.from->Widget());
    QTest::keyClick(p.from->Widget(), p.modifiers ? Qt::Key_Backtab : Qt::Key_Tab, p.modifiers);
    EXPECT_EQ(QApplication::focusWidget(), p.to->Widget());
  }
}

TEST_F(MainWindowLayoutTest, ThePermissionsButtonLiesOverThePanelAndTakesItsClicks) {
  ASSERT_TRUE(testsupport::ShowAndActivate(w->NativeWindow()));
  testsupport::TempFolder dir;
  w->FileLstBx().DropFiles({fw::FolderItem::FromNativePath(dir.MakeFile("a.txt", "a", 0640))});
  w->FileLstBx().SetListIndex(0);
  QWidget* button = w->AllPermissionsBvlBtn().Widget();
  QPoint centre = InContent(button).center();
  ASSERT_TRUE(InContent(w->PermissionsCtrCtl1().Widget()).contains(centre));
  QWidget* hit = w->ContentWidget()->childAt(centre);
  ASSERT_EQ(hit, button) << "the button is on top of the panel";
  QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(w->ContentWidget(), centre));
  QApplication::processEvents();
  EXPECT_EQ(fw::seams::ShownDialogs().size(), 1u) << "its action ran and reported";
}

}  // namespace
