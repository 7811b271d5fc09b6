// The yardstick of start-up: a bare Qt main window of the program's size, built with the same flags.
#include <QApplication>
#include <QMainWindow>

#include "bench/FirstShown.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bench::FirstShown shown;
  app.installEventFilter(&shown);
  QMainWindow window;
  window.resize(600, 570);
  window.show();
  return app.exec();
}
