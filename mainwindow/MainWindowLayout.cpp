#include "app/MainMenuBar.h"
#include "app/Pictures.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowDesign.h"

using mainwindow_design::ForControl;

void MainWindow::Layout() {
  SetMenuBar(MainMenuBar::Instance());
  fw::ApplyDesign(*this, mainwindow_design::Window());
}

void MainWindow::CreateControls() { CreateControls0(); }

namespace {
// Every control but the panels gets its text size and unit before its design.
template <class T>
T& Designed(T& c, const char* name, int textUnit = 0) {
  c.SetTextSize(12.0);
  c.SetTextUnit(textUnit);
  fw::ApplyDesign(c, ForControl(name));
  return c;
}

template <class T>
T& DesignedButton(fw::ControlHost& host, const char* name) {
  auto& b = host.New<T>(QString::fromLatin1(name));
  b.SetIcon(Tous());
  return Designed(b, name);
}
}  // namespace

// Creates the controls one after the other: each is made, registered, designed and only then bound.
void MainWindow::CreateControls0() {
  auto& list = Designed(New<fw::Listbox>("FileLstBx"), "FileLstBx", 1);
  list.DropObject.Bind(this, &MainWindow::FileLstBx_DropObject);
  list.Open.Bind(this, &MainWindow::FileLstBx_Open);
  list.CellBackgroundPaint.Bind(this, &MainWindow::FileLstBx_CellBackgroundPaint);
  list.Change.Bind(this, &MainWindow::FileLstBx_Change);
  list.ContextualMenuAction.Bind(this, &MainWindow::FileLstBx_ContextualMenuAction);
  list.ConstructContextualMenu.Bind(this, &MainWindow::FileLstBx_ConstructContextualMenu);

  auto& name = Designed(New<TabedTextField>("FileNameTxtFld"), "FileNameTxtFld");
  name.LostFocus.Bind(this, &MainWindow::FileNameTxtFld_LostFocus);
  name.Open.Bind(this, &MainWindow::FileNameTxtFld_Open);

  auto& ext = Designed(New<TabedTextField>("FilExtTxtFld"), "FilExtTxtFld");
  ext.LostFocus.Bind(this, &MainWindow::FilExtTxtFld_LostFocus);
  ext.Open.Bind(this, &MainWindow::FilExtTxtFld_Open);

  Designed(New<fw::Label>("InfosLbl"), "InfosLbl");
  Designed(New<fw::Label>("NameLbl"), "NameLbl");
  Designed(New<fw::Label>("ExtensionLbl"), "ExtensionLbl");

  auto& visible = Designed(New<fw::CheckBox>("VisibleChkBx"), "VisibleChkBx");
  visible.Action.Bind(this, &MainWindow::VisibleChkBx_Action);

  fw::ApplyDesign(New<BottomMainWin>("BottomMainWin1"), ForControl("BottomMainWin1"));

  DesignedButton<fw::BevelButton>(*this, "AllExtBvlBtn").Action.Bind(this, &MainWindow::AllExtBvlBtn_Action);

  auto& cdate = Designed(New<TabedDateField>("CreationDateTxtFld"), "CreationDateTxtFld");
  cdate.LostFocus.Bind(this, &MainWindow::CreationDateTxtFld_LostFocus);
  cdate.Open.Bind(this, &MainWindow::CreationDateTxtFld_Open);

  Designed(New<fw::Label>("CreationDateLbl"), "CreationDateLbl");
  Designed(New<fw::Label>("CreationTimeLbl"), "CreationTimeLbl");

  DesignedButton<fw::BevelButton>(*this, "AllCreationDateBvlBtn")
      .Action.Bind(this, &MainWindow::AllCreationDateBvlBtn_Action);

  auto& ctime = Designed(New<TabedTimeField>("CreationTimeTxtFld"), "CreationTimeTxtFld");
  ctime.LostFocus.Bind(this, &MainWindow::CreationTimeTxtFld_LostFocus);
  ctime.Open.Bind(this, &MainWindow::CreationTimeTxtFld_Open);

  Designed(New<fw::Label>("ModifDateLbl"), "ModifDateLbl");

  auto& mdate = Designed(New<TabedDateField>("ModifDateTxtFld"), "ModifDateTxtFld");
  mdate.Open.Bind(this, &MainWindow::ModifDateTxtFld_Open);
  mdate.LostFocus.Bind(this, &MainWindow::ModifDateTxtFld_LostFocus);

  Designed(New<fw::Label>("ModifTimeLbl"), "ModifTimeLbl");

  auto& mtime = Designed(New<TabedTimeField>("ModifTimeTxtFld"), "ModifTimeTxtFld");
  mtime.LostFocus.Bind(this, &MainWindow::ModifTimeTxtFld_LostFocus);
  mtime.Open.Bind(this, &MainWindow::ModifTimeTxtFld_Open);

  DesignedButton<fw::BevelButton>(*this, "AllModifDateBvlBtn")
      .Action.Bind(this, &MainWindow::AllModifDateBvlBtn_Action);

  Designed(New<fw::Label>("MacCreatorLbl"), "MacCreatorLbl");
  Designed(New<fw::TextField>("MacCreatorTxtFld"), "MacCreatorTxtFld");

  auto& panel = New<PermissionsCtrCtl>("PermissionsCtrCtl1");
  fw::ApplyDesign(panel, ForControl("PermissionsCtrCtl1"));
  panel.WriteFailed.Bind(this, &MainWindow::PermissionsCtrCtl1_WriteFailed);

  DesignedButton<fw::BevelButton>(*this, "AllPermissionsBvlBtn")
      .Action.Bind(this, &MainWindow::AllPermissionsBvlBtn_Action);

  Designed(New<fw::Label>("CreatorInfosLbl"), "CreatorInfosLbl");
}

