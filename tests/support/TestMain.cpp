// One main for every test program: a Qt application under the offscreen platform.
#include <gtest/gtest.h>

#include <QStandardPaths>
#include <cstdlib>

#include "framework/Application.h"
#include "framework/MessageDialog.h"
#include "framework/Runtime.h"
#include "framework/System.h"
#include "framework/Timer.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Settings written by tests go to a test location, never the user's.
  QStandardPaths::setTestModeEnabled(true);
  ::testing::InitGoogleTest(&argc, argv);
  fw::RuntimeInit(argc, argv);
  fw::seams::CaptureUrls(true);
  // The program finds its pictures next to its executable; tests run from elsewhere.
  if (const char* bundle = std::getenv("BRENVALTIQUE_BUNDLE"))
    fw::seams::SetExecutableFile(QByteArray(bundle) + "/MacOS/brenvaltique");
  // A dialog no test answered presses its default button instead of waiting for a user.
  fw::seams::SetDefaultDialogAnswer(QString());
  // Timers count only the time a test gives them.
  fw::seams::UseManualClock(true);
  return RUN_ALL_TESTS();
}
