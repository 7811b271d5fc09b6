// The yardstick of start-up: the least a Qt program that shows a word does. A main window of the
// program's fixed size, with a menu bar of the program's two menus and one label, built with the
// same compiler flags. Both programs then load fonts and measure text before their first expose.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include "bench/FirstShown.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bench::FirstShown shown;
  app.installEventFilter(&shown);
  QMainWindow window;
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, &app, &QApplication::quit);
  QMenu* edit = window.menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->addAction(QStringLiteral("&Undo"), QKeySequence::Undo, [] {});
  auto* label = new QLabel(QStringLiteral("Modification des propriétés des fichiers"));
  label->setAlignment(Qt::AlignCenter);
  window.setCentralWidget(label);
  window.setWindowTitle(QStringLiteral("Modification des propriétés des fichiers"));
  window.setFixedSize(600, 570);
  window.show();
  return app.exec();
}
