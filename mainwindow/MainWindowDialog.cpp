#include "framework/MessageDialog.h"
#include "mainwindow/MainWindow.h"

bool MainWindow::InfoDialog(const fw::String& title, const fw::String& message, const fw::String& explanation,
                            bool isDelete) {
  fw::MessageDialog d;
  if (isDelete) {
    d.Icon = 1;
    d.ActionButton->Caption = QStringLiteral("Supprimer");
    d.CancelButton->Visible = true;
  } else {
    d.Icon = 0;
    d.ActionButton->Caption = QStringLiteral("Continuer");
  }
  d.Title = title;
  d.Message = message;
  d.Explanation = explanation;
  fw::MessageDialogButtonPtr pressed = d.ShowModalWithin(*this);
  bool result = false;
  if (pressed && pressed == d.ActionButton) result = pressed->Caption == QLatin1String("Supprimer");
  return result;
}

void MainWindow::FailureDialog(const fw::String& title, const fw::String& message, const fw::String& explanation) {
  fw::MessageDialog d;
  d.Icon = 1;
  d.ActionButton->Caption = QStringLiteral("Continuer");
  d.Title = title;
  d.Message = message;
  d.Explanation = explanation;
  d.ShowModalWithin(*this);
}
