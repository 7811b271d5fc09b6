// The program's own start-up, from the runtime to its main window on screen, then a close.
#include <QStandardPaths>
#include <cstdlib>

#include "bench/FirstShown.h"
#include "framework/Application.h"
#include "framework/Runtime.h"
#include "startup/Startup.h"

int main(int argc, char** argv) {
  // The runtime made now is the one the start-up routine then finds, so the filter sees its events.
  fw::RuntimeInit(argc, argv);
  bench::FirstShown shown;
  qApp->installEventFilter(&shown);
  // The kept window position goes to the caller's folder, never the user's.
  if (!std::getenv("XDG_CONFIG_HOME")) QStandardPaths::setTestModeEnabled(true);
  // The bench programs live outside the bundle; the pictures are found beside the real executable.
  if (const char* bundle = std::getenv("BRENVALTIQUE_BUNDLE"))
    fw::seams::SetExecutableFile(QByteArray(bundle) + "/MacOS/brenvaltique");
  return RunProgram(argc, argv);
}
