#include "framework/Runtime.h"

#include <QApplication>

namespace fw {

void RuntimeInit(int& argc, char** argv) {
  if (QApplication::instance()) return;
  new QApplication(argc, argv);
}

bool RuntimeInitialized() { return QApplication::instance() != nullptr; }

}  // namespace fw