fw::Listbox& MainWindow::FileLstBx() const { return Find<fw::Listbox>("FileLstBx"); }
TabedTextField& MainWindow::FileNameTxtFld() const { return Find<TabedTextField>("FileNameTxtFld"); }
TabedTextField& MainWindow::FilExtTxtFld() const { return Find<TabedTextField>("FilExtTxtFld"); }
fw::Label& MainWindow::InfosLbl() const { return Find<fw::Label>("InfosLbl"); }
fw::Label& MainWindow::NameLbl() const { return Find<fw::Label>("NameLbl"); }
fw::Label& MainWindow::ExtensionLbl() const { return Find<fw::Label>("ExtensionLbl"); }
fw::CheckBox& MainWindow::VisibleChkBx() const { return Find<fw::CheckBox>("VisibleChkBx"); }
BottomMainWin& MainWindow::BottomMainWin1() const { return Find<BottomMainWin>("BottomMainWin1"); }
fw::BevelButton& MainWindow::AllExtBvlBtn() const { return Find<fw::BevelButton>("AllExtBvlBtn"); }
TabedDateField& MainWindow::CreationDateTxtFld() const { return Find<TabedDateField>("CreationDateTxtFld"); }
fw::Label& MainWindow::CreationDateLbl() const { return Find<fw::Label>("CreationDateLbl"); }
fw::Label& MainWindow::CreationTimeLbl() const { return Find<fw::Label>("CreationTimeLbl"); }
fw::BevelButton& MainWindow::AllCreationDateBvlBtn() const { return Find<fw::BevelButton>("AllCreationDateBvlBtn"); }
TabedTimeField& MainWindow::CreationTimeTxtFld() const { return Find<TabedTimeField>("CreationTimeTxtFld"); }
fw::Label& MainWindow::ModifDateLbl() const { return Find<fw::Label>("ModifDateLbl"); }
TabedDateField& MainWindow::ModifDateTxtFld() const { return Find<TabedDateField>("ModifDateTxtFld"); }
fw::Label& MainWindow::ModifTimeLbl() const { return Find<fw::Label>("ModifTimeLbl"); }
TabedTimeField& MainWindow::ModifTimeTxtFld() const { return Find<TabedTimeField>("ModifTimeTxtFld"); }
fw::BevelButton& MainWindow::AllModifDateBvlBtn() const { return Find<fw::BevelButton>("AllModifDateBvlBtn"); }
fw::Label& MainWindow::MacCreatorLbl() const { return Find<fw::Label>("MacCreatorLbl"); }
fw::TextField& MainWindow::MacCreatorTxtFld() const { return Find<fw::TextField>("MacCreatorTxtFld"); }
PermissionsCtrCtl& MainWindow::PermissionsCtrCtl1() const { return Find<PermissionsCtrCtl>("PermissionsCtrCtl1"); }
fw::BevelButton& MainWindow::AllPermissionsBvlBtn() const { return Find<fw::BevelButton>("AllPermissionsBvlBtn"); }
fw::Label& MainWindow::CreatorInfosLbl() const { return Find<fw::Label>("CreatorInfosLbl"); }
