#include "app/MainMenuBar.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowDesign.h"

void MainWindow::Layout() {
  SetMenuBar(MainMenuBar::Instance());
  fw::ApplyDesign(*this, mainwindow_design::Window());
}

void MainWindow::CreateControls() { CreateControls0(); }

// Creates the controls one after the other: each is made, registered, designed and only then bound.
void MainWindow::CreateControls0() {}
